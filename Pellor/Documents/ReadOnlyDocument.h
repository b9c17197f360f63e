#pragma once
// An opened document: the whole file's bytes, unchanged, its kind and where it
// came from. Documents are never written back: the viewer has no save command,
// and nothing here can write. Reading takes the kind from the file's name
// (".lottie" a package, ".json" a JSON document) without looking inside;
// only a file named neither is recognised by its content (a ZIP signature
// makes a package, a JSON value a JSON document). It does not decode the
// animation, which is the player's work. A plain value, owned by its document window.

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
    // The kind a file's name gives it (by its extension, in any case); none
    // for other names.
    static std::optional<DocumentKind> kindOfFileName(const QString& fileName);

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
