#pragma once
// The documents of others that the model's tests read whole: every JSON
// document of the shared corpus and of the real-world folder beside it, and
// what the legacy decoder refuses in them by design. Shared by the decoding
// and round-trip tests.

#include <filesystem>
#include <vector>

#include "Platform/Json/DecodingError.h"

namespace modeltest {

// The corpus's documents, then the real-world ones, each sorted.
std::vector<std::filesystem::path> sharedDocuments();

// Whether `error` is the legacy decoder refusing a layer's blend mode past the
// format's first sixteen (real documents use 16, a newer mode). That decoder
// decodes a blend mode by its cases and refuses an integer without one; the
// dictionary decoder takes such a layer as normal.
bool refusesNewerBlendMode(const platform::json::DecodingError& error);

}  // namespace modeltest
