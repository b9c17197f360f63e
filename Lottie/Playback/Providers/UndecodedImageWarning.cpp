#include "Lottie/Playback/Providers/UndecodedImageWarning.h"

#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/ImagePixelBudget.h"
#include "Platform/Graphics/ImageDecoder.h"

namespace lottie {

namespace {

std::string formatName(platform::graphics::ImageDecoder::Format format) {
    switch (format) {
        case platform::graphics::ImageDecoder::Format::png:
            return "PNG";
        case platform::graphics::ImageDecoder::Format::jpeg:
            return "JPEG";
        case platform::graphics::ImageDecoder::Format::webp:
            return "WebP";
        case platform::graphics::ImageDecoder::Format::unknown:
            break;
    }
    return {};
}

std::string kilobytes(std::size_t bytes) { return std::to_string(bytes == 0 ? 0 : (bytes + 1023) / 1024) + " KB"; }

}  // namespace

std::string undecodedImageWarning(const ImageAsset& asset, std::optional<std::span<const std::uint8_t>> bytes,
                                  const std::string& fileName) {
    std::string source;
    if (!fileName.empty()) {
        source = fileName;
    } else if (bytes) {
        source = "an embedded image of " + kilobytes(bytes->size());
    } else {
        source = "an embedded image";
    }
    std::string reason;
    if (!bytes) {
        reason = "its data address could not be read";
    } else if (const std::string format = formatName(platform::graphics::ImageDecoder::sniff(*bytes));
               !format.empty()) {
        reason = "its " + format + " data could not be decoded";
    } else {
        reason = "it is not a PNG, JPEG or WebP image";
    }
    return "Image asset \"" + asset.id + "\" (" + source + ") is left out: " + reason;
}

std::shared_ptr<const platform::graphics::Image> decodeEmbeddedImage(
    const ImageAsset& asset, const std::optional<platform::foundation::Data>& bytes, ImagePixelBudget* budget,
    const LottieLogger& logger, std::string_view file, unsigned line) {
    if (bytes) {
        const std::size_t refusals = budget ? budget->refusals() : 0;
        if (auto image = platform::graphics::ImageDecoder::decode(*bytes, budget ? budget->sizeCheck() : nullptr,
                                                                  budget ? budget->colorConversions() : nullptr,
                                                                  budget ? budget->decodingRefusal() : nullptr)) {
            return image;
        }
        if (budget && budget->refusedSince(refusals)) return nullptr;
    }
    logger.warn(
        [&] {
            return undecodedImageWarning(asset,
                                         bytes ? std::optional(std::span<const std::uint8_t>(*bytes)) : std::nullopt);
        },
        file, line);
    return nullptr;
}

}  // namespace lottie
