// Side by side with a peer renderer of the format (rlottie, linked by this
// benchmark only): for every JSON animation of the shared corpus, of the
// real-world documents beside it and of the structure documents under
// bench/documents/structures that both load, the time to load the document and
// to render a frame at 512x512, ours on the main-thread engine and on the
// automatic option (the default) and the peer's, ours and the peer's in turn
// within one iteration so that both see the same machine load, over every
// frame of the animation (framesTimed). Ours renders through the
// frame tool's renderer, as a user of the library would; each engine of ours
// in a run of its own beside the peer (render/ and render-automatic/). After the runs it
// prints each document's frame times and ratios, their summaries over every
// set of documents (PeersReport.h), and why each document outside the
// same-feature set is left out of it.
//
// `bench_peers --memory` measures peak resident memory instead, and the cost of
// each extra view of a shared document (PeersMemory.h); its children come back
// here with `--memory-child RENDERER FILE`.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "bench/PeerRenderer.h"
#include "bench/PeersCorpus.h"
#include "bench/PeersMemory.h"
#include "bench/PeersReport.h"
#include "bench/SharedViewsMemory.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using peersbench::PeerRenderer;

constexpr int side = 512;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of every thread of the process so far, in milliseconds.
double processorMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

peersbench::RatiosByDocument& results() {
    static peersbench::RatiosByDocument ratios;
    return ratios;
}

// Reports the mean milliseconds of each renderer over the run and keeps their ratio.
void report(benchmark::State& state, double ours, double peer, double& ratio) {
    const double n = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = ours / n;
    state.counters["peer_ms"] = peer / n;
    state.counters["ratio"] = ours / peer;
    ratio = ours / peer;
}

// Reports the mean frame time of one engine of ours and of the peer beside it.
void report(benchmark::State& state, double ours, double peer, double& oursMs, double& peerMs) {
    const double n = static_cast<double>(state.iterations());
    oursMs = ours / n;
    peerMs = peer / n;
    state.counters["ours_ms"] = oursMs;
    state.counters["peer_ms"] = peerMs;
    state.counters["ratio"] = oursMs / peerMs;
}

std::shared_ptr<const lottie::LottieAnimation> decode(const std::string& json) {
    try {
        return lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
    } catch (const std::exception&) {
        return nullptr;
    }
}

// Null when the animation has nothing to draw.
std::unique_ptr<lottieframes::FrameRenderer> makeRenderer(
    std::shared_ptr<const lottie::LottieAnimation> animation, const std::filesystem::path& folder,
    lottie::RenderingEngineOption engine = lottie::RenderingEngineOption::mainThread()) {
    try {
        return std::make_unique<lottieframes::FrameRenderer>(std::move(animation), side, side, std::nullopt, engine,
                                                             folder);
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::size_t frameCount(const lottie::LottieAnimation& animation) {
    return static_cast<std::size_t>(std::max(1.0, animation.endFrame - animation.startFrame));
}

// The frames each run of a document draws: every frame of the animation, in
// as many whole passes as make at least this many. Both runs of a document
// (each engine of ours) and the peer beside them draw the same frames, so
// that their times compare even where frames differ in cost along the
// animation, as a timed run that stops where the clock says would not.
constexpr std::size_t minimumFramesTimed = 60;

benchmark::IterationCount framesTimed(const lottie::LottieAnimation& animation) {
    const std::size_t frames = frameCount(animation);
    const std::size_t passes = (minimumFramesTimed + frames - 1) / frames;
    return static_cast<benchmark::IterationCount>(passes * frames);
}

// Both loads of one document, timed alternately; the peer's model cache is off,
// so each of its loads parses the document again.
void loadBoth(benchmark::State& state, const std::string& name, const std::string& json) {
    double ours = 0, peer = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        benchmark::DoNotOptimize(decode(json));
        ours += millisecondsSince(start);
        start = Clock::now();
        benchmark::DoNotOptimize(PeerRenderer::load(json, name, ""));
        peer += millisecondsSince(start);
    }
    report(state, ours, peer, results()[name].load);
}

// One frame of ours on one engine and one of the peer per iteration,
// stepping through the animation; the peer draws into one buffer kept across
// frames, as its callers do. Each engine has a run of its own: the pictures
// that the renderer keeps of unchanged contents share one bound in a process,
// and a second renderer drawing in turn would find it spent by the first.
void renderWith(benchmark::State& state, const std::string& name, const std::string& json,
                const std::filesystem::path& folder, bool automatic) {
    auto animation = decode(json);
    auto renderer = animation ? makeRenderer(animation, folder,
                                             automatic ? lottie::RenderingEngineOption::automatic()
                                                       : lottie::RenderingEngineOption::mainThread())
                              : nullptr;
    auto peer = PeerRenderer::load(json, name, folder.string());
    if (!renderer || !peer) {
        state.SkipWithError("not loaded by both renderers");
        return;
    }
    // Each engine is set up before the frames are timed, as the peer is by its
    // load: the main-thread engine builds its tree as the renderer is made, the
    // Core Animation engine sets its animations up in its first display pass.
    // A frame then costs what a playing view pays for one, as the frame tool's
    // benchmark counts it.
    renderer->animationLayer()->pauseAt(lottie::LottiePlaybackMode::PausedState::frame(animation->startFrame));
    renderer->settleEngine();
    std::vector<std::uint32_t> buffer(side * side);
    const std::size_t frames = frameCount(*animation);
    double oursTime = 0, peerTime = 0, oursProcessor = 0, peerProcessor = 0;
    std::size_t index = 0;
    for (auto _ : state) {
        const std::size_t step = index++ % frames;
        double processor = processorMilliseconds();
        auto start = Clock::now();
        benchmark::DoNotOptimize(renderer->render(animation->startFrame + static_cast<double>(step)));
        oursTime += millisecondsSince(start);
        oursProcessor += processorMilliseconds() - processor;
        processor = processorMilliseconds();
        start = Clock::now();
        peer->render(step, buffer.data(), side);
        benchmark::DoNotOptimize(buffer.data());
        peerTime += millisecondsSince(start);
        peerProcessor += processorMilliseconds() - processor;
    }
    auto& result = results()[name];
    if (automatic) {
        report(state, oursTime, peerTime, result.frame.automatic, result.frame.peerBesideAutomatic);
        result.fellBack = renderer->activeEngine() != lottie::RenderingEngine::coreAnimation;
    } else {
        report(state, oursTime, peerTime, result.frame.mainThread, result.frame.peer);
        const double n = static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
        result.frame.mainThreadProcessor = oursProcessor / n;
        result.frame.peerProcessor = peerProcessor / n;
        state.counters["ours_cpu_ms"] = result.frame.mainThreadProcessor;
        state.counters["peer_cpu_ms"] = result.frame.peerProcessor;
        result.render = result.frame.mainThread / result.frame.peer;
    }
}

// Registers both measurements of every document that both renderers load; the
// others are left out of the same-feature set, saying which renderer refused.
void registerCorpus(std::vector<peersbench::CorpusDocument>& documents) {
    for (auto& document : documents) {
        const std::string json = peersbench::readFile(document.path);
        const auto animation = decode(json);
        const bool oursLoads = animation && makeRenderer(animation, document.path.parent_path());
        const bool peerLoads = PeerRenderer::load(json, document.name, "") != nullptr;
        if (!oursLoads) document.leftOut.emplace_back("not loaded by ours");
        if (!peerLoads) document.leftOut.emplace_back("not loaded by the peer");
        if (!oursLoads || !peerLoads) continue;
        benchmark::RegisterBenchmark(("load/" + document.name).c_str(), loadBoth, document.name, json)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("render/" + document.name).c_str(), renderWith, document.name, json,
                                     document.path.parent_path(), false)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(framesTimed(*animation));
        benchmark::RegisterBenchmark(("render-automatic/" + document.name).c_str(), renderWith, document.name, json,
                                     document.path.parent_path(), true)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(framesTimed(*animation));
    }
}

// A memory child: loads the document with one renderer and renders each of its
// frames once, so that its process's peak is that renderer's. "idle" does
// nothing, for the baseline of the program itself. Exits 1 when the renderer
// does not load the document.
int renderEveryFrame(const std::string& rendererName, const std::filesystem::path& path) {
    if (rendererName == "idle") return 0;
    if (peersbench::isSharedViewsRenderer(rendererName)) return peersbench::measureSharedViews(rendererName, path);
    const std::string json = peersbench::readFile(path);
    if (rendererName == "ours") {
        const auto animation = decode(json);
        const auto renderer = animation ? makeRenderer(animation, path.parent_path()) : nullptr;
        if (!renderer) return 1;
        for (std::size_t step = 0; step < frameCount(*animation); ++step) {
            benchmark::DoNotOptimize(renderer->render(animation->startFrame + static_cast<double>(step)));
        }
        return 0;
    }
    if (rendererName == "peer") {
        const auto peer = PeerRenderer::load(json, path.string(), path.parent_path().string());
        if (!peer) return 1;
        std::vector<std::uint32_t> buffer(side * side);
        for (std::size_t frame = 0; frame < peer->frameCount(); ++frame) {
            peer->render(frame, buffer.data(), side);
            benchmark::DoNotOptimize(buffer.data());
        }
        return 0;
    }
    std::fprintf(stderr, "bench_peers: unknown renderer %s\n", rendererName.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    PeerRenderer::disableModelCache();
    if (argc == 4 && std::strcmp(argv[1], peersbench::memoryChildArgument) == 0) {
        // Leave without tearing anything down: the pages that the libraries'
        // exit handlers touch would otherwise count into the idle child's peak
        // and not into the others', which peak while they render.
        const int status = renderEveryFrame(argv[2], argv[3]);
        std::fflush(nullptr);
        _exit(status);
    }
    auto documents = peersbench::corpusDocuments();
    if (argc == 2 && std::strcmp(argv[1], "--memory") == 0) {
        peersbench::measureMemory(documents);
        return 0;
    }
    registerCorpus(documents);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    peersbench::printTimingSummary(documents, results());
    return 0;
}
