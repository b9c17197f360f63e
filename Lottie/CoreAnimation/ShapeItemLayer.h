#pragma once
// The layer that draws one path item of a shape layer on the Core Animation
// engine with the items that style it: at most one fill (solid or gradient),
// one stroke, one gradient stroke and one rounded-corners item, and the trims
// that cut it one after the other. It is itself the shape layer of a solid
// fill (path, fill and stroke); a gradient draws in sublayers, built once:
//
//   gradient fill    masked container (mask: the path, filled)
//                      colour gradient layer (mask: alpha gradient layer)
//                    overlay shape layer for a stroke (only with one)
//   gradient stroke  container (mask: the path, stroked)
//                      colour gradient layer (mask: alpha gradient layer)
//
// The item layer of a gradient fill draws nothing itself.
// The gradient's opacity goes on the colour gradient layer alone. A gradient
// whose opacity stops stay where they are from keyframe to keyframe needs no
// alpha layer: the colour layer shows its colour and opacity stops merged into
// one list, which costs no mask.
//
// Built by the shape layer's grouping; held by its group layer; main thread only.

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "Lottie/CoreAnimation/AnimationLayer.h"
#include "Lottie/CoreAnimation/GradientRenderLayer.h"
#include "Lottie/CoreAnimation/GradientStops.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/CoreAnimation/ShapeItemReference.h"
#include "Lottie/CoreAnimation/TrimmedPathAnimation.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace lottie {

class ShapeItemLayer final : public platform::compositor::ShapeLayer, public AnimationLayer {
public:
    static constexpr const char* notOnePathMessage =
        "`ShapeItemLayer` must contain exactly one `ShapeItem` that draws a `GPPath`";
    static constexpr const char* trimmedFillMessage =
        "The Core Animation rendering engine doesn't currently support applying\ntrims to filled shapes (only stroked "
        "shapes).";
    static constexpr const char* severalTrimsMessage =
        "The Core Animation rendering engine can only apply one trim to a path the compositor trims (here a path "
        "with rounded corners or of too many frames).";

    static constexpr const char* mergedSimultaneousTrimMessage =
        "The Core Animation rendering engine doesn't support a trim applied simultaneously to several paths that it "
        "cannot cut frame by frame";

    struct GradientLayers {
        std::shared_ptr<GradientRenderLayer> colorLayer;
        std::shared_ptr<GradientRenderLayer> alphaLayer;
        std::shared_ptr<platform::compositor::ShapeLayer> shapeMaskLayer;
        std::shared_ptr<platform::compositor::ShapeLayer> overlayLayer;
        // The stops the colour layer shows.
        GradientStops::Kind colorKind = GradientStops::Kind::color;
    };

    // Checks the items; make() also builds the sublayers. `mergedPaths`: the
    // path items `shape` merges, when it merges several, which a trim cuts
    // one by one. Throws the tracker's error in abort mode.
    ShapeItemLayer(ShapeItemReference shape, std::vector<ShapeItemReference> otherItems, const LayerContext& context,
                   std::vector<ShapeItemReference> mergedPaths = {});
    static std::shared_ptr<ShapeItemLayer> make(ShapeItemReference shape, std::vector<ShapeItemReference> otherItems,
                                                const LayerContext& context,
                                                std::vector<ShapeItemReference> mergedPaths = {});
    ShapeItemLayer(const ShapeItemLayer&) = delete;

    const ShapeItemReference& shape() const { return shape_; }
    const std::vector<ShapeItemReference>& otherItems() const { return otherItems_; }
    // This layer, unless it draws a gradient fill; else null.
    const platform::compositor::ShapeLayer* solidFillLayer() const { return gradientFill_ ? nullptr : this; }
    platform::compositor::ShapeLayer* solidFillLayer() { return gradientFill_ ? nullptr : this; }

    // The still groups whose paths the shape holds, taken into its level's
    // space when the tree was built: a value provider of their transforms is
    // a compatibility issue.
    void setLiftedGroups(std::vector<ShapeItemReference> groups) { liftedGroups_ = std::move(groups); }

    void setupAnimations(const LayerAnimationContext& context) override;
    void layoutSublayers() override;
    // A plain shape layer: the compositor draws the item from its path and paints.
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override {
        return std::make_shared<platform::compositor::ShapeLayer>(*this);
    }

private:
    void setUpSublayers();
    GradientLayers makeGradientLayers(const ShapeItem& gradient, bool overlay);
    // The shape's path on `layer`: cut by `trims` in turn where there are any,
    // reporting `trimIssue` (if any) in the first trim's context once the
    // trims are installed.
    void installPath(platform::compositor::ShapeLayer& layer, const std::vector<const ShapeItemReference*>& trims,
                     const LayerAnimationContext& context, const char* trimIssue = nullptr);
    void installSolidFill(const LayerAnimationContext& context);
    void installGradientFill(const LayerAnimationContext& context);
    void installGradientStroke(const LayerAnimationContext& context);
    // The path of `layer` cut by `trims` (at least one) as the main-thread
    // engine cuts it; false, and nothing added, where it cannot be (the path
    // is then trimmed by the compositor, by the first trim alone).
    bool installTrimmedPath(platform::compositor::ShapeLayer& layer, const std::vector<const ShapeItemReference*>& trims,
                            const LayerAnimationContext& context);

    ShapeItemReference shape_;
    std::vector<ShapeItemReference> otherItems_;
    std::vector<ShapeItemReference> mergedPaths_;
    std::vector<ShapeItemReference> liftedGroups_;
    // The paths cut by each trim, found at the first installation (which every
    // seek and play repeats) in the pool other views share; null where they
    // cannot be.
    std::map<const ShapeItem*, std::shared_ptr<const KeyframeGroup<TrimmedPathAnimation::Pieces>>> cutPaths_;
    // Made only for an item with such a gradient.
    std::unique_ptr<GradientLayers> gradientFill_;
    std::unique_ptr<GradientLayers> gradientStroke_;
};

}  // namespace lottie
