#pragma once
// The platform colour of a document colour, made in the colour space of the
// shared configuration as every colour this engine creates is.

#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Values/LottieColor.h"
#include "Platform/Graphics/Color.h"

namespace lottie {

inline platform::graphics::Color engineColor(const LottieColor& color) {
    return platform::graphics::Color::fromRGBA(LottieConfiguration::sharedColorSpace(), color.r, color.g, color.b,
                                               color.a);
}

}  // namespace lottie
