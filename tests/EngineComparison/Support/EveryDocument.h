#pragma once
// Every document the engine comparison draws over: this folder's documents,
// the frame tool's examples, every shared-corpus document (JSON and packages)
// and the real-world documents kept beside the corpus, with the names the
// tests print them by. Stateless.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/lottie-frames/FramesDocument.h"

namespace enginematrix {

// Sorted; the corpus and the real-world documents only where they are there.
std::vector<std::filesystem::path> everyDocument();

// The file relative to the repository, the real-world documents or the corpus.
std::string displayName(const std::filesystem::path& file);

// The document as the frame tool loads it; nothing when it does not decode.
std::optional<lottieframes::FramesDocument> loadedDocument(const std::filesystem::path& file);

}  // namespace enginematrix
