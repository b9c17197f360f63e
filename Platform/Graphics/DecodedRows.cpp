#include "Platform/Graphics/DecodedRows.h"

#include "Platform/Graphics/PixelMemory.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace platform::graphics {

namespace {

// What a row of `width` pixels counts toward the deadline: decoding, converting
// and premultiplying a pixel take some nanoseconds, a unit some tens.
int unitsOfRow(int width) { return 1 + width / 4; }

}  // namespace

DecodedRows::DecodedRows(int width, int height, Layout layout) : width_(width), height_(height), layout_(layout) {
    if (width <= 0 || height <= 0) return;
    pixels_ = PixelMemory::zeroed(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
}

bool DecodedRows::countWritten(int rows) {
    for (int row = 0; row < rows && !late_; ++row) late_ = ProcessorDeadline::checkCurrent(unitsOfRow(width_));
    return late_;
}

bool DecodedRows::finishUpTo(int end) {
    for (; finished_ < end && !late_; ++finished_) {
        std::uint8_t* pixels = row(finished_);
        profile_.convertToSRGB(pixels, static_cast<std::size_t>(width_));
        if (layout_ == Layout::straight) Image::premultiplyStraightARGB32(pixels, static_cast<std::size_t>(width_));
        late_ = ProcessorDeadline::checkCurrent(unitsOfRow(width_));
    }
    return late_;
}

std::shared_ptr<const Image> DecodedRows::image() && {
    if (late_ || finished_ < height_) return nullptr;
    auto image = Image::sharing(width_, height_, Image::Format::argb32Premultiplied, width_ * 4, std::move(pixels_));
    if (image && !profile_.warning().empty()) return Image::withDecodingWarning(image, profile_.warning());
    return image;
}

}  // namespace platform::graphics
