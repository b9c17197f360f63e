#include "Platform/Graphics/ColorConversionAllowance.h"

namespace platform::graphics {

ColorConversionAllowance::Outcome ColorConversionAllowance::take(std::uint64_t steps) {
    const std::lock_guard lock(mutex_);
    if (steps <= remaining_) {
        remaining_ -= steps;
        return Outcome::taken;
    }
    if (refused_) return Outcome::refusedAgain;
    refused_ = true;
    return Outcome::refused;
}

std::uint64_t ColorConversionAllowance::remaining() const {
    const std::lock_guard lock(mutex_);
    return remaining_;
}

}  // namespace platform::graphics
