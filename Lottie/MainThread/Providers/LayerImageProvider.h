#pragma once
// Hands the images of the root layer's image provider to the image layers of
// the whole tree (precompositions included): each layer gets the picture of its
// asset, and again whenever the provider is replaced. Layers whose asset the
// animation lacks are never asked about. Owned by the main-thread root layer;
// holds its layers strongly (they are sublayers of the tree too). Main thread
// only.

#include <memory>
#include <string>
#include <map>
#include <optional>
#include <vector>

#include "Lottie/MainThread/CompositionLayers/ImageCompositionLayer.h"
#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"

namespace lottie {

class LayerImageProvider {
public:
    using Assets = std::map<std::string, std::shared_ptr<const ImageAsset>>;

    // A null provider gives no images.
    LayerImageProvider(std::shared_ptr<AnimationImageProvider> imageProvider, Assets assets);

    const std::shared_ptr<AnimationImageProvider>& imageProvider() const { return imageProvider_; }
    // Takes effect at the next refreshImages().
    void setImageProvider(std::shared_ptr<AnimationImageProvider> provider) { imageProvider_ = std::move(provider); }
    const std::vector<std::shared_ptr<ImageCompositionLayer>>& imageLayers() const { return imageLayers_; }

    // Keeps the layers whose asset exists.
    void addImageLayers(const std::vector<std::shared_ptr<ImageCompositionLayer>>& layers);
    // Every image layer gets its asset's image (or none) and gravity from the
    // provider (see ImageAssetRequests), decoded within the deadline of the
    // set-up under way, else within a set-up deadline of its own. Gives the
    // warning naming the assets the pixel budget refused, if any.
    std::optional<std::string> refreshImages();

    // The image layers among `layers` and inside their precompositions, however deep.
    static std::vector<std::shared_ptr<ImageCompositionLayer>> collectImageLayers(
        const std::vector<std::shared_ptr<CompositionLayer>>& layers);

private:
    std::shared_ptr<AnimationImageProvider> imageProvider_;
    Assets imageAssets_;
    std::vector<std::shared_ptr<ImageCompositionLayer>> imageLayers_;
};

}  // namespace lottie
