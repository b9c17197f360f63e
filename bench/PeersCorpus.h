#pragma once
// The JSON animations the peer benchmark measures, as it sees them: those of
// the shared corpus, the real-world documents of other makers kept beside it,
// and the benchmark's own documents of structures that cost much in real
// exports (bench/documents/structures). Each has its path, its name (relative
// to the corpus; prefixed with "realworld/" or "structures/" for the other
// two), the set it comes from, and the reasons it is left out of the
// same-feature set (features the peer skips, or a renderer that does not load
// it). Built once by the benchmark's main(); holds no document text, so that
// the memory mode's parent process stays small.

#include <filesystem>
#include <string>
#include <vector>

namespace peersbench {

// Where a document comes from; the report summarises each set apart too.
enum class DocumentSet { corpus, realWorld, structures };

const char* setName(DocumentSet set);

struct CorpusDocument {
    std::filesystem::path path;
    std::string name;
    DocumentSet set = DocumentSet::corpus;
    // Empty when both renderers draw the same features of the document.
    std::vector<std::string> leftOut;
    // Empty when both engines of ours draw the whole document.
    std::vector<std::string> mainThreadLeavesOut;

    bool sameFeatures() const { return leftOut.empty(); }
};

// Every .json file under the corpus folder, then under the real-world folder,
// then under the structures folder, each sorted by path and classified by
// reading its JSON; a folder that is absent adds nothing.
std::vector<CorpusDocument> corpusDocuments();

std::string readFile(const std::filesystem::path& path);

}  // namespace peersbench
