#pragma once
// Draws a layer tree straight into the pixels that a QPainter paints into, when
// they are a raster image whose pixels Cairo can draw on: premultiplied ARGB32,
// or opaque RGB32 (what the raster and offscreen platforms give an opaque
// window's backing store). The tree is composited over what is already there,
// placed by the painter's device transform (the widget's offset in the device
// and its device-pixel ratio) and clipped to the painted region and the paint
// engine's system clip. This spares the view an image of its own: clearing it,
// and Qt compositing it into the backing store, cost as much as a third of the
// tree's own drawing.
//
// Every other device (a pixmap of another platform, a printer, an image of
// another format) and every painter state that the raster path would have to
// honour (an opacity, a composition mode, a rotation or shear) is refused, so
// that the caller paints through an image instead. Stateless; main thread only.

#include <memory>

class QPainter;
class QRegion;

namespace platform::compositor {
class Layer;
}

namespace lottie {

class DirectRasterPaint {
public:
    DirectRasterPaint() = delete;

    // Draws `root` as presented at `mediaTime` into the painter's device within
    // `region` (in the painter's logical coordinates). False, with nothing
    // drawn, when the device or the painter's state does not allow it.
    static bool paint(QPainter& painter, const QRegion& region,
                      const std::shared_ptr<platform::compositor::Layer>& root, double mediaTime);
};

}  // namespace lottie
