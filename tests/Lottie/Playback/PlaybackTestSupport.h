#pragma once
// Shared by the animation layer's tests: small documents, a logger that keeps
// what it is told, a fixture that installs a manual media clock and drives the
// display link and main run loop by hand, and a stand-in for the Core Animation
// engine's root layer.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Engine/CoreAnimationLayerFactory.h"
#include "Lottie/Playback/Engine/CoreAnimationRootLayer.h"
#include "Lottie/Playback/LottieAnimationLayer.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Platform/Compositor/DisplayLink.h"
#include "Platform/Compositor/ManualClock.h"
#include "tests/Support/RecordingLogger.h"

namespace playbacktest {

using testsupport::LogRecorder;
using testsupport::RecordingLogger;

// A document of `endFrame` frames at 10 frames per second, 100 x 100, with the
// markers "a" (10, 20 long), "b" (40, 10 long) and "Reduced Motion" (50, 5 long),
// and one shape layer "Box" whose fill is "Fill".
std::string document(double startFrame = 0, double endFrame = 60);
std::shared_ptr<const lottie::LottieAnimation> animation(double startFrame = 0, double endFrame = 60);

// Records the completion calls of play requests. The blocks share the record, so
// a layer destroyed later (which reports its request as unfinished) can still
// reach it after the log is gone.
struct CompletionLog {
    CompletionLog() = default;
    CompletionLog(const CompletionLog&) = delete;
    CompletionLog& operator=(const CompletionLog&) = delete;

    lottie::LottieAnimationLayer::CompletionBlock block() const {
        return [storage = storage](bool finished) { storage->push_back(finished); };
    }

    std::shared_ptr<std::vector<bool>> storage = std::make_shared<std::vector<bool>>();
    std::vector<bool>& calls = *storage;
};

class PlaybackTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A layer for the animation with the main-thread engine (or the given option),
    // hosted by a display link.
    std::shared_ptr<lottie::LottieAnimationLayer> host(
        std::shared_ptr<const lottie::LottieAnimation> animation,
        lottie::RenderingEngineOption engine = lottie::RenderingEngineOption::mainThread(),
        lottie::ReducedMotionOption reducedMotion = lottie::ReducedMotionOption::standardMotion());
    // Moves the clock, draws a frame and runs what the main run loop holds.
    void advance(double seconds);
    static void drain();

    std::shared_ptr<platform::compositor::ManualClock> clock;
    std::unique_ptr<platform::compositor::DisplayLink> displayLink;
    LogRecorder log;
};

// The Core Animation engine's root layer, as far as the animation layer sees it:
// it keeps the frame and the pending configuration and answers "playing" from its
// own state.
class FakeCoreAnimationLayer final : public lottie::CoreAnimationRootLayer {
public:
    double currentFrame() const override { return frame_; }
    void setCurrentFrame(double frame) override {
        frame_ = frame;
        playing_ = false;
    }
    double renderScale() const override { return 1; }
    void setRenderScale(double) override {}
    bool respectAnimationFrameRate() const override { return false; }
    void setRespectAnimationFrameRate(bool) override {}
    std::vector<std::shared_ptr<platform::compositor::Layer>> allAnimationLayers() const override { return {}; }
    std::shared_ptr<lottie::AnimationImageProvider> imageProvider() const override { return nullptr; }
    void setImageProvider(std::shared_ptr<lottie::AnimationImageProvider>) override {}
    std::shared_ptr<lottie::AnimationKeypathTextProvider> textProvider() const override { return nullptr; }
    void setTextProvider(std::shared_ptr<lottie::AnimationKeypathTextProvider>) override {}
    std::shared_ptr<lottie::AnimationFontProvider> fontProvider() const override { return nullptr; }
    void setFontProvider(std::shared_ptr<lottie::AnimationFontProvider>) override {}
    std::optional<std::string> playbackAnimationKey() const override { return "animationProgress"; }
    std::optional<bool> isAnimationPlayingIfKnown() const override { return playing_; }
    void refreshImages() override {}
    void redrawCurrentFrame() override {}
    void logAllKeypaths() override {}
    std::vector<std::string> collectAllKeypaths() override { return {}; }
    void installValueProvider(std::shared_ptr<lottie::AnyValueProvider>,
                              const lottie::AnimationKeypath& keypath) override {
        installed.push_back(keypath.fullPath());
    }
    void uninstallValueProvider(const lottie::AnimationKeypath&) override {}
    std::any valueAtKeypath(const lottie::AnimationKeypath&, std::optional<double>) override { return {}; }
    std::any unoverriddenValueAtKeypath(const lottie::AnimationKeypath&, std::optional<double>) override { return {}; }
    std::shared_ptr<platform::compositor::Layer> layerForKeypath(const lottie::AnimationKeypath&) override {
        return nullptr;
    }
    std::optional<std::vector<std::shared_ptr<lottie::AnimatorNode>>> nodesAtKeypath(
        const lottie::AnimationKeypath&) override {
        return std::nullopt;
    }

    void setPendingAnimationConfiguration(std::optional<PendingAnimationConfiguration> configuration) override {
        pending_ = std::move(configuration);
        if (pending_) {
            playing_ = pending_->playbackState.isPlaying();
            configurations.push_back(*pending_);
        }
    }
    const std::optional<PendingAnimationConfiguration>& pendingAnimationConfiguration() const override {
        return pending_;
    }
    // What the engine does when it applies a new configuration: the old request's
    // delegate hears that it stopped unfinished.
    void applyPending() {
        if (applied_ && applied_->animationConfiguration.animationContext.closure) {
            applied_->animationConfiguration.animationContext.closure->animationDidStop(nullptr, false);
        }
        applied_ = pending_;
    }
    void finishApplied() {
        if (applied_) applied_->animationConfiguration.animationContext.closure->animationDidStop(nullptr, true);
        playing_ = false;
    }

    std::vector<PendingAnimationConfiguration> configurations;
    std::vector<std::string> installed;

private:
    double frame_ = 0;
    bool playing_ = false;
    std::optional<PendingAnimationConfiguration> pending_;
    std::optional<PendingAnimationConfiguration> applied_;
};

// Installs a maker of FakeCoreAnimationLayer (or one that throws) for as long as it lives.
class FakeCoreAnimationEngine {
public:
    enum class Behaviour { build, compatibilityIssue, unexpectedError };

    explicit FakeCoreAnimationEngine(Behaviour behaviour = Behaviour::build);
    ~FakeCoreAnimationEngine();
    FakeCoreAnimationEngine(const FakeCoreAnimationEngine&) = delete;
    FakeCoreAnimationEngine& operator=(const FakeCoreAnimationEngine&) = delete;

    Behaviour behaviour;
    std::vector<std::shared_ptr<FakeCoreAnimationLayer>> built;
    std::vector<lottie::CompatibilityTracker::Mode> trackerModes;
};

}  // namespace playbacktest
