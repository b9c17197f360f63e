#include "tests/EngineComparison/Support/FallbackReason.h"

namespace enginematrix {

namespace {

constexpr const char* fallbackWarningStart = "Encountered Core Animation compatibility issue";

// The issue line of a fallback warning ("[context] message"), without its context.
std::string fallbackReason(const std::string& warning) {
    const auto start = warning.find('\n');
    if (start == std::string::npos) return warning;
    std::string line = warning.substr(start + 1, warning.find('\n', start + 1) - start - 1);
    if (!line.empty() && line.front() == '[') {
        const auto close = line.find("] ");
        if (close != std::string::npos) line = line.substr(close + 2);
    }
    return line;
}

}  // namespace

std::optional<std::string> firstFallbackReason(const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings) {
        if (warning.starts_with(fallbackWarningStart)) return fallbackReason(warning);
    }
    return std::nullopt;
}

void printFallbacks(std::ostream& out, const std::map<std::string, std::vector<std::string>>& namesByReason) {
    for (const auto& [reason, names] : namesByReason) {
        out << "  " << names.size() << " x " << reason << "\n";
        for (const auto& name : names) out << "      " << name << "\n";
    }
}

}  // namespace enginematrix
