#pragma once
// The images of one dotLottie package, kept by file name. A loaded package's
// images stay in its archive, held in memory, until they are first drawn: each
// is then read (against the package's extraction limits), decoded and kept, and
// an image that cannot be read is reported once and shows nothing. A package
// may carry large images, or thousands of them, that the animation shown never
// uses. At render time an image asset gets an inline "data:" image of its own,
// else the package image named exactly like the asset; the asset's directory is
// not used.
//
// Made by the package loader on its thread, then asked from any thread (a lock
// guards the decoded images); shared by every animation of the package. Each
// load makes its own provider, and two providers are equal only when they are
// the same package's: two loads of packages with the same file name never share
// images through an image cache.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/DotLottie/PackageArchive.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/ImagePixelBudget.h"
#include "Platform/Foundation/Data.h"

namespace lottie {

class DotLottieImageProvider final : public AnimationImageProvider {
public:
    // How many decoded pixels the images of one package may hold together.
    static constexpr std::uint64_t packagePixelBudget = 4 * ImagePixelBudget::perAnimation;

    // Reads every visible plain file directly in root/folder; nothing is decoded
    // yet. Nothing when the folder is missing or holds no visible file.
    static std::shared_ptr<DotLottieImageProvider> make(const std::filesystem::path& root,
                                                        const std::filesystem::path& folder);
    // The files of the archive, read when first drawn; `filepath` is the image
    // folder the package would have been unpacked into. Nothing without files.
    static std::shared_ptr<DotLottieImageProvider> make(std::shared_ptr<PackageArchive> archive,
                                                        const std::vector<PackageArchive::File>& files,
                                                        std::filesystem::path filepath);

    // Use make(); public only for std::make_shared.
    explicit DotLottieImageProvider(std::filesystem::path filepath);

    bool mayBeCached() const override { return true; }
    // This load's provider alone: its "data:" images are shared by the views of a document.
    std::optional<std::string> sharingKey() const override;
    std::shared_ptr<const platform::graphics::Image> imageForAsset(const ImageAsset& asset) const override;
    // An image is decoded only when its header fits what is left of the budget
    // (and of the package's own); a package image decoded before still counts
    // against it. Files that are not images, or claim more pixels than the
    // decoder allows, give nothing.
    std::shared_ptr<const platform::graphics::Image> imageForAssetWithinBudget(const ImageAsset& asset,
                                                                               ImagePixelBudget& budget) const override;

    // The image folder it was made from (gone once the package has loaded).
    const std::filesystem::path& filepath() const { return filepath_; }
    // The names of the package's image files, sorted; what each holds is known
    // only once it is drawn.
    std::vector<std::string> imageNames() const;
    // How many of them have been decoded so far.
    std::size_t decodedImageCount() const;

    bool operator==(const DotLottieImageProvider& other) const {
        return filepath_ == other.filepath_ && loadNumber_ == other.loadNumber_;
    }
    std::size_t hash() const;

private:
    // A package image: its bytes, or where its record lies in the archive,
    // until decoded; then the image or nothing for good.
    struct PackageImage {
        PackageArchive::FileBytes bytes;
        std::optional<std::uint64_t> recordOffset;
        bool decoded = false;
        std::shared_ptr<const platform::graphics::Image> image;
    };

    std::shared_ptr<const platform::graphics::Image> load(const ImageAsset& asset, ImagePixelBudget* budget) const;
    std::shared_ptr<const platform::graphics::Image> packageImage(const ImageAsset& asset,
                                                                  ImagePixelBudget* budget) const;

    // Where images not read yet lie.
    std::shared_ptr<PackageArchive> archive_;
    std::filesystem::path filepath_;
    // Tells apart providers of different loads, whose folders may have the same name.
    std::uint64_t loadNumber_;
    mutable std::mutex mutex_;
    mutable std::map<std::string, PackageImage> images_;
    // What the package's decoded images may still take together.
    mutable ImagePixelBudget packageBudget_{packagePixelBudget};
};

}  // namespace lottie

template <>
struct std::hash<lottie::DotLottieImageProvider> {
    std::size_t operator()(const lottie::DotLottieImageProvider& provider) const { return provider.hash(); }
};
