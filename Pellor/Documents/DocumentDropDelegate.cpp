#include "Pellor/Documents/DocumentDropDelegate.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "Pellor/Documents/ReadOnlyDocument.h"

namespace pellor {

DocumentDropDelegate::DocumentDropDelegate(QWidget* target, Opener open) : QObject(target), open_(std::move(open)) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

QStringList DocumentDropDelegate::droppedFiles(const QMimeData& data) {
    QStringList files;
    for (const QUrl& url : data.urls()) {
        // Files of other types are skipped without a word, as a drop target
        // that does not take them should.
        if (url.isLocalFile() && ReadOnlyDocument::kindOfFileName(url.fileName())) files << url.toLocalFile();
    }
    return files;
}

bool DocumentDropDelegate::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData() && !droppedFiles(*drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = drop->mimeData() ? droppedFiles(*drop->mimeData()) : QStringList();
        if (files.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // Opening may show a report; the drag must be over before that.
        QMetaObject::invokeMethod(this, [open = open_, files] { open(files); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace pellor
