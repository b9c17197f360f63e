#pragma once
// The images of one dotLottie package, decoded once while the package loads
// (its unpacked files are removed right after) and kept by file name. At render
// time an image asset gets an inline "data:" image of its own, else the package
// image named exactly like the asset; the asset's directory is not used.
//
// Made by the package loader on its thread, then only read, from the main
// thread; shared by every animation of the package. Each load makes its own
// provider, and two providers are equal only when they are the same package's:
// two loads of packages with the same file name never share images through an
// image cache.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/ImagePixelBudget.h"

namespace lottie {

class DotLottieImageProvider final : public AnimationImageProvider {
public:
    // How many decoded pixels the images of one package may hold together.
    static constexpr std::uint64_t packagePixelBudget = 4 * ImagePixelBudget::perAnimation;

    // Decodes every visible plain file directly in root/folder. Files that are not
    // images, claim more pixels than the decoder allows or would pass the
    // package's budget are skipped. Nothing when the folder is missing or holds no
    // visible file.
    static std::shared_ptr<DotLottieImageProvider> make(const std::filesystem::path& root,
                                                        const std::filesystem::path& folder);

    // Use make(); public only for std::make_shared.
    explicit DotLottieImageProvider(std::filesystem::path filepath);

    bool mayBeCached() const override { return true; }
    std::shared_ptr<const platform::graphics::Image> imageForAsset(const ImageAsset& asset) const override;
    // An image embedded in the animation is decoded only when its header fits
    // what is left of the budget; the package's own images count against it too.
    std::shared_ptr<const platform::graphics::Image> imageForAssetWithinBudget(const ImageAsset& asset,
                                                                               ImagePixelBudget& budget) const override;

    // The image folder it was made from (gone once the package has loaded).
    const std::filesystem::path& filepath() const { return filepath_; }
    const std::map<std::string, std::shared_ptr<const platform::graphics::Image>>& images() const { return images_; }

    bool operator==(const DotLottieImageProvider& other) const {
        return filepath_ == other.filepath_ && loadNumber_ == other.loadNumber_;
    }
    std::size_t hash() const;

private:
    std::shared_ptr<const platform::graphics::Image> load(const ImageAsset& asset, ImagePixelBudget* budget) const;

    std::filesystem::path filepath_;
    // Tells apart providers of different loads, whose folders may have the same name.
    std::uint64_t loadNumber_;
    std::map<std::string, std::shared_ptr<const platform::graphics::Image>> images_;
};

}  // namespace lottie

template <>
struct std::hash<lottie::DotLottieImageProvider> {
    std::size_t operator()(const lottie::DotLottieImageProvider& provider) const { return provider.hash(); }
};
