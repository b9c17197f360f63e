#include "Lottie/Playback/Providers/FilepathImageProvider.h"

#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/UndecodedImageWarning.h"
#include "Platform/Foundation/DataURL.h"
#include "Platform/Foundation/Files.h"
#include "Platform/Graphics/ImageDecoder.h"

namespace lottie {

std::optional<std::string> FilepathImageProvider::sharingKey() const {
    return sharingKeyOf("folder", {filepath_.native()});
}

FilepathImageProvider::FilepathImageProvider(std::filesystem::path filepath,
                                             platform::compositor::ContentsGravity contentsGravity,
                                             std::shared_ptr<LottieLogger> logger)
    : filepath_(std::move(filepath)), gravity_(contentsGravity), logger_(std::move(logger)) {}

std::shared_ptr<LottieLogger> FilepathImageProvider::logger() const { return logger_ ? logger_ : LottieLogger::shared(); }

std::shared_ptr<const platform::graphics::Image> FilepathImageProvider::imageForAsset(const ImageAsset& asset) const {
    return load(asset, nullptr);
}

std::shared_ptr<const platform::graphics::Image> FilepathImageProvider::imageForAssetWithinBudget(
    const ImageAsset& asset, ImagePixelBudget& budget) const {
    return load(asset, &budget);
}

std::shared_ptr<const platform::graphics::Image> FilepathImageProvider::load(const ImageAsset& asset,
                                                                             ImagePixelBudget* budget) const {
    const std::size_t refusals = budget ? budget->refusals() : 0;
    const platform::graphics::ImageDecoder::SizeCheck mayDecode = budget ? budget->sizeCheck() : nullptr;
    auto* const conversions = budget ? budget->colorConversions() : nullptr;
    std::string* const refusal = budget ? budget->decodingRefusal() : nullptr;
    if (asset.name.starts_with("data:")) {
        return decodeEmbeddedImage(asset, platform::foundation::decodeDataURL(asset.name), budget, *logger(),
                                   "Lottie/FilepathImageProvider", __LINE__);
    }
    std::optional<std::filesystem::path> path;
    for (bool withDirectory : {false, true}) {
        auto candidate = asset.filePath(filepath_, withDirectory);
        if (candidate && platform::foundation::fileExists(*candidate)) {
            path = std::move(candidate);
            break;
        }
    }
    if (!path) {
        logger()->warn([name = asset.name] { return "Could not find image \"" + name + "\" in bundle"; },
                                     "Lottie/FilepathImageProvider", __LINE__);
        return nullptr;
    }
    std::string failure;
    try {
        if (auto image = platform::graphics::ImageDecoder::decode(platform::foundation::readFile(*path), mayDecode,
                                                                      conversions, refusal)) {
            return image;
        }
        // A refusal is reported by whoever asked for the image.
        if (budget && budget->refusedSince(refusals)) return nullptr;
        failure = "is not an image that can be decoded";
    } catch (const std::exception& error) {
        failure = std::string("could not be read: ") + error.what();
    }
    logger()->warn(
        [name = asset.name, file = path->string(), failure] {
            return "Image \"" + name + "\" at " + file + " " + failure + "; it is left out";
        },
        "Lottie/FilepathImageProvider", __LINE__);
    return nullptr;
}

}  // namespace lottie
