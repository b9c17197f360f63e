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

std::vector<CorpusDocument> corpusDocuments() {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(PELLOR_CORPUS_DIR, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (error) break;
        if (it->path().extension() == ".json") files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::vector<CorpusDocument> documents;
    for (const auto& path : files) {
        CorpusDocument document{path, std::filesystem::relative(path, PELLOR_CORPUS_DIR).string(), {}};
        try {
            document.leftOut = featuresThePeerSkips(platform::json::parse(readFile(path)));
        } catch (const std::exception&) {
            document.leftOut.emplace_back("not JSON");
        }
        documents.push_back(std::move(document));
    }
    return documents;
}

}  // namespace peersbench
