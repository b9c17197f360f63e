#pragma once
// The most recently opened documents, newest first, at most ten, kept in the
// application's settings (QSettings) so that they outlive the process; the
// welcome window and the Open Recent menu read them. Owned by the application
// object; main thread only.

#include <QObject>
#include <QStringList>

namespace pellor {

class RecentDocuments : public QObject {
    Q_OBJECT

public:
    static constexpr int kLimit = 10;

    explicit RecentDocuments(QObject* parent = nullptr);

    // Newest first; files that have gone since are still listed, as the
    // desktop's own lists do.
    QStringList paths() const;
    // Moves the path to the front (adds it when new) and drops the oldest past ten.
    void note(const QString& path);
    // Drops the path from the list; nothing when it is not listed.
    void remove(const QString& path);
    void clear();

signals:
    void changed();
};

}  // namespace pellor
