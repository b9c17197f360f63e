// Per-frame cost of the main-thread engine on two real animations of the corpus:
// the whole frame at 512x512 (node graph update and compositor drawing), and the
// node graph update alone (the display pass, no drawing); and of a hostile
// document, a star of many points rounded by 1,000 %.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Lottie/MainThread/MainThreadAnimationLayer.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"

namespace {

// The format community's logo (shapes in groups, strokes and fills) and a precomposition of
// many moving stars.
const char* const logoFile = "logo.json";
const char* const starsFile = "star-splosion.json";

// The corpus file of that name, wherever it lies in the corpus.
std::filesystem::path corpusFile(const char* name) {
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(PELLOR_CORPUS_DIR, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (error) break;
        if (it->path().filename() == name) return it->path();
    }
    return {};
}

std::shared_ptr<const lottie::LottieAnimation> load(const char* name) {
    std::ifstream in(corpusFile(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    try {
        return lottie::LottieAnimation::fromData(text.str(), lottie::DecodingStrategy::dictionaryBased);
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::shared_ptr<lottie::MainThreadAnimationLayer> makeRoot(const std::shared_ptr<const lottie::LottieAnimation>& animation) {
    auto root = lottie::MainThreadAnimationLayer::make(animation, nullptr, nullptr, nullptr, false, nullptr);
    root->setAnchorPoint({0, 0});
    root->setPosition({0, 0});
    root->setTransform(platform::graphics::Transform3D::makeScale(512 / animation->width, 512 / animation->height, 1));
    return root;
}

void renderFrames(benchmark::State& state, const std::shared_ptr<const lottie::LottieAnimation>& animation) {
    auto root = makeRoot(animation);
    double frame = animation->startFrame;
    for (auto _ : state) {
        auto context = platform::graphics::GraphicsContext::makeBitmap(512, 512);
        root->setCurrentFrame(frame);
        platform::compositor::render(root, 0, *context);
        benchmark::DoNotOptimize(context->makeImage());
        frame = frame + 1 > animation->endFrame ? animation->startFrame : frame + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

void renderFrames(benchmark::State& state, const char* file) {
    auto animation = load(file);
    if (!animation) {
        state.SkipWithError("corpus file missing");
        return;
    }
    renderFrames(state, animation);
}

void updateFrames(benchmark::State& state, const char* file) {
    auto animation = load(file);
    if (!animation) {
        state.SkipWithError("corpus file missing");
        return;
    }
    auto root = makeRoot(animation);
    double frame = animation->startFrame;
    for (auto _ : state) {
        root->setCurrentFrame(frame);
        root->display();
        frame = frame + 1 > animation->endFrame ? animation->startFrame : frame + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_RenderLogo(benchmark::State& state) { renderFrames(state, logoFile); }
void BM_RenderStars(benchmark::State& state) { renderFrames(state, starsFile); }
void BM_UpdateLogo(benchmark::State& state) { updateFrames(state, logoFile); }
void BM_UpdateStars(benchmark::State& state) { updateFrames(state, starsFile); }

void BM_BuildStars(benchmark::State& state) {
    auto animation = load(starsFile);
    if (!animation) {
        state.SkipWithError("corpus file missing");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(makeRoot(animation));
}

// A filled and stroked star rounded by the most the path builders keep
// (1,000 %), of 5, 500 and 5,000 points: the more points, the more its curves
// cross one another, and the frame's work budget bounds what drawing it costs.
void BM_RenderRoundedStar(benchmark::State& state) {
    const std::string json =
        R"({"v":"5.7.0","fr":30,"ip":0,"op":2,"w":512,"h":512,"layers":[{"ty":4,"nm":"Star","ind":1,"ip":0,)"
        R"("op":2,"st":0,"ks":{},"shapes":[{"ty":"sr","sy":1,"p":{"a":0,"k":[256,256]},"or":{"a":0,"k":200},)"
        R"("ir":{"a":0,"k":100},"os":{"a":0,"k":1000},"is":{"a":0,"k":1000},"pt":{"a":0,"k":)" +
        std::to_string(state.range(0)) +
        R"(},"r":{"a":0,"k":0}},{"ty":"fl","c":{"a":0,"k":[0.9,0.2,0.1,1]},"o":{"a":0,"k":100}},)"
        R"({"ty":"st","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":8},"lc":2,"lj":2}]}]})";
    renderFrames(state, lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased));
}

}  // namespace

BENCHMARK(BM_RenderRoundedStar)->Arg(5)->Arg(500)->Arg(5'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderLogo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderStars)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateLogo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateStars)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildStars)->Unit(benchmark::kMicrosecond);
