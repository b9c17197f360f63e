#pragma once
// The corpus's JSON documents for the benchmarks: every ".json" file below the
// corpus folder except the format's schema, with its text, in the order the
// folder walk meets them. Read afresh at each call; the benchmarks keep what
// they need.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace pellorbench {

inline std::vector<std::pair<std::filesystem::path, std::string>> corpusJson() {
    std::vector<std::pair<std::filesystem::path, std::string>> documents;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(PELLOR_CORPUS_DIR, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (error) break;
        if (it->path().extension() != ".json" || it->path().string().find("schema") != std::string::npos) continue;
        std::ifstream in(it->path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        documents.emplace_back(it->path(), text.str());
    }
    return documents;
}

}  // namespace pellorbench
