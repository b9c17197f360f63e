#pragma once
// Shared by the compositor tests: a fixture that installs a manual media clock
// and drives the main run loop by hand, and a delegate that records what it hears.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Platform/Compositor/AnimationDelegate.h"
#include "Platform/Compositor/ManualClock.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Foundation/MainRunLoop.h"

namespace compositortest {

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
