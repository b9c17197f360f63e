#pragma once
// Which drop shadow a layer of the document shows, for both engines: its first
// drop-shadow effect, else its first drop-shadow style, else none. A layer with
// both is shadowed by the effect alone.

#include "Lottie/Model/Layers/LayerModel.h"
#include "Lottie/Model/Protocols/DropShadowModel.h"

namespace lottie {

// Owned by the layer model.
const DropShadowModel* layerDropShadow(const LayerModel& layer);

}  // namespace lottie
