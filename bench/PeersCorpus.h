#pragma once
// The JSON animations of the shared corpus as the peer benchmark sees them:
// each document's path, its name relative to the corpus, and the reasons it
// is left out of the same-feature set (features the peer skips, or a renderer
// that does not load it). Built once by the benchmark's main(); holds no
// document text, so that the memory mode's parent process stays small.

#include <filesystem>
#include <string>
#include <vector>

namespace peersbench {

struct CorpusDocument {
    std::filesystem::path path;
    std::string name;
    // Empty when both renderers draw the same features of the document.
    std::vector<std::string> leftOut;

    bool sameFeatures() const { return leftOut.empty(); }
};

// Every .json file under the corpus folder, sorted by path, classified by
// reading its JSON; an empty list when the folder is absent.
std::vector<CorpusDocument> corpusDocuments();

std::string readFile(const std::filesystem::path& path);

}  // namespace peersbench
