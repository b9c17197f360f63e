#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/DashKeyframes.h"

namespace lottie {

DashKeyframes DashKeyframes::make(const DashPattern& pattern) {
    DashKeyframes result;
    for (const auto& element : pattern) {
        if (!element) continue;
        std::vector<Keyframe<LottieVector1D>> keyframes;
        if (const auto& group = element->value()) keyframes = group->keyframes();
        switch (element->type()) {
            case DashElementType::offset: result.phase = std::move(keyframes); break;
            case DashElementType::dash:
            case DashElementType::gap:
                for (Keyframe<LottieVector1D>& keyframe : keyframes) {
                    if (keyframe.value().value == 0) keyframe = keyframe.replacingValue(LottieVector1D(0.01));
                }
                result.dashes.push_back(std::move(keyframes));
                break;
        }
    }
    return result;
}

}  // namespace lottie
