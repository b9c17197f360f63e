// Drawing costs that decide whether a frame fits its budget: filling and
// stroking a 40-vertex path, a full-canvas radial gradient, a shadow blur and
// a large image that moves on every draw, each on a 512 x 512 canvas.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "Platform/Graphics/GaussianBlur.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"

namespace {

using namespace platform::graphics;

constexpr int kSize = 512;

// A star-like closed curve of 40 vertices joined by cubic segments.
Path fortyVertexPath() {
    Path path;
    constexpr int kVertices = 40;
    auto vertex = [](int i) {
        const double angle = 2 * M_PI * i / kVertices;
        const double radius = (i % 2 == 0) ? 240 : 150;
        return Point(256 + radius * std::cos(angle), 256 + radius * std::sin(angle));
    };
    path.moveTo(vertex(0));
    for (int i = 1; i <= kVertices; ++i) {
        const Point from = vertex(i - 1);
        const Point to = vertex(i % kVertices);
        path.curveTo(from + (to - from) * 0.3 + Point(6, -6), from + (to - from) * 0.7 + Point(-6, 6), to);
    }
    path.closeSubpath();
    return path;
}

void fillPath40(benchmark::State& state) {
    auto context = GraphicsContext::makeBitmap(kSize, kSize);
    const Path path = fortyVertexPath();
    context->setFillColor(Color::rgb(0.2, 0.5, 0.8));
    for (auto _ : state) {
        context->addPath(path);
        context->fillPath();
        context->flush();
    }
}
BENCHMARK(fillPath40);

void strokePath40(benchmark::State& state) {
    auto context = GraphicsContext::makeBitmap(kSize, kSize);
    const Path path = fortyVertexPath();
    context->setStrokeColor(Color::rgb(0.8, 0.2, 0.1));
    context->setLineWidth(static_cast<double>(state.range(0)));
    context->setLineJoin(LineJoin::round);
    for (auto _ : state) {
        context->addPath(path);
        context->strokePath();
        context->flush();
    }
}
BENCHMARK(strokePath40)->Arg(2)->Arg(12);

void dashedStrokePath40(benchmark::State& state) {
    auto context = GraphicsContext::makeBitmap(kSize, kSize);
    const Path path = fortyVertexPath();
    const std::vector<double> dashes{12, 6};
    context->setLineWidth(4);
    context->setLineDash(0, dashes);
    for (auto _ : state) {
        context->addPath(path);
        context->strokePath();
        context->flush();
    }
}
BENCHMARK(dashedStrokePath40);

void radialGradient512(benchmark::State& state) {
    auto context = GraphicsContext::makeBitmap(kSize, kSize);
    const std::vector<Color> colors{Color::rgb(1, 0, 0), Color::rgb(0, 1, 0), Color::rgb(0, 0, 1)};
    const auto gradient = Gradient::make(ColorSpace::deviceRGB(), colors, {});
    for (auto _ : state) {
        context->drawRadialGradient(*gradient, {256, 256}, 0, {256, 256}, 200, GradientDrawingOptions::extended());
        context->flush();
    }
}
BENCHMARK(radialGradient512);

void shadowBlur512(benchmark::State& state) {
    auto context = GraphicsContext::makeBitmap(kSize, kSize);
    context->addPath(fortyVertexPath());
    context->fillPath();
    const auto image = context->makeImage();
    const double radius = static_cast<double>(state.range(0));
    for (auto _ : state) {
        auto shadow = GaussianBlur::shadow(*image, radius, Color::rgb(0, 0, 0, 0.5));
        benchmark::DoNotOptimize(shadow);
    }
}
BENCHMARK(shadowBlur512)->Arg(10)->Arg(40);

void blurPlane512(benchmark::State& state) {
    std::vector<std::uint8_t> plane(static_cast<std::size_t>(kSize) * kSize, 0);
    for (int y = 128; y < 384; ++y) {
        for (int x = 128; x < 384; ++x) {
            plane[static_cast<std::size_t>(y) * kSize + x] = 255;
        }
    }
    for (auto _ : state) {
        GaussianBlur::blurPlane(plane.data(), kSize, kSize, kSize, 10);
        benchmark::DoNotOptimize(plane.data());
    }
}
BENCHMARK(blurPlane512);

// A 2000 x 2000 picture shown at the scale of the first argument (percent),
// turned when the second is 1, a little further along on every draw, so that
// no copy made for an earlier placement serves.
void movingImage512(benchmark::State& state) {
    constexpr int kSide = 2000;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kSide) * kSide * 4);
    for (std::size_t index = 0; index < rgba.size(); ++index) rgba[index] = static_cast<std::uint8_t>(index * 7 % 251);
    const auto image = Image::fromStraightRGBA(kSide, kSide, std::move(rgba));
    auto context = GraphicsContext::makeBitmap(kSize, kSize);
    const double scale = static_cast<double>(state.range(0)) / 100;
    const bool turned = state.range(1) != 0;
    double offset = 0;
    for (auto _ : state) {
        offset = offset > 8 ? 0 : offset + 0.37;
        context->saveGState();
        context->translateBy(256, 256);
        if (turned) context->rotateBy(0.3 + offset / 100);
        context->drawImage(*image, Rect(-kSide * scale / 2 + offset, -kSide * scale / 2, kSide * scale, kSide * scale));
        context->restoreGState();
        context->flush();
    }
}
BENCHMARK(movingImage512)->Args({100, 0})->Args({40, 0})->Args({20, 0})->Args({40, 1})->Args({20, 1});

}  // namespace
