// One frame of the animation view against the frame tool's render of the same
// frame at the same size: the view draws its tree into its window's backing
// store, over what the window painted under it; the tool renders into an image
// of its own. The difference is what the widget path adds.
// Runs on Qt's offscreen platform unless another is asked for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>
#include <sstream>

#include "Lottie/Views/LottieAnimationView.h"
#include "Lottie/Views/FrameTurns.h"
#include "Lottie/Views/ViewDisplayLink.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

constexpr int side = 512;
constexpr double frame = 45;

std::shared_ptr<const lottie::LottieAnimation> example() {
    std::ifstream in(PELLOR_SOURCE_DIR "/examples/bouncing-shapes.json", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return lottie::LottieAnimation::fromData(text.str(), lottie::DecodingStrategy::dictionaryBased);
}

void BM_ViewFrame(benchmark::State& state) {
    lottie::LottieAnimationView view(example(), nullptr, nullptr, nullptr,
                                     lottie::LottieConfiguration(lottie::RenderingEngineOption::mainThread()));
    view.resize(side, side);
    view.show();
    view.setCurrentFrame(frame);
    QApplication::processEvents();
    for (auto _ : state) {
        view.repaint();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ViewFrame)->Unit(benchmark::kMicrosecond);

void BM_FrameToolFrame(benchmark::State& state) {
    lottieframes::FrameRenderer renderer(example(), side, side, std::nullopt);
    for (auto _ : state) {
        auto image = renderer.render(frame);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_FrameToolFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    lottie::ViewDisplayLink::setTimersEnabled(false);
    // Each frame drawn whole where it is asked for, as the tests tick by hand.
    lottie::FrameTurns::setEnabled(false);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
