#pragma once
// Keyframes of whole transform matrices interpolate as the compositor plays
// them, by decomposition, so that a combined transform resampled for complex
// time remapping matches what the compositor shows between its keyframes.

#include "Lottie/Values/Interpolatable.h"
#include "Platform/Compositor/AnimatableValue.h"
#include "Platform/Graphics/Transform3D.h"

namespace lottie {

template <>
struct Interpolation<platform::graphics::Transform3D> {
    static platform::graphics::Transform3D interpolate(const platform::graphics::Transform3D& from,
                                                       const platform::graphics::Transform3D& to, double amount) {
        const auto value = platform::compositor::AnimatableValue::blend(from, to, amount);
        const auto* matrix = value.get<platform::graphics::Transform3D>();
        return matrix ? *matrix : (amount < 1 ? from : to);
    }
};

}  // namespace lottie
