#include "Lottie/CoreAnimation/TextLayer.h"

#include <cmath>

#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/ProviderValueConversions.h"
#include "Lottie/CoreAnimation/ValueProviderOverrides.h"
#include "Lottie/Playback/Providers/DefaultFontProvider.h"
#include "Lottie/Playback/Providers/TextContentsScaleProvider.h"

namespace lottie {

namespace {

std::optional<platform::graphics::Color> colorOf(const std::optional<LottieColor>& color) {
    if (!color) return std::nullopt;
    return ProviderValueConversions::colorOf(*color);
}

}  // namespace

TextLayer::TextLayer(std::shared_ptr<const TextLayerModel> model)
    : BaseCompositionLayer(model), textLayerModel_(std::move(model)), renderLayer_(CoreTextRenderLayer::make()) {}

std::shared_ptr<TextLayer> TextLayer::make(std::shared_ptr<const TextLayerModel> model, const LayerContext& context) {
    auto layer = std::make_shared<TextLayer>(std::move(model));
    layer->renderLayer_->setLayoutCache(context.textLayouts);
    layer->installSublayers();
    auto holder = platform::compositor::Layer::make();
    holder->addSublayer(layer->renderLayer_);
    layer->addContentSublayer(std::move(holder));
    layer->configureRenderLayer(context);
    return layer;
}

const TextDocument* TextLayer::document() const {
    if (!textLayerModel_->text || textLayerModel_->text->keyframes().empty()) return nullptr;
    return &textLayerModel_->text->keyframes().front().value();
}

void TextLayer::configureRenderLayer(const LayerContext& context) {
    const TextDocument* shown = document();
    // Said once, as the layer is built; its set-up passes show the same text.
    if (shown && textLayerModel_->text->keyframes().size() > 1) {
        context.reportCompatibilityIssue(multipleKeyframesMessage);
    }
    if (!textLayerModel_->animators.empty()) context.reportCompatibilityIssue(textAnimatorsMessage);
    if (!shown) return;
    static const auto defaultFontProvider = std::make_shared<DefaultFontProvider>();
    const auto& fontProvider = context.fontProvider ? context.fontProvider : defaultFontProvider;
    CoreTextRenderLayer& layer = *renderLayer_;
    layer.setFont(fontProvider->fontNamed(shown->fontFamily, shown->fontSize));
    layer.setAlignment(CoreTextRenderLayer::alignmentFor(shown->justification));
    layer.setLineHeight(shown->lineHeight);
    layer.setTracking(shown->fontSize * static_cast<double>(shown->tracking) / 1000);
    layer.setFillColor(colorOf(shown->fillColorData));
    layer.setStrokeColor(colorOf(shown->strokeColorData));
    layer.setStrokeWidth(shown->strokeWidth.value_or(0));
    layer.setStrokeOnTop(shown->strokeOverFill.value_or(false));
    if (shown->textFrameSize) {
        layer.setPreferredSize(platform::graphics::Size(shown->textFrameSize->x, shown->textFrameSize->y));
    } else {
        layer.setPreferredSize(std::nullopt);
    }
    layOutRenderLayer();
    layer.setTransform(platform::graphics::Transform3D::identity());
    const LottieVector3D position = shown->textFramePosition.value_or(LottieVector3D());
    layer.setPosition({position.x, position.y});
}

void TextLayer::layOutRenderLayer() {
    CoreTextRenderLayer& layer = *renderLayer_;
    layer.relayoutText();
    layer.setBounds(layer.drawingRect());
    layer.setAnchorPoint(layer.drawingAnchor());
    layer.setNeedsLayout();
    layer.setNeedsDisplay();
}

std::optional<platform::graphics::Color> TextLayer::overrideColor(const LayerAnimationContext& context,
                                                                  const std::string& key, bool reportAnimated) const {
    OverridableProperty property = *LayerProperties::fillColor().customizableProperty;
    const auto keyframes =
        ValueProviderOverrides::typedOverrideKeyframes(property, context.addingKeypathComponent(key).currentKeypath.keypath(), context);
    // A provider without keyframes keeps the document's colour.
    if (!keyframes || keyframes->empty()) return std::nullopt;
    if (reportAnimated && keyframes->size() > 1) context.reportCompatibilityIssue(animatedColorOverrideMessage);
    const auto* color = keyframes->front().value().get<platform::graphics::Color>();
    return color ? std::optional<platform::graphics::Color>(*color) : std::nullopt;
}

void TextLayer::setupAnimations(const LayerAnimationContext& context) {
    BaseCompositionLayer::setupAnimations(context);
    // The text and its providers are the display pass's alone.
    if (context.derivesOnly) return;
    const LayerAnimationContext own = context.addingKeypathComponent(textLayerModel_->name);
    const TextDocument* shown = document();
    if (!shown) return;
    renderLayer_->setText(own.textProvider ? resolvedText(*own.textProvider, own.currentKeypath.keypath(), shown->text)
                                           : shown->text);
    // A provider that chooses contents scales may draw this text finer or coarser
    // than the rest of the tree; without an answer the root layer's scale stays,
    // and so it does for a scale that would draw nothing (not positive, or not a number).
    if (const auto* scales = dynamic_cast<const TextContentsScaleProvider*>(own.textProvider.get())) {
        const std::optional<double> scale = scales->contentsScale(own.currentKeypath.keypath());
        if (scale && std::isfinite(*scale) && *scale > 0) {
            renderLayer_->setContentsScale(*scale);
        }
    }
    layOutRenderLayer();
    // A text not laid out past the set-up's deadline ends the set-up as a
    // keyframe sampled past it does, the message naming the deadline.
    if (renderLayer_->isPastDeadline() && own.samplingBudget) own.samplingBudget->charge(0.0, own);
    // Chosen again on every set-up: without an override (one removed since the
    // last, say), the document's own colours come back.
    const auto fill = overrideColor(own, "Color", true);
    renderLayer_->setFillColor(fill ? fill : colorOf(shown->fillColorData));
    const auto stroke = overrideColor(own, "Stroke Color", false);
    renderLayer_->setStrokeColor(stroke ? stroke : colorOf(shown->strokeColorData));
}

}  // namespace lottie
