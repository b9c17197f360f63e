#pragma once
// Every document the engine comparison draws over: this folder's documents,
// the frame tool's examples, every shared-corpus document (JSON and packages)
// and the real-world documents kept beside the corpus, with the names the
// tests print them by. Stateless.

#include <filesystem>
#include <string>
#include <vector>

namespace enginematrix {

// Sorted; the corpus and the real-world documents only where they are there.
std::vector<std::filesystem::path> everyDocument();

// The file relative to the repository, the real-world documents or the corpus.
std::string displayName(const std::filesystem::path& file);

}  // namespace enginematrix
