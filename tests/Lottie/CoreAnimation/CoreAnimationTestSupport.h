#pragma once
// Shared by the Core Animation engine's tests: documents without layers, a
// logger that keeps every message (information included) and trackers that log
// there, root layers and root animation contexts, plain keyframes, shape items
// decoded from JSON, a fixture with a manual media clock, and one that plays a
// document of a hundred frames whole.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Values/Keyframe.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/ManualClock.h"
#include "Platform/Compositor/MediaClock.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

namespace coreanimationtest {

inline std::shared_ptr<const lottie::LottieAnimation> emptyAnimation(double startFrame, double endFrame,
                                                                     double framerate, const std::string& layers = "") {
    std::ostringstream json;
    json << R"({"v":"5.7.0","fr":)" << framerate << R"(,"ip":)" << startFrame << R"(,"op":)" << endFrame
         << R"(,"w":100,"h":100,"layers":[)" << layers << "]}";
    return lottie::LottieAnimation::fromData(json.str(), lottie::DecodingStrategy::dictionaryBased);
}

// Keeps what each of the four handlers is told, in order.
struct MessageLog {
    std::vector<std::string> failedAssertions;
    std::vector<std::string> assertionFailures;
    std::vector<std::string> warnings;
    std::vector<std::string> infos;

    std::shared_ptr<lottie::LottieLogger> logger() {
        return std::make_shared<lottie::LottieLogger>(
            [this](const auto& condition, const auto& message, std::string_view, unsigned) {
                if (!condition()) failedAssertions.push_back(message());
            },
            [this](const auto& message, std::string_view, unsigned) { assertionFailures.push_back(message()); },
            [this](const auto& message, std::string_view, unsigned) { warnings.push_back(message()); },
            [this](const auto& message) { infos.push_back(message()); });
    }

    // A compatibility tracker in `mode` whose messages land here.
    std::shared_ptr<lottie::CompatibilityTracker> tracker(
        lottie::CompatibilityTracker::Mode mode = lottie::CompatibilityTracker::Mode::track) {
        return std::make_shared<lottie::CompatibilityTracker>(mode, logger());
    }
};

// The root layer the animation layer makes for `animation`, masked to its bounds,
// reporting to `tracker` and logging into `log`.
inline std::shared_ptr<lottie::CoreAnimationLayer> rootLayer(
    std::shared_ptr<const lottie::LottieAnimation> animation, std::shared_ptr<lottie::CompatibilityTracker> tracker,
    MessageLog& log, std::shared_ptr<lottie::AnimationKeypathTextProvider> textProvider = nullptr) {
    return lottie::CoreAnimationLayer::make(
        {std::move(animation), nullptr, std::move(textProvider), nullptr, true, std::move(tracker), log.logger()});
}

// The context the root layer makes for a play request from `from` to `to`.
inline lottie::LayerAnimationContext rootContext(std::shared_ptr<const lottie::LottieAnimation> animation,
                                                 std::shared_ptr<lottie::LottieLogger> logger, double from, double to,
                                                 float speed = 1,
                                                 lottie::CompatibilityTracker::Mode mode =
                                                     lottie::CompatibilityTracker::Mode::track) {
    lottie::LayerAnimationContext context;
    context.animation = std::move(animation);
    context.timingConfiguration = {false, 1, speed, 0};
    context.startFrame = from;
    context.endFrame = to;
    context.valueProviderStore = std::make_shared<lottie::ValueProviderStore>(logger);
    context.tracker = std::make_shared<lottie::CompatibilityTracker>(mode, logger);
    context.logger = logger;
    context.loggingState = std::make_shared<lottie::LoggingState>();
    return context;
}

// What a layer presents for a key path at a frame of a play request from `from`
// to `to` whose animations were added at media time `addedAt` (at speed 1).
inline std::optional<platform::compositor::AnimatableValue> presentedAtFrame(const platform::compositor::Layer& layer,
                                                                             const std::string& keyPath,
                                                                             double framerate, double from, double to,
                                                                             double frame, double addedAt) {
    const double seconds = (to >= from ? frame - from : from - frame) / framerate;
    return layer.presentedValue(keyPath, addedAt + seconds);
}

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override { platform::compositor::MediaClock::install(clock); }
    void TearDown() override { platform::compositor::MediaClock::install(nullptr); }

    std::shared_ptr<platform::compositor::ManualClock> clock = std::make_shared<platform::compositor::ManualClock>(500);
    MessageLog log;
};

// A test of animations over a document of frames 0 to 100 at 10 frames per
// second, played whole from the moment they are added.
class HundredFrameTest : public ClockTest {
protected:
    static constexpr double framerate = 10;

    // The root context of a request over the whole document.
    lottie::LayerAnimationContext wholeDocument(
        float speed = 1, lottie::CompatibilityTracker::Mode mode = lottie::CompatibilityTracker::Mode::track) {
        return rootContext(animation, log.logger(), 0, 100, speed, mode);
    }
    // What `layer` presents for `keyPath` at `frame` of that request.
    std::optional<platform::compositor::AnimatableValue> presentedAt(const platform::compositor::Layer& layer,
                                                                     const std::string& keyPath, double frame) const {
        return presentedAtFrame(layer, keyPath, framerate, 0, 100, frame, clock->now());
    }

    std::shared_ptr<const lottie::LottieAnimation> animation = emptyAnimation(0, 100, framerate);
};

// An interpolated keyframe at `time` without easing or spatial tangents.
template <class T>
lottie::Keyframe<T> keyframeAt(T value, double time) {
    return lottie::Keyframe<T>(std::move(value), time, false, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
}

// The shape item of class T that `json` decodes to; fails the test, naming the
// JSON, when it decodes to none or to another class.
template <class T>
std::shared_ptr<const T> decodedItem(const std::string& json) {
    SCOPED_TRACE(json);
    return shapetests::as<T>(shapetests::byDictionary(json));
}

}  // namespace coreanimationtest
