#pragma once
// Coding keys and coding paths: where in a document a decoder or encoder is,
// as the list of dictionary keys and array indices that lead there.

#include <optional>
#include <string>
#include <vector>

namespace platform::json {

struct CodingKey {
    std::string stringValue;
    std::optional<int> intValue;

    static CodingKey named(std::string name) { return {std::move(name), std::nullopt}; }
    static CodingKey index(int position) { return {"Index " + std::to_string(position), position}; }

    bool operator==(const CodingKey&) const = default;
};

using CodingPath = std::vector<CodingKey>;

// "layers[2].ks.p" style text of a path; "(root)" for the empty path.
std::string describe(const CodingPath& path);

inline CodingPath appending(CodingPath path, CodingKey key) {
    path.push_back(std::move(key));
    return path;
}

}  // namespace platform::json
