// Key-value access by key-path text on layers, shape layers and gradient layers,
// the transform parts included.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/Image.h"

namespace {

using namespace platform::compositor;
using platform::graphics::Color;
using platform::graphics::Path;
using platform::graphics::Point;
using platform::graphics::Rect;
using platform::graphics::Size;
using platform::graphics::Transform3D;

Path trianglePath() {
    Path path;
    path.moveTo({0, 0});
    path.lineTo({10, 0});
    path.lineTo({0, 10});
    path.closeSubpath();
    return path;
}

TEST(KeyValue, EveryAnimatableKeyReadsBackWhatWasSet) {
    struct Case {
        const char* keyPath;
        AnimatableValue value;
    };
    const auto image = platform::graphics::Image::fromStraightRGBA(1, 1, {255, 0, 0, 255});
    const std::vector<Case> cases = {
        {"opacity", 0.25},
        {"hidden", true},
        {"transform", Transform3D::makeTranslation(3, 4, 0)},
        {"transform.translation", Point(5, 6)},
        {"transform.translation.x", 7.0},
        {"transform.translation.y", 8.0},
        {"transform.scale.x", 2.0},
        {"transform.scale.y", 3.0},
        {"transform.rotation.x", 0.5},
        {"transform.rotation.y", -0.25},
        {"transform.rotation.z", 1.0},
        {"anchorPoint", Point(0, 1)},
        {"position", Point(10, 20)},
        {"bounds", Rect(1, 2, 30, 40)},
        {"sublayerTransform", Transform3D::makeScale(2, 2, 1)},
        {"backgroundColor", Color::rgb(1, 0, 0, 1)},
        {"contents", AnimatableValue(image)},
        {"shadowOpacity", 0.5},
        {"shadowColor", Color::rgb(0, 0, 1, 1)},
        {"shadowRadius", 6.0},
        {"shadowOffset", Size(0, 3)},
        {"path", trianglePath()},
        {"fillColor", Color::rgb(0, 1, 0, 1)},
        {"strokeColor", Color::grey(0.5)},
        {"lineWidth", 4.0},
        {"lineDashPhase", 2.0},
        {"strokeStart", 0.25},
        {"strokeEnd", 0.75},
        {"miterLimit", 4.0},
        {"lineDashPattern", std::vector<double>{2, 1}},
    };
    for (const Case& c : cases) {
        auto layer = ShapeLayer::make();
        ASSERT_TRUE(layer->setValue(c.keyPath, c.value)) << c.keyPath;
        ASSERT_TRUE(layer->value(c.keyPath).has_value()) << c.keyPath;
        const AnimatableValue read = *layer->value(c.keyPath);
        if (const double* number = c.value.get<double>()) {
            EXPECT_NEAR(*read.number(), *number, 1e-12) << c.keyPath;
        } else if (const Point* point = c.value.get<Point>(); point && read.get<Point>()) {
            EXPECT_NEAR(read.get<Point>()->x, point->x, 1e-12) << c.keyPath;
            EXPECT_NEAR(read.get<Point>()->y, point->y, 1e-12) << c.keyPath;
        } else {
            EXPECT_EQ(read, c.value) << c.keyPath;
        }
    }
    const std::vector<Case> gradientCases = {
        {"colors", std::vector<Color>{Color::black(), Color::white()}},
        {"locations", std::vector<double>{0, 0.3}},
        {"startPoint", Point(0, 0)},
        {"endPoint", Point(1, 1)},
        {"opacity", 0.5},
    };
    for (const Case& c : gradientCases) {
        auto layer = GradientLayer::make();
        ASSERT_TRUE(layer->setValue(c.keyPath, c.value)) << c.keyPath;
        EXPECT_EQ(layer->value(c.keyPath), c.value) << c.keyPath;
    }
}

TEST(KeyValue, UnknownKeysAndWrongTypes) {
    auto layer = Layer::make();
    EXPECT_FALSE(layer->value("nonsense").has_value());
    EXPECT_FALSE(layer->value("path").has_value()) << "a plain layer has no path";
    EXPECT_FALSE(layer->value("transform.scale.z").has_value());
    EXPECT_FALSE(layer->setValue("nonsense", 1.0));
    EXPECT_FALSE(layer->setValue("opacity", Point(1, 2)));
    EXPECT_FALSE(layer->setValue("opacity", std::nullopt));
    EXPECT_FALSE(layer->setValue("position", 3.0));
    EXPECT_FALSE(layer->setValue("transform.translation", 3.0));
    EXPECT_FALSE(layer->setValue("transform.rotation.z", Point(0, 0)));
    EXPECT_DOUBLE_EQ(layer->opacity(), 1);
    // Booleans and numbers stand for each other, as boxed values do.
    EXPECT_TRUE(layer->setValue("hidden", 1.0));
    EXPECT_TRUE(layer->isHidden());
    EXPECT_TRUE(layer->setValue("opacity", false));
    EXPECT_DOUBLE_EQ(layer->opacity(), 0);
}

TEST(KeyValue, NoneClearsOptionalProperties) {
    auto shape = ShapeLayer::make();
    EXPECT_TRUE(shape->value("fillColor").has_value());
    EXPECT_TRUE(shape->setValue("fillColor", std::nullopt));
    EXPECT_FALSE(shape->fillColor().has_value());
    EXPECT_FALSE(shape->value("fillColor").has_value());
    EXPECT_FALSE(shape->value("strokeColor").has_value());
    EXPECT_TRUE(shape->setValue("shadowColor", std::nullopt));
    EXPECT_FALSE(shape->shadowColor().has_value());
    EXPECT_FALSE(shape->value("contents").has_value());
}

TEST(KeyValue, TransformPartsComposeScaleRotationsThenTranslation) {
    auto layer = Layer::make();
    layer->setValue("transform.scale.x", 2.0);
    layer->setValue("transform.scale.y", 3.0);
    layer->setValue("transform.rotation.z", std::numbers::pi / 2);
    layer->setValue("transform.translation", Point(10, 20));
    const Transform3D expected =
        Transform3D::concat(Transform3D::concat(Transform3D::makeScale(2, 3, 1),
                                                Transform3D::makeRotation(std::numbers::pi / 2, 0, 0, 1)),
                            Transform3D::makeTranslation(10, 20, 0));
    const auto actual = layer->transform().rows();
    const auto wanted = expected.rows();
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual[i], wanted[i], 1e-12) << i;
    }
    // (1, 0) is scaled to (2, 0), turned clockwise to (0, 2), then moved.
    const Point p = layer->transform().apply({1, 0});
    EXPECT_NEAR(p.x, 10, 1e-12);
    EXPECT_NEAR(p.y, 22, 1e-12);

    // All three rotations, in the order z, y, x.
    auto threeD = Layer::make();
    threeD->setValue("transform.rotation.x", 0.3);
    threeD->setValue("transform.rotation.y", 0.2);
    threeD->setValue("transform.rotation.z", 0.1);
    const Transform3D rotations = Transform3D::concat(
        Transform3D::concat(Transform3D::makeRotation(0.1, 0, 0, 1), Transform3D::makeRotation(0.2, 0, 1, 0)),
        Transform3D::makeRotation(0.3, 1, 0, 0));
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_NEAR(threeD->transform().rows()[i], rotations.rows()[i], 1e-12) << i;
    }
}

TEST(KeyValue, PartsSurviveAZeroScale) {
    auto layer = Layer::make();
    layer->setValue("transform.rotation.z", 1.0);
    layer->setValue("transform.scale.x", 0.0);
    layer->setValue("transform.scale.y", 0.0);
    EXPECT_NEAR(*layer->value("transform.rotation.z")->number(), 1.0, 1e-12);
    layer->setValue("transform.scale.x", 1.0);
    layer->setValue("transform.scale.y", 1.0);
    const Point p = layer->transform().apply({1, 0});
    EXPECT_NEAR(p.x, std::cos(1.0), 1e-12);
    EXPECT_NEAR(p.y, std::sin(1.0), 1e-12);
}

TEST(KeyValue, PartsReadFromAWholeTransform) {
    struct Case {
        Transform3D transform;
        const char* keyPath;
        double expected;
    };
    const Transform3D turned = Transform3D::concat(Transform3D::makeScale(2, 0.5, 1),
                                                   Transform3D::makeRotation(-0.7, 0, 0, 1));
    const std::vector<Case> cases = {
        {Transform3D::makeTranslation(4, 5, 0), "transform.translation.x", 4},
        {Transform3D::makeTranslation(4, 5, 0), "transform.translation.y", 5},
        {turned, "transform.scale.x", 2},
        {turned, "transform.scale.y", 0.5},
        {turned, "transform.rotation.z", -0.7},
        {Transform3D::makeRotation(0.4, 1, 0, 0), "transform.rotation.x", 0.4},
        {Transform3D::makeRotation(-0.4, 0, 1, 0), "transform.rotation.y", -0.4},
        {Transform3D::makeScale(-1, 1, 1), "transform.scale.x", -1},
        {Transform3D::makeScale(-1, 1, 1), "transform.rotation.z", 0},
    };
    for (const Case& c : cases) {
        auto layer = Layer::make();
        layer->setTransform(c.transform);
        EXPECT_NEAR(*layer->value(c.keyPath)->number(), c.expected, 1e-12) << c.keyPath;
    }
}

TEST(KeyValue, CustomNumbers) {
    auto layer = Layer::make();
    EXPECT_FALSE(layer->value("currentFrame").has_value());
    layer->declareAnimatableNumber("currentFrame", 3, true);
    layer->declareAnimatableNumber("animationProgress", 0, false);
    EXPECT_EQ(layer->value("currentFrame"), AnimatableValue(3.0));
    EXPECT_TRUE(layer->needsDisplayForKey("currentFrame"));
    EXPECT_FALSE(layer->needsDisplayForKey("animationProgress"));
    EXPECT_FALSE(layer->needsDisplayForKey("opacity"));
    EXPECT_TRUE(layer->setValue("animationProgress", 0.5));
    EXPECT_FALSE(layer->needsDisplay());
    EXPECT_TRUE(layer->setValue("currentFrame", 7.0));
    EXPECT_TRUE(layer->needsDisplay());
    const std::shared_ptr<Layer> copy = layer->makePresentationCopy();
    EXPECT_EQ(copy->value("currentFrame"), AnimatableValue(7.0));
    EXPECT_EQ(copy->value("animationProgress"), AnimatableValue(0.5));
}

}  // namespace
