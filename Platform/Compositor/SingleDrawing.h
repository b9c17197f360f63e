#pragma once
// What a layer's contents come down to when they are one drawing: the layer and
// a chain of sublayers below it, each the only visible sublayer of the one
// above, of which only the last paints anything itself, and that one paints
// exactly one thing (its background colour, its contents image, its shape's
// fill, its shape's stroke or its gradient). A fill and a stroke of one shape
// are two drawings: where they overlap, a group composites them once, drawing
// by drawing they would blend twice.
//
// One drawing laid down with an alpha (rounded as a layer would round it, see
// GraphicsContext::setAlphaAsLayer) gives the pixels of that drawing put in a
// transparency group that is then composited with the alpha. The renderer
// draws such layers of partial opacity without a group, and clips to a mask
// that is one opaque filled path by the path itself instead of through a
// buffer. A layer below the first with a shadow or a blend mode of its own, or
// a mask other than such a path, ends the search, as each makes a group or a
// buffer of its own; a layer masked by a path only clips the drawing (as a
// gradient fill is drawn through its shape).
//
// Found by Renderer for a layer it would otherwise group; the walk displays
// the layers it looks at that need it, as drawing them would. Stateless apart
// from the result; main thread only.

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "Platform/Graphics/AffineTransform.h"

namespace platform::compositor {

class Layer;

class SingleDrawing {
public:
    enum class Kind { background, contents, fill, stroke, gradient };

    // The sublayers a search may look at before it gives up.
    static constexpr std::size_t maximumSublayers = 48;

    // The one drawing of `model`'s contents, as `presented` shows the layer and
    // as its sublayers' animations present them at `mediaTime`; none when the
    // contents draw nothing or more than one thing, or the search gives up.
    static std::optional<SingleDrawing> find(Layer& model, const Layer& presented, double mediaTime);
    // The one drawing of a mask that is one opaque fill or stroke, unclipped;
    // none for a mask of any other kind. `presented` is the mask as it shows at
    // `mediaTime`, displayed already. Through layers of the chain masked by
    // one opaque filled path when `throughMasks` (their paths are then in
    // clips()), as masks that cut others are built: the mask's alpha is the
    // drawing's cut by those paths.
    static std::optional<SingleDrawing> opaqueShape(Layer& mask, const Layer& presented, double mediaTime,
                                                    bool throughMasks = false);

    // A layer of the chain masked by one opaque filled path, and the way from
    // its coordinates to those of the layer the search began at.
    struct ChainClip {
        Layer* masked = nullptr;
        graphics::AffineTransform maskedToFirst;
    };

    Kind kind() const { return kind_; }
    // The layer that draws, as it is presented.
    const Layer& painter() const { return *painter_; }
    // From the painter's coordinates to those of the layer the search began at.
    const graphics::AffineTransform& painterToFirst() const { return painterToFirst_; }
    // Whether every layer below the first has an opacity of 1.
    bool chainIsOpaque() const { return chainIsOpaque_; }
    // Whether a layer of the chain, the first included, clips to its bounds, or
    // one below the first to its mask's path.
    bool isClipped() const { return isClipped_; }
    // The layers of the chain below the first (models), from the top down.
    const std::vector<Layer*>& chain() const { return chain_; }
    // The layers of the chain masked by a path, from the top down.
    const std::vector<ChainClip>& clips() const { return clips_; }

private:
    SingleDrawing() = default;

    // The search; through layers masked by a path only when `throughMasks`
    // (a mask's own search does not look into further masks).
    static std::optional<SingleDrawing> search(Layer& model, const Layer& presented, double mediaTime,
                                               bool throughMasks);
    // Whether `model`'s mask, as it shows at `mediaTime`, is one opaque filled path.
    static bool maskedByPath(Layer& model, double mediaTime);

    Kind kind_ = Kind::background;
    const Layer* painter_ = nullptr;
    // Holds the painter when it is a presentation copy made by the search.
    std::shared_ptr<Layer> painterPresentation_;
    graphics::AffineTransform painterToFirst_;
    bool chainIsOpaque_ = true;
    bool isClipped_ = false;
    // Whether a layer of the chain clips to its bounds.
    bool clipsToBounds_ = false;
    std::vector<Layer*> chain_;
    std::vector<ChainClip> clips_;
};

}  // namespace platform::compositor
