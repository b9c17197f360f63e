#pragma once
// Supplies the picture for each image asset of an animation, and how it is placed
// in its layer. Held by the animation layer (shared with its views) and, wrapped in
// an image cache, by the rendering engine, which asks on the main thread. A
// dotLottie package brings its own.

#include <memory>
#include <optional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Playback/Providers/ImagePixelBudget.h"
#include "Platform/Compositor/ContentsGravity.h"
#include "Platform/Graphics/Image.h"

namespace lottie {

class AnimationImageProvider {
public:
    virtual ~AnimationImageProvider() = default;

    // Whether the provider may be wrapped in an image cache before an engine gets it.
    virtual bool mayBeCached() const = 0;
    // The image for an asset; nothing when there is none (the engine then shows nothing).
    virtual std::shared_ptr<const platform::graphics::Image> imageForAsset(const ImageAsset& asset) const = 0;
    // The image for an asset when it fits what is left of the animation's pixel
    // budget (which it then uses up), else nothing. Providers that decode ask the
    // budget before decoding; this default can only look at what imageForAsset() gives.
    virtual std::shared_ptr<const platform::graphics::Image> imageForAssetWithinBudget(const ImageAsset& asset,
                                                                                       ImagePixelBudget& budget) const {
        auto image = imageForAsset(asset);
        return image && budget.admit(image->width(), image->height()) ? image : nullptr;
    }
    virtual platform::compositor::ContentsGravity gravityForAsset(const ImageAsset&) const {
        return platform::compositor::ContentsGravity::resize;
    }
    // Names what this provider answers when every provider of that name gives
    // the same image for the same asset (the library's own providers over one
    // folder, bundle or package): the images it decodes for a document are then
    // shared by every view of that document whose provider has the name. Nothing,
    // the default, keeps its images to the views it was given to, so that a
    // caller's own provider is always asked.
    virtual std::optional<std::string> sharingKey() const { return std::nullopt; }

protected:
    // A sharing key of the provider's kind and parts, each part given with its
    // length so that no two lists of parts read alike.
    static std::string sharingKeyOf(std::string_view kind, std::initializer_list<std::string_view> parts) {
        std::string key(kind);
        for (std::string_view part : parts) {
            key.append(":").append(std::to_string(part.size())).append(":").append(part);
        }
        return key;
    }
};

}  // namespace lottie
