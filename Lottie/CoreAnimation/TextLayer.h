#pragma once
// The engine layer of a text layer of the document. The compositor cannot
// animate text, so it shows one fixed document, the first keyframe of the
// layer's text, laid out and drawn by the text render layer the main-thread
// engine uses too:
//
//   TextLayer "Name"
//     contents layer "Name (Content)"    transform, opacity, visibility, masks
//       plain layer
//         CoreTextRenderLayer            the document, placed at its frame position
//
// The text provider may replace the text, value providers the fill ("Color")
// and stroke ("Stroke Color") colours. Several text keyframes, text animators
// and an animated fill override are compatibility issues. A text group without
// keyframes shows nothing. Built once by the layer tree builder; held by its
// superlayer; main thread only.

#include <memory>

#include "Lottie/CoreAnimation/BaseCompositionLayer.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/MainThread/Text/CoreTextRenderLayer.h"
#include "Lottie/Model/Text/TextLayerModel.h"

namespace lottie {

class TextLayer final : public BaseCompositionLayer {
public:
    static constexpr const char* multipleKeyframesMessage =
        "The Core Animation rendering engine does not support animating multiple keyframes\n"
        "for text layer text values, due to limitations of Core Animation.";
    static constexpr const char* textAnimatorsMessage =
        "The Core Animation rendering engine currently doesn't support text animators.";
    static constexpr const char* animatedColorOverrideMessage =
        "The Core Animation rendering engine currently doesn't support animated text color overrides.";

    explicit TextLayer(std::shared_ptr<const TextLayerModel> model);

    // Builds the layer with its sublayers and applies the document; throws the
    // compatibility tracker's error in abort mode.
    static std::shared_ptr<TextLayer> make(std::shared_ptr<const TextLayerModel> model, const LayerContext& context);

    const std::shared_ptr<CoreTextRenderLayer>& renderLayer() const { return renderLayer_; }
    // The document's font, alignment, spacing, colours, stroke, frame size and
    // position (not its text, which installing animations chooses). Run again
    // by the root layer when its font provider changes.
    void configureRenderLayer(const LayerContext& context);
    void setupAnimations(const LayerAnimationContext& context) override;

private:
    // The shown document (the first keyframe's), or none for a text group
    // without keyframes.
    const TextDocument* document() const;
    void layOutRenderLayer();
    // The first colour a provider at `key` below the layer gives, or none.
    std::optional<platform::graphics::Color> overrideColor(const LayerAnimationContext& context, const std::string& key,
                                                           bool reportAnimated) const;

    std::shared_ptr<const TextLayerModel> textLayerModel_;
    std::shared_ptr<CoreTextRenderLayer> renderLayer_;
};

}  // namespace lottie
