#include "tests/Lottie/Model/Assets/SharedDocuments.h"

#include "tests/Support/TestSupport.h"

namespace modeltest {

std::vector<std::filesystem::path> sharedDocuments() {
    auto documents = testsupport::corpusFiles(".json");
    const auto realworld = testsupport::realworldFiles(".json");
    documents.insert(documents.end(), realworld.begin(), realworld.end());
    return documents;
}

bool refusesNewerBlendMode(const platform::json::DecodingError& error) {
    const auto& path = error.codingPath();
    return error.kind() == platform::json::DecodingError::Kind::dataCorrupted && !path.empty() &&
           path.back().stringValue == "bm";
}

}  // namespace modeltest
