#include "Platform/Text/TextLayoutAllowance.h"

#include <algorithm>

namespace platform::text {

TextLayoutAllowance::Amount TextLayoutAllowance::take(std::size_t lines, std::size_t charactersPerLine) {
    const std::lock_guard lock(mutex_);
    std::size_t granted = std::min(lines, lines_);
    if (charactersPerLine > 0) granted = std::min(granted, wrappedCharacters_ / charactersPerLine);
    const Amount amount{granted, granted * charactersPerLine};
    lines_ -= amount.lines;
    wrappedCharacters_ -= amount.wrappedCharacters;
    return amount;
}

std::size_t TextLayoutAllowance::takeRuns(std::size_t runs) {
    const std::lock_guard lock(mutex_);
    const std::size_t granted = std::min(runs, runs_);
    runs_ -= granted;
    return granted;
}

std::size_t TextLayoutAllowance::runsLeft() const {
    const std::lock_guard lock(mutex_);
    return runs_;
}

void TextLayoutAllowance::giveBack(Amount amount) {
    const std::lock_guard lock(mutex_);
    lines_ = std::min(maximumLines, lines_ + amount.lines);
    wrappedCharacters_ = std::min(maximumWrappedCharacters, wrappedCharacters_ + amount.wrappedCharacters);
    runs_ = std::min(maximumRuns, runs_ + amount.runs);
}

}  // namespace platform::text
