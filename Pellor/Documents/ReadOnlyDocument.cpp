#include "Pellor/Documents/ReadOnlyDocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "Pellor/Documents/DocumentOpenError.h"
#include "Platform/Foundation/HugePages.h"

namespace pellor {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("ReadOnlyDocument", text); }

// Local file header, or the end record of an empty archive.
bool hasZipSignature(const QByteArray& data) {
    return data.startsWith(QByteArray("PK\x03\x04", 4)) || data.startsWith(QByteArray("PK\x05\x06", 4));
}

// A JSON text starts with a value, after any byte-order mark and white space.
// The viewer's documents are objects; an empty file is kept too, so that the
// player (not the reader) says it cannot decode it.
bool looksLikeJson(const QByteArray& data) {
    qsizetype at = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < data.size() && (data[at] == ' ' || data[at] == '\t' || data[at] == '\n' || data[at] == '\r')) ++at;
    return at == data.size() || data[at] == '{' || data[at] == '[';
}

}  // namespace

std::optional<DocumentKind> ReadOnlyDocument::kindOfFileName(const QString& fileName) {
    if (fileName.endsWith(QStringLiteral(".lottie"), Qt::CaseInsensitive)) return DocumentKind::lottie;
    if (fileName.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive)) return DocumentKind::json;
    return std::nullopt;
}

std::optional<DocumentKind> ReadOnlyDocument::recognise(const QByteArray& data, const QString& fileName) {
    // A file named as one of the two kinds is that kind, whatever it holds:
    // its player says so when it cannot decode it, in the window of the file.
    if (const auto named = kindOfFileName(fileName)) return named;
    if (hasZipSignature(data)) return DocumentKind::lottie;
    if (looksLikeJson(data)) return DocumentKind::json;
    return std::nullopt;
}

ReadOnlyDocument ReadOnlyDocument::read(const QString& path, qint64 sizeLimit) {
    const QFileInfo info(path);
    if (!info.exists()) {
        throw DocumentOpenError(DocumentOpenError::Reason::unreadable, path, tr("The file doesn\u2019t exist."));
    }
    // A folder or a special file is not a document, even behind a link.
    if (!info.isFile()) {
        throw DocumentOpenError(DocumentOpenError::Reason::unreadable, path, tr("It is not a regular file."));
    }
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        throw DocumentOpenError(DocumentOpenError::Reason::unreadable, path, file.errorString());
    }
    // The size a file claims is not trusted (files of /proc claim 0 and never
    // end): at most one byte past the limit is read, which tells an oversized
    // file apart without holding it.
    const auto tooLarge = [&path, sizeLimit] {
        throw DocumentOpenError(DocumentOpenError::Reason::unreadable, path,
                                tr("It is larger than %1 MB, more than any animation needs.")
                                    .arg(std::max<qint64>(1, sizeLimit / (1024 * 1024))));
    };
    if (info.size() > sizeLimit) tooLarge();
    QByteArray data;
    // In pieces, so that memory follows what the file really holds; with room
    // for the last piece's try past the end, so that reading a file of the
    // size it claims never moves the bytes, and what is left of that room
    // lets the JSON parser read the text where it lies (DocumentLoaders).
    constexpr qint64 pieceSize = 1 << 20;
    data.reserve(static_cast<qsizetype>(info.size() + pieceSize));
    platform::foundation::adviseHugePages(data.data(), static_cast<std::size_t>(data.capacity()));
    while (data.size() <= sizeLimit) {
        const qsizetype at = data.size();
        const qint64 wanted = std::min(pieceSize, sizeLimit + 1 - at);
        data.resize(at + static_cast<qsizetype>(wanted));
        const qint64 got = file.read(data.data() + at, wanted);
        if (got < 0) {
            throw DocumentOpenError(DocumentOpenError::Reason::unreadable, path, file.errorString());
        }
        data.resize(at + static_cast<qsizetype>(got));
        if (got == 0) break;
    }
    if (data.size() > sizeLimit) tooLarge();
    const auto kind = recognise(data, info.fileName());
    if (!kind) {
        throw DocumentOpenError(DocumentOpenError::Reason::notAnAnimation, path,
                                tr("It is neither a Lottie animation nor a dotLottie package."));
    }
    return ReadOnlyDocument(*kind, std::move(data), info.absoluteFilePath());
}

}  // namespace pellor
