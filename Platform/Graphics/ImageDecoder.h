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
// costs from the allowance given, if any.
//
// The pixels are read row by row (JPEG and PNG) or in slices of the file
// (WebP), and each row counts toward the deadline the calling thread works
// for (ProcessorDeadline), the deadline of the frame or the set-up that asks
// for the image: past it the decoding stops and gives no image. The work of
// one call into an image library is bounded by the pixels the caller admits,
// and a JPEG's by its scans too. Stands in for the platform's image-source
// decoding; stateless, safe on any thread.

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

    // A progressive JPEG goes over its whole image once per scan, and a scan
    // of a large image takes a few bytes: real files have about ten scans,
    // and one of more than this many is refused as they are read.
    static constexpr int maximumJPEGScanCount = 100;

    static Format sniff(std::span<const std::uint8_t> bytes);
    // Nothing is decoded when `mayDecode` (if given) refuses the size. When a
    // bound of the decoder's own refuses the image (too many scans, the
    // deadline passed), `refusal` (if given) is set to why, in words that
    // follow the image's name ("is left out: ..."); it is left as it is for a
    // file that is simply broken and for a refusal of `mayDecode`.
    static std::shared_ptr<const Image> decode(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode = {},
                                               ColorConversionAllowance* conversions = nullptr,
                                               std::string* refusal = nullptr);
    static std::shared_ptr<const Image> decode(std::string_view bytes, const SizeCheck& mayDecode = {},
                                               ColorConversionAllowance* conversions = nullptr,
                                               std::string* refusal = nullptr);

private:
    // Whether the size fits the pixel limit and the caller agrees.
    static bool admits(std::uint64_t width, std::uint64_t height, const SizeCheck& mayDecode);
    // Why a decoding that passed the calling thread's deadline gives nothing.
    static std::string lateRefusal();
    static std::shared_ptr<const Image> decodePNG(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                   ColorConversionAllowance* conversions, std::string* refusal);
    static std::shared_ptr<const Image> decodeJPEG(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                    ColorConversionAllowance* conversions, std::string* refusal);
    static std::shared_ptr<const Image> decodeWebP(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                    ColorConversionAllowance* conversions, std::string* refusal);
};

}  // namespace platform::graphics
