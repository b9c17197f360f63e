#include "Lottie/Views/DirectRasterPaint.h"

#include <cairo.h>

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cstdint>
#include <memory>

#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"

namespace lottie {

namespace {

// The image the painter draws into, when Cairo can draw on its pixels as they are.
QImage* rasterTarget(QPainter& painter) {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_ARGB32_Premultiplied && format != QImage::Format_RGB32) return nullptr;
    if (image->isNull()) return nullptr;
    return image;
}

// RGB32 keeps its alpha bytes at 0xff. Drawing over an opaque pixel keeps it
// opaque for every blend mode but the few that take coverage away (xor, clear,
// and their kind); putting the bytes back afterwards keeps the image valid
// whatever the tree drew.
void restoreOpaqueAlpha(QImage& image, const QRect& area) {
    const QRect rows = area.intersected(image.rect());
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y)) + rows.left();
        std::transform(line, line + rows.width(), line, [](std::uint32_t pixel) { return pixel | 0xff000000u; });
    }
}

}  // namespace

bool DirectRasterPaint::paint(QPainter& painter, const QRegion& region,
                              const std::shared_ptr<platform::compositor::Layer>& root, double mediaTime) {
    QImage* image = rasterTarget(painter);
    if (!image) return false;
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale || painter.opacity() != 1 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
        return false;
    }
    QRegion clip = transform.map(region);
    const QRegion systemClip = painter.paintEngine()->systemClip();
    if (!systemClip.isEmpty()) clip &= systemClip;
    clip &= image->rect();
    if (clip.isEmpty()) return true;

    // The paint engine detached the image when it began, so these are the very
    // pixels it paints; asking for writable bits could copy them again.
    auto* pixels = const_cast<uchar*>(image->constBits());
    // Owned so that a drawing that throws (memory running out on a hostile
    // document) leaves nothing of Cairo's behind.
    const auto finishSurface = [](cairo_surface_t* surface) {
        cairo_surface_finish(surface);
        cairo_surface_destroy(surface);
    };
    const std::unique_ptr<cairo_surface_t, decltype(finishSurface)> surface(
        cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, image->width(), image->height(),
                                            static_cast<int>(image->bytesPerLine())),
        finishSurface);
    {
        const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cairo(cairo_create(surface.get()), &cairo_destroy);
        platform::graphics::GraphicsContext context(cairo.get());
        const auto rectOf = [](const QRect& r) {
            return platform::graphics::Rect(r.x(), r.y(), r.width(), r.height());
        };
        // One rectangle, the usual case, stays a rectangle clip, which the
        // renderer sizes its buffers by.
        if (clip.rectCount() == 1) {
            context.clipToRect(rectOf(clip.boundingRect()));
        } else {
            context.beginPath();
            for (const QRect& rect : clip) context.addRect(rectOf(rect));
            context.clip();
        }
        context.concatenate({transform.m11(), transform.m12(), transform.m21(), transform.m22(), transform.dx(),
                             transform.dy()});
        platform::compositor::Renderer::render(root, mediaTime, context);
        context.flush();
    }
    if (image->format() == QImage::Format_RGB32) restoreOpaqueAlpha(*image, clip.boundingRect());
    return true;
}

}  // namespace lottie
