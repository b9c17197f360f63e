#pragma once
// The images one set-up of an animation takes from its image provider, on
// either engine: each asset is asked for once, however many layers show it,
// and all of them within one ImagePixelBudget, so that an asset's pixels count
// once and the animation's images together stay within the budget. Their
// decoding counts toward a deadline of its own
// (ImagePixelBudget::decodingDeadlineSeconds), not toward the set-up's. The
// engine names the assets the budget refused in one warning when the set-up
// is done, once however often its images are set up again.
// Made by an engine for one set-up (its build, or a refresh of its images);
// main thread only.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/ImagePixelBudget.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace lottie {

class ImageAssetRequests {
public:
    // A null provider gives no images.
    explicit ImageAssetRequests(std::shared_ptr<AnimationImageProvider> provider);

    // The asset's image, asked for the first time it is wanted.
    std::shared_ptr<const platform::graphics::Image> imageFor(const ImageAsset& asset);
    // The warning that names the assets the budget refused; none when it
    // refused none.
    std::optional<std::string> refusalMessage() const;

private:
    std::shared_ptr<AnimationImageProvider> provider_;
    ImagePixelBudget budget_;
    std::shared_ptr<platform::graphics::ProcessorDeadline> decoding_;
    std::map<std::string, std::shared_ptr<const platform::graphics::Image>> images_;
    std::vector<std::string> refused_;
};

}  // namespace lottie
