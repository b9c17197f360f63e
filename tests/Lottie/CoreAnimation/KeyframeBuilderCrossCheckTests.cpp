// The keyframe animation builder against the main-thread interpolator: random
// keyframe groups of each value type (holds, eased and linear spans, spatial
// tangents on positions, one keyframe, keyframes before and after the play
// range, complex time remapping), built, wrapped and played by the compositor,
// must present the interpolator's values within 1e-4 of the values' range at 200
// frames each. A fixed seed keeps every run the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/Values/Hold.h"
#include "Lottie/Values/LottieColor.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Compositor/GradientLayer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;

namespace {

constexpr int groupsPerType = 500;
constexpr int framesPerGroup = 200;
constexpr double framerate = 30;

template <class T>
std::string describe(const std::vector<Keyframe<T>>& frames) {
    std::string text;
    for (const auto& keyframe : frames) {
        text += "\n  t=" + std::to_string(keyframe.time()) + (keyframe.isHold() ? " hold" : "") +
                (keyframe.inTangent() ? " in=" + std::to_string(keyframe.inTangent()->x) + "," + std::to_string(keyframe.inTangent()->y) : "") +
                (keyframe.outTangent() ? " out=" + std::to_string(keyframe.outTangent()->x) + "," + std::to_string(keyframe.outTangent()->y) : "");
    }
    return text;
}

class BuilderCrossCheck : public ClockTest {
protected:
    std::mt19937 random{20261207};

    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); }
    int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(double probability) { return uniform(0, 1) < probability; }

    // Keyframe times: whole frames, ten apart at least (single-precision key times
    // are exact to about 1e-5 frames, which a steep span turns into its value's
    // error), some before the animation's start and after its end.
    std::vector<double> keyframeTimes(double start, double end) {
        const int count = chance(0.1) ? 1 : integer(2, 6);
        std::vector<double> times{std::round(uniform(start - 20, start + 60))};
        while (static_cast<int>(times.size()) < count && times.back() < end + 20) {
            times.push_back(times.back() + integer(10, 90));
        }
        return times;
    }

    std::optional<LottieVector2D> easing() {
        if (chance(0.4)) return std::nullopt;
        return LottieVector2D(uniform(0, 1), uniform(-0.3, 1.3));
    }

    template <class T, class MakeValue>
    std::vector<Keyframe<T>> keyframes(double start, double end, MakeValue makeValue, bool spatial) {
        std::vector<Keyframe<T>> frames;
        for (double time : keyframeTimes(start, end)) {
            std::optional<LottieVector3D> spatialIn;
            std::optional<LottieVector3D> spatialOut;
            if (spatial && chance(0.6)) {
                spatialIn = LottieVector3D(uniform(-40, 40), uniform(-40, 40), 0);
                spatialOut = LottieVector3D(uniform(-40, 40), uniform(-40, 40), 0);
            }
            frames.emplace_back(makeValue(), time, chance(0.3), easing(), easing(), spatialIn, spatialOut);
        }
        return frames;
    }

    // Builds one random group of T per round and compares the presented values.
    template <class T, class MakeValue>
    void crossCheck(const std::string& keyPath, const KeyframeValueMapping<T>& mapping, MakeValue makeValue,
                    bool spatial = false) {
        for (int round = 0; round < groupsPerType; ++round) {
            const double start = integer(0, 20);
            const double end = start + integer(200, 300);
            const bool remapped = round % 5 == 4;
            auto animation = emptyAnimation(start, end, framerate);
            double from = start;
            double to = end;
            if (!remapped) {
                from = std::round(uniform(start, start + 100));
                to = std::round(uniform(from + 50, end));
                if (chance(0.5)) std::swap(from, to);
            }
            LayerAnimationContext context = rootContext(animation, log.logger(), from, to, 1,
                                                        CompatibilityTracker::Mode::abort);
            context.currentKeypath = AnimationKeypath(std::vector<std::string>{"Layer"});
            const double scale = uniform(0.5, 1.5);
            const double shift = uniform(-10, 10);
            if (remapped) {
                context.mustUseComplexTimeRemapping = true;
                context.complexTimeRemapping = [scale, shift](double f) { return f * scale + shift; };
            }
            const std::vector<Keyframe<T>> frames = keyframes<T>(start, end, makeValue, spatial);
            const KeyframeGroup<T> group(frames);

            // Lists of numbers are the stop locations of a gradient layer.
            std::shared_ptr<platform::compositor::Layer> layer = platform::compositor::Layer::make();
            if (keyPath == "locations") layer = std::make_shared<platform::compositor::GradientLayer>();
            KeyframeAnimationBuilder::attach(LayerPropertyDescriptor::withDefault(keyPath, std::nullopt), group, mapping,
                                             context, *layer);
            const double addedAt = clock->now();

            KeyframeInterpolator<T> interpolator(frames);
            double low = INFINITY;
            double high = -INFINITY;
            for (const Keyframe<T>& keyframe : frames) {
                const std::vector<double> components = *mapping(keyframe.value()).components();
                for (double component : components) {
                    low = std::min(low, component);
                    high = std::max(high, component);
                }
            }
            const double tolerance = 1e-4 * std::max(high - low, 1.0);
            for (int i = 0; i < framesPerGroup; ++i) {
                // Whole root frames under remapping (the resampling's steps), else
                // evenly over the play range, both ends included.
                const double frame = remapped ? start + i : from + (to - from) * i / (framesPerGroup - 1);
                const double local = remapped ? context.complexTimeRemapping(frame) : frame;
                const auto expected = mapping(interpolator.value(local)).components();
                const auto presented = frames.size() == 1 && !layer->hasAnimations()
                                           ? layer->value(keyPath)
                                           : presentedAtFrame(*layer, keyPath, framerate, from, to, frame, addedAt);
                ASSERT_TRUE(presented) << keyPath << " round " << round << " frame " << frame;
                const auto actual = presented->components();
                ASSERT_TRUE(actual && expected);
                ASSERT_EQ(actual->size(), expected->size());
                for (std::size_t c = 0; c < actual->size(); ++c) {
                    ASSERT_NEAR((*actual)[c], (*expected)[c], tolerance)
                        << keyPath << " round " << round << " frame " << frame << " component " << c << " from "
                        << from << " to " << to << " start " << start << " end " << end << describe(frames);
                }
            }
        }
    }
};

TEST_F(BuilderCrossCheck, NumbersMatchTheInterpolator) {
    crossCheck<LottieVector1D>(
        "shadowRadius", [](const LottieVector1D& v) { return AnimatableValue(v.value); },
        [this] { return LottieVector1D(uniform(-100, 100)); });
}

TEST_F(BuilderCrossCheck, ColorsMatchTheInterpolator) {
    crossCheck<LottieColor>(
        "shadowColor",
        [](const LottieColor& c) { return AnimatableValue(platform::graphics::Color::rgb(c.r, c.g, c.b, c.a)); },
        [this] { return LottieColor(uniform(0, 1), uniform(0, 1), uniform(0, 1), uniform(0, 1)); });
}

TEST_F(BuilderCrossCheck, PositionsAlongTheirMotionPathMatchTheInterpolator) {
    crossCheck<LottieVector3D>(
        "transform.translation",
        [](const LottieVector3D& v) { return AnimatableValue(platform::graphics::Point(v.x, v.y)); },
        [this] { return LottieVector3D(uniform(-200, 200), uniform(-200, 200), 0); }, true);
}

TEST_F(BuilderCrossCheck, ScalesMatchTheInterpolator) {
    crossCheck<LottieVector3D>(
        "transform.scale.x", [](const LottieVector3D& v) { return AnimatableValue(v.x / 100); },
        [this] { return LottieVector3D(uniform(-200, 200), uniform(-200, 200), 0); });
}

TEST_F(BuilderCrossCheck, ListsOfNumbersMatchTheInterpolator) {
    crossCheck<std::vector<double>>(
        "locations", [](const std::vector<double>& v) { return AnimatableValue(v); },
        [this] { return std::vector<double>{uniform(0, 1), uniform(0, 1), uniform(0, 1)}; });
}

TEST_F(BuilderCrossCheck, SizesMatchTheInterpolator) {
    crossCheck<platform::graphics::Size>(
        "shadowOffset", [](const platform::graphics::Size& size) { return AnimatableValue(size); },
        [this] { return platform::graphics::Size(uniform(-50, 50), uniform(-50, 50)); });
}

TEST_F(BuilderCrossCheck, HeldBooleansMatchTheInterpolator) {
    crossCheck<Hold<bool>>(
        "hidden", [](const Hold<bool>& hold) { return AnimatableValue(hold.value); },
        [this] { return Hold<bool>{chance(0.5)}; });
}

}  // namespace
