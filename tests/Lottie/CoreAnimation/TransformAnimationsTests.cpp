// Transforms on the Core Animation engine: which animations the components
// give, the missing position, the anchor point in unit coordinates, the switch
// to one matrix for skews and negative x scales, what that matrix does to
// points, and stroke widths and gradient points under a group's transform.

#include <gtest/gtest.h>

#include <cmath>

#include "Lottie/CoreAnimation/CombinedTransformAnimation.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/TransformInterpolation.h"
#include "Lottie/CoreAnimation/GroupGradientPoints.h"
#include "Lottie/CoreAnimation/GroupScaledStrokeWidth.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/CoreAnimation/TransformAnimations.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;
using platform::graphics::Point;

namespace {

template <class T>
KeyframeGroupPtr<T> fixed(T value) {
    return std::make_shared<const KeyframeGroup<T>>(std::move(value));
}

template <class T>
KeyframeGroupPtr<T> moving(std::vector<std::pair<double, T>> frames) {
    std::vector<Keyframe<T>> keyframes;
    for (auto& [time, value] : frames) {
        keyframes.push_back(keyframeAt(value, time));
    }
    return std::make_shared<const KeyframeGroup<T>>(std::move(keyframes));
}

// A transform of any components; all at their neutral values to begin with.
struct TestTransform final : TransformModel {
    KeyframeGroupPtr<LottieVector3D> anchor = fixed(LottieVector3D(0, 0, 0));
    KeyframeGroupPtr<LottieVector3D> positionGroup = fixed(LottieVector3D(0, 0, 0));
    KeyframeGroupPtr<LottieVector1D> x, y;
    KeyframeGroupPtr<LottieVector3D> scaleGroup = fixed(LottieVector3D(100, 100, 100));
    KeyframeGroupPtr<LottieVector1D> rotations[3] = {fixed(LottieVector1D(0)), fixed(LottieVector1D(0)),
                                                      fixed(LottieVector1D(0))};
    KeyframeGroupPtr<LottieVector1D> skewGroup, skewAxisGroup;

    KeyframeGroupPtr<LottieVector3D> anchorPoint() const override { return anchor; }
    KeyframeGroupPtr<LottieVector3D> position() const override { return positionGroup; }
    KeyframeGroupPtr<LottieVector1D> positionX() const override { return x; }
    KeyframeGroupPtr<LottieVector1D> positionY() const override { return y; }
    KeyframeGroupPtr<LottieVector3D> scale() const override { return scaleGroup; }
    KeyframeGroupPtr<LottieVector1D> rotationX() const override { return rotations[0]; }
    KeyframeGroupPtr<LottieVector1D> rotationY() const override { return rotations[1]; }
    KeyframeGroupPtr<LottieVector1D> rotationZ() const override { return rotations[2]; }
    KeyframeGroupPtr<LottieVector1D> skew() const override { return skewGroup; }
    KeyframeGroupPtr<LottieVector1D> skewAxis() const override { return skewAxisGroup; }
};

class TransformAnimationsTest : public ClockTest {
protected:
    std::vector<std::string> animatedKeys(const TestTransform& transform,
                                          CompatibilityTracker::Mode mode = CompatibilityTracker::Mode::track) {
        layer = platform::compositor::Layer::make();
        layer->setBounds({0, 0, 200, 100});
        context = rootContext(animation, log.logger(), 0, 60, 1, mode);
        TransformAnimations::addTransformAnimations(*layer, transform, context);
        return layer->animationKeys();
    }

    std::shared_ptr<const LottieAnimation> animation = emptyAnimation(0, 60, 30);
    std::shared_ptr<platform::compositor::Layer> layer;
    LayerAnimationContext context;
};

TEST_F(TransformAnimationsTest, ComponentsGiveTheirOwnAnimations) {
    TestTransform neutral;
    EXPECT_EQ(animatedKeys(neutral), std::vector<std::string>{"anchorPoint"});

    TestTransform split;
    split.positionGroup = nullptr;
    split.x = moving<LottieVector1D>({{0, LottieVector1D(0)}, {30, LottieVector1D(10)}});
    split.y = moving<LottieVector1D>({{0, LottieVector1D(5)}, {30, LottieVector1D(10)}});
    EXPECT_EQ(animatedKeys(split),
              (std::vector<std::string>{"transform.translation.x", "transform.translation.y", "anchorPoint"}));

    TestTransform all;
    all.positionGroup = moving<LottieVector3D>({{0, LottieVector3D(0, 0, 0)}, {30, LottieVector3D(9, 9, 0)}});
    all.scaleGroup = moving<LottieVector3D>({{0, LottieVector3D(100, 100, 0)}, {30, LottieVector3D(50, 200, 0)}});
    all.rotations[2] = moving<LottieVector1D>({{0, LottieVector1D(0)}, {30, LottieVector1D(90)}});
    all.x = fixed(LottieVector1D(3));
    EXPECT_EQ(animatedKeys(all), (std::vector<std::string>{"transform.translation", "anchorPoint",
                                                           "transform.scale.x", "transform.scale.y",
                                                           "transform.rotation.z"}));

    // A negative x scale in any keyframe: one matrix and nothing else.
    TestTransform flipped = all;
    flipped.scaleGroup = moving<LottieVector3D>({{0, LottieVector3D(100, 100, 0)}, {30, LottieVector3D(-100, 100, 0)}});
    EXPECT_EQ(animatedKeys(flipped), std::vector<std::string>{"transform"});
    // Flipping over 100,000 frames, a million samples: each worked out when
    // the compositor asks for it, so the pass keeps the keyframes alone.
    flipped.scaleGroup = moving<LottieVector3D>({{0, LottieVector3D(100, 100, 0)}, {1e5, LottieVector3D(-100, 100, 0)}});
    context.samplingBudget = std::make_shared<SamplingBudget>();
    TransformAnimations::addTransformAnimations(*layer, flipped, context);
    EXPECT_LT(context.samplingBudget->spent(), 4096);
    for (double x : {-0.0, std::nan(""), 0.0}) {
        TestTransform notNegative;
        notNegative.scaleGroup = fixed(LottieVector3D(x, -100, 100));
        EXPECT_EQ(animatedKeys(notNegative).front(), "anchorPoint") << x;
    }
    // A skew that shows: one matrix; a skew of 0 or without an axis: components.
    TestTransform skewed;
    skewed.skewGroup = fixed(LottieVector1D(20));
    skewed.skewAxisGroup = fixed(LottieVector1D(0));
    // A static matrix is the layer's own transform, no animation.
    EXPECT_TRUE(animatedKeys(skewed).empty());
    EXPECT_FALSE(layer->transform().isIdentity());
    skewed.skewGroup = fixed(LottieVector1D(0));
    EXPECT_EQ(animatedKeys(skewed), std::vector<std::string>{"anchorPoint"});
    skewed.skewGroup = fixed(LottieVector1D(20));
    skewed.skewAxisGroup = std::make_shared<const KeyframeGroup<LottieVector1D>>(std::vector<Keyframe<LottieVector1D>>{});
    EXPECT_EQ(animatedKeys(skewed), std::vector<std::string>{"anchorPoint"});
}

TEST_F(TransformAnimationsTest, AMissingPositionIsAnIssue) {
    TestTransform halfSplit;
    halfSplit.positionGroup = nullptr;
    halfSplit.x = fixed(LottieVector1D(4));
    halfSplit.scaleGroup = fixed(LottieVector3D(50, 50, 100));
    EXPECT_EQ(animatedKeys(halfSplit), (std::vector<std::string>{"anchorPoint"}));
    EXPECT_EQ(layer->value("transform.scale.x"), AnimatableValue(0.5));
    ASSERT_EQ(context.tracker->issues().size(), 1u);
    EXPECT_EQ(context.tracker->issues()[0].message, TransformAnimations::missingPositionMessage);
    EXPECT_THROW(animatedKeys(halfSplit, CompatibilityTracker::Mode::abort), CompatibilityTracker::Error);
    EXPECT_FALSE(layer->hasAnimations());
}

TEST_F(TransformAnimationsTest, TheAnchorPointIsAFractionOfTheBounds) {
    TestTransform transform;
    transform.anchor = fixed(LottieVector3D(100, 50, 0));
    transform.scaleGroup = fixed(LottieVector3D(50, 200, 100));
    transform.rotations[2] = fixed(LottieVector1D(90));
    animatedKeys(transform);
    const auto anchor = layer->presentedValue("anchorPoint", clock->now());
    ASSERT_TRUE(anchor && anchor->get<Point>());
    EXPECT_EQ(*anchor->get<Point>(), (Point{0.5, 0.5}));
    EXPECT_EQ(layer->value("transform.scale.x"), AnimatableValue(0.5));
    EXPECT_EQ(layer->value("transform.scale.y"), AnimatableValue(2.0));
    EXPECT_EQ(layer->value("transform.rotation.z"), AnimatableValue(1.5707963267948966));

    // Without a size there is no fraction: (0, 0), and a message per mapped value.
    auto empty = platform::compositor::Layer::make();
    transform.anchor = moving<LottieVector3D>({{0, LottieVector3D(1, 1, 0)}, {30, LottieVector3D(2, 2, 0)}});
    TransformAnimations::animateAnchorPoint(*empty, transform, context);
    EXPECT_EQ(log.assertionFailures.size(), 2u);
    EXPECT_EQ(log.assertionFailures.back(), TransformAnimations::emptyBoundsMessage);
}

TEST(CombinedTransformMatrix, MapsPointsAsTheComponentsSay) {
    using Components = CombinedTransformAnimation::Components;
    const LottieVector3D origin(0, 0, 0), full(100, 100, 100);
    struct Case {
        const char* name;
        Components components;
        Point from;
        Point to;
    };
    const std::vector<Case> cases = {
        {"a skew of 0 is no skew", {origin, LottieVector3D(10, 20, 0), 0, 0, full, 0, 0, 0, 0, 45}, {1, 0}, {11, 20}},
        {"a skew of 45 shears x by y", {origin, origin, 0, 0, full, 0, 0, 0, 45, 0}, {0, 10}, {-10, 10}},
        {"about the anchor point", {LottieVector3D(50, 50, 0), origin, 0, 0, LottieVector3D(200, 200, 9), 0, 0, 0, 0, 0},
         {60, 50}, {20, 0}},
        {"the anchor point itself", {LottieVector3D(50, 50, 0), origin, 0, 0, LottieVector3D(200, 200, 9), 0, 0, 0, 0, 0},
         {50, 50}, {0, 0}},
        {"a flip", {origin, LottieVector3D(5, 0, 7), 0, 0, LottieVector3D(-100, 100, 0), 0, 0, 0, 0, 0}, {2, 3},
         {3, 3}},
        {"rotation about z, clockwise on screen", {origin, origin, 0, 0, full, 0, 0, 90, 0, 0}, {1, 0}, {0, 1}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        const Point mapped = CombinedTransformAnimation::combinedTransformMatrix(item.components, false).apply(item.from);
        EXPECT_NEAR(mapped.x, item.to.x, 1e-9);
        EXPECT_NEAR(mapped.y, item.to.y, 1e-9);
    }
    // Split positions take their own values.
    Components split{origin, LottieVector3D(1, 1, 0), 30, 40, full, 0, 0, 0, 0, 0};
    EXPECT_EQ(CombinedTransformAnimation::combinedTransformMatrix(split, true).apply({0, 0}), (Point{30, 40}));
}

TEST(CombinedTransformAnimation, SkewAnimationForcesSampling) {
    TestTransform transform;
    transform.skewGroup = fixed(LottieVector1D(10));
    transform.skewAxisGroup = moving<LottieVector1D>({{0, LottieVector1D(0)}, {2, LottieVector1D(10)}});
    EXPECT_TRUE(CombinedTransformAnimation::hasSkewAnimation(transform));
    transform.skewAxisGroup = fixed(LottieVector1D(10));
    EXPECT_FALSE(CombinedTransformAnimation::hasSkewAnimation(transform));
    transform.skewGroup = fixed(LottieVector1D(std::nan("")));
    EXPECT_TRUE(CombinedTransformAnimation::hasSkew(transform));
}

// A flipped layer's samples, worked out when the compositor asks, are the
// sampled keyframes' times, matrices and holds, whatever the components'
// timing; at a sample's time it shows that sample, between two the blend.
TEST(CombinedTransformAnimation, SamplesWorkedOutWhenAskedAreTheSampledKeyframes) {
    using Samples = CombinedTransformSamples;
    const auto held = [](LottieVector3D value, double time) {
        return Keyframe<LottieVector3D>(value, time, true, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    };
    const auto zero = fixed(LottieVector1D(0));
    const auto origin = fixed(LottieVector3D(0, 0, 0));
    const Samples::Components plain = {origin, fixed(LottieVector3D(20, 30, 0)), zero, zero,
                                       moving<LottieVector3D>({{0, LottieVector3D(100, 100, 0)}, {3, LottieVector3D(-100, 100, 0)}}),
                                       zero, zero, zero, zero, zero};
    Samples::Components heldTurning = plain;
    heldTurning.scale = std::make_shared<const KeyframeGroup<LottieVector3D>>(std::vector<Keyframe<LottieVector3D>>{
        keyframeAt(LottieVector3D(100, 100, 0), 0.0), held(LottieVector3D(-100, 100, 0), 1),
        keyframeAt(LottieVector3D(-50, 80, 0), 2.5)});
    heldTurning.rotationZ = moving<LottieVector1D>({{0.5, LottieVector1D(0)}, {3, LottieVector1D(90)}});
    Samples::Components lateSplit = plain;
    lateSplit.scale = moving<LottieVector3D>({{2, LottieVector3D(100, 100, 0)}, {4.05, LottieVector3D(-100, 100, 0)}});
    lateSplit.positionX = moving<LottieVector1D>({{1, LottieVector1D(0)}, {3, LottieVector1D(50)}});
    struct Case {
        const char* name;
        Samples::Components components;
        bool split;
    };
    for (const Case& item : std::vector<Case>{{"flipping", plain, false},
                                              {"flipping held while turning at other times", heldTurning, false},
                                              {"flipping late, the position split", lateSplit, true}}) {
        SCOPED_TRACE(item.name);
        const Samples::Components& c = item.components;
        const auto samples = Samples::make(c, item.split);
        ASSERT_TRUE(samples);
        const auto combine = [&item](const LottieVector3D& anchor, const LottieVector3D& position,
                                     const LottieVector1D& x, const LottieVector1D& y, const LottieVector3D& scale,
                                     const LottieVector1D& rx, const LottieVector1D& ry, const LottieVector1D& rz,
                                     const LottieVector1D& skew, const LottieVector1D& axis) {
            return CombinedTransformAnimation::combinedTransformMatrix(
                {anchor, position, x.value, y.value, scale, rx.value, ry.value, rz.value, skew.value, axis.value},
                item.split);
        };
        const auto groups = std::tie(*c.anchorPoint, *c.position, *c.positionX, *c.positionY, *c.scale, *c.rotationX,
                                     *c.rotationY, *c.rotationZ, *c.skew, *c.skewAxis);
        const auto sampled = std::apply(
            [&](const auto&... each) {
                return KeyframesCombined::blendedSamples(KeyframesCombined::combined({}, true, combine, each...), each...);
            },
            groups);
        ASSERT_EQ(samples->count(), sampled.keyframes().size());
        for (std::size_t index = 0; index < samples->count(); ++index) {
            const auto& keyframe = sampled.keyframes()[index];
            EXPECT_EQ(samples->sampleTime(index), keyframe.time()) << index;
            EXPECT_EQ(samples->holds(index), keyframe.isHold()) << index;
            EXPECT_EQ(samples->sample(index), keyframe.value()) << index;
        }
        const std::size_t middle = samples->count() / 2;
        const double time = samples->sampleTime(middle);
        EXPECT_EQ(samples->valueAt(time), AnimatableValue(samples->sample(middle)));
        EXPECT_EQ(samples->valueAt(-1), AnimatableValue(samples->sample(0)));
        EXPECT_EQ(samples->valueAt(1e9), AnimatableValue(samples->sample(samples->count() - 1)));
        // Half way, up to the rounding of the times.
        const double between = (time + samples->sampleTime(middle + 1)) / 2;
        const auto shown = samples->valueAt(between);
        const AnimatableValue expected =
            samples->holds(middle) ? AnimatableValue(samples->sample(middle))
                                   : AnimatableValue::blend(AnimatableValue(samples->sample(middle)),
                                                            AnimatableValue(samples->sample(middle + 1)), 0.5);
        ASSERT_TRUE(shown && shown->get<platform::graphics::Transform3D>());
        const Point point = shown->get<platform::graphics::Transform3D>()->apply({3, 7});
        const Point wanted = expected.get<platform::graphics::Transform3D>()->apply({3, 7});
        EXPECT_NEAR(point.x, wanted.x, 1e-9);
        EXPECT_NEAR(point.y, wanted.y, 1e-9);
    }
}

TEST(GroupScaledStrokeWidth, WidthsUndoTheGroupsScale) {
    MessageLog log;
    LayerContext context;
    context.tracker = log.tracker();
    context.layerName = "Group";
    struct Case {
        const char* name;
        LottieVector3D scale;
        double width;
        bool issue;
    };
    for (const Case& item : std::vector<Case>{{"half", LottieVector3D(50, 50, 100), 8, false},
                                              {"double", LottieVector3D(200, 200, 100), 2, false},
                                              {"none", LottieVector3D(0, 0, 100), 4, false},
                                              {"separate", LottieVector3D(50, 60, 100), 8, true}}) {
        SCOPED_TRACE(item.name);
        context.tracker->clearIssues();
        const auto widths = GroupScaledStrokeWidth::combined(KeyframeGroup<LottieVector1D>(LottieVector1D(4)),
                                                             KeyframeGroup<LottieVector3D>(item.scale), "Stroke 1", context);
        ASSERT_EQ(widths.keyframes().size(), 1u);
        EXPECT_EQ(widths.keyframes()[0].value().value, item.width);
        EXPECT_EQ(context.tracker->issues().size(), item.issue ? 1u : 0u);
    }
    EXPECT_EQ(GroupScaledStrokeWidth::separateScaleMessage(50, 60, "Stroke 1"),
              "The Core Animation rendering engine doesn't support applying separate x/y scale values (x: 50.0, y: "
              "60.0) to this stroke item (Stroke 1).");
    EXPECT_EQ(GroupScaledStrokeWidth::separateScaleMessage(12.5, 1e21, "S"),
              "The Core Animation rendering engine doesn't support applying separate x/y scale values (x: 12.5, y: "
              "1e+21) to this stroke item (S).");
}

// A point of the group holding an inherited gradient, taken into the space of
// the transformed group that draws it: the group's transform brings it back.
TEST(GroupGradientPoints, PointsGoIntoTheTransformedGroupsSpace) {
    MessageLog log;
    LayerContext context;
    context.tracker = log.tracker();
    const auto transform = [](const std::string& fields) {
        return decodedItem<ShapeTransform>(R"({"ty":"tr",)" + fields + "}");
    };
    struct Case {
        const char* name;
        std::shared_ptr<const ShapeTransform> transform;
        LottieVector3D point;
        LottieVector3D expected;
    };
    const std::vector<Case> cases = {
        {"moved", transform(R"("p":{"a":0,"k":[10,20]})"), LottieVector3D(15, 25, 0), LottieVector3D(5, 5, 0)},
        {"anchored", transform(R"("a":{"a":0,"k":[5,5]})"), LottieVector3D(0, 0, 0), LottieVector3D(5, 5, 0)},
        {"scaled and turned a quarter clockwise",
         transform(R"("p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[200,200]},"r":{"a":0,"k":90})"),
         LottieVector3D(50, 70, 0), LottieVector3D(10, 0, 0)},
        {"scaled to nothing: left as it is", transform(R"("s":{"a":0,"k":[0,0]})"), LottieVector3D(7, 8, 0),
         LottieVector3D(7, 8, 0)},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        const auto points = GroupGradientPoints::inGroupSpace(KeyframeGroup<LottieVector3D>(item.point), *item.transform,
                                                              context);
        ASSERT_EQ(points.keyframes().size(), 1u);
        EXPECT_NEAR(points.keyframes()[0].value().x, item.expected.x, 1e-9);
        EXPECT_NEAR(points.keyframes()[0].value().y, item.expected.y, 1e-9);
    }
    // A moving group moves the point the other way, keyframe by keyframe.
    const auto moving = transform(R"("p":{"a":1,"k":[{"t":0,"s":[0,0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},)"
                                  R"({"t":10,"s":[10,0]}]})");
    const auto points = GroupGradientPoints::inGroupSpace(KeyframeGroup<LottieVector3D>(LottieVector3D(20, 0, 0)), *moving,
                                                          context);
    ASSERT_EQ(points.keyframes().size(), 2u);
    EXPECT_EQ(points.keyframes()[1].time(), 10);
    EXPECT_NEAR(points.keyframes()[0].value().x, 20, 1e-9);
    EXPECT_NEAR(points.keyframes()[1].value().x, 10, 1e-9);
}

// Only a transform that keeps shapes lets two mapped points stand for an
// inherited gradient; any other is reported and the gradient falls back.
TEST(GroupGradientPoints, KeepsShapesOnlyUnderTurnsMovesMirrorsAndEvenScales) {
    const auto transform = [](const std::string& fields) {
        return decodedItem<ShapeTransform>(R"({"ty":"tr",)" + fields + "}");
    };
    const std::string ease = R"("i":{"x":[0.5],"y":[0.5]},"o":{"x":[0.5],"y":[0.5]})";
    const auto scaling = [&](const std::string& from, const std::string& to) {
        return R"("s":{"a":1,"k":[{"t":0,"s":)" + from + "," + ease + R"(},{"t":10,"s":)" + to + "}]}";
    };
    struct Case {
        const char* name;
        std::string fields;
        bool keeps;
    };
    const std::vector<Case> cases = {
        {"plain", R"("p":{"a":0,"k":[10,20]})", true},
        {"turned and scaled evenly", R"("s":{"a":0,"k":[150,150]},"r":{"a":0,"k":30})", true},
        {"mirrored", R"("s":{"a":0,"k":[-120,120]})", true},
        {"growing while mirrored", scaling("[-80,80]", "[-130,130]"), true},
        {"shrinking through nothing", scaling("[100,100]", "[0,0]"), true},
        {"skewed", R"("sk":{"a":0,"k":30},"sa":{"a":0,"k":20})", false},
        {"skewing", R"("sk":{"a":1,"k":[{"t":0,"s":[0],)" + ease + R"(},{"t":10,"s":[40]}]})", false},
        {"scaled unevenly", R"("s":{"a":0,"k":[150,70]})", false},
        {"scaling unevenly", scaling("[100,100]", "[160,60]"), false},
        {"flipping, unevenly on the way", scaling("[100,100]", "[-100,100]"), false},
        {"turned about the y axis", R"("ry":{"a":0,"k":30})", false},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        EXPECT_EQ(GroupGradientPoints::keepsShapes(*transform(item.fields)), item.keeps);
    }
}

}  // namespace
