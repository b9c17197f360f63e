#pragma once
// How the library renders and decodes an animation and treats the reduced
// motion preference. Animation layers, views and controls hold their own
// copy; callers that pass none get the process-wide shared value.

#include <cstddef>

#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/ReducedMotionOption.h"
#include "Lottie/Playback/RenderingEngineOption.h"
#include "Platform/Graphics/ColorSpace.h"

namespace lottie {

struct LottieConfiguration {
    LottieConfiguration(RenderingEngineOption renderingEngine = RenderingEngineOption::automatic(),
                        DecodingStrategy decodingStrategy = DecodingStrategy::dictionaryBased,
                        platform::graphics::ColorSpace colorSpace = platform::graphics::ColorSpace::deviceRGB(),
                        ReducedMotionOption reducedMotionOption = ReducedMotionOption::systemSetting())
        : renderingEngine(renderingEngine),
          decodingStrategy(decodingStrategy),
          reducedMotionOption(std::move(reducedMotionOption)),
          colorSpace(colorSpace) {}

    RenderingEngineOption renderingEngine;
    DecodingStrategy decodingStrategy;
    ReducedMotionOption reducedMotionOption;
    // The space of every colour the engines make.
    platform::graphics::ColorSpace colorSpace;

    // The process-wide configuration: automatic engine, dictionary decoding,
    // the system's reduced-motion setting, device RGB. Assigning it reaches later default
    // uses only; layers already made keep their copies.
    static LottieConfiguration shared();
    static void setShared(const LottieConfiguration& configuration);
    // The shared configuration's colour space alone, without a lock or a copy:
    // the engines ask for it for every colour of every frame.
    static platform::graphics::ColorSpace sharedColorSpace();

    bool operator==(const LottieConfiguration& other) const {
        return renderingEngine == other.renderingEngine && decodingStrategy == other.decodingStrategy &&
               reducedMotionOption == other.reducedMotionOption && colorSpace == other.colorSpace;
    }
    std::size_t hash() const;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottieConfiguration> {
    std::size_t operator()(const lottie::LottieConfiguration& configuration) const { return configuration.hash(); }
};
