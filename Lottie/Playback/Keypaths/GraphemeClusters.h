#pragma once
// The user-perceived characters (extended grapheme clusters) of a UTF-8 text, as
// byte offsets into it. Used where names are compared character by character, so
// that a comparison never splits a character. Invalid UTF-8 is tolerated: each bad
// byte counts as a character of its own. A small value over a borrowed text;
// safe from any thread.

#include <cstddef>
#include <string_view>
#include <vector>

namespace lottie {

class GraphemeClusters {
public:
    explicit GraphemeClusters(std::string_view text);

    std::size_t count() const { return boundaries_.size() - 1; }
    // The byte offset where cluster `index` starts; count() gives the text's length.
    std::size_t byteOffsetOfCluster(std::size_t index) const { return boundaries_.at(index); }

private:
    // Every cluster boundary, from 0 to the text's length, increasing.
    std::vector<std::size_t> boundaries_;
};

}  // namespace lottie
