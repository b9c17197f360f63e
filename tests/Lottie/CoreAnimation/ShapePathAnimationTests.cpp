// The path animations of shape items: which item draws what, rounded corners
// taken, ignored or reported, paths repeated for long trims, and star and
// polygon point counts that no document should have kept drawable.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Lottie/CoreAnimation/BezierPathKeyframe.h"
#include "Lottie/CoreAnimation/ShapePathAnimation.h"
#include "Lottie/CoreAnimation/StarPathAnimation.h"
#include "Lottie/Model/ShapeItems/CombinedShapeItem.h"
#include "Lottie/Model/ShapeItems/Rectangle.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/Star.h"
#include "Lottie/Values/KeyframeInterpolator.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::graphics::Path;

namespace {

class ShapePathAnimationTest : public HundredFrameTest {
protected:
    // The path the layer shows at frame 0 after animating `item`.
    Path pathOf(const ShapeItem& item, int multiplier = 1, const RoundedCorners* rounded = nullptr,
                CompatibilityTracker::Mode mode = CompatibilityTracker::Mode::track) {
        const LayerAnimationContext context = wholeDocument(1, mode);
        auto layer = platform::compositor::ShapeLayer::make();
        ShapePathAnimation::animateShapePath(*layer, item, context, multiplier, rounded);
        const auto value = layer->presentedValue("path", clock->now());
        const Path* path = value ? value->get<Path>() : nullptr;
        return path ? *path : Path();
    }

    std::vector<CompatibilityIssue> issuesOf(const ShapeItem& item, const RoundedCorners* rounded) {
        const LayerAnimationContext context = wholeDocument();
        auto layer = platform::compositor::ShapeLayer::make();
        ShapePathAnimation::animateShapePath(*layer, item, context, 1, rounded);
        return context.tracker->issues();
    }
};

std::string star(const std::string& points, int type = 1, const std::string& inner = R"("ir":{"a":0,"k":20},)") {
    return R"({"ty":"sr","nm":"Star","p":{"a":0,"k":[50,50]},"or":{"a":0,"k":40},"os":{"a":0,"k":0},)" + inner +
           R"("r":{"a":0,"k":0},"pt":{"a":0,"k":)" + points + R"(},"sy":)" + std::to_string(type) + "}";
}

std::shared_ptr<const RoundedCorners> rounded(double radius) {
    return decodedItem<RoundedCorners>(R"({"ty":"rd","nm":"Round","r":{"a":0,"k":)" + std::to_string(radius) + "}}");
}

BezierPath corners(std::initializer_list<platform::graphics::Point> points, bool closed) {
    BezierPath path;
    for (const auto point : points) path.appendVertex(CurveVertex::corner(point));
    path.setClosed(closed);
    return path;
}

std::size_t moves(const Path& path) {
    std::size_t count = 0;
    for (const auto& element : path.elements()) count += element.type == platform::graphics::PathElementType::moveTo;
    return count;
}

TEST_F(ShapePathAnimationTest, StarAndPolygonPointCountsAreGuarded) {
    struct Case {
        const char* name;
        std::string points;
        int type;
        std::size_t maximumElements;
    };
    const std::vector<Case> cases = {
        {"five point star", "5", 1, 13},
        {"negative star", "-5", 1, 3},
        {"huge star", "1e12", 1, 2 * 5000 + 3},
        {"huge polygon", "1e12", 2, 5000 + 3},
        {"negative polygon", "-3", 2, 3},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        const Path path = pathOf(*decodedItem<Star>(star(entry.points, entry.type)));
        EXPECT_FALSE(path.isEmpty());
        EXPECT_LE(path.elements().size(), entry.maximumElements);
        const auto box = path.boundingBox();
        EXPECT_TRUE(std::isfinite(box.size.width) && std::isfinite(box.size.height));
    }
    // Counts that JSON cannot spell reach the builders through interpolation.
    auto starItem = decodedItem<Star>(star("5"));
    for (double points : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        Star::Keyframe value{{50, 50, 0}, LottieVector1D(40), LottieVector1D(20), LottieVector1D(0),
                             LottieVector1D(0), LottieVector1D(points), LottieVector1D(0)};
        for (const Path& path : {StarPathAnimation::starPath(*starItem, value, 1),
                                 StarPathAnimation::polygonPath(*starItem, value, 1)}) {
            EXPECT_LE(path.elements().size(), 3u) << points;
        }
    }
}

// Outlines built at the keyframes and blended point by point show a star
// between them only while its radii alone change; anything else is sampled
// each tenth of a frame, and the samples blend into each other.
TEST_F(ShapePathAnimationTest, AStarIsSampledUnlessOnlyItsRadiiAnimate) {
    const std::string moving = R"({"a":1,"k":[{"t":0,"s":[A],"o":{"x":[0.3],"y":[0]},"i":{"x":[0.7],"y":[1]}},{"t":2,"s":[B]}]})";
    const auto animated = [&moving](const std::string& from, const std::string& to) {
        std::string value = moving;
        value.replace(value.find('A'), 1, from);
        value.replace(value.find('B'), 1, to);
        return value;
    };
    struct Case {
        const char* key;
        std::string from, to;
        bool sampled;
    };
    const std::vector<Case> cases = {
        {"or", "40", "30", false}, {"ir", "20", "10", false}, {"r", "0", "20", true},     {"pt", "5", "7", true},
        {"p", "50,50", "60,40", true}, {"os", "0", "50", true}, {"is", "0", "50", true},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.key);
        std::string json = star("5", 1, R"("ir":{"a":0,"k":20},"is":{"a":0,"k":0},)");
        const std::string key = std::string("\"") + entry.key + "\":{\"a\":0,\"k\":";
        const auto at = json.find(key);
        ASSERT_NE(at, std::string::npos);
        const auto end = json.find('}', at);
        json.replace(at, end + 1 - at, std::string("\"") + entry.key + "\":" + animated(entry.from, entry.to));
        auto starItem = decodedItem<Star>(json);
        EXPECT_EQ(StarPathAnimation::blendsBetweenKeyframes(*starItem), !entry.sampled);
        const auto keyframes = StarPathAnimation::combinedKeyframes(*starItem).keyframes();
        // Two keyframes, or a sample each tenth of a frame from 0 to 2.
        ASSERT_EQ(keyframes.size(), entry.sampled ? 21u : 2u);
        for (const auto& keyframe : keyframes) EXPECT_FALSE(keyframe.isHold());
    }
}

// The compositor blends two outlines point by point, along chords that cut
// the points' arcs short: samples of a star turning fast are cut into steps
// of a couple of degrees or so, each taken from the keyframes, backwards as
// forwards; a spin too fast to follow keeps the tenth-frame samples.
TEST_F(ShapePathAnimationTest, AStarTurningFastIsSampledInSmallTurns) {
    struct Case {
        const char* degrees;
        std::size_t fewestSamples, mostSamples;
    };
    const std::vector<Case> cases = {{"20", 21, 21},   {"90", 46, 100},  {"-90", 46, 100},
                                     {"720", 361, 700}, {"1e9", 21, 21}};
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.degrees);
        std::string json = star("5");
        const std::string still = R"("r":{"a":0,"k":0})";
        json.replace(json.find(still), still.size(),
                     std::string(R"("r":{"a":1,"k":[{"t":0,"s":[0],"o":{"x":[0.3],"y":[0]},"i":{"x":[0.7],"y":[1]}},)") +
                         R"({"t":2,"s":[)" + entry.degrees + "]}]}");
        auto starItem = decodedItem<Star>(json);
        const auto keyframes = StarPathAnimation::combinedKeyframes(*starItem).keyframes();
        EXPECT_GE(keyframes.size(), entry.fewestSamples);
        EXPECT_LE(keyframes.size(), entry.mostSamples);
        const bool followed = entry.mostSamples > 21;
        KeyframeInterpolator<LottieVector1D> rotation(starItem->rotation()->keyframes());
        for (std::size_t index = 1; index < keyframes.size(); ++index) {
            const auto& before = keyframes[index - 1];
            const auto& keyframe = keyframes[index];
            EXPECT_LT(before.time(), keyframe.time());
            EXPECT_NEAR(keyframe.value().rotation.value, rotation.value(keyframe.time()).value, 1e-9);
            if (followed) {
                // Equal steps of time, which an easing turns by a little more or less.
                EXPECT_LE(std::fabs(keyframe.value().rotation.value - before.value().rotation.value),
                          2 * StarPathAnimation::largestTurn);
            }
        }
    }
}

TEST_F(ShapePathAnimationTest, AStarWithoutInnerGroupsHasItsInnerPointsAtTheCentre) {
    auto starItem = decodedItem<Star>(star("4", 1, ""));
    const KeyframeGroup<Star::Keyframe> keyframes = StarPathAnimation::combinedKeyframes(*starItem);
    ASSERT_EQ(keyframes.keyframes().size(), 1u);
    EXPECT_EQ(keyframes.keyframes().front().value().innerRadius.value, 0);
    EXPECT_EQ(keyframes.keyframes().front().value().innerRoundness.value, 0);
    const Path path = pathOf(*starItem);
    std::size_t atCentre = 0;
    for (const auto& element : path.elements()) {
        if (element.pointCount() == 0) continue;
        const auto point = element.points[static_cast<std::size_t>(element.pointCount() - 1)];
        atCentre += std::abs(point.x - 50) < 1e-9 && std::abs(point.y - 50) < 1e-9;
    }
    EXPECT_EQ(atCentre, 4u);
}

TEST_F(ShapePathAnimationTest, TheMultiplierRepeatsEveryKindOfPath) {
    const std::vector<std::pair<const char*, std::string>> items = {
        {"star", star("5")},
        {"polygon", star("6", 2)},
        {"ellipse", R"({"ty":"el","p":{"a":0,"k":[10,10]},"s":{"a":0,"k":[20,30]}})"},
        {"rectangle", R"({"ty":"rc","p":{"a":0,"k":[10,10]},"s":{"a":0,"k":[20,30]},"r":{"a":0,"k":0}})"},
        {"custom path", R"({"ty":"sh","ks":{"a":0,"k":{"c":true,"v":[[0,0],[10,0],[10,10]],"i":[[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0]]}}})"},
    };
    for (const auto& [name, json] : items) {
        SCOPED_TRACE(name);
        auto shape = shapetests::byDictionary(json);
        ASSERT_TRUE(shape);
        for (const auto& [multiplier, expected] : std::vector<std::pair<int, std::size_t>>{{-2, 1}, {0, 1}, {1, 1}, {3, 3}}) {
            const Path path = pathOf(*shape, multiplier);
            EXPECT_EQ(moves(path), expected) << multiplier;
        }
        EXPECT_EQ(pathOf(*shape, 3).boundingBox(), pathOf(*shape, 1).boundingBox());
    }
}

// Merged paths are trimmed one after the other as one length, so a trim that
// runs past the last one goes on into the first: the whole list is repeated.
TEST_F(ShapePathAnimationTest, CombinedPathsRepeatAsAWhole) {
    const BezierPath a = corners({{0, 0}, {5, 0}}, false);
    const BezierPath b = corners({{100, 0}, {105, 0}}, false);
    const CombinedShapeItem combined(std::make_shared<const KeyframeGroup<std::vector<BezierPath>>>(std::vector<BezierPath>{a, b}),
                                     "Group");
    const Path path = pathOf(combined, 2);
    std::vector<double> starts;
    for (const auto& element : path.elements()) {
        if (element.type == platform::graphics::PathElementType::moveTo) starts.push_back(element.points[0].x);
    }
    EXPECT_EQ(starts, (std::vector<double>{0, 100, 0, 100}));
}

TEST_F(ShapePathAnimationTest, RoundedCornersAreTakenIgnoredOrReported) {
    auto rectangle = decodedItem<Rectangle>(
        R"({"ty":"rc","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[40,40]},"r":{"a":0,"k":8}})");
    // A radius of 0 never rounds anything, so it leaves the rectangle's own corners.
    EXPECT_EQ(ShapePathAnimation::rectangleKeyframes(*rectangle, rounded(0).get()).keyframes().front().value().cornerRadius.value, 8);
    // Corners the rectangle rounds itself are curves, which rounded corners leave alone.
    EXPECT_EQ(ShapePathAnimation::rectangleKeyframes(*rectangle, rounded(3).get()).keyframes().front().value().cornerRadius.value, 8);
    auto square = decodedItem<Rectangle>(R"({"ty":"rc","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[40,40]},"r":{"a":0,"k":0}})");
    EXPECT_EQ(ShapePathAnimation::rectangleKeyframes(*square, rounded(3).get()).keyframes().front().value().cornerRadius.value, 3);
    EXPECT_EQ(ShapePathAnimation::rectangleKeyframes(*rectangle, nullptr).keyframes().front().value().cornerRadius.value, 8);
    EXPECT_EQ(pathOf(*rectangle, 1, rounded(0).get()), pathOf(*rectangle));

    struct Case {
        const char* name;
        std::string json;
        std::vector<std::string> issues;
    };
    const std::vector<Case> cases = {
        {"ellipse", R"({"ty":"el","p":{"a":0,"k":[10,10]},"s":{"a":0,"k":[20,30]}})", {}},
        {"star", star("5"), {ShapePathAnimation::starRoundedCornersIssue}},
        {"star of no type", star("5", 0), {ShapePathAnimation::starRoundedCornersIssue}},
        {"merge", R"({"ty":"mm","nm":"Merge","mm":1})", {"Unexpected shape type Merge"}},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        auto shape = shapetests::byDictionary(entry.json);
        ASSERT_TRUE(shape);
        std::vector<std::string> messages;
        for (const CompatibilityIssue& issue : issuesOf(*shape, rounded(4).get())) messages.push_back(issue.message);
        EXPECT_EQ(messages, entry.issues);
    }
    // In track mode the star keeps its path.
    EXPECT_FALSE(pathOf(*decodedItem<Star>(star("5")), 1, rounded(4).get()).isEmpty());
    EXPECT_THROW(pathOf(*decodedItem<Star>(star("5")), 1, rounded(4).get(), CompatibilityTracker::Mode::abort),
                 CompatibilityTracker::Error);
}

TEST_F(ShapePathAnimationTest, AnimatedRadiiThatReachHalfTheShorterSideAreSampled) {
    const auto radius = [](double from, double to) {
        return R"({"a":1,"k":[{"t":0,"s":[)" + std::to_string(from) +
               R"(],"i":{"x":[0.6],"y":[0.6]},"o":{"x":[0.4],"y":[0.4]}},{"t":30,"s":[)" + std::to_string(to) + "]}]}";
    };
    // A bar 10 wide whose height moves, with easing whose values run from `low` to `high`.
    const auto height = [](double from, double to, double low, double high) {
        return R"({"a":1,"k":[{"t":0,"s":[10,)" + std::to_string(from) + R"(],"i":{"x":[0.6],"y":[)" +
               std::to_string(high) + R"(]},"o":{"x":[0.4],"y":[)" + std::to_string(low) + R"(]}},{"t":30,"s":[10,)" +
               std::to_string(to) + "]}]}";
    };
    const auto grown = [](const char* from, const char* to) {
        return R"({"a":1,"k":[{"t":0,"s":)" + std::string(from) +
               R"(,"i":{"x":[0.6],"y":[0.6]},"o":{"x":[0.4],"y":[0.4]}},{"t":30,"s":)" + to + "}]}";
    };
    struct Case {
        const char* name;
        std::string radius;
        std::string size;
        // Two keyframes keep the document's timing; sampling gives ten a frame.
        std::size_t keyframes;
    };
    const std::vector<Case> cases = {
        {"below the limit throughout", radius(2, 15), R"({"a":0,"k":[60,40]})", 2},
        {"down from above the limit", radius(60, 10), R"({"a":0,"k":[60,40]})", 301},
        {"up to the limit exactly", radius(0, 20), R"({"a":0,"k":[60,40]})", 2},
        {"up past the limit", radius(0, 21), R"({"a":0,"k":[60,40]})", 301},
        // Past the smallest half side of any keyframe (10), but below half
        // the width all the way (which grows with it): the radius is drawn
        // as keyed, and its keyframes are kept.
        {"a limit the size passes on the way",
         radius(5, 25), R"({"a":1,"k":[{"t":0,"s":[20,60],"i":{"x":[0.6],"y":[0.6]},"o":{"x":[0.4],"y":[0.4]}},{"t":30,"s":[80,60]}]})",
         2},
        {"a radius that overtakes the width it grows with",
         radius(5, 45), R"({"a":1,"k":[{"t":0,"s":[20,60],"i":{"x":[0.6],"y":[0.6]},"o":{"x":[0.4],"y":[0.4]}},{"t":30,"s":[80,60]}]})",
         301},
        {"a still radius above the limit", R"({"a":0,"k":50})", R"({"a":0,"k":[60,40]})", 1},
        // The width stops the radius at 5 at every keyframe, the height never does.
        {"a still radius above a still width while the height moves", R"({"a":0,"k":20})", height(40, 14, 0, 1), 2},
        {"the same, eased past its ends", R"({"a":0,"k":20})", height(40, 14, -0.5, 1.5), 301},
        {"the same, the height passing the width", R"({"a":0,"k":20})", height(40, 8, 0, 1), 301},
        // Half the width is the smallest of the three at both keyframes.
        {"a capsule growing both ways, narrower throughout", R"({"a":0,"k":50})", grown("[10,40]", "[30,60]"), 2},
        {"a capsule growing both ways, its width passing its height", R"({"a":0,"k":50})",
         grown("[10,40]", "[60,30]"), 301},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        const auto rectangle = decodedItem<Rectangle>(R"({"ty":"rc","p":{"a":0,"k":[50,50]},"s":)" + entry.size +
                                                      R"(,"r":)" + entry.radius + "}");
        ASSERT_TRUE(rectangle);
        EXPECT_EQ(ShapePathAnimation::rectangleKeyframes(*rectangle, nullptr).keyframes().size(), entry.keyframes);
    }
}

TEST_F(ShapePathAnimationTest, CustomPathsRoundOnlyWhenSomeRadiusIsAboveZero) {
    const BezierPath square = corners({{0, 0}, {10, 0}, {10, 10}}, true);
    const KeyframeGroup<BezierPath> path(std::vector<Keyframe<BezierPath>>{Keyframe<BezierPath>(square)},
                                         std::string("thisComp"));
    const KeyframeGroup<LottieVector1D> flat({keyframeAt(LottieVector1D(0), 0), keyframeAt(LottieVector1D(-2), 10)});
    const auto unrounded = BezierPathKeyframe::combining(path, &flat);
    ASSERT_EQ(unrounded.keyframes().size(), 1u);
    EXPECT_FALSE(unrounded.keyframes().front().value().cornerRadius);
    EXPECT_EQ(unrounded.unsupportedAfterEffectsExpression(), "thisComp");

    const KeyframeGroup<LottieVector1D> some({keyframeAt(LottieVector1D(0), 0), keyframeAt(LottieVector1D(3), 10)});
    const auto roundedKeyframes = BezierPathKeyframe::combining(path, &some);
    ASSERT_EQ(roundedKeyframes.keyframes().size(), 2u);
    for (const auto& keyframe : roundedKeyframes.keyframes()) EXPECT_TRUE(keyframe.value().cornerRadius);
    EXPECT_NE(roundedKeyframes.keyframes()[1].value().toPath(1), roundedKeyframes.keyframes()[0].value().toPath(1));

    const BezierPathKeyframe withRadius{square, LottieVector1D(4)}, without{square, std::nullopt};
    EXPECT_FALSE(Interpolation<BezierPathKeyframe>::interpolate(withRadius, without, 0.5).cornerRadius);
    EXPECT_EQ(Interpolation<BezierPathKeyframe>::interpolate(withRadius, {square, LottieVector1D(8)}, 0.5).cornerRadius,
              LottieVector1D(6));
}

TEST_F(ShapePathAnimationTest, AShapeGrowingFromNothingMorphsThroughEveryFrame) {
    // At size 0 every control point lies on its vertex; the paths must still morph.
    auto growing = shapetests::byDictionary(
        R"({"ty":"el","p":{"a":0,"k":[50,50]},"s":{"a":1,"k":[{"t":0,"s":[0,0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":100,"s":[40,40]}]}})");
    ASSERT_TRUE(growing);
    const LayerAnimationContext context = wholeDocument();
    auto layer = platform::compositor::ShapeLayer::make();
    ShapePathAnimation::animateShapePath(*layer, *growing, context, 1, nullptr);
    for (double frame : {25.0, 50.0, 75.0}) {
        const auto value = presentedAt(*layer, "path", frame);
        ASSERT_TRUE(value && value->get<Path>()) << frame;
        EXPECT_NEAR(value->get<Path>()->boundingBox().size.width, 40 * frame / 100, 1e-6) << frame;
    }
}

// A moving star is sampled each tenth of a frame and every sample built into
// a path: the copies a pass animates (a repeater's) share them, each charged
// what making them cost, and each shows the same outline.
TEST_F(ShapePathAnimationTest, CopiesOfAMovingStarShareItsOutlinesWithinAPass) {
    const auto moving = decodedItem<Star>(
        R"({"ty":"sr","nm":"Star","sy":1,"p":{"a":1,"k":[{"t":0,"s":[20,20],"i":{"x":0.5,"y":0.5},)"
        R"("o":{"x":0.5,"y":0.5}},{"t":50,"s":[80,80]}]},"or":{"a":0,"k":30},"ir":{"a":0,"k":10},)"
        R"("os":{"a":0,"k":0},"is":{"a":0,"k":0},"r":{"a":0,"k":0},"pt":{"a":0,"k":5}})");
    ASSERT_TRUE(moving);
    LayerAnimationContext context = wholeDocument();
    context.samplingBudget = std::make_shared<SamplingBudget>();
    context.passResults = std::make_shared<PassResults>();
    std::vector<double> spent;
    std::vector<std::optional<platform::compositor::AnimatableValue>> shown;
    for (int copy = 0; copy < 3; ++copy) {
        auto layer = platform::compositor::ShapeLayer::make();
        const double before = context.samplingBudget->spent();
        ShapePathAnimation::animateShapePath(*layer, *moving, context, 1, nullptr);
        spent.push_back(context.samplingBudget->spent() - before);
        shown.push_back(presentedAt(*layer, "path", 25.05));
    }
    // Made once for the three copies, and once more for another repetition.
    EXPECT_EQ(context.passResults->size(), 1u);
    ShapePathAnimation::animateShapePath(*platform::compositor::ShapeLayer::make(), *moving, context, 2, nullptr);
    EXPECT_EQ(context.passResults->size(), 2u);
    EXPECT_GT(spent[0], 0);
    for (int copy = 1; copy < 3; ++copy) {
        EXPECT_EQ(spent[copy], spent[0]);
        ASSERT_TRUE(shown[copy] && shown[0]);
        EXPECT_TRUE(*shown[copy] == *shown[0]);
    }
    ASSERT_TRUE(shown[0]->get<Path>());
    EXPECT_FALSE(shown[0]->get<Path>()->elements().empty());
}

}  // namespace
