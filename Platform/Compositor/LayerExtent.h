#pragma once
// Where a layer's drawing can land in device space: a box that holds all it
// paints itself and through its sublayers, found from geometry alone (bounds,
// paths, line widths) without drawing. The renderer sizes mask buffers,
// transparency groups and the sources of shadows by it, so that a small mask
// or a small shadowed layer costs a small buffer.
//
// The walk visits at most a few dozen layers and gives up (no box) where an
// answer would cost more or could be wrong: a larger tree, animations below the
// layer asked about when no media time is given to present them at (the caller
// gives that layer's own presentation), a pending display, shadows (other than
// the shadow of the layer whose contents are asked for, which is not part of
// them), and contents placed by a gravity other than resize. Stateless.

#include <cstddef>
#include <optional>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/Rect.h"

namespace platform::compositor {

class Layer;

class LayerExtent {
public:
    LayerExtent() = delete;

    // The layers a walk may visit before it gives up.
    static constexpr std::size_t maximumLayers = 48;

    // The box of what `model`'s contents draw (its own painting, as `presented`
    // shows it, and its sublayers, but not its own shadow), where `toDevice`
    // maps the layer's own coordinates to the device; none when the walk gives
    // up. An empty box means nothing is drawn. Antialiasing is allowed for by
    // a pixel of margin. Animated sublayers count as they present at
    // `mediaTime`; without one the walk gives up on them.
    static std::optional<graphics::Rect> contentBounds(const Layer& model, const Layer& presented,
                                                      const graphics::AffineTransform& toDevice,
                                                      std::optional<double> mediaTime = std::nullopt);
    // The same for a whole layer, its shadow included, as `presented` shows it,
    // placed in its parent's coordinates, which `parentToDevice` maps to the
    // device (a mask, in its owner's coordinates).
    static std::optional<graphics::Rect> layerBounds(const Layer& model, const Layer& presented,
                                                    const graphics::AffineTransform& parentToDevice,
                                                    std::optional<double> mediaTime = std::nullopt);
};

}  // namespace platform::compositor
