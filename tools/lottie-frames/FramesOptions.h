#pragma once
// The command line of lottie-frames, parsed. The interface is fixed so that
// scripts, tests and benchmarks can rely on it:
//   lottie-frames FILE --info
//   lottie-frames FILE --frames 0,12.5,30|all --size WxH --out DIR [--background RRGGBBAA]
//   lottie-frames FILE --bench --size WxH
// Every form also takes --strategy dictionary|codable and
// --engine main-thread|core-animation|automatic. A dotLottie package (a FILE
// ending in ".lottie", or any ZIP archive) takes --animation ID in every form;
// without it the first animation of its manifest is used.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/RenderingEngineOption.h"

namespace lottieframes {

enum class Command { info, frames, bench };

struct FramesOptions {
    std::string file;
    // The package animation asked for with --animation.
    std::optional<std::string> animationId;
    Command command = Command::info;
    lottie::DecodingStrategy strategy = lottie::DecodingStrategy::dictionaryBased;
    lottie::RenderingEngineOption engine = lottie::RenderingEngineOption::automatic();
    // Frames as the user wrote them (they name the output files); empty with allFrames.
    std::vector<std::string> frames;
    bool allFrames = false;
    int width = 512;
    int height = 512;
    std::string outputDirectory;
    std::optional<std::uint32_t> background;  // RRGGBBAA
};

// Throws std::invalid_argument with a message for the user.
FramesOptions parseOptions(const std::vector<std::string>& arguments);

std::string usage();

}  // namespace lottieframes
