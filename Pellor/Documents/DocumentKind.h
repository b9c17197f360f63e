#pragma once
// The two kinds of document the viewer opens, read-only: a dotLottie package
// (a ZIP archive) and a Lottie JSON document. The design's two document types
// differ only in their content type, so here they are one document class
// (ReadOnlyDocument) tagged with its kind.

#include <QString>

namespace pellor {

enum class DocumentKind { lottie, json };

// The freedesktop MIME type of each kind.
inline QString mimeTypeOf(DocumentKind kind) {
    return kind == DocumentKind::lottie ? QStringLiteral("application/x-dotlottie") : QStringLiteral("application/json");
}

}  // namespace pellor
