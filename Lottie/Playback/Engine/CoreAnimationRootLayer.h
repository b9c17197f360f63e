#pragma once
// What the animation layer needs of the Core Animation engine's root layer beyond
// the common root-layer contract: the play request it applies in its next
// display pass, and the report of the compatibility issues it met while setting
// up its animations. The engine's root layer derives from it; the animation layer
// owns it as its rendering layer. Main thread only.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Playback/AnimationContext.h"
#include "Lottie/Playback/Engine/CompatibilityIssue.h"
#include "Lottie/Playback/RootAnimationLayer.h"

namespace lottie {

class CoreAnimationRootLayer : public RootAnimationLayer {
public:
    // The media timing of a play request; the speed is never negative (a request
    // at a negative speed arrives with its range reversed).
    struct MediaTimingConfiguration {
        bool autoreverses = false;
        float repeatCount = 1;
        float speed = 1;
        double timeOffset = 0;
        bool operator==(const MediaTimingConfiguration&) const = default;
    };

    struct AnimationConfiguration {
        AnimationContext animationContext;
        MediaTimingConfiguration timingConfiguration;
        std::function<void(const std::string&)> recordHierarchyKeypath;

        // The same request and timing, and a keypath recorder on both sides or on
        // neither (the recorders themselves are not compared).
        bool operator==(const AnimationConfiguration& other) const {
            return animationContext == other.animationContext && timingConfiguration == other.timingConfiguration &&
                   static_cast<bool>(recordHierarchyKeypath) == static_cast<bool>(other.recordHierarchyKeypath);
        }
    };

    // Paused at a frame, or playing.
    struct PlaybackState {
        std::optional<double> pausedFrame;
        static PlaybackState playing() { return {}; }
        static PlaybackState paused(double frame) { return {frame}; }
        bool isPlaying() const { return !pausedFrame; }
        bool operator==(const PlaybackState&) const = default;
    };

    struct PendingAnimationConfiguration {
        AnimationConfiguration animationConfiguration;
        PlaybackState playbackState;
    };

    using DidSetUpAnimation = std::function<void(const std::vector<CompatibilityIssue>&)>;

    // Replaces any pending configuration. The next display pass removes the old
    // animations (telling their delegates they stopped unfinished), applies this
    // one and makes its delegate the delegate of the progress animation.
    virtual void setPendingAnimationConfiguration(std::optional<PendingAnimationConfiguration> configuration) = 0;
    virtual const std::optional<PendingAnimationConfiguration>& pendingAnimationConfiguration() const = 0;
    // Works out ahead, on the thread that built the layer and before any
    // other thread touches it, what the first display pass derives from the
    // document alone; that pass then only attaches it. None by default.
    virtual void deriveAhead() {}

    // Called after every set-up of the animations, with the issues met (often none).
    const DidSetUpAnimation& didSetUpAnimation() const { return didSetUpAnimation_; }
    void setDidSetUpAnimation(DidSetUpAnimation callback) { didSetUpAnimation_ = std::move(callback); }

private:
    DidSetUpAnimation didSetUpAnimation_;
};

}  // namespace lottie
