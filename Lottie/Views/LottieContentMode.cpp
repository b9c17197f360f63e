#include "Lottie/Views/LottieContentMode.h"

namespace lottie {

std::optional<LottieContentMode> contentModeFromRawValue(int rawValue) {
    if (rawValue < static_cast<int>(LottieContentMode::scaleToFill) ||
        rawValue > static_cast<int>(LottieContentMode::bottomRight)) {
        return std::nullopt;
    }
    return static_cast<LottieContentMode>(rawValue);
}

}  // namespace lottie
