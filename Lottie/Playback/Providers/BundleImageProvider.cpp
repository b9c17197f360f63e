#include "Lottie/Playback/Providers/BundleImageProvider.h"

#include <filesystem>

#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/UndecodedImageWarning.h"
#include "Platform/Foundation/Files.h"
#include "Platform/Graphics/ImageDecoder.h"

namespace lottie {

namespace {

// Decodes the file, or nothing when it can't be read or isn't an image.
std::shared_ptr<const platform::graphics::Image> loadImage(const std::filesystem::path& path,
                                                           const platform::graphics::ImageDecoder::SizeCheck& mayDecode,
                                                           platform::graphics::ColorConversionAllowance* conversions,
                                                           std::string* refusal) {
    try {
        return platform::graphics::ImageDecoder::decode(platform::foundation::readFile(path), mayDecode, conversions,
                                                        refusal);
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::string joinedFolder(const std::string& folder, const std::string& subfolder) {
    if (subfolder.empty()) return folder;
    if (folder.empty()) return subfolder;
    return (std::filesystem::path(folder) / subfolder).generic_string();
}

}  // namespace

BundleImageProvider::BundleImageProvider(platform::foundation::Bundle bundle, std::optional<std::string> searchPath,
                                         platform::compositor::ContentsGravity contentsGravity)
    : bundle_(std::move(bundle)), searchPath_(std::move(searchPath)), gravity_(contentsGravity) {}

std::optional<std::string> BundleImageProvider::sharingKey() const {
    if (!searchPath_) return sharingKeyOf("bundle", {bundle_.bundlePath().native()});
    return sharingKeyOf("bundle", {bundle_.bundlePath().native(), *searchPath_});
}

std::shared_ptr<const platform::graphics::Image> BundleImageProvider::imageForAsset(const ImageAsset& asset) const {
    return load(asset, nullptr);
}

std::shared_ptr<const platform::graphics::Image> BundleImageProvider::imageForAssetWithinBudget(
    const ImageAsset& asset, ImagePixelBudget& budget) const {
    return load(asset, &budget);
}

std::shared_ptr<const platform::graphics::Image> BundleImageProvider::load(const ImageAsset& asset,
                                                                           ImagePixelBudget* budget) const {
    const std::size_t refusals = budget ? budget->refusals() : 0;
    const platform::graphics::ImageDecoder::SizeCheck mayDecode = budget ? budget->sizeCheck() : nullptr;
    auto* const conversions = budget ? budget->colorConversions() : nullptr;
    std::string* const refusal = budget ? budget->decodingRefusal() : nullptr;
    if (asset.name.starts_with("data:")) {
        return decodeEmbeddedImage(asset, asset.embeddedData(), budget, *LottieLogger::shared(),
                                   "Lottie/BundleImageProvider", __LINE__);
    }
    std::vector<std::optional<std::string>> folders;
    if (searchPath_) {
        folders = {joinedFolder(*searchPath_, asset.directory), *searchPath_, std::nullopt};
    } else {
        folders = {asset.directory, std::nullopt};
    }
    std::optional<std::filesystem::path> path;
    for (const auto& folder : folders) {
        path = folder ? bundle_.pathForResource(asset.name, "", std::string_view(*folder))
                      : bundle_.pathForResource(asset.name, "");
        if (path) break;
    }
    std::shared_ptr<const platform::graphics::Image> image = path ? loadImage(*path, mayDecode, conversions, refusal) : nullptr;
    if (!image && !(budget && budget->refusedSince(refusals))) {
        LottieLogger::shared()->warn([name = asset.name] { return "Could not find image \"" + name + "\" in bundle"; },
                                     "Lottie/BundleImageProvider", __LINE__);
    }
    return image;
}

}  // namespace lottie
