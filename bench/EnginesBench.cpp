// Both rendering engines over the corpus: the set-up of each document (decoded
// beforehand), where the Core Animation engine pays for building its layer tree,
// and the time to draw one frame of an animation that is playing, where that
// engine only composites. Each document gets its own row per engine; run with
// --benchmark_repetitions and the median aggregates to compare. A document of
// translucent gradients (the "translucent-gradients" rows) shows what the
// gradients' opacity stops and opacities cost each engine; the "structure/"
// and "export/" rows are documents built as real exports are (see
// StructureDocumentsJson.h). The playing rows count the minor page faults per
// frame once the animation has played through (60 frames at the most): a
// steady state should make no buffer anew.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <sys/resource.h>

#include "Lottie/Model/LottieAnimation.h"
#include "bench/CorpusJson.h"
#include "bench/StructureDocumentsJson.h"
#include "bench/TranslucentGradientsJson.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/LottieAnimationLayer.h"
#include "Platform/Compositor/DisplayLink.h"
#include "Platform/Compositor/ManualClock.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"

namespace {

constexpr int pictureSide = 256;
// The most frames drawn before a playing row starts to count (see playingFrame).
constexpr double maximumWarmUpFrames = 60;

std::vector<std::pair<std::string, std::shared_ptr<const lottie::LottieAnimation>>> corpusAnimations() {
    std::vector<std::pair<std::string, std::shared_ptr<const lottie::LottieAnimation>>> animations;
    for (const auto& [file, text] : pellorbench::corpusJson()) {
        try {
            auto animation = lottie::LottieAnimation::fromData(text, lottie::DecodingStrategy::dictionaryBased);
            if (animation && animation->width > 0 && animation->height > 0 && animation->framerate > 0) {
                // The folder keeps apart documents of the same name.
                animations.emplace_back(file.parent_path().filename().string() + "/" + file.stem().string(),
                                        std::move(animation));
            }
        } catch (const std::exception&) {
        }
    }
    animations.emplace_back("translucent-gradients",
                            lottie::LottieAnimation::fromData(pellorbench::translucentGradientsJson(),
                                                              lottie::DecodingStrategy::dictionaryBased));
    for (const auto& [name, text] : pellorbench::structureDocumentsJson()) {
        animations.emplace_back(name, lottie::LottieAnimation::fromData(text, lottie::DecodingStrategy::dictionaryBased));
    }
    return animations;
}

lottie::RenderingEngineOption engineOf(int index) {
    return index == 0 ? lottie::RenderingEngineOption::mainThread() : lottie::RenderingEngineOption::coreAnimation();
}

void setUp(benchmark::State& state, const std::shared_ptr<const lottie::LottieAnimation>& animation, int engine) {
    for (auto _ : state) {
        auto layer = lottie::LottieAnimationLayer::make(animation, nullptr, nullptr, nullptr,
                                                        lottie::LottieConfiguration(engineOf(engine)));
        benchmark::DoNotOptimize(layer->renderingLayer());
    }
}

long minorFaultsSoFar() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// One frame of a playing animation, a frame period apart each time.
void playingFrame(benchmark::State& state, const std::shared_ptr<const lottie::LottieAnimation>& animation,
                  int engine) {
    auto clock = std::make_shared<platform::compositor::ManualClock>(100);
    platform::compositor::MediaClock::install(clock);
    auto layer = lottie::LottieAnimationLayer::make(animation, nullptr, nullptr, nullptr,
                                                    lottie::LottieConfiguration(engineOf(engine)));
    layer->setLoopMode(lottie::LottieLoopMode::loop());
    layer->play();
    // The display link does what a host does each display frame: it advances the
    // animations, lays out and displays what needs it.
    platform::compositor::DisplayLink link(layer);
    const double scale = pictureSide / std::max(animation->width, animation->height);
    const auto drawNextFrame = [&] {
        clock->advance(1 / animation->framerate);
        link.tick();
        auto context = platform::graphics::GraphicsContext::makeBitmap(pictureSide, pictureSide);
        context->scaleBy(scale, scale);
        platform::compositor::render(layer, clock->now(), *context);
        benchmark::DoNotOptimize(context);
    };
    // The first time through the animation fills the pools, caches and heap
    // that the steady state reuses, as the frame tool's timed pass comes after
    // an untimed one: what it costs is the view's start, not its frame.
    const double warmUpFrames = std::min(animation->endFrame - animation->startFrame, maximumWarmUpFrames);
    for (int frame = 0; frame < warmUpFrames; ++frame) drawNextFrame();
    const long faultsBefore = minorFaultsSoFar();
    for (auto _ : state) drawNextFrame();
    state.counters["faults/frame"] = benchmark::Counter(static_cast<double>(minorFaultsSoFar() - faultsBefore),
                                                        benchmark::Counter::kAvgIterations);
    platform::compositor::MediaClock::install(nullptr);
}

const bool registered = [] {
    for (const auto& [name, animation] : corpusAnimations()) {
        for (int engine : {0, 1}) {
            const std::string suffix = std::string(engine == 0 ? "/main-thread/" : "/core-animation/") + name;
            benchmark::RegisterBenchmark(("SetUp" + suffix).c_str(), setUp, animation, engine);
            benchmark::RegisterBenchmark(("PlayingFrame" + suffix).c_str(), playingFrame, animation, engine);
        }
    }
    return true;
}();

}  // namespace
