#pragma once
// An immutable pixel buffer: premultiplied ARGB32 in native byte order (the
// layout Cairo draws into), or 8-bit grey without alpha (mask images). Rows run
// top to bottom (y down). Stands in for the platform's image objects; shared by
// whoever draws it, as std::shared_ptr<const Image>.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "Platform/Graphics/ImageShownCopies.h"

namespace platform::graphics {

class Image {
public:
    enum class Format { argb32Premultiplied, grey8 };

    // Images whose pixel count would pass this are refused, whatever their source.
    static constexpr std::uint64_t kMaximumPixelCount = 100'000'000;

    // Bytes per row for a width in a format, padded as Cairo requires; 0 when the
    // width cannot be stored.
    static int bytesPerRowFor(Format format, int width);
    // Takes `pixels` laid out with bytesPerRowFor(format, width) bytes per row.
    // Nothing when the size is not positive, too large, or the buffer too short.
    static std::shared_ptr<const Image> make(int width, int height, Format format,
                                             std::vector<std::uint8_t> pixels);
    // Shares pixels that `data` keeps alive (a drawing surface's buffer, say),
    // laid out as make() expects; the caller must not change them afterwards.
    static std::shared_ptr<const Image> sharing(int width, int height, Format format, int bytesPerRow,
                                                std::shared_ptr<const std::uint8_t> data);
    // The pixels of a rectangle within this image, sharing them (and keeping
    // the whole image's buffer alive) rather than copying them; nothing when
    // the rectangle is empty or passes the image's edges.
    std::shared_ptr<const Image> region(int x, int y, int width, int height) const;
    // From straight (not premultiplied) RGBA bytes, four per pixel, rows packed.
    static std::shared_ptr<const Image> fromStraightRGBA(int width, int height,
                                                         const std::vector<std::uint8_t>& rgba);
    // The same, converting the given bytes in place.
    static std::shared_ptr<const Image> fromStraightRGBA(int width, int height, std::vector<std::uint8_t>&& rgba);
    // Turns `count` straight RGBA pixels into the premultiplied ARGB32 of an
    // image, where they lie.
    static void premultiplyStraightRGBA(std::uint8_t* pixels, std::size_t count);
    // Premultiplies `count` straight pixels already in the image's byte order
    // (ARGB32 values), where they lie; opaque ones are left as they are.
    static void premultiplyStraightARGB32(std::uint8_t* pixels, std::size_t count);

    int width() const { return width_; }
    int height() const { return height_; }
    Format format() const { return format_; }
    int bytesPerRow() const { return bytesPerRow_; }
    std::span<const std::uint8_t> pixels() const { return {data_.get(), byteCount_}; }

    // The premultiplied ARGB value of a pixel (grey pixels read as opaque grey);
    // 0 outside the image.
    std::uint32_t pixel(int x, int y) const;
    // Straight-alpha RGBA bytes, four per pixel, rows packed.
    std::vector<std::uint8_t> straightRGBA() const;

    // What its decoder left undone and why (a colour profile too costly to
    // convert with, say); empty when the file was decoded as it says.
    const std::string& decodingWarning() const { return decodingWarning_; }
    // The image as it is, with the decoder's warning: a copy sharing its pixels.
    static std::shared_ptr<const Image> withDecodingWarning(const std::shared_ptr<const Image>& image,
                                                            std::string warning);

    // PNG bytes of the image (RGBA, or grey for grey images); empty on failure.
    std::string encodePNG() const;
    bool writePNG(const std::filesystem::path& path) const;

    // A copy of 1/`factor` the width and height (rounded up), each pixel the
    // mean of the `factor` x `factor` pixels it covers (the last row and column
    // of what it is made from repeated where the block passes the edge). Made once per factor and kept
    // with the image: GraphicsContext draws an image shown at half its size or
    // less from the power-of-two reduction nearest above that size
    // (ImageSampling), so that it is not convolved whole on every draw. Made
    // from the smallest copy already kept that it reduces further, else from
    // the image, and no copy in between is made for it: the copies of
    // power-of-two factors hold about a third of the image's pixels
    // together, and a chain of them reads the image once. None for grey images, a factor below 2, or an image narrower
    // or lower than the factor. Safe from any thread, as the images of a
    // document are shared by views drawn on different threads.
    std::shared_ptr<const Image> reduced(int factor) const;
    // Pixels held by the copies reduced() keeps.
    std::int64_t reducedPixelsHeld() const;

    // The copies of the image as GraphicsContext laid it down at placements
    // it is drawn at again (ImageShownCopies).
    ImageShownCopies& shownCopies() const { return shownCopies_; }
    // Lets go of the copies reduced() and shownCopies() keep; drawing the
    // image again makes them again as needed.
    void releaseCopies() const;

    // An ARGB32 version (grey becomes opaque grey): the image itself when already ARGB32.
    static std::shared_ptr<const Image> convertedToARGB(const std::shared_ptr<const Image>& image);

private:
    Image(int width, int height, Format format, int bytesPerRow, std::shared_ptr<const std::uint8_t> data);
    Image(int width, int height, Format format, int bytesPerRow, std::shared_ptr<const std::uint8_t> data,
          std::size_t byteCount);

    int width_;
    int height_;
    Format format_;
    int bytesPerRow_;
    std::shared_ptr<const std::uint8_t> data_;
    std::size_t byteCount_;
    std::string decodingWarning_;
    // The copies made by reduced(), by factor, and what guards them.
    mutable std::mutex reducedMutex_;
    mutable std::vector<std::pair<int, std::shared_ptr<const Image>>> reduced_;
    mutable ImageShownCopies shownCopies_;
};

}  // namespace platform::graphics
