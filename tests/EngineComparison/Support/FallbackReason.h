#pragma once
// What the automatic engine choice logs when it leaves the Core Animation
// engine, read back by the engine comparison tests to say why a document fell
// back, and their list of the documents that did.

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace enginematrix {

// The reason of the first fallback warning among the logged warnings (others,
// such as an engine's note on what it does not draw, are passed over).
std::optional<std::string> firstFallbackReason(const std::vector<std::string>& warnings);

// Prints each reason with how many documents fell back for it, then their names.
void printFallbacks(std::ostream& out, const std::map<std::string, std::vector<std::string>>& namesByReason);

}  // namespace enginematrix
