#include "Lottie/DotLottie/Zip/EntryPath.h"

namespace lottie {

namespace {

std::vector<std::string_view> split(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('/', start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        parts.push_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    return parts;
}

}  // namespace

std::optional<EntryPath> EntryPath::contained(std::string_view name)
{
    if (name.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    EntryPath path;
    for (std::string_view part : split(name)) {
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (path.components_.empty()) {
                return std::nullopt;
            }
            path.components_.pop_back();
            continue;
        }
        path.components_.emplace_back(part);
    }
    return path;
}

bool EntryPath::isContainedLinkTarget(const EntryPath& link, std::string_view target)
{
    if (target.empty() || target.front() == '/' || target.find('\0') != std::string_view::npos) {
        return false;
    }
    if (link.isRoot()) {
        return false;
    }
    // The link lives in the directory of its last component's parent.
    std::size_t depth = link.components_.size() - 1;
    bool descending = false;
    for (std::string_view part : split(target)) {
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (descending || depth == 0) {
                return false;
            }
            --depth;
            continue;
        }
        descending = true;
    }
    return true;
}

std::string EntryPath::text() const
{
    std::string joined;
    for (const std::string& component : components_) {
        if (!joined.empty()) {
            joined += '/';
        }
        joined += component;
    }
    return joined;
}

}  // namespace lottie
