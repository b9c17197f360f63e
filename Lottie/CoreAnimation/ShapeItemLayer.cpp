#include "Lottie/CoreAnimation/ShapeItemLayer.h"

#include <algorithm>

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/CoreAnimation/GradientAnimation.h"
#include "Lottie/CoreAnimation/GroupTransformProviders.h"
#include "Lottie/CoreAnimation/ShapePaintAnimation.h"
#include "Lottie/CoreAnimation/ShapePathAnimation.h"
#include "Lottie/CoreAnimation/SharedItemResults.h"
#include "Lottie/CoreAnimation/TrimAnimation.h"
#include "Lottie/Model/ShapeItems/Fill.h"
#include "Lottie/Model/ShapeItems/GradientFill.h"
#include "Lottie/Model/ShapeItems/GradientStroke.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "Lottie/Playback/LottieConfiguration.h"

namespace lottie {

using platform::compositor::ShapeLayer;
using Reference = ShapeItemReference;

namespace {

platform::graphics::Color opaqueBlack() {
    return platform::graphics::Color::fromRGBA(LottieConfiguration::sharedColorSpace(), 0, 0, 0, 1);
}

bool isNoOpTrim(const Trim& trim) {
    const auto& start = trim.start()->keyframes();
    const auto& end = trim.end()->keyframes();
    return start.size() == 1 && start.front().value().value == 0 && end.size() == 1 && end.front().value().value == 100;
}

// The trims that cut the path, in the order they apply.
std::vector<const Reference*> effectiveTrims(const std::vector<Reference>& items) {
    std::vector<const Reference*> trims;
    for (const Reference& reference : items) {
        const auto* trim = dynamic_cast<const Trim*>(reference.item.get());
        if (trim && !isNoOpTrim(*trim)) trims.push_back(&reference);
    }
    return trims;
}

std::vector<std::vector<double>> keyframeValues(const GradientShapeItem& gradient) {
    std::vector<std::vector<double>> values;
    for (const auto& keyframe : gradient.colors()->keyframes()) values.push_back(keyframe.value());
    return values;
}

}  // namespace

ShapeItemLayer::ShapeItemLayer(Reference shape, std::vector<Reference> otherItems, const LayerContext& context,
                               std::vector<Reference> mergedPaths)
    : shape_(std::move(shape)), otherItems_(std::move(otherItems)), mergedPaths_(std::move(mergedPaths)) {
    if (!shape_.isPathItem()) context.reportCompatibilityIssue(notOnePathMessage);
    if (std::ranges::any_of(otherItems_, [](const Reference& item) { return item.isPathItem(); })) {
        context.reportCompatibilityIssue(notOnePathMessage);
    }
}

std::shared_ptr<ShapeItemLayer> ShapeItemLayer::make(Reference shape, std::vector<Reference> otherItems,
                                                     const LayerContext& context, std::vector<Reference> mergedPaths) {
    auto layer = std::make_shared<ShapeItemLayer>(std::move(shape), std::move(otherItems), context, std::move(mergedPaths));
    layer->setUpSublayers();
    return layer;
}

ShapeItemLayer::GradientLayers ShapeItemLayer::makeGradientLayers(const ShapeItem& gradient, bool overlay) {
    GradientLayers layers{std::make_shared<GradientRenderLayer>(), nullptr, ShapeLayer::make(), nullptr};
    const auto& model = dynamic_cast<const GradientShapeItem&>(gradient);
    const std::vector<std::vector<double>> values = keyframeValues(model);
    if (GradientStops::hasAlpha(values, model.numberOfColors())) {
        if (GradientStops::locationsStayPut(values, model.numberOfColors())) {
            layers.colorKind = GradientStops::Kind::colorWithAlpha;
        } else {
            // Merged lists of stops that move would not line up from keyframe
            // to keyframe; the opacity ramp gets a layer of its own.
            layers.alphaLayer = std::make_shared<GradientRenderLayer>();
            layers.colorLayer->setMask(layers.alphaLayer);
        }
    }
    if (overlay) {
        layers.overlayLayer = ShapeLayer::make();
        layers.overlayLayer->setFillColor(std::nullopt);
    }
    return layers;
}

void ShapeItemLayer::setUpSublayers() {
    if (const Reference* gradientFill = Reference::firstReference<GradientFill>(otherItems_)) {
        // The overlay only strokes: without a stroke it would be an empty
        // sublayer, which would keep the renderer from taking the gradient
        // through its path as one drawing.
        gradientFill_ = std::make_unique<GradientLayers>(
            makeGradientLayers(*gradientFill->item, Reference::first<Stroke>(otherItems_) != nullptr));
        gradientFill_->shapeMaskLayer->setFillColor(opaqueBlack());
        auto masked = BaseAnimationLayer::make();
        masked->setMask(gradientFill_->shapeMaskLayer);
        masked->addSublayer(gradientFill_->colorLayer);
        addSublayer(masked);
        if (gradientFill_->overlayLayer) addSublayer(gradientFill_->overlayLayer);
        // The gradient's sublayers draw everything: this layer has no path.
        setFillColor(std::nullopt);
    } else if (!Reference::first<Fill>(otherItems_)) {
        setFillColor(std::nullopt);
    }
    if (const Reference* gradientStroke = Reference::firstReference<GradientStroke>(otherItems_)) {
        gradientStroke_ = std::make_unique<GradientLayers>(makeGradientLayers(*gradientStroke->item, false));
        gradientStroke_->shapeMaskLayer->setFillColor(std::nullopt);
        gradientStroke_->shapeMaskLayer->setStrokeColor(opaqueBlack());
        auto container = BaseAnimationLayer::make();
        container->setMask(gradientStroke_->shapeMaskLayer);
        container->addSublayer(gradientStroke_->colorLayer);
        addSublayer(container);
    }
}

void ShapeItemLayer::setupAnimations(const LayerAnimationContext& context) {
    static const std::vector<PropertyName> transformParts{PropertyName::position, PropertyName::rotation,
                                                          PropertyName::scale};
    for (const Reference& group : liftedGroups_) {
        if (GroupTransformProviders::reached(group, transformParts, true, context)) {
            context.reportCompatibilityIssue(GroupTransformProviders::liftedGroupIssue);
            break;
        }
    }
    BaseAnimationLayer::setupManagedAnimations(*this, context);
    if (gradientFill_) {
        installGradientFill(context);
    } else {
        installSolidFill(context);
    }
    if (gradientStroke_) installGradientStroke(context);
}

void ShapeItemLayer::layoutSublayers() {
    ShapeLayer::layoutSublayers();
    BaseAnimationLayer::layOutManagedLayers(*this, BaseAnimationLayer::managedLayers(*this));
}

bool ShapeItemLayer::installTrimmedPath(ShapeLayer& layer, const std::vector<const Reference*>& trims,
                                        const LayerAnimationContext& context) {
    // A rounded-corners item rounds the paths before or after the trim cuts
    // them, depending on its place; the compositor's trim keeps the rounding
    // this engine has always drawn.
    if (Reference::first<RoundedCorners>(otherItems_)) return false;
    const ShapeItem* const key = trims.front()->item.get();
    auto cached = cutPaths_.find(key);
    if (cached == cutPaths_.end()) {
        // The cut depends on the items alone: other views of the document
        // share it.
        SharedItemResults::CutPathPool::Items items;
        for (const Reference& path : mergedPaths_.empty() ? std::vector<Reference>{shape_} : mergedPaths_) {
            items.push_back(path.item);
        }
        const std::size_t pathCount = items.size();
        for (const Reference* trim : trims) items.push_back(trim->item);
        const SamplingAccount account = context.samplingAccount();
        const auto cutOf = [&] {
            return SharedItemResults::cutPaths().shared(items, "", account, [&] {
                std::vector<std::optional<ShapePathAnimation::PathSampler>> samplers;
                for (std::size_t index = 0; index < pathCount; ++index) {
                    samplers.push_back(ShapePathAnimation::pathSampler(*items[index], account));
                }
                std::vector<const Trim*> cutting;
                for (const Reference* trim : trims) cutting.push_back(&dynamic_cast<const Trim&>(*trim->item));
                return TrimmedPathAnimation::cutPaths(samplers, cutting, account);
            });
        };
        // Made ahead of the display pass, the pass's results hold it in the
        // pool until the display pass takes it there, charged for it as any
        // view is: this layer keeps only what a display pass cut.
        if (context.derivesOnly) return context.passResults && context.passResults->kept(cutOf) != nullptr;
        auto cut = cutOf();
        cached = cutPaths_.emplace(key, std::move(cut)).first;
    }
    if (!cached->second) return false;
    TrimmedPathAnimation::animateCutPaths(layer, *cached->second, trims.front()->context(context));
    return true;
}

void ShapeItemLayer::installPath(ShapeLayer& layer, const std::vector<const Reference*>& trims,
                                 const LayerAnimationContext& context, const char* trimIssue) {
    int pathMultiplier = 1;
    bool pathInstalled = false;
    if (!trims.empty()) {
        const LayerAnimationContext trimContext = trims.front()->context(context);
        pathInstalled = installTrimmedPath(layer, trims, context);
        if (!pathInstalled) {
            const auto& model = dynamic_cast<const Trim&>(*trims.front()->item);
            // The compositor trims merged paths as one length, which is how a
            // trim applied individually runs, not one applied simultaneously.
            if (mergedPaths_.size() > 1 && model.trimType() == TrimType::simultaneously) {
                trimContext.reportCompatibilityIssue(mergedSimultaneousTrimMessage);
            }
            pathMultiplier = TrimAnimation::animateTrim(layer, model, trimContext);
            // The compositor trims a path once; the later trims would be lost.
            if (trims.size() > 1) trims[1]->context(context).reportCompatibilityIssue(severalTrimsMessage);
        }
        if (trimIssue) trimContext.reportCompatibilityIssue(trimIssue);
    }
    if (!pathInstalled) {
        ShapePathAnimation::animateShapePath(layer, *shape_.item, shape_.context(context), pathMultiplier,
                                             Reference::first<RoundedCorners>(otherItems_));
    }
}

void ShapeItemLayer::installSolidFill(const LayerAnimationContext& context) {
    installPath(*this, effectiveTrims(otherItems_), context,
                Reference::first<Fill>(otherItems_) ? trimmedFillMessage : nullptr);
    if (const Reference* fill = Reference::firstReference<Fill>(otherItems_)) {
        ShapePaintAnimation::animateFill(*this, dynamic_cast<const Fill&>(*fill->item), fill->context(context));
    }
    if (const Reference* stroke = Reference::firstReference<Stroke>(otherItems_)) {
        ShapePaintAnimation::animateStroke(*this, dynamic_cast<const Stroke&>(*stroke->item),
                                           stroke->context(context));
    }
}

void ShapeItemLayer::installGradientFill(const LayerAnimationContext& context) {
    // The gradient is drawn through its path as a mask, which no trim cuts: a
    // trimmed gradient fill is as much an issue as a trimmed solid one.
    if (const auto trims = effectiveTrims(otherItems_); !trims.empty()) {
        trims.front()->context(context).reportCompatibilityIssue(trimmedFillMessage);
    }
    const RoundedCorners* rounded = Reference::first<RoundedCorners>(otherItems_);
    ShapePathAnimation::animateShapePath(*gradientFill_->shapeMaskLayer, *shape_.item, shape_.context(context), 1,
                                         rounded);
    if (gradientFill_->overlayLayer) {
        ShapePathAnimation::animateShapePath(*gradientFill_->overlayLayer, *shape_.item, shape_.context(context), 1,
                                             rounded);
    }
    if (const Reference* reference = Reference::firstReference<GradientFill>(otherItems_)) {
        const auto& gradient = dynamic_cast<const GradientFill&>(*reference->item);
        const LayerAnimationContext itemContext = reference->context(context);
        gradientFill_->shapeMaskLayer->setFillRule(gradient.fillRule() == FillRule::evenOdd
                                                       ? platform::graphics::FillRule::evenOdd
                                                       : platform::graphics::FillRule::winding);
        GradientAnimation::animateGradient(*gradientFill_->colorLayer, gradient, gradientFill_->colorKind, itemContext);
        if (gradientFill_->alphaLayer) {
            GradientAnimation::animateGradient(*gradientFill_->alphaLayer, gradient, GradientStops::Kind::alpha,
                                               itemContext);
        }
    }
    const Reference* stroke = Reference::firstReference<Stroke>(otherItems_);
    if (stroke && gradientFill_->overlayLayer) {
        ShapePaintAnimation::animateStroke(*gradientFill_->overlayLayer, dynamic_cast<const Stroke&>(*stroke->item),
                                           stroke->context(context));
    }
}

void ShapeItemLayer::installGradientStroke(const LayerAnimationContext& context) {
    installPath(*gradientStroke_->shapeMaskLayer, effectiveTrims(otherItems_), context);
    if (const Reference* reference = Reference::firstReference<GradientStroke>(otherItems_)) {
        const auto& gradient = dynamic_cast<const GradientStroke&>(*reference->item);
        const LayerAnimationContext itemContext = reference->context(context);
        GradientAnimation::animateGradient(*gradientStroke_->colorLayer, gradient, gradientStroke_->colorKind,
                                           itemContext);
        if (gradientStroke_->alphaLayer) {
            GradientAnimation::animateGradient(*gradientStroke_->alphaLayer, gradient, GradientStops::Kind::alpha,
                                               itemContext);
        }
        ShapePaintAnimation::animateStroke(*gradientStroke_->shapeMaskLayer, gradient, itemContext,
                                           ShapePaintAnimation::StrokeOpacity::elsewhere);
    }
}

}  // namespace lottie
