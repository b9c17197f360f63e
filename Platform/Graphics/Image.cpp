#include "Platform/Graphics/Image.h"

#include <cairo.h>
#include <png.h>

#include <algorithm>
#include <cstring>
#include <fstream>

namespace platform::graphics {

namespace {

std::uint32_t readPixel(const std::uint8_t* row, int x) {
    std::uint32_t value;
    std::memcpy(&value, row + static_cast<std::size_t>(x) * 4, 4);
    return value;
}

}  // namespace

Image::Image(int width, int height, Format format, int bytesPerRow, std::shared_ptr<const std::uint8_t> data)
    : Image(width, height, format, bytesPerRow, std::move(data),
            static_cast<std::size_t>(bytesPerRow) * static_cast<std::size_t>(height)) {}

Image::Image(int width, int height, Format format, int bytesPerRow, std::shared_ptr<const std::uint8_t> data,
             std::size_t byteCount)
    : width_(width),
      height_(height),
      format_(format),
      bytesPerRow_(bytesPerRow),
      data_(std::move(data)),
      byteCount_(byteCount) {}

namespace {

bool storable(int width, int height) {
    return width > 0 && height > 0 &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= Image::kMaximumPixelCount;
}

}  // namespace

int Image::bytesPerRowFor(Format format, int width) {
    if (width <= 0) {
        return 0;
    }
    const int stride =
        cairo_format_stride_for_width(format == Format::grey8 ? CAIRO_FORMAT_A8 : CAIRO_FORMAT_ARGB32, width);
    return stride > 0 ? stride : 0;
}

namespace {

// The pixels of `source` (premultiplied ARGB) reduced by `factor`, each the
// rounded mean of the block it covers, the last row and column repeated where
// a block passes the edge.
std::vector<std::uint8_t> blockMeans(const Image& source, int factor, int width, int height, int stride) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    const std::uint8_t* first = source.pixels().data();
    const int count = factor * factor;
    std::vector<int> sums(static_cast<std::size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int row = 0; row < factor; ++row) {
            const std::uint8_t* line =
                first + static_cast<std::size_t>(std::min(y * factor + row, source.height() - 1)) * source.bytesPerRow();
            for (int x = 0; x < width; ++x) {
                int* sum = &sums[static_cast<std::size_t>(x) * 4];
                for (int column = 0; column < factor; ++column) {
                    const std::uint8_t* pixel =
                        line + static_cast<std::size_t>(std::min(x * factor + column, source.width() - 1)) * 4;
                    // Premultiplied channels average without weighting by alpha.
                    for (int channel = 0; channel < 4; ++channel) sum[channel] += pixel[channel];
                }
            }
        }
        std::uint8_t* out = pixels.data() + static_cast<std::size_t>(y) * stride;
        for (std::size_t index = 0; index < sums.size(); ++index) {
            out[index] = static_cast<std::uint8_t>((sums[index] + count / 2) / count);
        }
    }
    return pixels;
}

}  // namespace

std::shared_ptr<const Image> Image::reduced(int factor) const {
    if (format_ != Format::argb32Premultiplied || factor < 2 || width_ < factor || height_ < factor) {
        return nullptr;
    }
    const std::lock_guard<std::mutex> lock(reducedMutex_);
    // Made from the smallest copy kept that it reduces further, so that a
    // chain of reductions reads the image once, not once per copy.
    const Image* source = this;
    int sourceFactor = 1;
    for (const auto& [kept, copy] : reduced_) {
        if (kept == factor) return copy;
        if (copy && factor % kept == 0 && kept > sourceFactor) {
            source = copy.get();
            sourceFactor = kept;
        }
    }
    const int width = (width_ + factor - 1) / factor, height = (height_ + factor - 1) / factor;
    const int stride = bytesPerRowFor(Format::argb32Premultiplied, width);
    std::shared_ptr<const Image> copy =
        make(width, height, Format::argb32Premultiplied,
             blockMeans(*source, factor / sourceFactor, width, height, stride));
    reduced_.emplace_back(factor, copy);
    return copy;
}

void Image::releaseCopies() const {
    shownCopies_.clear();
    std::vector<std::pair<int, std::shared_ptr<const Image>>> released;
    const std::lock_guard<std::mutex> lock(reducedMutex_);
    released.swap(reduced_);
}

std::int64_t Image::reducedPixelsHeld() const {
    const std::lock_guard<std::mutex> lock(reducedMutex_);
    std::int64_t held = 0;
    for (const auto& [kept, copy] : reduced_) {
        if (copy) held += static_cast<std::int64_t>(copy->width()) * copy->height();
    }
    return held;
}

std::shared_ptr<const Image> Image::make(int width, int height, Format format, std::vector<std::uint8_t> pixels) {
    if (!storable(width, height)) {
        return nullptr;
    }
    const int stride = bytesPerRowFor(format, width);
    if (stride == 0 || pixels.size() < static_cast<std::size_t>(stride) * static_cast<std::size_t>(height)) {
        return nullptr;
    }
    pixels.resize(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    auto owner = std::make_shared<const std::vector<std::uint8_t>>(std::move(pixels));
    std::shared_ptr<const std::uint8_t> data(owner, owner->data());
    return std::shared_ptr<const Image>(new Image(width, height, format, stride, std::move(data)));
}

std::shared_ptr<const Image> Image::sharing(int width, int height, Format format, int bytesPerRow,
                                            std::shared_ptr<const std::uint8_t> data) {
    if (!storable(width, height) || !data || bytesPerRow < bytesPerRowFor(format, width) ||
        bytesPerRow % 4 != 0) {
        return nullptr;
    }
    return std::shared_ptr<const Image>(new Image(width, height, format, bytesPerRow, std::move(data)));
}

std::shared_ptr<const Image> Image::region(int x, int y, int width, int height) const {
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || width > width_ - x || height > height_ - y) return nullptr;
    const std::size_t bytesPerPixel = format_ == Format::argb32Premultiplied ? 4 : 1;
    const std::size_t offset =
        static_cast<std::size_t>(y) * static_cast<std::size_t>(bytesPerRow_) + static_cast<std::size_t>(x) * bytesPerPixel;
    // The last row ends with the rectangle: the bytes after it may lie past
    // the end of the buffer.
    const std::size_t byteCount = static_cast<std::size_t>(height - 1) * static_cast<std::size_t>(bytesPerRow_) +
                                  static_cast<std::size_t>(width) * bytesPerPixel;
    std::shared_ptr<const std::uint8_t> data(data_, data_.get() + offset);
    return std::shared_ptr<const Image>(new Image(width, height, format_, bytesPerRow_, std::move(data), byteCount));
}

std::shared_ptr<const Image> Image::withDecodingWarning(const std::shared_ptr<const Image>& image,
                                                       std::string warning) {
    if (!image) return nullptr;
    auto noted = std::shared_ptr<Image>(new Image(image->width_, image->height_, image->format_, image->bytesPerRow_,
                                                  image->data_, image->byteCount_));
    noted->decodingWarning_ = std::move(warning);
    return noted;
}

std::shared_ptr<const Image> Image::fromStraightRGBA(int width, int height, const std::vector<std::uint8_t>& rgba) {
    return fromStraightRGBA(width, height, std::vector<std::uint8_t>(rgba));
}

std::shared_ptr<const Image> Image::fromStraightRGBA(int width, int height, std::vector<std::uint8_t>&& rgba) {
    const int stride = bytesPerRowFor(Format::argb32Premultiplied, width);
    if (width <= 0 || height <= 0 ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaximumPixelCount ||
        rgba.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4 ||
        stride != width * 4) {
        return nullptr;
    }
    // Rows of four bytes a pixel are already laid out as the image's rows, so the
    // pixels are converted where they lie: a large image is never held twice.
    rgba.resize(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    premultiplyStraightRGBA(rgba.data(), rgba.size() / 4);
    return make(width, height, Format::argb32Premultiplied, std::move(rgba));
}

void Image::premultiplyStraightRGBA(std::uint8_t* pixels, std::size_t count) {
    for (std::uint8_t* pixel = pixels; pixel != pixels + count * 4; pixel += 4) {
        const std::uint32_t a = pixel[3];
        auto premultiply = [a](std::uint32_t channel) { return (channel * a + 127) / 255; };
        const std::uint32_t value =
            (a << 24) | (premultiply(pixel[0]) << 16) | (premultiply(pixel[1]) << 8) | premultiply(pixel[2]);
        std::memcpy(pixel, &value, 4);
    }
}

void Image::premultiplyStraightARGB32(std::uint8_t* pixels, std::size_t count) {
    // Red and blue at once, in the two halves of one number: for n = c x a,
    // t = n + 128 and (t + t / 256) / 256 is n / 255 rounded, as
    // premultiplyStraightRGBA rounds it, and fits in 16 bits. No branch: an
    // opaque pixel comes out as it went in.
    for (std::uint8_t* pixel = pixels; pixel != pixels + count * 4; pixel += 4) {
        std::uint32_t value;
        std::memcpy(&value, pixel, 4);
        const std::uint32_t a = value >> 24;
        std::uint32_t redBlue = (value & 0x00ff00ffu) * a + 0x00800080u;
        redBlue = ((redBlue + ((redBlue >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
        std::uint32_t green = ((value >> 8) & 0xffu) * a + 0x80u;
        green = (green + (green >> 8)) >> 8;
        value = (a << 24) | (green << 8) | redBlue;
        std::memcpy(pixel, &value, 4);
    }
}

std::uint32_t Image::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    const std::uint8_t* row = data_.get() + static_cast<std::size_t>(y) * bytesPerRow_;
    if (format_ == Format::grey8) {
        const std::uint32_t level = row[x];
        return 0xff000000u | (level << 16) | (level << 8) | level;
    }
    return readPixel(row, x);
}

std::vector<std::uint8_t> Image::straightRGBA() const {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width_) * height_ * 4);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t value = pixel(x, y);
            const std::uint32_t a = value >> 24;
            auto unpremultiply = [a](std::uint32_t channel) -> std::uint8_t {
                return a == 0 ? 0 : static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (channel * 255 + a / 2) / a));
            };
            std::uint8_t* out = rgba.data() + (static_cast<std::size_t>(y) * width_ + x) * 4;
            out[0] = unpremultiply((value >> 16) & 0xff);
            out[1] = unpremultiply((value >> 8) & 0xff);
            out[2] = unpremultiply(value & 0xff);
            out[3] = static_cast<std::uint8_t>(a);
        }
    }
    return rgba;
}

std::string Image::encodePNG() const {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width_);
    image.height = static_cast<png_uint_32>(height_);
    std::vector<std::uint8_t> rgba;
    const void* buffer = nullptr;
    png_int_32 rowStride = 0;
    if (format_ == Format::grey8) {
        image.format = PNG_FORMAT_GRAY;
        buffer = data_.get();
        rowStride = bytesPerRow_;
    } else {
        image.format = PNG_FORMAT_RGBA;
        rgba = straightRGBA();
        buffer = rgba.data();
        rowStride = width_ * 4;
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, buffer, rowStride, nullptr) || size == 0) {
        png_image_free(&image);
        return {};
    }
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, buffer, rowStride, nullptr)) {
        png_image_free(&image);
        return {};
    }
    bytes.resize(size);
    return bytes;
}

bool Image::writePNG(const std::filesystem::path& path) const {
    const std::string bytes = encodePNG();
    if (bytes.empty()) {
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::shared_ptr<const Image> Image::convertedToARGB(const std::shared_ptr<const Image>& image) {
    if (!image || image->format_ == Format::argb32Premultiplied) {
        return image;
    }
    const int width = image->width_;
    const int height = image->height_;
    const int stride = bytesPerRowFor(Format::argb32Premultiplied, width);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = image->pixel(x, y);
            std::memcpy(pixels.data() + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4, &value,
                        4);
        }
    }
    return make(width, height, Format::argb32Premultiplied, std::move(pixels));
}

}  // namespace platform::graphics
