#pragma once
// What the frame tool renders: one decoded animation and where its images come
// from. A Lottie JSON file takes its images from its own folder; a dotLottie
// package gives the animation asked for (its first without an id) and the
// package's images, and lists the ids of all its animations. Made once by main().

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "tools/lottie-frames/FramesOptions.h"

namespace lottieframes {

struct FramesDocument {
    std::shared_ptr<const lottie::LottieAnimation> animation;
    std::shared_ptr<lottie::AnimationImageProvider> images;
    // The package's animation ids in manifest order; none for a JSON file.
    std::optional<std::vector<std::string>> animationIds;

    // Reads and decodes options.file with options.strategy. Throws whatever
    // reading, unpacking or decoding throws, lottie::DotLottieError when the
    // package has no animation of the id asked for, and std::invalid_argument
    // when --animation is given for a file that is not a package.
    static FramesDocument load(const FramesOptions& options);

    // Whether the file is to be read as a package: its name ends in ".lottie" or
    // its bytes begin like a ZIP archive.
    static bool isPackage(const std::string& file, std::string_view bytes);
};

}  // namespace lottieframes
