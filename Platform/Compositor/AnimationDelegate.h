#pragma once
// What an animation tells whoever watches it: that it started, and that it stopped,
// finished (it ran to the end of its active duration) or not (it was removed or
// replaced first). Each call comes once per attached animation, on the main run
// loop, never from inside the call that caused it. The animation holds its delegate
// strongly; the delegate is told about the copy that was attached to the layer.

#include <memory>

namespace platform::compositor {

class Animation;

class AnimationDelegate {
public:
    virtual ~AnimationDelegate() = default;

    virtual void animationDidStart(const std::shared_ptr<const Animation>& /*animation*/) {}
    virtual void animationDidStop(const std::shared_ptr<const Animation>& /*animation*/, bool /*finished*/) {}
};

}  // namespace platform::compositor
