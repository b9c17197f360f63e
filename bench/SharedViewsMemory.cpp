#include "bench/SharedViewsMemory.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "Lottie/Playback/Cache/DefaultAnimationCache.h"
#include "bench/ChildPeakMemory.h"
#include "bench/PeerRenderer.h"
#include "bench/PeersCorpus.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace peersbench {

namespace {

constexpr int viewSide = 32;

// Resident memory once the allocator has handed back the pages that the
// previous view's temporaries left free, so that both renderers are counted
// for what their views hold.
long trimmedResidentKilobytes() {
    malloc_trim(0);
    return residentKilobytes();
}

// Adds views one by one through `addView` (false when it cannot) and prints
// the two figures.
int measure(const std::function<bool()>& addView) {
    if (!addView()) return 1;
    const long first = trimmedResidentKilobytes();
    for (int view = 1; view < sharedViewCount; ++view) {
        if (!addView()) return 1;
    }
    const long all = trimmedResidentKilobytes();
    std::printf("%ld %ld\n", first, all);
    return 0;
}

// Every view asks the animation cache for the document, so that the first
// decodes it and the others share that one animation, each with its own
// animation layer.
int measureOurs(const std::filesystem::path& path, lottie::RenderingEngineOption engine) {
    const auto cache = std::make_shared<lottie::DefaultAnimationCache>();
    std::vector<std::unique_ptr<lottieframes::FrameRenderer>> views;
    return measure([&] {
        const auto animation = lottie::LottieAnimation::loadFromFilepath(path.string(), cache);
        if (!animation) return false;
        try {
            auto view = std::make_unique<lottieframes::FrameRenderer>(animation, viewSide, viewSide, std::nullopt,
                                                                      engine, path.parent_path());
            benchmark::DoNotOptimize(view->render(animation->startFrame));
            benchmark::DoNotOptimize(view->render((animation->startFrame + animation->endFrame) / 2));
            views.push_back(std::move(view));
        } catch (const std::exception&) {
            return false;
        }
        return true;
    });
}

// The peer's callers load by key with its model cache on: the first load
// parses the document and the others share its model. The views draw into
// one buffer, as ours hand their images back.
int measurePeer(const std::filesystem::path& path) {
    PeerRenderer::enableModelCache(1);
    std::vector<std::unique_ptr<PeerRenderer>> views;
    std::vector<std::uint32_t> buffer(viewSide * viewSide);
    return measure([&] {
        auto view = PeerRenderer::load(readFile(path), path.string(), path.parent_path().string(), true);
        if (!view) return false;
        view->render(0, buffer.data(), viewSide);
        view->render(view->frameCount() / 2, buffer.data(), viewSide);
        benchmark::DoNotOptimize(buffer.data());
        views.push_back(std::move(view));
        return true;
    });
}

}  // namespace

bool isSharedViewsRenderer(const std::string& rendererName) {
    return rendererName == sharedViewsMainThread || rendererName == sharedViewsAutomatic ||
           rendererName == sharedViewsPeer;
}

int measureSharedViews(const std::string& rendererName, const std::filesystem::path& path) {
    if (rendererName == sharedViewsMainThread) return measureOurs(path, lottie::RenderingEngineOption::mainThread());
    if (rendererName == sharedViewsAutomatic) return measureOurs(path, lottie::RenderingEngineOption::automatic());
    if (rendererName == sharedViewsPeer) return measurePeer(path);
    std::fprintf(stderr, "bench_peers: unknown renderer %s\n", rendererName.c_str());
    return 2;
}

}  // namespace peersbench
