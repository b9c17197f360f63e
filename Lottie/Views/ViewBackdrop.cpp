#include "Lottie/Views/ViewBackdrop.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <cstring>
#include <vector>

#include "Platform/Graphics/Image.h"

namespace lottie {

using platform::graphics::Image;

namespace {

// The image the painter draws into, drawn plainly; null for any other device.
const QImage* plainImageTarget(QPainter& painter) {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine) return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    if (painter.deviceTransform().type() > QTransform::TxScale || painter.opacity() != 1 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
        return nullptr;
    }
    const auto* image = static_cast<const QImage*>(device);
    return image->isNull() ? nullptr : image;
}

}  // namespace

bool ViewBackdrop::read(QPainter& painter, const QRect& area, QSize pixels) {
    const QImage* target = plainImageTarget(painter);
    const QRect inDevice = painter.deviceTransform().mapRect(QRectF(area)).toAlignedRect();
    if (!target || inDevice.size() != pixels || !target->rect().contains(inDevice)) {
        const bool had = pixels_ != nullptr;
        pixels_ = nullptr;
        return had;
    }
    const QImage under = target->copy(inDevice).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int rowBytes = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, pixels.width());
    const auto sameRows = [&](const Image& image) {
        for (int y = 0; y < pixels.height(); ++y) {
            if (std::memcmp(image.pixels().data() + static_cast<std::size_t>(y) * image.bytesPerRow(),
                            under.constScanLine(y), static_cast<std::size_t>(pixels.width()) * 4) != 0) {
                return false;
            }
        }
        return true;
    };
    if (pixels_ && pixels_->width() == pixels.width() && pixels_->height() == pixels.height() && sameRows(*pixels_)) {
        return false;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rowBytes) * pixels.height());
    for (int y = 0; y < pixels.height(); ++y) {
        std::memcpy(bytes.data() + static_cast<std::size_t>(y) * rowBytes, under.constScanLine(y),
                    static_cast<std::size_t>(pixels.width()) * 4);
    }
    pixels_ = Image::make(pixels.width(), pixels.height(), Image::Format::argb32Premultiplied, std::move(bytes));
    return true;
}

}  // namespace lottie
