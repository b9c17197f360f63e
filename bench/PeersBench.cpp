// Side by side with a peer renderer of the format (rlottie, linked by this
// benchmark only): for every JSON animation of the shared corpus that both load,
// the time to load the document and to render a frame at 512x512, each renderer
// in turn within one iteration so that both see the same machine load. Ours
// renders through the frame tool's renderer, as a user of the library would.
// After the runs it prints each document's ratios (ours / peer) and their medians.
#include <benchmark/benchmark.h>

#include <rlottie.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

constexpr int side = 512;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Ratios {
    double load = 0;
    double render = 0;
};

// The last measured ratios of each document, printed after the runs.
std::map<std::string, Ratios>& results() {
    static std::map<std::string, Ratios> ratios;
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

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::shared_ptr<const lottie::LottieAnimation> decode(const std::string& json) {
    try {
        return lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
    } catch (const std::exception&) {
        return nullptr;
    }
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
        benchmark::DoNotOptimize(rlottie::Animation::loadFromData(json, name, "", false));
        peer += millisecondsSince(start);
    }
    report(state, ours, peer, results()[name].load);
}

// One frame of each renderer per iteration, stepping through the animation; the
// peer draws into one buffer kept across frames, as its callers do.
void renderBoth(benchmark::State& state, const std::string& name, const std::string& json,
                const std::filesystem::path& folder) {
    auto animation = decode(json);
    auto peer = rlottie::Animation::loadFromData(json, name, folder.string(), false);
    if (!animation || !peer || peer->totalFrame() == 0) {
        state.SkipWithError("not loaded by both renderers");
        return;
    }
    lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt,
                                         lottie::RenderingEngineOption::mainThread(), folder);
    std::vector<std::uint32_t> buffer(side * side);
    const double frames = std::max(1.0, animation->endFrame - animation->startFrame);
    double oursTime = 0, peerTime = 0;
    std::size_t index = 0;
    for (auto _ : state) {
        const double step = static_cast<double>(index++ % static_cast<std::size_t>(frames));
        auto start = Clock::now();
        benchmark::DoNotOptimize(renderer.render(animation->startFrame + step));
        oursTime += millisecondsSince(start);
        start = Clock::now();
        peer->renderSync(static_cast<std::size_t>(step) % peer->totalFrame(),
                         rlottie::Surface(buffer.data(), side, side, side * 4));
        benchmark::DoNotOptimize(buffer.data());
        peerTime += millisecondsSince(start);
    }
    report(state, oursTime, peerTime, results()[name].render);
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void registerCorpus() {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(PELLOR_CORPUS_DIR, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (error) break;
        if (it->path().extension() == ".json") files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        const std::string json = readFile(path);
        const std::string name = std::filesystem::relative(path, PELLOR_CORPUS_DIR).string();
        if (!decode(json) || !rlottie::Animation::loadFromData(json, name, "", false)) continue;
        benchmark::RegisterBenchmark(("load/" + name).c_str(), loadBoth, name, json)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("render/" + name).c_str(), renderBoth, name, json, path.parent_path())
            ->Unit(benchmark::kMillisecond);
    }
}

void printSummary() {
    std::vector<double> loads, renders;
    std::printf("\n%-66s %8s %8s\n", "document", "load", "render");
    for (const auto& [name, ratios] : results()) {
        std::printf("%-66s %8.2f %8.2f\n", name.c_str(), ratios.load, ratios.render);
        if (ratios.load > 0) loads.push_back(ratios.load);
        if (ratios.render > 0) renders.push_back(ratios.render);
    }
    std::printf("median ratio (ours / peer) over %zu documents: load %.2f, render %.2f\n", renders.size(),
                median(loads), median(renders));
}

}  // namespace

int main(int argc, char** argv) {
    rlottie::configureModelCacheSize(0);
    registerCorpus();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
