// Pictures kept of unchanged layer contents: what a kept picture shows must be
// what drawing the layers would show, and any change under the layer, of where
// it lands, or to something that changes on its own must be drawn anew.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "CompositorTestSupport.h"
#include "RenderTestSupport.h"
#include "Platform/Compositor/ContentCache.h"
#include "Platform/Compositor/DisplayLink.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::Color;
using platform::graphics::Path;
using platform::graphics::Rect;

class ContentCacheTest : public CompositorTest {};

// A group over a grey backdrop holding a half-opaque box, a stroked triangle
// and a blue box; returned with the layers a case may change.
struct Scene {
    std::shared_ptr<Layer> root = makeRoot();
    std::shared_ptr<Layer> backdrop = makeBox(Rect(0, 0, 40, 40), Color::rgb(0.5, 0.5, 0.5));
    std::shared_ptr<Layer> group = Layer::make();
    std::shared_ptr<Layer> box = makeBox(Rect(4, 4, 16, 16), Color::rgb(1, 0, 0));
    std::shared_ptr<ShapeLayer> triangle = ShapeLayer::make();
    std::shared_ptr<Layer> blue = makeBox(Rect(24, 24, 10, 10), Color::rgb(0, 0, 1));

    Scene() {
        group->setFrame(Rect(0, 0, 40, 40));
        box->setOpacity(0.5);
        triangle->setPath(polyline({{10, 30}, {30, 10}, {30, 30}}));
        triangle->setFillColor(std::nullopt);
        triangle->setStrokeColor(Color::rgb(0, 1, 0));
        triangle->setLineWidth(3);
        for (const auto& layer : {box, std::static_pointer_cast<Layer>(triangle), blue}) group->addSublayer(layer);
        root->addSublayer(backdrop);
        root->addSublayer(group);
    }

    // Renders with the root changed since the last frame, so that the group,
    // over the backdrop, is what keeps a picture of its own.
    std::shared_ptr<const platform::graphics::Image> frame(double time = 0) {
        root->setShadowOffset({0, static_cast<double>(++frames)});  // no shadow shows: a change that draws nothing
        return renderTree(root, time);
    }
    int frames = 0;
};

void expectSamePicture(const platform::graphics::Image& actual, const platform::graphics::Image& expected) {
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const Rgba want = premultipliedAt(expected, x, y);
            ASSERT_TRUE(pixelIs(actual, x, y, want, 1));
        }
    }
}

TEST_F(ContentCacheTest, AKeptPictureShowsWhatDrawingTheLayersShows) {
    Scene scene;
    const auto first = scene.frame();
    scene.frame();  // the same again: kept from here on
    EXPECT_GT(ContentCache::pixelsInUse(), 0);
    const auto kept = scene.frame();
    expectSamePicture(*kept, *first);
    // A different target size draws anew, and the same picture comes out.
    const auto larger = renderTree(scene.root, 0, 60, 60);
    expectSamePicture(*larger, *renderTree(Scene().root, 0, 60, 60));
}

TEST_F(ContentCacheTest, ChangesUnderAroundOrBesideTheLayerAreDrawnAnew) {
    struct Case {
        std::string name;
        std::function<void(Scene&)> change;
    };
    const std::vector<Case> cases = {
        {"a colour deep under the layer", [](Scene& s) { s.triangle->setStrokeColor(Color::rgb(1, 1, 0)); }},
        {"an opacity under the layer", [](Scene& s) { s.box->setOpacity(1); }},
        {"a sublayer added", [](Scene& s) { s.box->addSublayer(makeBox(Rect(0, 0, 4, 4), Color::rgb(0, 1, 1))); }},
        {"a sublayer removed", [](Scene& s) { s.blue->removeFromSuperlayer(); }},
        {"a mask under the layer", [](Scene& s) { s.blue->setMask(makeBox(Rect(0, 0, 5, 5), Color::black())); }},
        {"the layer moved by its parent", [](Scene& s) { s.root->setSublayerTransform(
                                                             platform::graphics::Transform3D::makeTranslation(3, 2, 0)); }},
        {"a blend mode under the layer", [](Scene& s) { s.blue->setCompositingFilter("multiply"); }},
        // A drawing in the group ends on the anti-aliased edge of a clip around
        // it; however the group is laid down, that edge is not thinned twice.
        {"a clip with fractional edges around the layer",
         [](Scene& s) {
             const Rect edge(0.5, 0.5, 27.3, 26.6);
             s.root->setBounds(edge);
             s.root->setMasksToBounds(true);
             s.group->addSublayer(makeBox(edge, Color::rgb(1, 0.5, 0)));
         }},
        {"an animation under the layer",
         [](Scene& s) { s.blue->addAnimation(basicAnimation("opacity", 0.0, 0.0, 10), "fade"); }},
    };
    // The media time after the animation of the last case has begun.
    const double later = clock->now() + 1;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Scene kept;
        for (int frame = 0; frame < 3; ++frame) kept.frame();
        test.change(kept);
        // Twice: once drawn anew, once more where the new state could be kept;
        // each time against a scene drawn for the first time.
        for (int frame = 0; frame < 2; ++frame) {
            Scene fresh;
            test.change(fresh);
            expectSamePicture(*kept.frame(later), *renderTree(fresh.root, later));
        }
    }
}

// A layer that shows a number only through its display: the red box stands
// at the number's tens, the blue box stays where it is.
class SteppingLayer : public Layer {
public:
    static std::shared_ptr<SteppingLayer> make() {
        auto layer = std::shared_ptr<SteppingLayer>(new SteppingLayer());
        layer->declareAnimatableNumber("step", 0, true);
        layer->addSublayer(layer->red);
        layer->addSublayer(makeBox(Rect(24, 24, 10, 10), Color::rgb(0, 0, 1)));
        layer->setFrame(Rect(0, 0, 40, 40));
        return layer;
    }
    void display() override {
        const double tens = std::floor(value("step").value_or(AnimatableValue(0.0)).number().value_or(0) / 10);
        red->setPosition({12 + tens, 12});
    }
    std::shared_ptr<Layer> red = makeBox(Rect(4, 4, 16, 16), Color::rgb(1, 0, 0));
};

TEST_F(ContentCacheTest, ANumberShownThroughDisplayChangesThePictureOnlyWhenTheDisplayDoes) {
    auto root = makeRoot();
    auto stepping = SteppingLayer::make();
    root->addSublayer(stepping);
    const std::int64_t before = ContentCache::pixelsInUse();
    // Steps within the same ten display the same boxes: after two frames the
    // layer's one picture holds both, not a picture of each box.
    for (int step = 1; step <= 4; ++step) {
        stepping->setValue("step", AnimatableValue(static_cast<double>(step)));
        renderTree(root, 0);
    }
    EXPECT_GE(ContentCache::pixelsInUse() - before, 30 * 30);
    // A step that moves the red box is drawn, not the kept picture.
    stepping->setValue("step", AnimatableValue(25.0));
    auto expected = makeRoot();
    auto fresh = SteppingLayer::make();
    fresh->setValue("step", AnimatableValue(25.0));
    expected->addSublayer(fresh);
    expectSamePicture(*renderTree(root, 0), *renderTree(expected, 0));
    expectSamePicture(*renderTree(root, 0), *renderTree(expected, 0));
}

// Clips that are not device-aligned rectangles, as a view fitted at a
// fractional scale has around everything: the group under them keeps its
// picture all the same, and the picture shows what drawing it shows.
TEST_F(ContentCacheTest, PicturesAreKeptUnderClipsThatAreNotAlignedRectangles) {
    struct Case {
        std::string name;
        std::function<void(Scene&)> clip;
    };
    const auto fractionalBounds = [](Scene& s) {
        s.root->setBounds(Rect(0.5, 0.5, 27.3, 26.6));
        s.root->setMasksToBounds(true);
    };
    const std::vector<Case> cases = {
        {"a rectangle with fractional edges", fractionalBounds},
        {"a path (a mask of one opaque filled shape)",
         [](Scene& s) {
             auto mask = ShapeLayer::make();
             mask->setFrame(Rect(0, 0, 40, 40));
             mask->setPath(polyline({{2, 3}, {37.5, 6.2}, {30.4, 36.7}, {4.1, 30}}));
             mask->setFillColor(Color::black());
             s.root->setMask(mask);
         }},
        {"a rectangle with fractional edges inside a transparency layer",
         [&](Scene& s) {
             s.root->setOpacity(0.6);
             fractionalBounds(s);
             s.group->setMasksToBounds(true);
             s.group->setBounds(Rect(0.25, 0.75, 33.4, 35.2));
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::int64_t before = ContentCache::pixelsInUse();
        Scene kept;
        test.clip(kept);
        kept.frame();
        kept.frame();
        EXPECT_GT(ContentCache::pixelsInUse(), before);
        Scene fresh;
        test.clip(fresh);
        expectSamePicture(*kept.frame(), *renderTree(fresh.root, 0));
    }
}

TEST_F(ContentCacheTest, AnimationsOfOneValueKeepThePictureUntilTheyAreDropped) {
    // An animation to one value at every time, removed once it has finished.
    const Color green = Color::rgb(0, 1, 0);
    auto still = basicAnimation("backgroundColor", green, green, 1);
    still->setFillMode(FillMode::both);
    const double start = clock->now();
    const auto keptPixels = [&](Scene& scene) {
        const std::int64_t before = ContentCache::pixelsInUse();
        scene.frame(start);
        scene.frame(start + 0.1);
        return ContentCache::pixelsInUse() - before;
    };
    Scene plain;
    Scene scene;
    scene.blue->addAnimation(still, "still");
    DisplayLink link(scene.root);
    // As many pictures as without the animation: the group's among them.
    EXPECT_EQ(keptPixels(scene), keptPixels(plain));
    Scene greenBox;
    greenBox.blue->setBackgroundColor(green);
    expectSamePicture(*scene.frame(start + 0.2), *renderTree(greenBox.root, 0));
    // Once dropped, the blue box shows again, not the kept picture.
    clock->advance(2);
    link.tick();
    EXPECT_FALSE(scene.blue->hasAnimations());
    expectSamePicture(*scene.frame(clock->now()), *renderTree(Scene().root, 0));
}

TEST_F(ContentCacheTest, PicturesShareABoundAndGoWithTheirLayers) {
    const std::int64_t before = ContentCache::pixelsInUse();
    {
        std::vector<Scene> scenes(40);
        for (Scene& scene : scenes) {
            for (int frame = 0; frame < 3; ++frame) Renderer::renderImage(scene.root, 0, 400, 400);
        }
        EXPECT_LE(ContentCache::pixelsInUse(), 400 * 400);
        EXPECT_GT(ContentCache::pixelsInUse(), before);
    }
    EXPECT_EQ(ContentCache::pixelsInUse(), before);
}

}  // namespace
