#include "Platform/Graphics/ImageDecoder.h"

#include <cstring>

#include "Platform/Graphics/ProcessorDeadline.h"

namespace platform::graphics {

bool ImageDecoder::admits(std::uint64_t width, std::uint64_t height, const SizeCheck& mayDecode) {
    const bool fits = width > 0 && height > 0 && width <= 0x7fffffff && height <= 0x7fffffff &&
                      width * height <= Image::kMaximumPixelCount;
    return fits && (!mayDecode || mayDecode(static_cast<int>(width), static_cast<int>(height)));
}

std::string ImageDecoder::lateRefusal() {
    const auto& deadline = ProcessorDeadline::current();
    return "decoding it passed the deadline of " +
           (deadline ? deadline->limitDescription() : ProcessorDeadline::describe(0) + " of processor time");
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

std::shared_ptr<const Image> ImageDecoder::decode(std::string_view bytes, const SizeCheck& mayDecode,
                                                  ColorConversionAllowance* conversions, std::string* refusal) {
    return decode(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                  mayDecode, conversions, refusal);
}

std::shared_ptr<const Image> ImageDecoder::decode(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                  ColorConversionAllowance* conversions, std::string* refusal) {
    switch (sniff(bytes)) {
        case Format::png:
            return decodePNG(bytes, mayDecode, conversions, refusal);
        case Format::jpeg:
            return decodeJPEG(bytes, mayDecode, conversions, refusal);
        case Format::webp:
            return decodeWebP(bytes, mayDecode, conversions, refusal);
        case Format::unknown:
            break;
    }
    return nullptr;
}

}  // namespace platform::graphics
