#pragma once
// The scale in which colour components are given to LottieColor's scaling
// initialiser: already 0 to 1, percent, or bytes.

namespace lottie {

enum class ColorFormatDenominator { one, oneHundred, twoFiftyFive };

constexpr double denominatorValue(ColorFormatDenominator denominator) {
    switch (denominator) {
        case ColorFormatDenominator::one:
            return 1.0;
        case ColorFormatDenominator::oneHundred:
            return 100.0;
        case ColorFormatDenominator::twoFiftyFive:
            return 255.0;
    }
    return 1.0;
}

}  // namespace lottie
