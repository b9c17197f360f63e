#pragma once
// An opened document: the whole file's bytes, unchanged, its kind and where it
// came from. Documents are never written back: the viewer has no save command,
// and nothing here can write. Reading recognises the kind by content and name
// (a ZIP signature or the ".lottie" extension make a package; a JSON value
// makes a JSON document); it does not decode the animation, which is the
// player's work. A plain value, owned by its document window.

#include <QByteArray>
#include <QString>
#include <optional>

#include "Pellor/Documents/DocumentKind.h"

namespace pellor {

class ReadOnlyDocument {
public:
    ReadOnlyDocument(DocumentKind kind, QByteArray data, QString filePath)
        : kind_(kind), data_(std::move(data)), filePath_(std::move(filePath)) {}

    // The largest file read, in bytes: far more than any animation, and small
    // enough that holding it and its decoded model fits in memory.
    static constexpr qint64 maximumSize = 256LL * 1024 * 1024;

    // Reads the file. Throws DocumentOpenError when it is not a regular file,
    // is larger than maximumSize, cannot be read, or is neither a package nor
    // JSON.
    static ReadOnlyDocument read(const QString& path, qint64 sizeLimit = maximumSize);
    // The kind of these bytes under that name; none when they are neither.
    static std::optional<DocumentKind> recognise(const QByteArray& data, const QString& fileName);

    DocumentKind kind() const { return kind_; }
    const QByteArray& data() const { return data_; }
    // Absolute; empty for a document without a file.
    const QString& filePath() const { return filePath_; }

private:
    DocumentKind kind_;
    QByteArray data_;
    QString filePath_;
};

}  // namespace pellor
