#pragma once
// What lies under a view in the device it is painted into: the pixels that the
// parent (and whatever lies under it) painted there before the view's own
// paint. A view whose frames are drawn in turns into a picture of its own
// (FrameTurns) draws them over these pixels, as drawing straight into the
// device does (DirectRasterPaint), so that a layer with a blend mode blends
// with what is under the view rather than with nothing; the picture then
// replaces those pixels when it is painted.
//
// Read at each paint that covers the whole view, when the device is an image
// and the painter draws it plainly (no opacity, composition mode, rotation or
// shear), else forgotten. Owned by its view; main thread only.

#include <QSize>
#include <memory>

class QPainter;
class QRect;

namespace platform::graphics {
class Image;
}

namespace lottie {

class ViewBackdrop {
public:
    // Reads what lies under `area` (the view's rectangle in the painter's
    // logical coordinates, `pixels` in the device) at a paint that covers it
    // whole. True when it differs from what was read before.
    bool read(QPainter& painter, const QRect& area, QSize pixels);
    // The pixels last read; none when the device could not be read.
    const std::shared_ptr<const platform::graphics::Image>& pixels() const { return pixels_; }
    void forget() { pixels_ = nullptr; }

private:
    std::shared_ptr<const platform::graphics::Image> pixels_;
};

}  // namespace lottie
