// Keyframe evaluation (1-D with easing, 3-D with spatial tangents, a
// 40-vertex path) at increasing and at random frames, and path trimming.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "Lottie/Values/CompoundBezierPath.h"
#include "Lottie/Values/KeyframeInterpolator.h"

using namespace lottie;
using platform::graphics::Point;

namespace {

constexpr int keyframeCount = 60;
constexpr double spanLength = 10;
constexpr double lastFrame = (keyframeCount - 1) * spanLength;

template <class T, class Make>
std::vector<Keyframe<T>> makeKeyframes(Make make) {
    std::vector<Keyframe<T>> keyframes;
    for (int i = 0; i < keyframeCount; ++i) keyframes.push_back(make(i));
    return keyframes;
}

std::vector<Keyframe<LottieVector1D>> oneDimensional() {
    return makeKeyframes<LottieVector1D>([](int i) {
        return Keyframe<LottieVector1D>(LottieVector1D(i % 7 * 10.0), i * spanLength, i % 11 == 5, LottieVector2D(0.58, 1),
                                        LottieVector2D(0.42, 0), std::nullopt, std::nullopt);
    });
}

std::vector<Keyframe<LottieVector3D>> spatial() {
    return makeKeyframes<LottieVector3D>([](int i) {
        return Keyframe<LottieVector3D>(LottieVector3D(i * 13.0, (i % 5) * 40.0, 0), i * spanLength, false,
                                        LottieVector2D(0.67, 1), LottieVector2D(0.33, 0), LottieVector3D(-20, 30, 0),
                                        LottieVector3D(20, 30, 0));
    });
}

BezierPath star(int vertices, double phase) {
    BezierPath path;
    for (int v = 0; v <= vertices; ++v) {
        double angle = 2 * M_PI * (v % vertices) / vertices;
        double radius = (v % 2 == 0 ? 100 : 60) + 10 * std::sin(phase + v);
        Point point(radius * std::cos(angle), radius * std::sin(angle));
        Point handle(-std::sin(angle) * 8, std::cos(angle) * 8);
        path.appendVertex(CurveVertex(point, point - handle, point + handle));
    }
    path.setClosed(true);
    return path;
}

std::vector<Keyframe<BezierPath>> paths() {
    return makeKeyframes<BezierPath>([](int i) {
        return Keyframe<BezierPath>(star(40, i), i * spanLength, false, LottieVector2D(0.58, 1), LottieVector2D(0.42, 0),
                                    std::nullopt, std::nullopt);
    });
}

// Frames that play forward at 60 frames a second over a 30 fps timeline, looping.
std::vector<double> increasingFrames() {
    std::vector<double> frames;
    for (double frame = 0; frame <= lastFrame; frame += 0.5) frames.push_back(frame);
    return frames;
}

std::vector<double> randomFrames() {
    std::mt19937 random(42);
    std::uniform_real_distribution<double> frame(-5, lastFrame + 5);
    std::vector<double> frames(4096);
    for (double& value : frames) value = frame(random);
    return frames;
}

template <class T>
void evaluate(benchmark::State& state, std::vector<Keyframe<T>> keyframes, const std::vector<double>& frames) {
    KeyframeInterpolator<T> interpolator(std::move(keyframes));
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(interpolator.value(frames[next]));
        if (++next == frames.size()) next = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Keyframe1DIncreasing(benchmark::State& state) { evaluate(state, oneDimensional(), increasingFrames()); }
void BM_Keyframe1DRandom(benchmark::State& state) { evaluate(state, oneDimensional(), randomFrames()); }
void BM_Keyframe3DSpatialIncreasing(benchmark::State& state) { evaluate(state, spatial(), increasingFrames()); }
void BM_Keyframe3DSpatialRandom(benchmark::State& state) { evaluate(state, spatial(), randomFrames()); }
void BM_KeyframePath40Increasing(benchmark::State& state) { evaluate(state, paths(), increasingFrames()); }
void BM_KeyframePath40Random(benchmark::State& state) { evaluate(state, paths(), randomFrames()); }

void trim(benchmark::State& state, bool simultaneously) {
    CompoundBezierPath compound(std::vector<BezierPath>{star(40, 0), star(40, 1), star(40, 2)});
    double offset = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(compound.trim(0.15, 0.8, offset, simultaneously));
        offset = offset >= 1 ? 0 : offset + 0.01;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_TrimAcross(benchmark::State& state) { trim(state, false); }
void BM_TrimSimultaneously(benchmark::State& state) { trim(state, true); }

}  // namespace

BENCHMARK(BM_Keyframe1DIncreasing);
BENCHMARK(BM_Keyframe1DRandom);
BENCHMARK(BM_Keyframe3DSpatialIncreasing);
BENCHMARK(BM_Keyframe3DSpatialRandom);
BENCHMARK(BM_KeyframePath40Increasing);
BENCHMARK(BM_KeyframePath40Random);
BENCHMARK(BM_TrimAcross);
BENCHMARK(BM_TrimSimultaneously);
