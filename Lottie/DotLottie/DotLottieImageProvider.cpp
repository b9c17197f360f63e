#include "Lottie/DotLottie/DotLottieImageProvider.h"

#include <atomic>

#include "Lottie/DotLottie/PackageFiles.h"
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
    ImagePixelBudget budget(packagePixelBudget);
    for (const std::string& name : names) {
        platform::foundation::Data bytes;
        try {
            bytes = packagefiles::read(root, folder / name);
        } catch (const std::exception&) {
            continue;
        }
        // The decoder reads the size from the header and refuses, before decoding a
        // pixel, an image over its own limit or over what is left of the budget.
        if (auto image = platform::graphics::ImageDecoder::decode(bytes, budget.sizeCheck())) {
            provider->images_[name] = std::move(image);
        }
    }
    return provider;
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
        if (auto bytes = platform::foundation::decodeDataURL(asset.name)) {
            const std::size_t refusals = budget ? budget->refusals() : 0;
            if (auto image = platform::graphics::ImageDecoder::decode(*bytes, budget ? budget->sizeCheck() : nullptr)) {
                return image;
            }
            if (budget && budget->refusals() != refusals) return nullptr;
        }
    }
    auto found = images_.find(asset.name);
    if (found == images_.end()) return nullptr;
    if (budget && !budget->admit(found->second->width(), found->second->height())) return nullptr;
    return found->second;
}

std::size_t DotLottieImageProvider::hash() const {
    std::size_t seed = std::hash<std::string>{}(filepath_.string());
    platform::graphics::hashCombine(seed, std::hash<std::uint64_t>{}(loadNumber_));
    return seed;
}

}  // namespace lottie
