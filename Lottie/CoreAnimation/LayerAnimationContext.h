#pragma once
// What installing the animations of one layer of the Core Animation engine's
// tree needs: the animation, the play request's timing and range, the root
// layer's stores, tracker and logger, the keypath reached so far and the time
// remapping of the precompositions above. A value: the root layer makes one per
// display pass, and each layer hands a copy with one change to its sublayers.
//
// Times: frames of the layer's own timeline become frames of the root timeline
// through `simpleTimeRemapping`, then seconds from the animation's start frame:
//
//   local frame --simpleTimeRemapping--> root frame f
//   time(f)     = (f - startFrame) / framerate                 seconds
//   progress(f) = time(f) / innerDuration                      0 ... 1 over the animation
//
// where innerDuration is the duration of the inner animation of the timing
// wrapper (one frame more while paused), so key times made from progress line up
// with it. Under complex remapping neither applies; asking for them reports a
// compatibility issue.

#include <functional>
#include <memory>
#include <string>

#include "Lottie/CoreAnimation/CompatibilityTrackerProviding.h"
#include "Lottie/CoreAnimation/ContextKeypath.h"
#include "Lottie/CoreAnimation/LoggingState.h"
#include "Lottie/CoreAnimation/PassResults.h"
#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Lottie/CoreAnimation/ValueProviderStore.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Engine/CoreAnimationRootLayer.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"

namespace lottie {

struct LayerAnimationContext final : CompatibilityTrackerProviding {
    using TimeRemapping = std::function<double(double)>;
    using TimingConfiguration = CoreAnimationRootLayer::MediaTimingConfiguration;

    std::shared_ptr<const LottieAnimation> animation;
    TimingConfiguration timingConfiguration;
    // The play range; endFrame is below startFrame for a reversed range.
    double startFrame = 0;
    double endFrame = 0;
    std::shared_ptr<ValueProviderStore> valueProviderStore;
    std::shared_ptr<CompatibilityTracker> tracker;
    std::shared_ptr<LottieLogger> logger;
    std::shared_ptr<LoggingState> loggingState;
    // What the keyframe values of one display pass are charged to, shared by
    // every context of the pass; none charges nothing.
    std::shared_ptr<SamplingBudget> samplingBudget;
    // What the pass derives from shape items once for all their copies, shared
    // by every context of the pass; none makes each anew.
    std::shared_ptr<PassResults> passResults;
    // Shared with the contexts it was extended from (ContextKeypath).
    ContextKeypath currentKeypath;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider;
    std::function<void(const std::string&)> recordHierarchyKeypath;
    TimeRemapping simpleTimeRemapping = identity;
    TimeRemapping complexTimeRemapping = identity;
    bool mustUseComplexTimeRemapping = false;
    // For the pass the root layer runs ahead of its first display pass, on the
    // thread that built it: it only fills `passResults` with what it derives
    // from the document, and attaches, reports and shares nothing.
    bool derivesOnly = false;

    static double identity(double frame) { return frame; }

    const std::shared_ptr<CompatibilityTracker>& compatibilityTracker() const override { return tracker; }
    // The keys of the current keypath joined with ".".
    std::string compatibilityIssueContext() const override { return currentKeypath.fullPath(); }
    SamplingAccount samplingAccount() const { return {samplingBudget.get(), this}; }

    // Seconds from the animation's start frame to the (remapped) frame.
    double time(double frame) const;
    // The frame's place on the whole animation's inner timeline, 0 at its start.
    double progress(double frame) const;
    // The duration of the timing wrapper's inner animation: the whole animation,
    // one frame longer while paused so that the end frame itself can be shown.
    double innerDuration() const;

    // A copy whose keypath has one more key at the end.
    LayerAnimationContext addingKeypathComponent(const std::string& key) const;
    // A copy whose keypath goes on with `keys` (a group's names, shared by its
    // items), then with `key`.
    LayerAnimationContext addingKeypathComponents(const ContextKeypath& keys, const std::string& key) const;
    // A copy without time remapping, for keyframes already resampled onto the root timeline.
    LayerAnimationContext withoutTimeRemapping() const;
};

}  // namespace lottie
