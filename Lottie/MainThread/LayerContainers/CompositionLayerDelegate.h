#pragma once
// Told when the composition layer it observes has shown a frame. The
// composition layer holds its delegate weakly.

namespace lottie {

class CompositionLayerDelegate {
public:
    virtual ~CompositionLayerDelegate() = default;
    virtual void frameUpdated() = 0;
};

}  // namespace lottie
