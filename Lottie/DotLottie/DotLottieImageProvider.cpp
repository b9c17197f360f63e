#include "Lottie/DotLottie/DotLottieImageProvider.h"

#include <atomic>

#include "Lottie/DotLottie/PackageFiles.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/UndecodedImageWarning.h"
#include "Platform/Foundation/DataURL.h"
#include "Platform/Graphics/HashCombine.h"
#include "Platform/Graphics/ImageDecoder.h"

namespace lottie {

namespace {

std::uint64_t nextLoadNumber() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

}  // namespace

DotLottieImageProvider::DotLottieImageProvider(std::filesystem::path filepath)
    : filepath_(std::move(filepath)), loadNumber_(nextLoadNumber()) {}

std::shared_ptr<DotLottieImageProvider> DotLottieImageProvider::make(const std::filesystem::path& root,
                                                                     const std::filesystem::path& folder) {
    const std::vector<std::string> names = packagefiles::visibleFiles(root, folder);
    if (names.empty()) return nullptr;
    auto provider = std::make_shared<DotLottieImageProvider>(root / folder);
    for (const std::string& name : names) {
        PackageImage image;
        try {
            auto bytes = std::make_shared<const platform::foundation::Data>(packagefiles::read(root, folder / name));
            image.bytes = {bytes, std::span<const std::uint8_t>(*bytes)};
        } catch (const std::exception&) {
            continue;
        }
        provider->images_[name] = std::move(image);
    }
    return provider;
}

std::shared_ptr<DotLottieImageProvider> DotLottieImageProvider::make(std::shared_ptr<PackageArchive> archive,
                                                                     const std::vector<PackageArchive::File>& files,
                                                                     std::filesystem::path filepath) {
    if (files.empty()) return nullptr;
    auto provider = std::make_shared<DotLottieImageProvider>(std::move(filepath));
    provider->archive_ = std::move(archive);
    for (const PackageArchive::File& file : files) provider->images_[file.name].recordOffset = file.recordOffset;
    return provider;
}

std::vector<std::string> DotLottieImageProvider::imageNames() const {
    std::lock_guard guard(mutex_);
    std::vector<std::string> names;
    for (const auto& [name, image] : images_) names.push_back(name);
    return names;
}

std::size_t DotLottieImageProvider::decodedImageCount() const {
    std::lock_guard guard(mutex_);
    std::size_t count = 0;
    for (const auto& [name, image] : images_) count += image.decoded && image.image ? 1 : 0;
    return count;
}

std::shared_ptr<const platform::graphics::Image> DotLottieImageProvider::imageForAsset(const ImageAsset& asset) const {
    return load(asset, nullptr);
}

std::shared_ptr<const platform::graphics::Image> DotLottieImageProvider::imageForAssetWithinBudget(
    const ImageAsset& asset, ImagePixelBudget& budget) const {
    return load(asset, &budget);
}

std::shared_ptr<const platform::graphics::Image> DotLottieImageProvider::load(const ImageAsset& asset,
                                                                             ImagePixelBudget* budget) const {
    if (asset.name.starts_with("data:")) {
        return decodeEmbeddedImage(asset, platform::foundation::decodeDataURL(asset.name), budget,
                                   *LottieLogger::shared(), "Lottie/DotLottieImageProvider", __LINE__);
    }
    return packageImage(asset, budget);
}

std::shared_ptr<const platform::graphics::Image> DotLottieImageProvider::packageImage(const ImageAsset& asset,
                                                                                     ImagePixelBudget* budget) const {
    const std::string& name = asset.name;
    std::lock_guard guard(mutex_);
    auto found = images_.find(name);
    if (found == images_.end()) return nullptr;
    PackageImage& entry = found->second;
    if (entry.decoded) {
        if (!entry.image || (budget && !budget->admit(entry.image->width(), entry.image->height()))) return nullptr;
        return entry.image;
    }
    // The decoder reads the size from the header and asks, before decoding a
    // pixel: the image must fit what is left of the package's budget and of the
    // animation's. A refusal by the animation's budget leaves the image to be
    // decoded for an animation that has room; any other outcome is final.
    bool refusedForThisAnimation = false;
    bool sizeRefused = false;
    const auto mayDecode = [&](int width, int height) {
        if (!packageBudget_.fits(width, height)) {
            sizeRefused = true;
            return false;
        }
        if (budget && !budget->admit(width, height)) {
            refusedForThisAnimation = true;
            return false;
        }
        sizeRefused = !packageBudget_.admit(width, height);
        return !sizeRefused;
    };
    std::string unreportedRefusal;
    std::string* const refusal = budget ? budget->decodingRefusal() : &unreportedRefusal;
    if (entry.recordOffset) {
        try {
            entry.bytes = archive_->read(*entry.recordOffset);
        } catch (const std::exception& error) {
            LottieLogger::shared()->warn(
                [name, reason = std::string(error.what())] {
                    return "Could not read image \"" + name + "\" from the package: " + reason;
                },
                "Lottie/DotLottieImageProvider", __LINE__);
            entry.decoded = true;
            entry.recordOffset.reset();
            return nullptr;
        }
        entry.recordOffset.reset();
    }
    auto image = platform::graphics::ImageDecoder::decode(entry.bytes.bytes, mayDecode,
                                                          budget ? budget->colorConversions() : nullptr, refusal);
    if (refusedForThisAnimation) return nullptr;
    // A refusal by a budget or a bound is said by whoever asked for the image;
    // bytes that simply give no picture are said here, once.
    if (!image && !sizeRefused && refusal->empty()) {
        LottieLogger::shared()->warn(
            [&] { return undecodedImageWarning(asset, std::span<const std::uint8_t>(entry.bytes.bytes), name); },
            "Lottie/DotLottieImageProvider", __LINE__);
    }
    entry.decoded = true;
    entry.image = image;
    entry.bytes = {};
    return image;
}

std::optional<std::string> DotLottieImageProvider::sharingKey() const {
    return sharingKeyOf("package", {std::to_string(loadNumber_)});
}

std::size_t DotLottieImageProvider::hash() const {
    std::size_t seed = std::hash<std::string>{}(filepath_.string());
    platform::graphics::hashCombine(seed, std::hash<std::uint64_t>{}(loadNumber_));
    return seed;
}

}  // namespace lottie
