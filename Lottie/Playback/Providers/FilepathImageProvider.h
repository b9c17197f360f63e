#pragma once
// Finds an animation's images in a folder: the asset's name in the folder, else in
// the asset's directory below it; images embedded as data URLs come first. Names and
// directories that would leave the folder (absolute, or climbing out with "..") find
// nothing. Made by a caller and shared with the animation layer; immutable.

#include <filesystem>
#include <memory>

#include "Lottie/Playback/Providers/AnimationImageProvider.h"

namespace lottie {

class LottieLogger;

class FilepathImageProvider final : public AnimationImageProvider {
public:
    // From a path, given as text or as a path. Its warnings go to `logger`
    // when one is given (a program that names the document they are about),
    // else to the shared logger of the moment.
    FilepathImageProvider(std::filesystem::path filepath, platform::compositor::ContentsGravity contentsGravity,
                          std::shared_ptr<LottieLogger> logger = nullptr);

    bool mayBeCached() const override { return true; }
    // A missing image is reported as a warning and gives nothing; so, silently, does
    // a file that is not an image.
    std::shared_ptr<const platform::graphics::Image> imageForAsset(const ImageAsset& asset) const override;
    // As imageForAsset(), decoding only what fits the budget; an image the budget
    // refuses is not looked for elsewhere.
    std::shared_ptr<const platform::graphics::Image> imageForAssetWithinBudget(const ImageAsset& asset,
                                                                               ImagePixelBudget& budget) const override;
    platform::compositor::ContentsGravity gravityForAsset(const ImageAsset&) const override { return gravity_; }
    // Equal providers share their images; the gravity does not count.
    std::optional<std::string> sharingKey() const override;

    const std::filesystem::path& filepath() const { return filepath_; }
    // Same folder; the gravity does not count.
    bool operator==(const FilepathImageProvider& other) const { return filepath_ == other.filepath_; }

private:
    // Without a budget, any image within the decoder's own limit.
    std::shared_ptr<const platform::graphics::Image> load(const ImageAsset& asset, ImagePixelBudget* budget) const;

    // Where the warnings go: the given logger, else the shared one.
    std::shared_ptr<LottieLogger> logger() const;

    std::filesystem::path filepath_;
    platform::compositor::ContentsGravity gravity_;
    std::shared_ptr<LottieLogger> logger_;
};

}  // namespace lottie
