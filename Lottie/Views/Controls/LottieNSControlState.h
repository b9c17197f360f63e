#pragma once
// The state of an animated control: normal, or highlighted while a press that
// began on the control has the pointer inside it. The raw values are the keys
// of AnimatedControl's state-layer map. A plain value.

namespace lottie {

enum class LottieNSControlState : unsigned {
    normal = 0,
    highlighted = 1,
};

}  // namespace lottie
