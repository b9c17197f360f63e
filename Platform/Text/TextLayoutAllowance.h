#pragma once
// What the layouts of one animation's texts may hold together: lines, the
// characters Pango shapes again to wrap them (a paragraph's characters for each
// line it wraps into), and runs of one script, direction and font (each shaped
// on its own, and put in visual order among the others of its line). Each layout takes what a paragraph may make before laying
// it out, gives back what it did not use, and gives back the rest when it is
// destroyed, so the bound is on the texts shown at one time however many layers
// show them, and a text laid out anew when it changes spends nothing twice.
// Owned by the animation's layout cache and shared with the layouts made through
// it; safe from any thread.

#include <cstddef>
#include <mutex>

namespace platform::text {

class TextLayoutAllowance {
public:
    // Real documents make a few hundred lines and wrap some ten thousand
    // characters. A line costs some ten microseconds and a kilobyte or two,
    // a character wrapped again under a tenth of a microsecond: texts at both
    // bounds take some 0.2 s to lay out and some 30 MB.
    static constexpr std::size_t maximumLines = 20'000;
    static constexpr std::size_t maximumWrappedCharacters = 2'000'000;
    // Real texts change script or direction a few times a paragraph. A run
    // costs a few microseconds to shape; ordering the runs of a line that
    // mixes directions costs Pango time that grows with the square of their
    // number (some 6 ms for 2,048 runs, 7 s for 100,000): runs at this bound,
    // in paragraphs at TextLayout's, take some 0.1 s, a fifth of a set-up's
    // deadline, so that a busy machine does not reach the deadline first. A
    // line holds a run at least: the bound stays above the lines'.
    static constexpr std::size_t maximumRuns = 24'576;
    static_assert(maximumRuns >= maximumLines);

    struct Amount {
        std::size_t lines = 0;
        std::size_t wrappedCharacters = 0;
        std::size_t runs = 0;

        Amount& operator+=(const Amount& other) {
            lines += other.lines;
            wrappedCharacters += other.wrappedCharacters;
            runs += other.runs;
            return *this;
        }
    };

    // Up to `lines` lines, each costing `charactersPerLine` wrapped characters
    // (0 for a paragraph that does not wrap), as many as what is left allows:
    // what was granted, taken from what is left.
    Amount take(std::size_t lines, std::size_t charactersPerLine);
    // Up to `runs` runs, as many as what is left allows: what was granted.
    std::size_t takeRuns(std::size_t runs);
    // The runs still to be had.
    std::size_t runsLeft() const;
    void giveBack(Amount amount);

private:
    mutable std::mutex mutex_;
    std::size_t lines_ = maximumLines;
    std::size_t wrappedCharacters_ = maximumWrappedCharacters;
    std::size_t runs_ = maximumRuns;
};

}  // namespace platform::text
