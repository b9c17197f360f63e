#pragma once
// Decodes PNG, JPEG and WebP bytes into an Image, recognising the format by its
// signature. Any failure (an unknown or broken file, a truncated one, an
// animated WebP, more than Image::kMaximumPixelCount pixels) gives no image and
// never throws. Stands in for the platform's image-source decoding; stateless,
// safe on any thread.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "Platform/Graphics/Image.h"

namespace platform::graphics {

class ImageDecoder {
public:
    enum class Format { unknown, png, jpeg, webp };

    static Format sniff(std::span<const std::uint8_t> bytes);
    static std::shared_ptr<const Image> decode(std::span<const std::uint8_t> bytes);
    static std::shared_ptr<const Image> decode(std::string_view bytes);

private:
    static std::shared_ptr<const Image> decodePNG(std::span<const std::uint8_t> bytes);
    static std::shared_ptr<const Image> decodeJPEG(std::span<const std::uint8_t> bytes);
    static std::shared_ptr<const Image> decodeWebP(std::span<const std::uint8_t> bytes);
};

}  // namespace platform::graphics
