// Key-value access by key-path text: what is refused, what clears, and the
// transform's parts. Every animatable key path is set and read through the
// presentation copy in DisplayLinkTests.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <tuple>
#include <vector>

#include "CompositorTestSupport.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/Image.h"

namespace {

using namespace platform::compositor;
using compositortest::expectNear;
using platform::graphics::Point;
using platform::graphics::Transform3D;

TEST(KeyValue, UnknownKeysAndWrongTypes) {
    auto layer = Layer::make();
    // A plain layer has no path; the transform has no z scale or whole scale.
    for (const char* key : {"nonsense", "path", "transform.scale.z", "transform.scale", "sublayerTransform.scale.x"}) {
        EXPECT_FALSE(layer->value(key).has_value()) << key;
    }
    const std::vector<std::pair<const char*, std::optional<AnimatableValue>>> refused = {
        {"nonsense", 1.0},        {"opacity", Point(1, 2)},           {"opacity", std::nullopt},
        {"position", 3.0},        {"transform.translation", 3.0},     {"transform.rotation.z", Point(0, 0)},
    };
    for (const auto& [key, value] : refused) {
        EXPECT_FALSE(layer->setValue(key, value)) << key;
    }
    EXPECT_DOUBLE_EQ(layer->opacity(), 1);
    // None clears the optional properties.
    auto shape = ShapeLayer::make();
    EXPECT_TRUE(shape->setValue("fillColor", std::nullopt) && shape->setValue("shadowColor", std::nullopt));
    EXPECT_FALSE(shape->fillColor().has_value() || shape->shadowColor().has_value());
    // Booleans and numbers stand for each other, as boxed values do.
    EXPECT_TRUE(layer->setValue("hidden", 1.0) && layer->isHidden());
}

TEST(KeyValue, TransformPartsComposeScaleRotationsThenTranslation) {
    auto layer = Layer::make();
    layer->setValue("transform.scale.x", 2.0);
    layer->setValue("transform.scale.y", 3.0);
    layer->setValue("transform.rotation.z", std::numbers::pi / 2);
    layer->setValue("transform.translation", Point(10, 20));
    // (1, 0) is scaled to (2, 0), turned clockwise to (0, 2), then moved; (0, 1)
    // is scaled to (0, 3) and turned to (-3, 0).
    expectNear(layer->transform().apply({1, 0}), {10, 22});
    expectNear(layer->transform().apply({0, 1}), {7, 20});
}

TEST(KeyValue, PartsSurviveAZeroScale) {
    auto layer = Layer::make();
    layer->setValue("transform.rotation.z", 1.0);
    layer->setValue("transform.scale.x", 0.0);
    layer->setValue("transform.scale.y", 0.0);
    EXPECT_NEAR(*layer->value("transform.rotation.z")->number(), 1.0, 1e-12);
    layer->setValue("transform.scale.x", 1.0);
    layer->setValue("transform.scale.y", 1.0);
    expectNear(layer->transform().apply({1, 0}), {std::cos(1.0), std::sin(1.0)});
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
        {turned, "transform.scale.x", 2},
        {turned, "transform.rotation.z", -0.7},
        {Transform3D::makeRotation(0.4, 1, 0, 0), "transform.rotation.x", 0.4},
    };
    for (const Case& c : cases) {
        auto layer = Layer::make();
        layer->setTransform(c.transform);
        EXPECT_NEAR(*layer->value(c.keyPath)->number(), c.expected, 1e-12) << c.keyPath;
    }
}

// The properties most layers leave at their defaults, the transform and its
// parts, the contents, the name, and a shape's path and stroke are shared with
// a presentation copy until one side sets them: a change on either side must
// never show on the other.
TEST(KeyValue, APresentationCopyAndItsLayerSetTheirPropertiesApart) {
    using platform::graphics::Color;
    using platform::graphics::Size;
    const auto image = [](std::uint8_t red) {
        return AnimatableValue(platform::graphics::Image::fromStraightRGBA(1, 1, {red, 0, 0, 255}));
    };
    const auto line = [](double x) { return compositortest::polyline({{0, 0}, {x, x}}); };
    const std::vector<std::tuple<const char*, AnimatableValue, AnimatableValue, AnimatableValue>> cases = {
        {"sublayerTransform", Transform3D::makeScale(2, 2, 1), Transform3D::makeTranslation(3, 4, 0),
         Transform3D::makeScale(5, 1, 1)},
        {"backgroundColor", Color::rgb(1, 0, 0), Color::rgb(0, 1, 0), Color::rgb(0, 0, 1)},
        {"contentsScale", 2.0, 3.0, 4.0},
        {"shadowColor", Color::rgb(1, 0, 0), Color::rgb(0, 1, 0), Color::rgb(0, 0, 1)},
        {"shadowOpacity", 0.25, 0.5, 0.75},
        {"shadowOffset", Size(1, 2), Size(3, 4), Size(5, 6)},
        {"shadowRadius", 4.0, 8.0, 16.0},
        {"transform", Transform3D::makeScale(2, 2, 1), Transform3D::makeTranslation(3, 4, 0),
         Transform3D::makeScale(5, 1, 1)},
        {"transform.rotation.z", 0.5, 1.0, 1.5},
        {"transform.translation", Point(1, 2), Point(3, 4), Point(5, 6)},
        {"transform.scale.x", 2.0, 3.0, 4.0},
        {"contents", image(10), image(20), image(30)},
        {"path", line(1), line(2), line(3)},
        {"lineWidth", 2.0, 3.0, 4.0},
        {"strokeColor", Color::rgb(1, 0, 0), Color::rgb(0, 1, 0), Color::rgb(0, 0, 1)},
        {"lineDashPattern", std::vector<double>{1, 2}, std::vector<double>{3}, std::vector<double>{4, 5}},
        {"strokeEnd", 0.25, 0.5, 0.75},
    };
    for (const auto& [key, before, onCopy, afterCopy] : cases) {
        SCOPED_TRACE(key);
        // A shape layer answers every key path of a plain layer as well.
        auto layer = ShapeLayer::make();
        layer->setName("shape");
        ASSERT_TRUE(layer->setValue(key, before));
        const std::shared_ptr<Layer> copy = layer->makePresentationCopy();
        EXPECT_EQ(copy->value(key), before);
        ASSERT_TRUE(copy->setValue(key, onCopy));
        EXPECT_EQ(layer->value(key), before);
        ASSERT_TRUE(layer->setValue(key, afterCopy));
        EXPECT_EQ(copy->value(key), onCopy);
        const std::shared_ptr<Layer> secondCopy = layer->makePresentationCopy();
        ASSERT_TRUE(layer->setValue(key, before));
        EXPECT_EQ(secondCopy->value(key), afterCopy);
        layer->setName("renamed");
        EXPECT_EQ(copy->name(), "shape");
    }
}

TEST(KeyValue, AWholeTransformReplacesThePartsItWasBuiltFrom) {
    // A turn and a bit reads back as set while the parts are kept; the
    // matrix alone reads as the bit.
    const double turnAndABit = 2 * std::numbers::pi + 0.5;
    auto layer = Layer::make();
    ASSERT_TRUE(layer->setValue("transform.rotation.z", turnAndABit));
    EXPECT_DOUBLE_EQ(*layer->value("transform.rotation.z")->number(), turnAndABit);
    // Even the transform the parts built, set as a whole, is a matrix alone.
    layer->setTransform(layer->transform());
    EXPECT_NEAR(*layer->value("transform.rotation.z")->number(), 0.5, 1e-12);
    ASSERT_TRUE(layer->setValue("transform.rotation.z", turnAndABit));
    layer->setTransform(Transform3D::identity());
    EXPECT_EQ(layer->value("transform.rotation.z"), AnimatableValue(0.0));
    ASSERT_TRUE(layer->setValue("transform.translation.x", 7.0));
    EXPECT_EQ(layer->transform(), Transform3D::makeTranslation(7, 0, 0));
}

// Layers of several trees given the same whole transform (the layers of the
// views of one document) hold one transform between them; a change, whole or
// by parts, is the changing layer's own, and its next transforms too.
TEST(KeyValue, LayersGivenTheSameTransformShareItUntilOneChangesIt) {
    const Transform3D moved = Transform3D::makeTranslation(12.25, -3, 0).rotate(0.3, 0, 0, 1);
    const Transform3D scaled = Transform3D::makeScale(3, 3, 1);
    auto first = Layer::make();
    auto second = Layer::make();
    std::shared_ptr<Layer> third = ShapeLayer::make();
    auto other = Layer::make();
    for (const auto& layer : {first, second, third}) layer->setTransform(moved);
    other->setTransform(scaled);
    EXPECT_EQ(&second->transform(), &first->transform());
    EXPECT_EQ(&third->transform(), &first->transform());
    EXPECT_NE(&other->transform(), &first->transform());

    second->setTransform(scaled);
    EXPECT_EQ(second->transform(), scaled);
    ASSERT_TRUE(third->setValue("transform.translation.x", 7.0));
    EXPECT_EQ(*third->value("transform.translation.x")->number(), 7.0);
    EXPECT_EQ(first->transform(), moved);
    const std::shared_ptr<Layer> copy = first->makePresentationCopy();
    ASSERT_TRUE(copy->setValue("transform.scale.x", 2.0));
    EXPECT_EQ(first->transform(), moved);
    second->setTransform(moved);
    EXPECT_NE(&second->transform(), &first->transform());
    EXPECT_EQ(second->transform(), moved);
    // A presentation copy, made anew for every frame, keeps its own.
    const std::shared_ptr<Layer> copyOfPlain = other->makePresentationCopy();
    copyOfPlain->setTransform(Transform3D::identity());
    copyOfPlain->setTransform(moved);
    EXPECT_NE(&copyOfPlain->transform(), &first->transform());

    // A transform set by parts is shared with its parts, which each layer
    // then changes apart.
    const double turnAndABit = 2 * std::numbers::pi + 0.5;
    auto turned = Layer::make();
    auto alsoTurned = Layer::make();
    for (const auto& layer : {turned, alsoTurned}) ASSERT_TRUE(layer->setValue("transform.rotation.z", turnAndABit));
    EXPECT_EQ(&alsoTurned->transform(), &turned->transform());
    ASSERT_TRUE(alsoTurned->setValue("transform.scale.x", 2.0));
    EXPECT_DOUBLE_EQ(*alsoTurned->value("transform.rotation.z")->number(), turnAndABit);
    EXPECT_DOUBLE_EQ(*turned->value("transform.scale.x")->number(), 1);
    EXPECT_DOUBLE_EQ(*turned->value("transform.rotation.z")->number(), turnAndABit);

    // The same matrix given whole is not the same transform as the parts that
    // made it: a layer turned by 450 degrees and one given its matrix each keep
    // their own parts, whichever comes first.
    const double turnAndAQuarter = 2.5 * std::numbers::pi;
    for (bool partsFirst : {true, false}) {
        SCOPED_TRACE(partsFirst ? "parts first" : "matrix first");
        auto byParts = Layer::make();
        auto whole = Layer::make();
        TransformComponents parts;
        parts.rotationZ = turnAndAQuarter;
        if (partsFirst) {
            ASSERT_TRUE(byParts->setValue("transform.rotation.z", turnAndAQuarter));
        }
        whole->setTransform(parts.matrix());
        if (!partsFirst) {
            ASSERT_TRUE(byParts->setValue("transform.rotation.z", turnAndAQuarter));
        }
        EXPECT_EQ(whole->transform(), byParts->transform());
        EXPECT_DOUBLE_EQ(*byParts->value("transform.rotation.z")->number(), turnAndAQuarter);
        EXPECT_NEAR(*whole->value("transform.rotation.z")->number(), std::numbers::pi / 2, 1e-12);
    }
}

// A path handed in shared is held as it is, not copied; an equal one is taken
// in its place as no change, so that its maker and the layer hold one between
// them; none, or an empty one, empties the layer's path.
TEST(KeyValue, ASharedPathIsHeldAndAnEqualOneTakenWithoutAChange) {
    using platform::graphics::Path;
    const auto line = [](double x) { return std::make_shared<const Path>(compositortest::polyline({{0, 0}, {x, x}})); };
    auto layer = ShapeLayer::make();
    struct Step {
        const char* name;
        std::shared_ptr<const Path> path;
        bool changes;
        bool empty;
    };
    const Step steps[] = {
        {"a first path", line(1), true, false},
        {"an equal one", line(1), false, false},
        {"another one", line(2), true, false},
        {"none", nullptr, true, true},
        {"none again", nullptr, false, true},
        {"an empty one", std::make_shared<const Path>(), false, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const std::uint64_t before = layer->subtreeVersion();
        layer->setSharedPath(step.path);
        EXPECT_EQ(layer->subtreeVersion() > before, step.changes);
        EXPECT_EQ(layer->path().isEmpty(), step.empty);
        if (!step.empty) {
            EXPECT_EQ(&layer->path(), step.path.get());
        }
    }
}

}  // namespace
