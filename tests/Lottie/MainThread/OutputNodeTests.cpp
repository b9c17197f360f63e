// Path and group outputs, and the stroke renderer's dash pattern.

#include <gtest/gtest.h>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/GroupOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/FillRenderer.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/StrokeRenderer.h"

namespace {

using namespace lottie;
using platform::graphics::PathElementType;
using platform::graphics::Point;

BezierPath line(Point from, Point to) {
    BezierPath path;
    path.appendVertex(CurveVertex::corner(from));
    path.appendVertex(CurveVertex::corner(to));
    return path;
}

TEST(PathOutputNode, JoinsStraightVerticesWithLinesAndOthersWithCurves) {
    PathOutputNode output(nullptr);
    EXPECT_FALSE(output.outputChanged(0));
    ASSERT_TRUE(output.outputPath());
    EXPECT_TRUE(output.outputPath()->isEmpty());
    BezierPath path = line({0, 0}, {10, 0});
    path.appendVertex(CurveVertex({10, 10}, {12, 5}, {10, 10}));
    path.setClosed(true);
    output.setPath(path, 3);
    EXPECT_TRUE(output.outputChanged(3));
    const auto& elements = output.outputPath()->elements();
    ASSERT_EQ(elements.size(), 4u);
    EXPECT_EQ(elements[0].type, PathElementType::moveTo);
    EXPECT_EQ(elements[1].type, PathElementType::lineTo);
    EXPECT_EQ(elements[2].type, PathElementType::curveTo);
    EXPECT_EQ(elements[3].type, PathElementType::closeSubpath);
    // Asked again at a later frame without a new path: no change, same path.
    EXPECT_FALSE(output.outputChanged(4));
    EXPECT_EQ(output.outputPath()->elements().size(), 4u);
}

TEST(PathOutputNode, RebuildsOncePerFrameForSeveralReaders) {
    auto upstream = std::make_shared<PathOutputNode>(nullptr);
    upstream->setPath(line({0, 0}, {1, 1}), 1);
    auto output = std::make_shared<PathOutputNode>(upstream);
    FillRenderer first(output);
    FillRenderer second(output);
    EXPECT_TRUE(first.renderChanged(1));
    const platform::graphics::Path* built = output->outputPath();
    EXPECT_TRUE(second.renderChanged(1));
    EXPECT_EQ(output->outputPath(), built);
}

TEST(GroupOutputNode, AppliesTheGroupTransformToItsContentOnly) {
    auto before = std::make_shared<PathOutputNode>(nullptr);
    before->setPath(line({0, 0}, {1, 0}), 0);
    auto inner = std::make_shared<PathOutputNode>(nullptr);
    inner->setPath(line({0, 0}, {2, 0}), 0);
    GroupOutputNode group(before, inner);
    group.setTransform(platform::graphics::Transform3D::makeTranslation(10, 20, 0));
    EXPECT_TRUE(group.outputChanged(0));
    const auto& elements = group.outputPath()->elements();
    ASSERT_EQ(elements.size(), 4u);
    EXPECT_EQ(elements[1].points[0], Point(1, 0));
    EXPECT_EQ(elements[2].points[0], Point(10, 20));
    EXPECT_EQ(elements[3].points[0], Point(12, 20));
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

}  // namespace
