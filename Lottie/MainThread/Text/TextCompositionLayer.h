#pragma once
// A text layer of the main-thread engine. Each visible frame it evaluates the
// layer's text documents, its animator chain and two colours that callers may
// override by keypath ("Color" and "Stroke Color"), asks the text provider for
// the text to show and the font provider for the font, and hands all of it to
// one CoreTextRenderLayer inside the contents layer, which it then places at the
// document's text box (or the layer's origin) under the animators' transform.
//
// Providers: the ones set here, else the root animation layer's current ones,
// else the default providers (the document's text; fontconfig's font, falling
// back to the sans-serif face for names it lacks). A provider is first used at
// the next contents update. Made through CompositionLayer::make(); owned like any
// composition layer. Main thread only.

#include <memory>
#include <optional>

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/Text/CoreTextRenderLayer.h"
#include "Lottie/MainThread/Text/TextAnimatorNode.h"
#include "Lottie/Model/Text/TextLayerModel.h"
#include "Lottie/Playback/Providers/AnimationFontProvider.h"
#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

class MainThreadAnimationLayer;

class TextCompositionLayer final : public CompositionLayer {
public:
    explicit TextCompositionLayer(const TextLayerModel& textLayer,
                                  std::shared_ptr<AnimationKeypathTextProvider> textProvider = nullptr,
                                  std::shared_ptr<AnimationFontProvider> fontProvider = nullptr,
                                  std::weak_ptr<MainThreadAnimationLayer> rootAnimationLayer = {});

    const std::shared_ptr<TextAnimatorNode>& rootNode() const { return rootNode_; }
    const std::shared_ptr<NodeProperty<LottieColor>>& fillColorNode() const { return fillColorNode_; }
    const std::shared_ptr<NodeProperty<LottieColor>>& strokeColorNode() const { return strokeColorNode_; }
    const std::shared_ptr<CoreTextRenderLayer>& textLayer() const { return textLayer_; }

    const std::shared_ptr<AnimationKeypathTextProvider>& textProvider() const { return textProvider_; }
    void setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider) {
        textProvider_ = std::move(provider);
    }
    const std::shared_ptr<AnimationFontProvider>& fontProvider() const { return fontProvider_; }
    void setFontProvider(std::shared_ptr<AnimationFontProvider> provider) { fontProvider_ = std::move(provider); }
    void setRootAnimationLayer(std::weak_ptr<MainThreadAnimationLayer> root) { rootAnimationLayer_ = std::move(root); }

    // The keypath text providers are asked with: as the root layer finds this
    // layer among its layers, else the layer's own name split at ".".
    AnimationKeypath fullAnimationKeypath();

    Properties keypathProperties() const override;
    void showContentsAtFrame(double frame, bool forceUpdates) override;
    void applyRenderScale() override;

private:
    std::shared_ptr<MainThreadAnimationLayer> rootAnimationLayer() const;
    std::string resolvedText(const std::string& documentText);
    std::optional<platform::text::Font> resolvedFont(const std::string& family, double size) const;

    std::shared_ptr<TextAnimatorNode> rootNode_;
    std::shared_ptr<KeyframeInterpolator<TextDocument>> textDocument_;
    std::shared_ptr<NodeProperty<LottieColor>> fillColorNode_;
    std::shared_ptr<NodeProperty<LottieColor>> strokeColorNode_;
    std::shared_ptr<CoreTextRenderLayer> textLayer_;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider_;
    std::shared_ptr<AnimationFontProvider> fontProvider_;
    std::weak_ptr<MainThreadAnimationLayer> rootAnimationLayer_;
    std::optional<AnimationKeypath> fullAnimationKeypath_;
};

}  // namespace lottie
