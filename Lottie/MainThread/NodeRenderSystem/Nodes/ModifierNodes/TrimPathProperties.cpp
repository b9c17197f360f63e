#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/TrimPathProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

TrimPathProperties::TrimPathProperties(const Trim& trim)
    : NodePropertyMap(trim.name()),
      start(makeKeyframeProperty(trim.start())),
      end(makeKeyframeProperty(trim.end(), LottieVector1D(100))),
      offset(makeKeyframeProperty(trim.offset())),
      type(trim.trimType()) {
    add(start, {"Start"});
    add(end, {"End"});
    add(offset, {"Offset"});
}

}  // namespace lottie
