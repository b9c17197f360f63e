#pragma once
// The drop target of the welcome and document windows: the documents dropped
// on the widget (local files named as one of the two kinds, ".lottie" or
// ".json") are handed, all at once and in drop order, to an opener (the
// application's, which opens each as a document and reports those it could
// not open). Other files are left out silently. A drag is accepted as it
// enters while it carries at least one document; other drags are refused, so
// the desktop shows that nothing would happen.
// Installed as an event filter; a Qt child of its target.

#include <QObject>
#include <QStringList>
#include <functional>

class QMimeData;
class QWidget;

namespace pellor {

class DocumentDropDelegate : public QObject {
    Q_OBJECT

public:
    using Opener = std::function<void(const QStringList& paths)>;

    DocumentDropDelegate(QWidget* target, Opener open);

    // The documents among the local files the data names, in order; other
    // files and remote addresses are left out.
    static QStringList droppedFiles(const QMimeData& data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Opener open_;
};

}  // namespace pellor
