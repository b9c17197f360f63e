#include "tests/Lottie/Playback/PlaybackTestSupport.h"

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"

#include <sstream>
#include <stdexcept>
#include <thread>

#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Foundation/MainRunLoop.h"

namespace playbacktest {

std::string document(double startFrame, double endFrame) {
    std::ostringstream json;
    json << R"({"v":"5.7.0","fr":10,"ip":)" << startFrame << R"(,"op":)" << endFrame
         << R"(,"w":100,"h":100,"layers":[{"ty":4,"nm":"Box","ind":1,"ip":-1000,"op":1000,"st":0,"ks":{},)"
         << R"("shapes":[{"ty":"rc","nm":"Rect","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[40,40]},"r":{"a":0,"k":0}},)"
         << R"({"ty":"fl","nm":"Fill","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"r":1}]}])"
         << R"(,"markers":[{"cm":"a","tm":10,"dr":20},{"cm":"b","tm":40,"dr":10},)"
         << R"({"cm":"Reduced Motion","tm":50,"dr":5}]})";
    return json.str();
}

std::shared_ptr<const lottie::LottieAnimation> animation(double startFrame, double endFrame) {
    const std::string json = document(startFrame, endFrame);
    return lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
}

void PlaybackTest::SetUp() {
    platform::foundation::MainRunLoop::shared().setMainThread(std::this_thread::get_id());
    drain();
    clock = std::make_shared<platform::compositor::ManualClock>(500.0);
    platform::compositor::MediaClock::install(clock);
    // These tests choose the Core Animation engine they drive: none (the
    // automatic choice falls back at once), a stand-in, or the library's own.
    lottie::CoreAnimationLayerFactory::install(nullptr);
}

void PlaybackTest::TearDown() {
    displayLink.reset();
    drain();
    platform::compositor::MediaClock::install(nullptr);
    lottie::CoreAnimationLayer::install();
}

std::shared_ptr<lottie::LottieAnimationLayer> PlaybackTest::host(
    std::shared_ptr<const lottie::LottieAnimation> animation, lottie::RenderingEngineOption engine,
    lottie::ReducedMotionOption reducedMotion) {
    lottie::LottieConfiguration configuration(engine);
    configuration.reducedMotionOption = std::move(reducedMotion);
    auto layer = lottie::LottieAnimationLayer::make(std::move(animation), nullptr, nullptr, nullptr, configuration,
                                                    log.logger());
    displayLink = std::make_unique<platform::compositor::DisplayLink>(layer);
    displayLink->tick();
    drain();
    return layer;
}

void PlaybackTest::advance(double seconds) {
    clock->advance(seconds);
    if (displayLink) displayLink->tick();
    drain();
}

void PlaybackTest::drain() { platform::foundation::MainRunLoop::shared().drain(); }

FakeCoreAnimationEngine::FakeCoreAnimationEngine(Behaviour behaviour) : behaviour(behaviour) {
    lottie::CoreAnimationLayerFactory::install([this](const lottie::CoreAnimationLayerRequest& request) {
        trackerModes.push_back(request.compatibilityTracker->mode());
        switch (this->behaviour) {
            case Behaviour::compatibilityIssue:
                request.compatibilityTracker->report({"Unsupported feature", "Layer \"Box\""});
                break;
            case Behaviour::unexpectedError: throw std::runtime_error("set-up failed");
            case Behaviour::build: break;
        }
        auto layer = std::make_shared<FakeCoreAnimationLayer>();
        built.push_back(layer);
        return layer;
    });
}

FakeCoreAnimationEngine::~FakeCoreAnimationEngine() { lottie::CoreAnimationLayerFactory::install(nullptr); }

}  // namespace playbacktest
