#include "Platform/Graphics/ImageDecoder.h"

#include <png.h>
#include <webp/decode.h>

#include <cstring>
#include <utility>
#include <vector>

namespace platform::graphics {

bool ImageDecoder::admits(std::uint64_t width, std::uint64_t height, const SizeCheck& mayDecode) {
    const bool fits = width > 0 && height > 0 && width <= 0x7fffffff && height <= 0x7fffffff &&
                      width * height <= Image::kMaximumPixelCount;
    return fits && (!mayDecode || mayDecode(static_cast<int>(width), static_cast<int>(height)));
}

ImageDecoder::Format ImageDecoder::sniff(std::span<const std::uint8_t> b) {
    static constexpr std::uint8_t kPNG[8] = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a};
    if (b.size() >= 8 && std::memcmp(b.data(), kPNG, 8) == 0) {
        return Format::png;
    }
    if (b.size() >= 3 && b[0] == 0xff && b[1] == 0xd8 && b[2] == 0xff) {
        return Format::jpeg;
    }
    if (b.size() >= 12 && std::memcmp(b.data(), "RIFF", 4) == 0 && std::memcmp(b.data() + 8, "WEBP", 4) == 0) {
        return Format::webp;
    }
    return Format::unknown;
}

std::shared_ptr<const Image> ImageDecoder::decode(std::string_view bytes, const SizeCheck& mayDecode) {
    return decode(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                  mayDecode);
}

std::shared_ptr<const Image> ImageDecoder::decode(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode) {
    switch (sniff(bytes)) {
        case Format::png:
            return decodePNG(bytes, mayDecode);
        case Format::jpeg:
            return decodeJPEG(bytes, mayDecode);
        case Format::webp:
            return decodeWebP(bytes, mayDecode);
        case Format::unknown:
            break;
    }
    return nullptr;
}

std::shared_ptr<const Image> ImageDecoder::decodePNG(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        png_image_free(&image);
        return nullptr;
    }
    if (!admits(image.width, image.height, mayDecode)) {
        png_image_free(&image);
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    png_image_free(&image);
    return Image::fromStraightRGBA(width, height, std::move(rgba));
}

std::shared_ptr<const Image> ImageDecoder::decodeWebP(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode) {
    // The container states its size. libwebp decodes what it is given and can
    // finish a cut-off lossless stream without complaint, so a file shorter than
    // it says is refused here.
    const std::uint64_t stated = static_cast<std::uint64_t>(bytes[4]) | (static_cast<std::uint64_t>(bytes[5]) << 8) |
                                 (static_cast<std::uint64_t>(bytes[6]) << 16) |
                                 (static_cast<std::uint64_t>(bytes[7]) << 24);
    if (stated + 8 > bytes.size()) {
        return nullptr;
    }
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(bytes.data(), bytes.size(), &features) != VP8_STATUS_OK || features.has_animation ||
        features.width <= 0 || features.height <= 0 ||
        !admits(static_cast<std::uint64_t>(features.width), static_cast<std::uint64_t>(features.height), mayDecode)) {
        return nullptr;
    }
    const int width = features.width;
    const int height = features.height;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    if (!WebPDecodeRGBAInto(bytes.data(), bytes.size(), rgba.data(), rgba.size(), width * 4)) {
        return nullptr;
    }
    return Image::fromStraightRGBA(width, height, std::move(rgba));
}

}  // namespace platform::graphics
