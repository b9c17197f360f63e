#pragma once
// A Gaussian blur of an 8-bit plane, and the shadows made with it. The standard
// deviation is half the shadow radius. Three box passes each way approximate the
// Gaussian in time independent of the radius, so a shadow can be redrawn every
// frame. Stateless; safe on any thread.

#include <cstdint>
#include <memory>

#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Image.h"

namespace platform::graphics {

class GaussianBlur {
public:
    static double standardDeviation(double radius) { return radius / 2; }
    // How far, in pixels, a blur of this radius spreads beyond what it blurs
    // (three standard deviations, rounded up; 0 for no blur).
    // Never more than maximumSpread.
    static int spread(double radius);
    static constexpr int maximumSpread = 100'000;
    // The radius whose spread is maximumSpread: a wider blur reaches no further.
    static constexpr double maximumRadius = 2.0 * maximumSpread / 3;

    // The factor by which a blur of this radius may work on an image scaled down
    // without a visible loss: a Gaussian that wide has no detail finer than a few
    // pixels. 1 up to a standard deviation of 16 pixels; beyond it, a whole factor
    // that leaves the scaled-down blur a standard deviation of 8 to 16 pixels, so
    // that its work no longer grows with the radius.
    static double reduction(double radius);
    // The radius to blur with at that reduction: scaling down (a box of
    // `reduction` pixels) and back up (a linear ramp) blur a little themselves,
    // and this leaves them out, so that the whole is the Gaussian of `radius`.
    static double reducedRadius(double radius, double reduction);

    // Blurs `height` rows of `width` bytes in place, reading zero beyond the edges.
    static void blurPlane(std::uint8_t* data, int width, int height, int bytesPerRow, double radius);

    // The shadow of an image: its alpha blurred and tinted with `color` (whose own
    // alpha scales it), in a premultiplied image grown by spread(radius) on every
    // side, so that pixel (x, y) of the source lies at (x + spread, y + spread).
    // Nothing when the grown image would be too large.
    static std::shared_ptr<const Image> shadow(const Image& source, double radius, const Color& color);
};

}  // namespace platform::graphics
