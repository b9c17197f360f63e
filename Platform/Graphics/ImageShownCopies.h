#pragma once
// The copies of one image as it was laid down on a device: resampled once for a
// placement (where the image's pixels land on the device, and the whole device
// pixels they cover), so that an image drawn again at the same placement on a
// later frame is copied instead of resampled. Resampling an image shown smaller
// than it is filters every source pixel, which costs many times a copy.
//
// A copy is kept only for a placement seen on an earlier draw, so that a
// placement that changes on every frame holds no memory. (The drawer lays
// every image with a placement down from a copy, kept or not: a frame drawn
// again then gives the very pixels it gave the first time.) A few
// placements are remembered (an image drawn in several places), and the copies
// kept hold at most as many pixels as the image itself. Owned by its Image;
// safe to use from any thread, as the images of a document are shared by views
// drawn on different threads.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "Platform/Graphics/AffineTransform.h"

namespace platform::graphics {

class Image;

class ImageShownCopies {
public:
    // Where an image is laid down: from its pixels to device pixels, and the
    // device pixels that the copy covers.
    struct Placement {
        AffineTransform imageToDevice;
        int x = 0, y = 0, width = 0, height = 0;
        bool operator==(const Placement&) const = default;
    };

    // The placements remembered, most recent first.
    static constexpr std::size_t maximumPlacements = 4;

    struct Sighting {
        // The copy made for the placement; none yet.
        std::shared_ptr<const Image> copy;
        // Whether the placement was seen on an earlier draw.
        bool seenBefore = false;
    };

    // What is kept for the placement, remembering it as the most recent.
    Sighting sight(const Placement& placement);
    // Keeps `copy` for a remembered placement, unless the copies would then hold
    // more than `pixelLimit` pixels. Whether it was kept.
    bool keep(const Placement& placement, std::shared_ptr<const Image> copy, std::int64_t pixelLimit);

    // Pixels held by the copies kept.
    std::int64_t pixelsHeld() const;
    // Lets go of the copies and the placements remembered.
    void clear();

private:
    struct Entry {
        Placement placement;
        std::shared_ptr<const Image> copy;
    };

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};

}  // namespace platform::graphics
