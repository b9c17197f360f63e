#pragma once
// The two kinds of document the viewer opens, read-only: a dotLottie package
// (a ZIP archive) and a Lottie JSON document. The two differ only in how their
// bytes are read, so they are one document class (ReadOnlyDocument) tagged
// with its kind.

namespace pellor {

enum class DocumentKind { lottie, json };

}  // namespace pellor
