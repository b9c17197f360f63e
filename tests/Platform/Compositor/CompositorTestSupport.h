#pragma once
// Shared by the compositor tests: a fixture that installs a manual media clock
// and drives the main run loop by hand, a delegate that records what it hears,
// a basic animation in one call, and a comparison of points.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Compositor/AnimationDelegate.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/ManualClock.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Point.h"

namespace compositortest {

inline std::shared_ptr<platform::compositor::BasicAnimation> basicAnimation(
    std::string keyPath, platform::compositor::AnimatableValue from, platform::compositor::AnimatableValue to,
    double duration) {
    auto animation = platform::compositor::BasicAnimation::make(std::move(keyPath));
    animation->setFromValue(std::move(from));
    animation->setToValue(std::move(to));
    animation->setDuration(duration);
    return animation;
}

// Straight segments through the points, as one open subpath.
inline platform::graphics::Path polyline(std::initializer_list<platform::graphics::Point> points) {
    platform::graphics::Path path;
    for (const platform::graphics::Point& point : points) {
        path.isEmpty() ? path.moveTo(point) : path.lineTo(point);
    }
    return path;
}

inline void expectNear(platform::graphics::Point actual, platform::graphics::Point expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

class CompositorTest : public ::testing::Test {
protected:
    void SetUp() override {
        drain();
        clock = std::make_shared<platform::compositor::ManualClock>(1000.0);
        platform::compositor::MediaClock::install(clock);
    }
    void TearDown() override {
        drain();
        platform::compositor::MediaClock::install(nullptr);
    }

    static std::size_t drain() { return platform::foundation::MainRunLoop::shared().drain().itemsRun; }

    std::shared_ptr<platform::compositor::ManualClock> clock;
};

// Records "start" and "stop finished"/"stop unfinished" in the order heard.
class RecordingDelegate : public platform::compositor::AnimationDelegate {
public:
    void animationDidStart(const std::shared_ptr<const platform::compositor::Animation>&) override {
        events.push_back("start");
    }
    void animationDidStop(const std::shared_ptr<const platform::compositor::Animation>&, bool finished) override {
        events.push_back(finished ? "stop finished" : "stop unfinished");
    }

    std::vector<std::string> events;
};

}  // namespace compositortest
