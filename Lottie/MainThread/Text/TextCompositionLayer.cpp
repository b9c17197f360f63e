#include "Lottie/MainThread/Text/TextCompositionLayer.h"

#include <cmath>

#include "Lottie/MainThread/MainThreadAnimationLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/KeyframeInterpolatorProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"
#include "Lottie/Playback/Keypaths/KeypathSearch.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/DefaultFontProvider.h"
#include "Lottie/Playback/Providers/DefaultTextProvider.h"

namespace lottie {

namespace {

// What a document without colours is drawn with: a black fill and no stroke.
constexpr LottieColor defaultFill(0, 0, 0, 1);
constexpr LottieColor defaultStroke(0, 0, 0, 0);

template <class Pick>
std::shared_ptr<NodeProperty<LottieColor>> colorProperty(const KeyframeGroupPtr<TextDocument>& documents, Pick pick) {
    std::vector<Keyframe<LottieColor>> keyframes;
    if (documents) {
        for (const Keyframe<TextDocument>& keyframe : documents->keyframes()) {
            keyframes.push_back(keyframe.replacingValue(pick(keyframe.value())));
        }
    }
    if (keyframes.empty()) keyframes.emplace_back(pick(TextDocument()));
    return NodeProperty<LottieColor>::make(std::make_shared<KeyframeInterpolatorProvider<LottieColor>>(keyframes));
}

// A range end as a whole number of characters; none when it has no such value.
std::optional<std::int64_t> wholeNumber(const std::optional<double>& value) {
    if (!value || !(std::abs(*value) < 9.2e18)) return std::nullopt;
    return static_cast<std::int64_t>(std::trunc(*value));
}

// The document colour unless a caller replaced the property's provider by keypath.
std::optional<platform::graphics::Color> colorOf(const NodeProperty<LottieColor>& property,
                                                 const std::optional<LottieColor>& documentColor) {
    if (property.valueProvider() != property.originalValueProvider()) return engineColor(property.value());
    if (!documentColor) return std::nullopt;
    return engineColor(*documentColor);
}

}  // namespace

TextCompositionLayer::TextCompositionLayer(const TextLayerModel& textLayer,
                                           std::shared_ptr<AnimationKeypathTextProvider> textProvider,
                                           std::shared_ptr<AnimationFontProvider> fontProvider,
                                           std::weak_ptr<MainThreadAnimationLayer> rootAnimationLayer)
    : CompositionLayer(textLayer, {0, 0}),
      textDocument_(std::make_shared<KeyframeInterpolator<TextDocument>>(
          textLayer.text ? textLayer.text->keyframes() : std::vector<Keyframe<TextDocument>>{})),
      fillColorNode_(colorProperty(
          textLayer.text, [](const TextDocument& document) { return document.fillColorData.value_or(defaultFill); })),
      strokeColorNode_(colorProperty(textLayer.text,
                                     [](const TextDocument& document) {
                                         return document.strokeColorData.value_or(defaultStroke);
                                     })),
      textLayer_(CoreTextRenderLayer::make()),
      textProvider_(std::move(textProvider)),
      fontProvider_(std::move(fontProvider)),
      rootAnimationLayer_(std::move(rootAnimationLayer)) {
    for (const auto& animator : textLayer.animators) {
        if (animator) rootNode_ = std::make_shared<TextAnimatorNode>(rootNode_, *animator);
    }
    textLayer_->setMasksToBounds(false);
    contentsLayer()->addSublayer(textLayer_);
    if (rootNode_) appendChildKeypath(rootNode_);
}

CompositionLayer::Properties TextCompositionLayer::keypathProperties() const {
    return {{"Color", fillColorNode_}, {"Stroke Color", strokeColorNode_}};
}

void TextCompositionLayer::applyRenderScale() { textLayer_->setContentsScale(renderScale()); }

std::shared_ptr<MainThreadAnimationLayer> TextCompositionLayer::rootAnimationLayer() const {
    if (auto root = rootAnimationLayer_.lock()) return root;
    // Not given one: the root is the first ancestor of that class, through the
    // layers this one (or a layer above it) serves as a matte for.
    std::shared_ptr<platform::compositor::Layer> layer = superlayer() ? superlayer() : maskOwner();
    while (layer) {
        if (auto root = std::dynamic_pointer_cast<MainThreadAnimationLayer>(layer)) return root;
        auto next = layer->superlayer();
        layer = next ? next : layer->maskOwner();
    }
    return nullptr;
}

AnimationKeypath TextCompositionLayer::fullAnimationKeypath() {
    if (fullAnimationKeypath_) return *fullAnimationKeypath_;
    if (auto root = rootAnimationLayer()) {
        auto self = std::static_pointer_cast<TextCompositionLayer>(shared_from_this());
        if (std::optional<AnimationKeypath> keypath = root->textLayerKeypath(self)) {
            fullAnimationKeypath_ = std::move(keypath);
            return *fullAnimationKeypath_;
        }
    }
    // Not kept: once the layer joins its root, the search may succeed.
    return AnimationKeypath(keypathName());
}

std::string TextCompositionLayer::resolvedText(const std::string& documentText) {
    static const auto defaultProvider = std::make_shared<DefaultTextProvider>();
    std::shared_ptr<AnimationKeypathTextProvider> provider = textProvider_;
    if (!provider) {
        if (auto root = rootAnimationLayer()) provider = root->textProvider();
    }
    if (!provider) provider = defaultProvider;
    if (std::optional<std::string> text = provider->replacementText(fullAnimationKeypath(), documentText)) return *text;
    if (const auto* legacy = dynamic_cast<const LegacyAnimationTextProvider*>(provider.get())) {
        return legacy->replacementTextForKeypathName(keypathName(), documentText);
    }
    return documentText;
}

std::optional<platform::text::Font> TextCompositionLayer::resolvedFont(const std::string& family, double size) const {
    static const auto defaultProvider = std::make_shared<DefaultFontProvider>();
    std::shared_ptr<AnimationFontProvider> provider = fontProvider_;
    if (!provider) {
        if (auto root = rootAnimationLayer()) provider = root->fontProvider();
    }
    if (!provider) provider = defaultProvider;
    return provider->fontNamed(family, size);
}

void TextCompositionLayer::showContentsAtFrame(double frame, bool forceUpdates) {
    textLayer_->setContentsScale(renderScale());
    // Asked before evaluating: a provider just replaced or restored shows as a
    // stale container, which evaluating would clear.
    const bool fillChanged = fillColorNode_->needsUpdate(frame);
    const bool strokeChanged = strokeColorNode_->needsUpdate(frame);
    fillColorNode_->update(frame);
    strokeColorNode_->update(frame);
    const bool documentChanged = textDocument_->hasUpdate(frame);
    const bool animatorsChanged = rootNode_ && rootNode_->propagateContentUpdates(frame, forceUpdates);
    if (!forceUpdates && !documentChanged && !animatorsChanged && !fillChanged && !strokeChanged) return;
    if (rootNode_) rootNode_->propagateOutputUpdates(frame, true);
    const TextOutputNode* output = rootNode_ ? rootNode_->textOutputNode().get() : nullptr;

    const TextDocument document = textDocument_->value(frame);
    CoreTextRenderLayer& layer = *textLayer_;
    layer.setText(resolvedText(document.text));
    layer.setFont(resolvedFont(document.fontFamily, document.fontSize));
    layer.setAlignment(CoreTextRenderLayer::alignmentFor(document.justification));
    layer.setLineHeight(document.lineHeight);
    const std::optional<double> animatedTracking = output ? output->tracking() : std::nullopt;
    const double tracking = animatedTracking ? *animatedTracking : static_cast<double>(document.tracking);
    layer.setTracking(document.fontSize * tracking / 1000);
    layer.setFillColor(colorOf(*fillColorNode_, document.fillColorData));
    layer.setStrokeColor(colorOf(*strokeColorNode_, document.strokeColorData));
    const std::optional<double> animatedStrokeWidth = output ? output->strokeWidth() : std::nullopt;
    layer.setStrokeWidth(animatedStrokeWidth ? *animatedStrokeWidth : document.strokeWidth.value_or(0));
    layer.setStrokeOnTop(document.strokeOverFill == true);
    if (document.textFrameSize) {
        layer.setPreferredSize(platform::graphics::Size(document.textFrameSize->x, document.textFrameSize->y));
    } else {
        layer.setPreferredSize(std::nullopt);
    }
    layer.setStart(output ? wholeNumber(output->start()) : std::nullopt);
    layer.setEnd(output ? wholeNumber(output->end()) : std::nullopt);
    layer.setTextRangeUnit(rootNode_ ? rootNode_->textAnimatorProperties().textRangeUnit : std::nullopt);
    layer.setSelectedRangeOpacity(output ? output->selectedRangeOpacity() : std::nullopt);
    layer.setSelectedRangeFillColor(output ? output->fillColor() : std::nullopt);
    layer.setSelectedRangeStrokeColor(output ? output->strokeColor() : std::nullopt);

    layer.relayoutText();
    if (layer.isPastDeadline() && layer.layoutCache()->firstToSayPastDeadline()) {
        LottieLogger::shared()->warn(
            [] {
                return std::string("The animation's set-up, or the frame its texts were laid out in, passed its "
                                   "deadline of processor time; the texts laid out after that point are not shown.");
            },
            "Lottie/TextCompositionLayer", __LINE__);
    }
    layer.setBounds(layer.drawingRect());
    layer.setAnchorPoint(layer.drawingAnchor());
    layer.setOpacity(output ? output->opacity() : 1);
    layer.setTransform(platform::graphics::Transform3D::identity());
    const LottieVector3D position = document.textFramePosition.value_or(LottieVector3D());
    layer.setPosition({position.x, position.y});
    layer.setTransform(output ? output->xform() : platform::graphics::Transform3D::identity());
}

}  // namespace lottie
