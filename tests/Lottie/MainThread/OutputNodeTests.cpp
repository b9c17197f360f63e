// A path output and a group output shared by several readers, and the stroke
// renderer's dash pattern.

#include <gtest/gtest.h>

#include <cmath>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/GroupOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/FillRenderer.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/StrokeRenderer.h"

namespace {

using namespace lottie;

TEST(PathOutputNode, RebuildsOncePerFrameForSeveralReaders) {
    auto upstream = std::make_shared<PathOutputNode>(nullptr);
    BezierPath line;
    line.appendVertex(CurveVertex::corner({0, 0}));
    line.appendVertex(CurveVertex::corner({1, 1}));
    upstream->setPath(line, 1);
    auto output = std::make_shared<PathOutputNode>(upstream);
    FillRenderer first(output);
    FillRenderer second(output);
    EXPECT_TRUE(first.renderChanged(1));
    const platform::graphics::Path* built = output->outputPath();
    EXPECT_TRUE(second.renderChanged(1));
    EXPECT_EQ(output->outputPath(), built);
}

// A group that moves between two frames has changed for every reader of the
// new frame: a fill of the level around the group and one of the level around
// that both draw the moved path, not only the first to ask.
TEST(GroupOutputNode, AMovedGroupHasChangedForEveryReaderOfTheFrame) {
    auto inner = std::make_shared<PathOutputNode>(nullptr);
    BezierPath line;
    line.appendVertex(CurveVertex::corner({0, 0}));
    line.appendVertex(CurveVertex::corner({1, 1}));
    inner->setPath(line, 0);
    auto group = std::make_shared<GroupOutputNode>(nullptr, inner);
    EXPECT_TRUE(group->outputChanged(0));
    EXPECT_FALSE(group->outputChanged(1));
    group->setTransform(platform::graphics::Transform3D::makeTranslation(5, 0, 0));
    // Each reader asks once for the frame.
    EXPECT_TRUE(group->outputChanged(2));
    EXPECT_TRUE(group->outputChanged(2));
    ASSERT_TRUE(group->outputPath());
    EXPECT_DOUBLE_EQ(group->outputPath()->boundingBox().origin.x, 5);
    EXPECT_FALSE(group->outputChanged(3));
}

// Dashing turned off after a dashed frame leaves a solid line, not the old dashes.
TEST(StrokeRenderer, ClearsTheDashPatternWhenDashingStops) {
    StrokeRenderer renderer(nullptr);
    auto layer = platform::compositor::ShapeLayer::make();
    renderer.setDashPhase(3);
    renderer.setDashLengths(std::vector<double>{5, 5});
    renderer.applyToShapeLayer(*layer);
    EXPECT_EQ(layer->lineDashPattern(), (std::vector<double>{5, 5}));
    EXPECT_DOUBLE_EQ(layer->lineDashPhase(), 3);
    renderer.setDashPhase(std::nullopt);
    renderer.setDashLengths(std::nullopt);
    renderer.applyToShapeLayer(*layer);
    EXPECT_TRUE(layer->lineDashPattern().empty());
    EXPECT_DOUBLE_EQ(layer->lineDashPhase(), 0);
}

// The bounds a stroke draws in hold its miter tips, up to a limit that keeps them finite.
TEST(StrokeRenderer, DrawingBoundsHoldTheMiterJoins) {
    struct Case {
        LineJoin join;
        double miterLimit;
        double reach;
    };
    const Case cases[] = {{LineJoin::bevel, 10, 10}, {LineJoin::round, 10, 10}, {LineJoin::miter, 1, 10},
                          {LineJoin::miter, 4, 20},  {LineJoin::miter, 1e308, 500}, {LineJoin::miter, NAN, 10}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.miterLimit);
        StrokeRenderer renderer(nullptr);
        renderer.setWidth(10);
        renderer.setLineJoin(test.join);
        renderer.setMiterLimit(test.miterLimit);
        const platform::graphics::Rect bounds = renderer.drawingBounds({0, 0, 100, 50});
        EXPECT_EQ(bounds, platform::graphics::Rect(-test.reach, -test.reach, 100 + 2 * test.reach,
                                                   50 + 2 * test.reach));
    }
}

}  // namespace
