#pragma once
// What building one layer of the Core Animation engine's tree needs: the
// animation, the providers, the root layer's compatibility tracker and the name
// of the layer being built. A value made by the root layer for the whole tree
// and copied, with another name, for each layer model.

#include <memory>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/CompatibilityTrackerProviding.h"
#include "Lottie/CoreAnimation/LayerBuildBudget.h"
#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Providers/AnimationFontProvider.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"
#include "Lottie/Playback/Providers/ImageAssetRequests.h"
#include "Platform/Text/TextLayoutCache.h"

namespace lottie {

struct LayerContext final : CompatibilityTrackerProviding {
    static constexpr const char* rootLayerName = "root layer";

    std::shared_ptr<const LottieAnimation> animation;
    std::shared_ptr<AnimationImageProvider> imageProvider;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider;
    std::shared_ptr<AnimationFontProvider> fontProvider;
    std::shared_ptr<CompatibilityTracker> tracker;
    std::string layerName = rootLayerName;
    // The identifiers of the precompositions whose layers are being built, the
    // outermost first: one met again would contain itself.
    std::vector<std::string> precompositionsBeingBuilt;
    // What the build has spent of its limits, shared by every copy.
    std::shared_ptr<LayerBuildBudget> buildBudget = std::make_shared<LayerBuildBudget>();
    // How many layers lie between the root layer and the layer being built
    // (for buildChildLayers, the container built into).
    std::size_t depth = 0;
    // What the keyframes combined while the tree is built are charged to; none
    // charges nothing.
    std::shared_ptr<SamplingBudget> samplingBudget;
    // The layouts of the animation's texts, shared by its text layers.
    std::shared_ptr<platform::text::TextLayoutCache> textLayouts;
    // The images the set-up under way takes from the image provider, within
    // the animation's pixel budget; none asks the provider with no budget.
    std::shared_ptr<ImageAssetRequests> imageRequests;

    const std::shared_ptr<CompatibilityTracker>& compatibilityTracker() const override { return tracker; }
    std::string compatibilityIssueContext() const override { return layerName; }
    SamplingAccount samplingAccount() const { return {samplingBudget.get(), this}; }

    // The context for one layer model of that name.
    LayerContext forLayerNamed(std::string name) const {
        LayerContext copy = *this;
        copy.layerName = std::move(name);
        return copy;
    }
};

}  // namespace lottie
