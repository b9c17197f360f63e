// Per-frame cost of drawing layer trees through the compositor at 512 x 512.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/PathTrimmer.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/GraphicsContext.h"

namespace {

using namespace platform::compositor;
using platform::graphics::Color;
using platform::graphics::GraphicsContext;
using platform::graphics::Path;

std::shared_ptr<Layer> makeRoot() {
    auto root = Layer::make();
    root->setAnchorPoint({0, 0});
    root->setBounds({0, 0, 512, 512});
    return root;
}

// 200 stroked and filled shapes in 20 groups of 10, each group half transparent.
std::shared_ptr<Layer> shapeTree() {
    auto root = makeRoot();
    for (int g = 0; g < 20; ++g) {
        auto group = Layer::make();
        group->setFrame({0, 0, 512, 512});
        group->setOpacity(0.6);
        for (int i = 0; i < 10; ++i) {
            const int n = g * 10 + i;
            auto shape = ShapeLayer::make();
            shape->setFrame({0, 0, 512, 512});
            Path path;
            const double cx = 30 + (n % 15) * 32, cy = 30 + (n / 15) * 36;
            path.moveTo({cx - 20, cy});
            path.curveTo({cx - 20, cy - 25}, {cx + 20, cy - 25}, {cx + 20, cy});
            path.lineTo({cx, cy + 20});
            path.closeSubpath();
            shape->setPath(path);
            shape->setFillColor(Color::rgb((n % 7) / 7.0, (n % 5) / 5.0, 0.5, 0.8));
            shape->setStrokeColor(Color::rgb(0, 0, 0));
            shape->setLineWidth(3);
            shape->setStrokeEnd(0.8);
            group->addSublayer(shape);
        }
        root->addSublayer(group);
    }
    return root;
}

std::shared_ptr<Layer> paddedGradientTree() {
    auto root = makeRoot();
    auto gradient = GradientLayer::make();
    const double pad = 10000;
    const double size = 512 + 2 * pad;
    gradient->setFrame({-pad, -pad, size, size});
    gradient->setColors(std::vector<Color>{Color::rgb(1, 0, 0), Color::rgb(0, 1, 0), Color::rgb(0, 0, 1)});
    gradient->setLocations(std::vector<double>{0, 0.5, 1});
    gradient->setStartPoint({pad / size, pad / size});
    gradient->setEndPoint({(pad + 512) / size, (pad + 512) / size});
    gradient->setType(GradientLayer::Type::radial);
    root->addSublayer(gradient);
    return root;
}

void renderFrames(benchmark::State& state, const std::shared_ptr<Layer>& root) {
    auto context = GraphicsContext::makeBitmap(512, 512);
    for (auto _ : state) {
        context->clearRect({0, 0, 512, 512});
        Renderer::render(root, 0, *context);
        benchmark::ClobberMemory();
    }
}

void BM_TwoHundredStrokedShapesWithGroupOpacity(benchmark::State& state) { renderFrames(state, shapeTree()); }
void BM_PaddedRadialGradient(benchmark::State& state) { renderFrames(state, paddedGradientTree()); }

// Cutting the middle fifth out of a ring of 100,000 lines or curves, as the
// renderer does for a trimmed stroke every frame: the time per segment against
// what PathTrimmer::work charges the frame's work budget for it.
void trimRing(benchmark::State& state, bool curves) {
    constexpr int segments = 100'000;
    Path path;
    path.moveTo({256, 56});
    for (int i = 1; i <= segments; ++i) {
        const double angle = 2 * M_PI * i / segments;
        const platform::graphics::Point end{256 + 200 * std::sin(angle), 256 - 200 * std::cos(angle)};
        if (curves) {
            path.curveTo({end.x + 1, end.y}, {end.x, end.y + 1}, end);
        } else {
            path.lineTo(end);
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(PathTrimmer::trimmed(path, 0.4, 0.6));
    }
    state.counters["nsPerSegment"] = benchmark::Counter(
        segments, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["workPerSegment"] = PathTrimmer::work(path) / segments;
}

void BM_TrimOfOneHundredThousandLines(benchmark::State& state) { trimRing(state, false); }
void BM_TrimOfOneHundredThousandCurves(benchmark::State& state) { trimRing(state, true); }

}  // namespace

BENCHMARK(BM_TrimOfOneHundredThousandLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimOfOneHundredThousandCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoHundredStrokedShapesWithGroupOpacity)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaddedRadialGradient)->Unit(benchmark::kMillisecond);
