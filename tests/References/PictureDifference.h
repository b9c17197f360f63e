#pragma once
// How far a rendered picture is from its reference, as a person would see it:
// both are composited over white and over black, since a change of colour under
// low alpha shows on one background and not the other. Made by the reference
// tests for each picture they compare; a plain value.

#include <algorithm>
#include <memory>
#include <string>

#include "Platform/Graphics/Image.h"

namespace referencetest {

struct PictureDifference {
    bool sameSize = true;
    // Root mean square of the colour channels' differences, each in 0...1, over
    // every pixel of the picture composited over white (and over black).
    double rmseOverWhite = 0;
    double rmseOverBlack = 0;
    // The largest difference of one channel of one pixel, in 0...255, over
    // either background.
    int largestChannelDifference = 0;

    // The larger of the two RMSEs, or 1 when the sizes differ: one number for
    // how far a frame is from the other engine's.
    double largerRmse() const { return sameSize ? std::max(rmseOverWhite, rmseOverBlack) : 1.0; }
    std::string description() const;
};

PictureDifference measureDifference(const platform::graphics::Image& picture,
                                    const platform::graphics::Image& reference);

// What a person looks at when a picture differs: the new picture, the reference
// and their difference (the largest channel difference of each pixel, eight
// times brighter, as grey on black) side by side, with a gap between them. A
// missing reference leaves its panel and the difference empty.
std::shared_ptr<const platform::graphics::Image> sideBySide(const platform::graphics::Image& picture,
                                                            const platform::graphics::Image* reference);

}  // namespace referencetest
