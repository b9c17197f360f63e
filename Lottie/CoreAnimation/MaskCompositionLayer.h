#pragma once
// The layer that masks the contents of a composition layer with the layer's
// masks. Every mask becomes a MaskLayer, a shape layer filled even-odd with the
// mask's animated path; the modes are drawn only by how these are nested:
//
//   container N                 (placed in this layer)
//     container N-1 ...         each later run of cutting masks is the mask of
//       container 1             the container before it, then wrapped in a new one
//         first mask, add masks (siblings: their union)
//
// The cutting masks of one run mask each other by halves, so that a run nests
// a few levels deep. Each nesting takes intermediate surfaces, of which a frame
// affords a few dozen of its own size: past maximumMasks masks the later ones
// are left out (the layer tree builder reports it, and the automatic engine
// choice falls back to the main-thread engine, which draws them all on one
// surface).
//
// A subtracting mask (or an inverted adding one) becomes a hole in a large
// rectangle. Mask opacity and expansion are not drawn here; the layer tree
// builder reports them as compatibility issues. Made by BaseCompositionLayer as
// the mask of its contents layer, which owns it; main thread only.

#include <memory>
#include <vector>

#include "Lottie/CoreAnimation/AnimationLayer.h"
#include "Lottie/Model/Layers/Mask.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace lottie {

class MaskCompositionLayer final : public platform::compositor::Layer, public AnimationLayer {
public:
    // The shape layer of one mask: its path animated from the mask's shape,
    // inverted where the mode asks for it.
    class MaskLayer final : public platform::compositor::ShapeLayer, public AnimationLayer {
    public:
        explicit MaskLayer(std::shared_ptr<const Mask> mask);

        const std::shared_ptr<const Mask>& maskModel() const { return maskModel_; }
        void setupAnimations(const LayerAnimationContext& context) override;
        // A plain shape layer: the compositor draws the mask from its path alone.
        std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override {
            return std::make_shared<platform::compositor::ShapeLayer>(*this);
        }

    private:
        std::shared_ptr<const Mask> maskModel_;
    };

    // The rectangle an inverted path is cut out of. Far larger than any document,
    // yet small enough that the rasteriser's fixed-point coordinates (about 8.4
    // million device pixels) still hold it at twice the size, which a larger one
    // would overflow.
    static constexpr double invertedPlaneOrigin = -4'000'000;
    static constexpr double invertedPlaneSize = 8'000'000;

    explicit MaskCompositionLayer(const std::vector<std::shared_ptr<const Mask>>& masks);

    // Builds the mask layers and their nesting.
    static std::shared_ptr<MaskCompositionLayer> make(const std::vector<std::shared_ptr<const Mask>>& masks);

    // The masks drawn for one layer.
    static constexpr std::size_t maximumMasks = 16;
    // How many of `masks`, from the first, are drawn.
    static std::size_t drawnMaskCount(const std::vector<std::shared_ptr<const Mask>>& masks);

    // The mode this layer draws a mode as: lighten as add, difference as intersect.
    static MaskMode usableMode(MaskMode mode);
    // Whether the mask's path is drawn as a hole in the plane.
    static bool invertsPath(MaskMode mode, bool inverted);

    const std::vector<std::shared_ptr<MaskLayer>>& maskLayers() const { return maskLayers_; }
    // Each mask layer's path, in the masks' order; the first error stops the rest.
    void setupAnimations(const LayerAnimationContext& context) override;
    void layoutSublayers() override;
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override {
        return std::make_shared<platform::compositor::Layer>(*this);
    }

private:
    void placeMaskLayers();

    std::vector<std::shared_ptr<MaskLayer>> maskLayers_;
};

}  // namespace lottie
