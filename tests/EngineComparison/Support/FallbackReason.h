#pragma once
// What the automatic engine choice logs when it leaves the Core Animation
// engine, read back by the engine comparison tests to say why a document fell
// back.

#include <optional>
#include <string>
#include <vector>

namespace enginematrix {

// The issue line of a fallback warning ("[context] message"), without its context.
std::string fallbackReason(const std::string& warning);

// The reason of the first fallback warning among the logged warnings (others,
// such as an engine's note on what it does not draw, are passed over).
std::optional<std::string> firstFallbackReason(const std::vector<std::string>& warnings);

}  // namespace enginematrix
