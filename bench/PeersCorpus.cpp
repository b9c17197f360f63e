#include "bench/PeersCorpus.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "Platform/Json/JsonParser.h"
#include "bench/PeerFeatures.h"

namespace peersbench {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const char* setName(DocumentSet set) {
    switch (set) {
    case DocumentSet::corpus: return "corpus";
    case DocumentSet::realWorld: return "real-world";
    case DocumentSet::structures: return "structures";
    }
    return "";
}

namespace {

// The .json files under `folder`, sorted by path; none when it is absent.
std::vector<std::filesystem::path> jsonFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (error) break;
        if (it->path().extension() == ".json") files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void addDocuments(std::vector<CorpusDocument>& documents, const std::filesystem::path& folder,
                  const std::string& prefix, DocumentSet set) {
    for (const auto& path : jsonFiles(folder)) {
        CorpusDocument document{path, prefix + std::filesystem::relative(path, folder).string(), set, {}, {}};
        try {
            const platform::json::Value json = platform::json::parse(readFile(path));
            document.leftOut = featuresThePeerSkips(json);
            document.mainThreadLeavesOut = featuresTheMainThreadEngineSkips(json);
        } catch (const std::exception&) {
            document.leftOut.emplace_back("not JSON");
        }
        documents.push_back(std::move(document));
    }
}

}  // namespace

std::vector<CorpusDocument> corpusDocuments() {
    std::vector<CorpusDocument> documents;
    addDocuments(documents, PELLOR_CORPUS_DIR, "", DocumentSet::corpus);
    addDocuments(documents, PELLOR_REALWORLD_DIR, "realworld/", DocumentSet::realWorld);
    addDocuments(documents, PELLOR_STRUCTURES_DIR, "structures/", DocumentSet::structures);
    return documents;
}

}  // namespace peersbench
