#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

#include "Lottie/Values/KeyframeGroup.h"
#include "Lottie/Values/KeyframeInterpolator.h"

using namespace lottie;
using platform::graphics::Point;

namespace {

template <class T>
Keyframe<T> key(T value, double time, bool hold = false) {
    return Keyframe<T>(std::move(value), time, hold, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
}

template <class T>
std::vector<Keyframe<T>> threeKeys(const T& a, const T& b, const T& c) {
    std::vector<Keyframe<T>> keys;
    keys.reserve(3);
    keys.push_back(key(a, 0));
    keys.push_back(key(b, 10, true));
    keys.push_back(key(c, 20));
    return keys;
}

// Keyframes at 0 (a), 10 (b, holding) and 20 (c), and what evaluating them
// must give: before the first, on each key, midway, just below the hold's
// end, and after the last.
template <class T>
void checkTable(const T& a, const T& b, const T& c, const T& midway) {
    KeyframeInterpolator<T> interpolator(threeKeys(a, b, c));
    const std::pair<double, T> rows[] = {
        {-5, a}, {0, a}, {5, midway}, {10, b}, {15, b}, {19.99, b}, {20, c}, {30, c},
    };
    for (const auto& [frame, expected] : rows) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(interpolator.value(frame), expected);
        // A fresh interpolator agrees with the one that walked here.
        EXPECT_EQ(KeyframeInterpolator<T>(threeKeys(a, b, c)).value(frame), expected);
    }
}

BezierPath line(Point from, Point to) {
    BezierPath path;
    path.appendVertex(CurveVertex::corner(from));
    path.appendVertex(CurveVertex::corner(to));
    return path;
}

}  // namespace

TEST(KeyframeInterpolator, TableForEveryValueType) {
    checkTable(LottieVector1D(0), LottieVector1D(100), LottieVector1D(-7), LottieVector1D(50));
    checkTable(LottieVector2D(0, 0), LottieVector2D(10, 20), LottieVector2D(1, 1), LottieVector2D(5, 10));
    checkTable(LottieVector3D(0, 0, 0), LottieVector3D(10, 20, 30), LottieVector3D(1, 1, 1), LottieVector3D(5, 10, 15));
    checkTable(LottieColor(1, 0, 0, 1), LottieColor(0, 0, 1, 0), LottieColor(0, 1, 0, 1), LottieColor(0.5, 0, 0.5, 0.5));
    checkTable(std::vector<double>{0, 1}, std::vector<double>{1, 3}, std::vector<double>{2, 2},
               std::vector<double>{0.5, 2});
    checkTable(line(Point(0, 0), Point(10, 0)), line(Point(0, 10), Point(20, 0)), line(Point(1, 1), Point(2, 2)),
               line(Point(0, 5), Point(15, 0)));
    checkTable(Hold<bool>{false}, Hold<bool>{true}, Hold<bool>{false}, Hold<bool>{false});
    checkTable(2.0, 4.0, 8.0, 3.0);
}

TEST(KeyframeInterpolator, SpatialTangentsBendTheMotion) {
    std::vector<Keyframe<LottieVector3D>> keyframes{
        Keyframe<LottieVector3D>(LottieVector3D(0, 0, 0), 0, false, std::nullopt, std::nullopt, std::nullopt,
                                 LottieVector3D(0, 50, 7)),
        Keyframe<LottieVector3D>(LottieVector3D(100, 0, 10), 10, false, std::nullopt, std::nullopt,
                                 LottieVector3D(0, 50, -7), std::nullopt)};
    KeyframeInterpolator<LottieVector3D> interpolator(keyframes);
    LottieVector3D middle = interpolator.value(5);
    EXPECT_NEAR(middle.x, 50, 0.5);
    EXPECT_NEAR(middle.y, 37.5, 0.5);
    EXPECT_DOUBLE_EQ(middle.z, 5);
    EXPECT_EQ(interpolator.value(10), LottieVector3D(100, 0, 10));
}

TEST(KeyframeInterpolator, EasesBetweenKeyframes) {
    KeyframeInterpolator<LottieVector1D> interpolator(
        {Keyframe<LottieVector1D>(LottieVector1D(0), 0, false, std::nullopt, LottieVector2D(0.42, 0), std::nullopt, std::nullopt),
         Keyframe<LottieVector1D>(LottieVector1D(100), 10, false, LottieVector2D(1, 1), std::nullopt, std::nullopt, std::nullopt)});
    EXPECT_NEAR(interpolator.value(5).value, 31.54, 0.05);
    EXPECT_LT(interpolator.value(2).value, 20);
}

TEST(KeyframeInterpolator, OneKeyframeAndNone) {
    KeyframeInterpolator<LottieVector1D> single({key(LottieVector1D(3), 4)});
    EXPECT_TRUE(single.hasUpdate(0));
    for (double frame : {-10.0, 4.0, 100.0}) EXPECT_EQ(single.value(frame), LottieVector1D(3));
    EXPECT_FALSE(single.hasUpdate(5));
    EXPECT_TRUE(single.hasUpdate(4));
    EXPECT_TRUE(single.hasUpdate(3));

    // Nothing to evaluate: a default value instead of a read past the end.
    KeyframeInterpolator<LottieVector1D> empty({});
    EXPECT_EQ(empty.value(3), LottieVector1D());
    EXPECT_EQ(KeyframeInterpolator<BezierPath>({}).value(1), BezierPath());
    EXPECT_TRUE(empty.hasUpdate(3));
    auto group = std::make_shared<const KeyframeGroup<LottieVector1D>>(std::vector<Keyframe<LottieVector1D>>{});
    EXPECT_EQ(std::any_cast<LottieVector1D>(group->interpolator()->anyValue(2)), LottieVector1D());
}

TEST(KeyframeInterpolator, HasUpdateFollowsTheCachedSpan) {
    KeyframeInterpolator<LottieVector1D> interpolator(
        {key(LottieVector1D(0), 0, true), key(LottieVector1D(10), 10), key(LottieVector1D(20), 20)});
    EXPECT_TRUE(interpolator.hasUpdate(5));
    interpolator.value(5);
    EXPECT_FALSE(interpolator.hasUpdate(6));   // inside a hold span
    EXPECT_TRUE(interpolator.hasUpdate(0));    // on the span's start
    EXPECT_TRUE(interpolator.hasUpdate(10));
    interpolator.value(15);
    EXPECT_TRUE(interpolator.hasUpdate(16));
    interpolator.value(25);
    EXPECT_FALSE(interpolator.hasUpdate(30));  // after the last keyframe
    EXPECT_TRUE(interpolator.hasUpdate(20));
    interpolator.value(-5);
    EXPECT_FALSE(interpolator.hasUpdate(-1));  // before the first keyframe
    EXPECT_TRUE(interpolator.hasUpdate(0));
}

TEST(KeyframeInterpolator, AnyOrderOfFramesFindsTheRightSpan) {
    // Keyframes with repeated times, where the later keyframe leads; frames asked
    // on the keys, in sequence, backwards and at random.
    const std::vector<double> times{0, 1, 1, 2, 5, 5, 5, 8, 13, 21, 21, 34};
    std::vector<Keyframe<double>> keyframes;
    for (std::size_t i = 0; i < times.size(); ++i) keyframes.push_back(key(static_cast<double>(i), times[i]));
    KeyframeInterpolator<double> interpolator(keyframes);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> anyFrame(-5, 40);
    std::vector<double> frames(times);
    for (double f = -2; f < 36; f += 0.5) frames.push_back(f);
    for (double f = 36; f > -2; f -= 0.25) frames.push_back(f);
    for (int i = 0; i < 500; ++i) frames.push_back(anyFrame(random));
    for (double frame : frames) {
        SCOPED_TRACE(frame);
        double value = interpolator.value(frame);
        // The last keyframe at or before the frame leads (none before the first); the next one trails.
        using Index = std::optional<std::size_t>;
        const auto after =
            static_cast<std::size_t>(std::upper_bound(times.begin(), times.end(), frame) - times.begin());
        EXPECT_EQ(interpolator.leadingIndex(), after ? Index(after - 1) : std::nullopt);
        EXPECT_EQ(interpolator.trailingIndex(), after < times.size() ? Index(after) : std::nullopt);
        EXPECT_EQ(value, KeyframeInterpolator<double>(keyframes).value(frame));
        EXPECT_EQ(interpolator.lastUpdatedFrame(), std::optional<double>(frame));
    }
}

TEST(KeyframeInterpolator, StorageEvaluatesThroughAClosure) {
    auto interpolator = std::make_shared<KeyframeInterpolator<LottieVector1D>>(
        std::vector<Keyframe<LottieVector1D>>{key(LottieVector1D(0), 0), key(LottieVector1D(10), 10)});
    std::function<LottieVector1D(double)> storage = interpolator->storage();
    std::weak_ptr<KeyframeInterpolator<LottieVector1D>> weak = interpolator;
    interpolator.reset();
    EXPECT_FALSE(weak.expired());  // the closure holds the interpolator
    EXPECT_EQ(storage(2.5), LottieVector1D(2.5));
}

TEST(KeyframeInterpolator, UnreadableFrameDoesNotCrash) {
    KeyframeInterpolator<LottieVector1D> interpolator({key(LottieVector1D(0), 0), key(LottieVector1D(10), 10)});
    interpolator.value(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(interpolator.value(5), LottieVector1D(5));
}
