#pragma once
// The pixels of one image as its decoder writes them, row by row, into the
// buffer the image then keeps (no copy of a large image is ever held). Each
// finished row is made ready where it lies, converted to sRGB by the file's
// colour profile and, when its alpha is straight, premultiplied; and every
// row written or made ready counts toward the deadline the decoding thread
// works for (ProcessorDeadline::current(), a frame's or a set-up's), so that
// a decoder reading rows one at a time stops once that deadline has passed. Owned by one call of ImageDecoder; not thread-safe.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/ImageColorProfile.h"

namespace platform::graphics {

class DecodedRows {
public:
    // What the decoder writes, always in the image's own byte order (ARGB32
    // values): pixels of straight alpha, or opaque ones, which need nothing
    // more.
    enum class Layout { straight, opaque };
    // That byte order, as the colour profile reads it.
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    static constexpr ImageColorProfile::Layout profileLayout = ImageColorProfile::Layout::bgra;
#else
    static constexpr ImageColorProfile::Layout profileLayout = ImageColorProfile::Layout::argb;
#endif

    // Room for width x height pixels; none (allocated() false) when memory
    // runs out.
    DecodedRows(int width, int height, Layout layout);

    bool allocated() const { return pixels_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint8_t* row(int y) { return pixels_.get() + static_cast<std::size_t>(y) * width_ * 4; }
    std::uint8_t* data() { return pixels_.get(); }
    std::size_t size() const {
        return pixels_ ? static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4 : 0;
    }

    // The conversion the finished rows go through.
    void setProfile(ImageColorProfile profile) { profile_ = std::move(profile); }
    const ImageColorProfile& profile() const { return profile_; }

    // Counts `rows` rows the decoder wrote toward the deadline; true once it
    // has passed.
    bool countWritten(int rows = 1);
    // Makes the rows before `end` ready, those not yet made so, counting each;
    // true once the deadline has passed (the rest are left as they are).
    bool finishUpTo(int end);
    // Whether a count found the deadline passed.
    bool late() const { return late_; }

    // The image of every row, once all are finished, with the profile's warning.
    std::shared_ptr<const Image> image() &&;

private:
    int width_;
    int height_;
    Layout layout_;
    // Zeroed when allocated (PixelMemory), so rows a decoder leaves unwritten
    // are transparent.
    std::shared_ptr<std::uint8_t> pixels_;
    ImageColorProfile profile_;
    int finished_ = 0;
    bool late_ = false;
};

}  // namespace platform::graphics
