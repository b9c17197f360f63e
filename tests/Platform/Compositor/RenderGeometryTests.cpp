// Hand-built layer trees rendered and checked pixel by pixel: geometry, groups,
// clipping and masks.

#include <gtest/gtest.h>

#include <numbers>

#include "CompositorTestSupport.h"
#include "RenderTestSupport.h"
#include "Platform/Compositor/Layer.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::Color;
using platform::graphics::Transform3D;

class RenderGeometryTest : public CompositorTest {};

TEST_F(RenderGeometryTest, NestedTransformsWithAnchorPointsAndBoundsOrigins) {
    auto root = makeRoot();
    auto parent = Layer::make();
    parent->setBounds({10, 10, 20, 20});  // its own coordinates start at (10, 10)
    parent->setAnchorPoint({0, 0});
    parent->setPosition({5, 5});
    auto child = makeBox({0, 0, 4, 4}, Color::rgb(1, 0, 0));
    child->setPosition({20, 20});  // the child's centre at (20, 20) of the parent: (15, 15) of the root
    root->addSublayer(parent);
    parent->addSublayer(child);
    expectPixels(*renderTree(root, clock->now()), {{13, 13, kRed}, {16, 16, kRed}, {12, 12, kClear}, {17, 17, kClear}});

    // A quarter turn about the anchor: a 10 x 2 bar becomes a 2 x 10 bar.
    child->setBounds({0, 0, 10, 2});
    child->setTransform(Transform3D::makeRotation(std::numbers::pi / 2, 0, 0, 1));
    expectPixels(*renderTree(root, clock->now()), {{14, 11, kRed}, {15, 18, kRed}, {11, 15, kClear}, {18, 15, kClear}});
}

TEST_F(RenderGeometryTest, RotationAboutYIsFlattened) {
    auto root = makeRoot();
    auto bar = makeBox({10, 15, 20, 10}, Color::rgb(1, 0, 0));  // centre (20, 20)
    bar->setTransform(Transform3D::makeRotation(std::numbers::pi / 3, 0, 1, 0));  // width x cos 60 = 10
    root->addSublayer(bar);
    expectPixels(*renderTree(root, clock->now()), {{16, 20, kRed}, {23, 20, kRed}, {13, 20, kClear}, {26, 20, kClear}});
}

TEST_F(RenderGeometryTest, GroupOpacityDoesNotBlendChildrenTwice) {
    auto root = makeRoot();
    auto group = Layer::make();
    group->setFrame({0, 0, 40, 40});
    group->setOpacity(0.5);
    group->addSublayer(makeBox({0, 0, 20, 20}, Color::rgb(1, 0, 0)));
    group->addSublayer(makeBox({10, 10, 20, 20}, Color::rgb(1, 0, 0)));
    root->addSublayer(group);
    // The overlap stays at half.
    expectPixels(*renderTree(root, clock->now()),
                 {{5, 5, {128, 0, 0, 128}}, {15, 15, {128, 0, 0, 128}}, {35, 35, kClear}});
}

TEST_F(RenderGeometryTest, MasksToBoundsClipsSublayersAndContents) {
    auto root = makeRoot();
    auto clip = makeBox({10, 10, 10, 10}, Color::rgb(0, 0, 1));
    clip->setMasksToBounds(true);
    clip->addSublayer(makeBox({5, 5, 20, 20}, Color::rgb(1, 0, 0)));
    root->addSublayer(clip);
    expectPixels(*renderTree(root, clock->now()), {{12, 12, kBlue}, {17, 17, kRed}, {22, 22, kClear}});
    clip->setMasksToBounds(false);
    EXPECT_TRUE(pixelIs(*renderTree(root, clock->now()), 22, 22, kRed));
}

TEST_F(RenderGeometryTest, MaskWithItsOwnMask) {
    auto root = makeRoot();
    auto layer = makeBox({0, 0, 40, 40}, Color::rgb(1, 0, 0));
    auto leftHalf = makeBox({0, 0, 20, 40}, Color::rgb(0, 0, 0, 1));
    auto topHalf = makeBox({0, 0, 40, 20}, Color::rgb(0, 0, 0, 1));
    leftHalf->setMask(topHalf);  // in the left half's own coordinates
    layer->setMask(leftHalf);
    root->addSublayer(layer);
    expectPixels(*renderTree(root, clock->now()), {{5, 5, kRed}, {25, 5, kClear}, {5, 25, kClear}, {25, 25, kClear}});
    // A mask's alpha scales the layer.
    leftHalf->setMask(nullptr);
    leftHalf->setBackgroundColor(Color::rgb(0, 0, 0, 0.5));
    EXPECT_TRUE(pixelIs(*renderTree(root, clock->now()), 5, 25, {128, 0, 0, 128}));
}

}  // namespace
