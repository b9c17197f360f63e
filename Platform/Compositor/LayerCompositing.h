#pragma once
// How a layer is laid down over what lies beneath it, beyond its opacity: the
// blend mode its compositing filter names, and whether it casts a shadow. The
// renderer, LayerExtent and SingleDrawing all decide by these, so they agree
// on which layers need a group, a buffer or a blur. Stateless.

#include <optional>

#include "Platform/Graphics/BlendMode.h"

namespace platform::compositor {

class Layer;

class LayerCompositing {
public:
    LayerCompositing() = delete;

    // The blend mode other than normal that the layer's compositing filter
    // names; none for no filter, normal or a name not known.
    static std::optional<graphics::BlendMode> blendMode(const Layer& layer);
    // Whether the layer's shadow shows: a colour that is not transparent at an
    // opacity above 0.
    static bool castsShadow(const Layer& layer);
};

}  // namespace platform::compositor
