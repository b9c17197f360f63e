#pragma once
// An entry's name turned into path components under the destination: "." and
// empty segments dropped, ".." taking back the segment before it, leading slashes
// ignored so an absolute name lands inside. A name that would climb above the
// destination or holds a NUL byte has no EntryPath. Also judges symbolic link
// targets. A value made by unzipping for each entry.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lottie {

class EntryPath {
public:
    // Nothing when the name leaves the destination or cannot name a file.
    static std::optional<EntryPath> contained(std::string_view name);

    // A relative target is accepted when it may climb with leading ".." segments no
    // higher than the destination and then only descends. Absolute targets, empty
    // ones, NUL bytes and ".." after a descending segment are refused: through a
    // link placed earlier such a ".." could resolve outside even when the text
    // alone looks contained.
    static bool isContainedLinkTarget(const EntryPath& link, std::string_view target);

    const std::vector<std::string>& components() const { return components_; }
    // True for the destination itself (a name such as "", "/" or "a/..").
    bool isRoot() const { return components_.empty(); }
    // The components joined with "/".
    std::string text() const;

    bool operator==(const EntryPath&) const = default;

private:
    std::vector<std::string> components_;
};

}  // namespace lottie
