// One tree rendered at two moments of its animations shows the presented values.

#include <gtest/gtest.h>

#include "CompositorTestSupport.h"
#include "RenderTestSupport.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/PathTrimmer.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::Color;
using platform::graphics::Path;

class RenderAnimationTest : public CompositorTest {};

std::shared_ptr<BasicAnimation> animate(const char* keyPath, AnimatableValue from, AnimatableValue to) {
    auto animation = basicAnimation(keyPath, std::move(from), std::move(to), 2);
    animation->setFillMode(FillMode::both);
    return animation;
}

Path box(double x, double y, double size) {
    Path path;
    path.addRect({x, y, size, size});
    return path;
}

TEST_F(RenderAnimationTest, OpacityPathAndColourAtThreeMoments) {
    auto root = makeRoot();
    auto fading = makeBox({0, 0, 10, 10}, Color::rgb(1, 0, 0));
    fading->addAnimation(animate("opacity", 1.0, 0.0), "fade");

    auto shape = ShapeLayer::make();
    shape->setFrame({0, 0, 40, 40});
    shape->setPath(box(20, 0, 4));
    shape->addAnimation(animate("path", box(20, 0, 4), box(20, 0, 20)), "grow");
    shape->addAnimation(animate("fillColor", Color::rgb(0, 1, 0), Color::rgb(0, 0, 1)), "tint");
    root->addSublayer(fading);
    root->addSublayer(shape);

    // The renderer draws each layer's presentation copy, whose values the display
    // link tests check key path by key path; here the path is small, then grown
    // and recoloured, and the box fades out.
    const double start = clock->now();
    expectPixels(*renderTree(root, start), {{5, 5, kRed}, {21, 1, kGreen}, {30, 10, kClear}});
    expectPixels(*renderTree(root, start + 1), {{5, 5, {128, 0, 0, 128}}, {21, 1, {0, 128, 128, 255}}});
    expectPixels(*renderTree(root, start + 2), {{5, 5, kClear}, {30, 10, kBlue}});
    // The model itself never moved.
    EXPECT_DOUBLE_EQ(fading->opacity(), 1);
    EXPECT_EQ(shape->path(), box(20, 0, 4));
}

TEST(PathTrimmer, MeasuresAndCutsAcrossSubpathsAndCurves) {
    Path path;
    path.moveTo({0, 0});
    path.lineTo({10, 0});
    path.moveTo({0, 10});
    path.curveTo({0, 10}, {10, 10}, {10, 10});  // a straight curve of length 10
    EXPECT_NEAR(PathTrimmer::length(path), 20, 1e-6);
    const Path middle = PathTrimmer::trimmed(path, 0.25, 0.75);
    EXPECT_NEAR(PathTrimmer::length(middle), 10, 0.05);
    ASSERT_FALSE(middle.isEmpty());
    EXPECT_NEAR(middle.elements().front().points[0].x, 5, 0.05);
    expectNear(middle.currentPoint(), {5, 10}, 0.05);
    EXPECT_TRUE(PathTrimmer::trimmed(path, 0.6, 0.4).isEmpty());

    // A closed square counts its closing side.
    Path square;
    square.addRect({0, 0, 10, 10});
    EXPECT_NEAR(PathTrimmer::length(square), 40, 1e-9);
    const Path lastSide = PathTrimmer::trimmed(square, 0.75, 1);
    expectNear(lastSide.currentPoint(), {0, 0});
}

}  // namespace
