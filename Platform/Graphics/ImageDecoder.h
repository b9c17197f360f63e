#pragma once
// Decodes PNG, JPEG and WebP bytes into an Image, recognising the format by its
// signature. Any failure (an unknown or broken file, a truncated one, an
// animated WebP, more than Image::kMaximumPixelCount pixels) gives no image and
// never throws. A caller that keeps a budget is asked, once the size is read from
// the file's header and before any pixel is decoded, whether an image of that
// size may be decoded. Pixels the file says are in another colour space than sRGB
// (by an embedded ICC profile, or a PNG's gamma and chromaticities) come out
// converted to sRGB (see ImageColorProfile); an image whose profile is not used
// says why (Image::decodingWarning); a conversion built for it takes what it
// costs from the allowance given, if any. Stands in for the platform's
// image-source decoding; stateless, safe on any thread.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "Platform/Graphics/Image.h"

namespace platform::graphics {

class ColorConversionAllowance;

class ImageDecoder {
public:
    enum class Format { unknown, png, jpeg, webp };

    // Answers whether an image of width x height pixels may be decoded.
    using SizeCheck = std::function<bool(int width, int height)>;

    static Format sniff(std::span<const std::uint8_t> bytes);
    // Nothing is decoded when `mayDecode` (if given) refuses the size.
    static std::shared_ptr<const Image> decode(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode = {},
                                               ColorConversionAllowance* conversions = nullptr);
    static std::shared_ptr<const Image> decode(std::string_view bytes, const SizeCheck& mayDecode = {},
                                               ColorConversionAllowance* conversions = nullptr);

private:
    // The image with the warning, if there is one.
    static std::shared_ptr<const Image> noted(std::shared_ptr<const Image> image, const std::string& warning);
    // Whether the size fits the pixel limit and the caller agrees.
    static bool admits(std::uint64_t width, std::uint64_t height, const SizeCheck& mayDecode);
    static std::shared_ptr<const Image> decodePNG(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                   ColorConversionAllowance* conversions);
    static std::shared_ptr<const Image> decodeJPEG(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                    ColorConversionAllowance* conversions);
    static std::shared_ptr<const Image> decodeWebP(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                    ColorConversionAllowance* conversions);
};

}  // namespace platform::graphics
