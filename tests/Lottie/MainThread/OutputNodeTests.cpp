// Path and group outputs shared by several readers and chained through a group,
// and the stroke renderer's dash pattern.

#include <gtest/gtest.h>

#include <cmath>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/GroupOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathPool.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/FillRenderer.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/StrokeRenderer.h"

namespace {

using namespace lottie;

// A path output holding a straight line from the origin to `end`, set at `frame`.
std::shared_ptr<PathOutputNode> lineOutput(platform::graphics::Point end, double frame) {
    auto output = std::make_shared<PathOutputNode>(nullptr);
    BezierPath line;
    line.appendVertex(CurveVertex::corner({0, 0}));
    line.appendVertex(CurveVertex::corner(end));
    output->setPath(line, frame);
    return output;
}

TEST(PathOutputNode, RebuildsOncePerFrameForSeveralReaders) {
    auto upstream = lineOutput({1, 1}, 1);
    auto output = std::make_shared<PathOutputNode>(upstream);
    FillRenderer first(output);
    FillRenderer second(output);
    EXPECT_TRUE(first.renderChanged(1));
    const platform::graphics::Path* built = output->outputPath();
    EXPECT_TRUE(second.renderChanged(1));
    EXPECT_EQ(output->outputPath(), built);
}

// The outputs of several views of one shape build equal paths: they share the
// first paths they build, and each still builds its own once its shape changes,
// which leaves the others' paths as they were. A path nobody holds leaves the pool.
TEST(PathOutputNode, ViewsShareTheFirstPathsTheyBuild) {
    const double end = 1234.5;
    const std::size_t heldBefore = PathPool::heldCount();
    auto view = lineOutput({end, 1}, 0);
    auto otherView = lineOutput({end, 1}, 0);
    auto otherShape = lineOutput({end, 2}, 0);
    auto group = std::make_shared<GroupOutputNode>(nullptr, lineOutput({end, 1}, 0));
    const auto shared = view->sharedOutputPath();
    EXPECT_EQ(otherView->sharedOutputPath(), shared);
    EXPECT_EQ(group->sharedOutputPath(), shared);
    EXPECT_NE(otherShape->sharedOutputPath(), shared);
    EXPECT_EQ(PathPool::heldCount(), heldBefore + 2);

    BezierPath moved;
    moved.appendVertex(CurveVertex::corner({0, 0}));
    moved.appendVertex(CurveVertex::corner({end, 3}));
    view->setPath(moved, 1);
    EXPECT_DOUBLE_EQ(view->outputPath()->boundingBox().size.height, 3);
    EXPECT_EQ(otherView->sharedOutputPath(), shared);
    EXPECT_DOUBLE_EQ(shared->boundingBox().size.height, 1);

    // Past the paths of setting a view up, a shape that moves at every frame
    // makes paths of its own, even one equal to a path another view holds.
    for (int build = 2; build < PathPool::offeredBuilds; ++build) {
        view->setPath(moved, build);
        view->sharedOutputPath();
    }
    BezierPath line;
    line.appendVertex(CurveVertex::corner({0, 0}));
    line.appendVertex(CurveVertex::corner({end, 1}));
    view->setPath(line, 5);
    EXPECT_NE(view->sharedOutputPath(), shared);
    EXPECT_EQ(*view->sharedOutputPath(), *shared);

    view.reset();
    otherView.reset();
    otherShape.reset();
    group.reset();
    EXPECT_EQ(PathPool::heldCount(), heldBefore + 1);
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

// A chain of path nodes, the last asked for its path: it holds every node's
// path, the first under a group's transform, and no node upstream keeps a copy
// of what is upstream of it; a disabled node adds nothing of its own.
TEST(PathOutputNode, OnlyTheOutputAskedKeepsThePathOfTheChain) {
    const auto line = [](double x) {
        BezierPath path;
        path.appendVertex(CurveVertex::corner({x, 0}));
        path.appendVertex(CurveVertex::corner({x, 1}));
        return path;
    };
    auto inner = std::make_shared<PathOutputNode>(nullptr);
    inner->setPath(line(1), 1);
    auto group = std::make_shared<GroupOutputNode>(nullptr, inner);
    group->setTransform(platform::graphics::Transform3D::makeTranslation(100, 0, 0));
    std::vector<std::shared_ptr<PathOutputNode>> chain;
    std::shared_ptr<NodeOutput> upstream = group;
    for (int index = 0; index < 10; ++index) {
        chain.push_back(std::make_shared<PathOutputNode>(upstream));
        chain.back()->setPath(line(index + 2), 1);
        upstream = chain.back();
    }
    chain[4]->setEnabled(false);
    FillRenderer fill(chain.back());
    EXPECT_TRUE(fill.renderChanged(1));
    const platform::graphics::Path* path = fill.outputPath();
    ASSERT_NE(path, nullptr);
    std::vector<double> starts;
    for (const auto& element : path->elements()) {
        if (element.type == platform::graphics::PathElementType::moveTo) starts.push_back(element.points[0].x);
    }
    EXPECT_EQ(starts, (std::vector<double>{101, 2, 3, 4, 5, 7, 8, 9, 10, 11}));
    for (std::size_t index = 0; index + 1 < chain.size(); ++index) EXPECT_FALSE(chain[index]->keepsPath()) << index;
    EXPECT_FALSE(inner->keepsPath());
    EXPECT_TRUE(chain.back()->keepsPath());
}

// A group's new transform is news to every renderer that asks in the frame:
// to the stroke that asks first and to the fill that asks through the stroke.
TEST(GroupOutputNode, TellsEveryAskerOfAFrameOfANewTransform) {
    auto group = std::make_shared<GroupOutputNode>(nullptr, lineOutput({10, 0}, 0));
    auto stroke = std::make_shared<StrokeRenderer>(group);
    FillRenderer fill(stroke);
    struct Step {
        double frame;
        double scale;  // none: the transform stays
        bool changed;
    };
    const Step steps[] = {{0, 0, true}, {1, 2, true}, {2, 0, false}, {3, 3, true}, {3, 0, true}, {4, 0, false}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.frame);
        if (step.scale > 0) group->setTransform(platform::graphics::Transform3D::makeScale(step.scale, step.scale, 1));
        EXPECT_EQ(stroke->renderChanged(step.frame), step.changed);
        EXPECT_EQ(fill.renderChanged(step.frame), step.changed);
        ASSERT_TRUE(group->outputPath());
        EXPECT_EQ(fill.outputPath(), group->outputPath());
        stroke->setHasUpdate(false);
        fill.setHasUpdate(false);
    }
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
