#pragma once
// Reports the end of one play request to its caller: the delegate of the playback
// animation. It calls the request's completion block once, with true when the
// animation ran to its end and false when it was removed first, unless it has
// been muted (a request restarted under a new delegate keeps its block there).
// On the main-thread engine it also takes the finished animation off the
// rendering layer and leaves the layer at the request's last frame.
//
// Owned by the play request (AnimationContext) and, strongly, by the animation it
// watches; it points at the rendering layer weakly. Main thread only.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Compositor/AnimationDelegate.h"

namespace lottie {

class RootAnimationLayer;

enum class AnimationContextState { playing, cancelled, complete };

class AnimationCompletionDelegate final : public platform::compositor::AnimationDelegate {
public:
    using CompletionBlock = std::function<void(bool finished)>;

    explicit AnimationCompletionDelegate(CompletionBlock completionBlock)
        : completionBlock_(std::move(completionBlock)) {}

    // The rendering layer and key the playback animation is attached under; set
    // only on the main-thread engine.
    std::shared_ptr<RootAnimationLayer> animationLayer() const { return animationLayer_.lock(); }
    void setAnimationLayer(const std::shared_ptr<RootAnimationLayer>& layer) { animationLayer_ = layer; }
    const std::optional<std::string>& animationKey() const { return animationKey_; }
    void setAnimationKey(std::optional<std::string> key) { animationKey_ = std::move(key); }

    bool ignoreDelegate() const { return ignoreDelegate_; }
    void setIgnoreDelegate(bool ignore) { ignoreDelegate_ = ignore; }
    AnimationContextState animationState() const { return animationState_; }
    const CompletionBlock& completionBlock() const { return completionBlock_; }
    bool hasCompletionBlock() const { return static_cast<bool>(completionBlock_); }

    void animationDidStop(const std::shared_ptr<const platform::compositor::Animation>& animation,
                          bool finished) override;

private:
    std::weak_ptr<RootAnimationLayer> animationLayer_;
    std::optional<std::string> animationKey_;
    bool ignoreDelegate_ = false;
    AnimationContextState animationState_ = AnimationContextState::playing;
    CompletionBlock completionBlock_;
};

}  // namespace lottie
