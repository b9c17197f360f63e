#pragma once
// Finds an animation's images among a bundle's resources, by the asset's name in the
// asset's directory (under an optional search path), falling back to shallower
// folders; images embedded in the document as data URLs come first. Names and
// folders that would leave the bundle find nothing. Made by a caller (the views
// make one over the main bundle) and shared with the animation layer; immutable.

#include <optional>
#include <string>

#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Platform/Foundation/Bundle.h"

namespace lottie {

class BundleImageProvider final : public AnimationImageProvider {
public:
    BundleImageProvider(platform::foundation::Bundle bundle, std::optional<std::string> searchPath,
                        platform::compositor::ContentsGravity contentsGravity);

    bool mayBeCached() const override { return true; }
    // Looks, in order, in searchPath/directory, searchPath and the bundle's top level
    // (without a search path: directory, then the top level). A missing or unreadable
    // image is reported as a warning and gives nothing.
    std::shared_ptr<const platform::graphics::Image> imageForAsset(const ImageAsset& asset) const override;
    // As imageForAsset(), decoding only what fits the budget; an image the budget
    // refuses is not looked for elsewhere.
    std::shared_ptr<const platform::graphics::Image> imageForAssetWithinBudget(const ImageAsset& asset,
                                                                               ImagePixelBudget& budget) const override;
    platform::compositor::ContentsGravity gravityForAsset(const ImageAsset&) const override { return gravity_; }
    // Equal providers share their images; the gravity does not count.
    std::optional<std::string> sharingKey() const override;

    // Same bundle and search path; the gravity does not count.
    bool operator==(const BundleImageProvider& other) const {
        return bundle_ == other.bundle_ && searchPath_ == other.searchPath_;
    }

private:
    // Without a budget, any image within the decoder's own limit.
    std::shared_ptr<const platform::graphics::Image> load(const ImageAsset& asset, ImagePixelBudget* budget) const;

    platform::foundation::Bundle bundle_;
    std::optional<std::string> searchPath_;
    platform::compositor::ContentsGravity gravity_;
};

}  // namespace lottie
