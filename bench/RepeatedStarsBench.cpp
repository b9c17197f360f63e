// The first frame of a fireworks document on the Core Animation engine: bursts
// of a star that moves, grows and turns, repeated twelve times round each
// burst's centre. Counts the heap blocks and bytes that decoding, setting up
// and drawing the frame allocate (the "allocations" and "allocatedMB"
// counters), beside the time it takes. A moving star is sampled each tenth of
// a frame and each sample built into a path; made for every copy a repeater
// makes, that is most of what the frame allocates.

#include <benchmark/benchmark.h>

#include <string>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "bench/DocumentMemory.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

// An eased keyframe of a one-dimensional value.
std::string eased(int time, double value) {
    return R"({"t":)" + std::to_string(time) + R"(,"s":[)" + std::to_string(value) +
           R"(],"i":{"x":[0.3],"y":[1]},"o":{"x":[0.7],"y":[0]}})";
}

// Burst `index`: a star rising 120 units from (x, y) over 40 frames from
// frame 3 x index, shrinking and turning as it goes, in twelve copies 30
// degrees apart.
std::string burst(int index, int x, int y) {
    const int start = 3 * index;
    const std::string star =
        R"({"ty":"sr","nm":"Star","sy":1,"d":1,"p":{"a":1,"k":[{"t":)" + std::to_string(start) +
        R"(,"s":[0,0],"i":{"x":0.3,"y":1},"o":{"x":0.7,"y":0},"to":[0,0],"ti":[0,0]},{"t":)" +
        std::to_string(start + 40) + R"(,"s":[0,-120]}]},"or":{"a":1,"k":[)" + eased(start, 12) + "," +
        eased(start + 40, 2) + R"(]},"ir":{"a":0,"k":5},"os":{"a":0,"k":0},"is":{"a":0,"k":0},"pt":{"a":0,"k":5},)"
        R"("r":{"a":1,"k":[)" + eased(0, 0) + "," + eased(60, 180) + "]}}";
    const std::string spark =
        R"({"ty":"gr","nm":"Spark","it":[)" + star +
        R"(,{"ty":"fl","nm":"Fill","c":{"a":0,"k":[1,0.8,0.2,1]},"o":{"a":0,"k":100},"r":1},)"
        R"({"ty":"tr","p":{"a":0,"k":[0,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"o":{"a":0,"k":100}}]})";
    const std::string repeater =
        R"({"ty":"rp","nm":"Repeater","c":{"a":0,"k":12},"o":{"a":0,"k":0},"m":1,"tr":{"ty":"tr","p":{"a":0,"k":[0,0]},)"
        R"("a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":30},"so":{"a":0,"k":100},"eo":{"a":0,"k":100}}})";
    return R"({"ty":4,"nm":"Burst )" + std::to_string(index) + R"(","ind":)" + std::to_string(index + 1) +
           R"(,"ip":0,"op":90,"st":0,"ks":{"p":{"a":0,"k":[)" + std::to_string(x) + "," + std::to_string(y) +
           R"(]}},"shapes":[)" + spark + "," + repeater + "]}";
}

std::string fireworks() {
    std::string layers;
    for (int index = 0; index < 8; ++index) {
        layers += (index ? "," : "") + burst(index, 80 + index * 97 % 360, 100 + index * 53 % 300);
    }
    return R"({"v":"5.7.0","fr":30,"ip":0,"op":90,"w":512,"h":512,"assets":[],"layers":[)" + layers + "]}";
}

void BM_RepeatedStarsFirstFrame(benchmark::State& state) {
    const std::string json = fireworks();
    std::size_t allocations = 0, bytes = 0;
    for (auto _ : state) {
        const std::size_t allocationsBefore = documentbench::allocationCount();
        const std::size_t bytesBefore = documentbench::allocatedBytes();
        documentbench::countHeap(true);
        {
            const auto animation = lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
            lottieframes::FrameRenderer renderer(animation, 512, 512, std::nullopt,
                                                 lottie::RenderingEngineOption::coreAnimation());
            benchmark::DoNotOptimize(renderer.render(0));
        }
        documentbench::countHeap(false);
        allocations = documentbench::allocationCount() - allocationsBefore;
        bytes = documentbench::allocatedBytes() - bytesBefore;
    }
    state.counters["allocations"] = static_cast<double>(allocations);
    state.counters["allocatedMB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}

}  // namespace

BENCHMARK(BM_RepeatedStarsFirstFrame)->Unit(benchmark::kMillisecond);
