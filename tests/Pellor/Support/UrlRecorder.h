#pragma once
// Stands between the code under test and the desktop: installed as the
// QDesktopServices handler of some address schemes, it keeps the addresses the
// code asks the desktop to open instead of launching a program. Removes its
// handlers when it goes away.

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <vector>

namespace pellortest {

class UrlRecorder : public QObject {
    Q_OBJECT

public:
    explicit UrlRecorder(QStringList schemes);
    ~UrlRecorder() override;

    std::vector<QUrl> opened;

public slots:
    void open(const QUrl& url);

private:
    QStringList schemes_;
};

}  // namespace pellortest
