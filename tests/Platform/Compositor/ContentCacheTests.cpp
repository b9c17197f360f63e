// Pictures kept of unchanged layer contents: what a kept picture shows must be
// what drawing the layers would show, and any change under the layer, of where
// it lands, or to something that changes on its own must be drawn anew.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "CompositorTestSupport.h"
#include "RenderTestSupport.h"
#include "Platform/Compositor/ContentCache.h"
#include "Platform/Compositor/DisplayLink.h"
#include "Platform/Compositor/RenderBudget.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/Image.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::Color;
using platform::graphics::Path;
using platform::graphics::Rect;

class ContentCacheTest : public CompositorTest {};

// A frame large enough to keep pictures (ContentCache::minimumShownPixels),
// with the 40 x 40 scenes below in its top left corner.
constexpr int frameSide = 64;

std::shared_ptr<const platform::graphics::Image> renderFrame(const std::shared_ptr<Layer>& root, double time,
                                                             int width = frameSide, int height = frameSide) {
    return renderTree(root, time, width, height);
}

// A group beside a grey backdrop holding a half-opaque box, a stroked
// triangle and a blue box; returned with the layers a case may change. (A
// picture is laid down only where nothing lies beneath it yet, so the
// backdrop lies beside the group.)
struct Scene {
    std::shared_ptr<Layer> root = makeRoot();
    std::shared_ptr<Layer> backdrop = makeBox(Rect(44, 0, 20, 40), Color::rgb(0.5, 0.5, 0.5));
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
    // beside the backdrop, is what keeps a picture of its own.
    std::shared_ptr<const platform::graphics::Image> frame(double time = 0) {
        root->setShadowOffset({0, static_cast<double>(++frames)});  // no shadow shows: a change that draws nothing
        return renderFrame(root, time);
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
    const auto larger = renderFrame(scene.root, 0, 80, 80);
    expectSamePicture(*larger, *renderFrame(Scene().root, 0, 80, 80));
    // Over the backdrop, a picture would round the group's drawings together
    // where drawing them over it rounds each in turn: none is laid down
    // there, and the frame is the first one, byte for byte.
    Scene over;
    over.backdrop->setFrame(Rect(0, 0, 40, 40));
    const auto drawn = over.frame();
    over.frame();
    const auto again = over.frame();
    EXPECT_TRUE(std::ranges::equal(again->pixels(), drawn->pixels()));
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
            expectSamePicture(*kept.frame(later), *renderFrame(fresh.root, later));
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
        renderFrame(root, 0);
    }
    EXPECT_GE(ContentCache::pixelsInUse() - before, 30 * 30);
    // A step that moves the red box is drawn, not the kept picture.
    stepping->setValue("step", AnimatableValue(25.0));
    auto expected = makeRoot();
    auto fresh = SteppingLayer::make();
    fresh->setValue("step", AnimatableValue(25.0));
    expected->addSublayer(fresh);
    expectSamePicture(*renderFrame(root, 0), *renderFrame(expected, 0));
    expectSamePicture(*renderFrame(root, 0), *renderFrame(expected, 0));
}

// The same layer deep under one that keeps a picture of it all: once the
// picture is kept, looks at the holder ask only its animated layers, and a
// display asked for under it must still be drawn, not the kept picture.
TEST_F(ContentCacheTest, ADisplayAskedForDeepUnderAKeptPictureIsDrawn) {
    auto root = makeRoot();
    auto holder = Layer::make();
    holder->setFrame(Rect(0, 0, 40, 40));
    auto middle = Layer::make();
    middle->setFrame(Rect(0, 0, 40, 40));
    auto stepping = SteppingLayer::make();
    middle->addSublayer(stepping);
    holder->addSublayer(middle);
    // Animated to one value: looked at on every frame, changing nothing.
    auto still = basicAnimation("opacity", 1.0, 1.0, 100);
    still->setFillMode(FillMode::both);
    middle->addAnimation(still, "still");
    root->addSublayer(holder);
    const double now = clock->now();
    const std::int64_t before = ContentCache::pixelsInUse();
    for (int frame = 0; frame < 4; ++frame) renderFrame(root, now + frame);
    EXPECT_GE(ContentCache::pixelsInUse() - before, 30 * 30);
    for (const double step : {25.0, 27.0, 3.0}) {
        SCOPED_TRACE(step);
        stepping->setValue("step", AnimatableValue(step));
        auto expected = makeRoot();
        auto fresh = SteppingLayer::make();
        fresh->setValue("step", AnimatableValue(step));
        expected->addSublayer(fresh);
        for (int frame = 0; frame < 3; ++frame) expectSamePicture(*renderFrame(root, now + 10 + frame), *renderFrame(expected, 0));
    }
}

// More animated layers under a kept picture than a look keeps from its walk:
// every look walks them all, and an animation that starts late, on the last
// of them a walk meets, is drawn as it starts.
TEST_F(ContentCacheTest, AnAnimationAmongManyUnderAKeptPictureIsDrawnAsItStarts) {
    const double start = clock->now();
    const auto makeTree = [&](bool animated, bool lateShown) {
        auto root = makeRoot();
        auto holder = Layer::make();
        holder->setFrame(Rect(0, 0, 40, 40));
        for (int i = 0; i < 80; ++i) {
            auto square = makeBox(Rect((i % 8) * 5, (i / 8) * 4, 3, 3), Color::rgb(1, 0, 0));
            const bool late = i == 0;
            if (late && lateShown) square->setBackgroundColor(Color::rgb(0, 1, 0));
            if (animated) {
                auto animation = late ? basicAnimation("backgroundColor", Color::rgb(0, 1, 0), Color::rgb(0, 1, 0), 100)
                                      : basicAnimation("opacity", 1.0, 1.0, 100);
                animation->setBeginTime(late ? start + 5 : start);
                if (!late) animation->setFillMode(FillMode::both);
                square->addAnimation(animation, "a");
            }
            holder->addSublayer(square);
        }
        root->addSublayer(holder);
        return root;
    };
    auto root = makeTree(true, false);
    const std::int64_t before = ContentCache::pixelsInUse();
    for (int frame = 1; frame <= 4; ++frame) {
        expectSamePicture(*renderFrame(root, start + frame), *renderFrame(makeTree(false, false), 0));
    }
    EXPECT_GE(ContentCache::pixelsInUse() - before, 30 * 30);
    for (int frame = 6; frame <= 8; ++frame) {
        SCOPED_TRACE(frame);
        expectSamePicture(*renderFrame(root, start + frame), *renderFrame(makeTree(false, true), 0));
    }
}

// Clips that are not device-aligned rectangles, as a view fitted at a
// fractional scale has around everything: read back as paths in device space
// they would not clip a picture to the bit as they clip the drawing, so the
// group under them keeps no picture, and every frame is the first one.
TEST_F(ContentCacheTest, ClipsThatAreNotAlignedRectanglesKeepNoPicture) {
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
        Scene kept;
        test.clip(kept);
        const auto first = kept.frame();
        kept.frame();
        Scene fresh;
        test.clip(fresh);
        const auto again = kept.frame();
        expectSamePicture(*again, *renderFrame(fresh.root, 0));
        EXPECT_TRUE(std::ranges::equal(again->pixels(), first->pixels()));
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
    expectSamePicture(*scene.frame(start + 0.2), *renderFrame(greenBox.root, 0));
    // Once dropped, the blue box shows again, not the kept picture.
    clock->advance(2);
    link.tick();
    EXPECT_FALSE(scene.blue->hasAnimations());
    expectSamePicture(*scene.frame(clock->now()), *renderFrame(Scene().root, 0));
}

// A filled square path, as a shape layer of its own.
std::shared_ptr<ShapeLayer> makeSquare(double x, double y, const Color& color) {
    auto square = ShapeLayer::make();
    square->setFrame(Rect(0, 0, 40, 40));
    square->setPath(polyline({{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}}));
    square->setFillColor(color);
    return square;
}

// Pixels held by the pictures kept while `frames` are drawn: a picture of a
// layer over two squares far apart spans both (40 x 40 pixels), pictures of
// the squares alone hold little more than 2 x 10 x 10.
std::int64_t pixelsKeptOver(const std::function<void()>& frames) {
    const std::int64_t before = ContentCache::pixelsInUse();
    frames();
    return ContentCache::pixelsInUse() - before;
}
constexpr std::int64_t wholeTree = 40 * 40;
constexpr std::int64_t twoSquares = 2 * 12 * 12;

// A layer over two squares, as an animation's root layer stands over its
// tree. Each frame moves the layer's time offset, as pausing at one frame
// after another does.
TEST_F(ContentCacheTest, TimeThatChangesNothingDrawnKeepsThePictureOfTheWholeTree) {
    struct Case {
        std::string name;
        std::function<void(Layer&)> animate;
        bool keepsWholeTree;
    };
    const double start = clock->now();
    const std::vector<Case> cases = {
        {"nothing animated", [](Layer&) {}, true},
        {"a number declared without display, animated over time",
         [](Layer& holder) {
             holder.declareAnimatableNumber("progress", 0, false);
             holder.addAnimation(basicAnimation("progress", 0.0, 1.0, 10), "progress");
         },
         true},
        // Invisible too (no shadow shows), but drawn from: the squares keep
        // pictures of their own, the layer none.
        {"a drawn property animated over time",
         [](Layer& holder) { holder.addAnimation(basicAnimation("shadowRadius", 3.0, 4.0, 10), "radius"); },
         false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot();
        auto holder = Layer::make();
        holder->setFrame(Rect(0, 0, 40, 40));
        holder->addSublayer(makeSquare(0, 0, Color::rgb(1, 0, 0)));
        holder->addSublayer(makeSquare(30, 30, Color::rgb(0, 0, 1)));
        root->addSublayer(holder);
        test.animate(*holder);
        std::shared_ptr<const platform::graphics::Image> last;
        const std::int64_t kept = pixelsKeptOver([&] {
            for (int frame = 0; frame < 4; ++frame) {
                holder->setTimeOffset(frame * 0.25);
                last = renderFrame(root, start + frame * 0.1);
            }
        });
        if (test.keepsWholeTree) {
            EXPECT_GE(kept, wholeTree);
        } else {
            EXPECT_GE(kept, 2 * 10 * 10);
            EXPECT_LE(kept, twoSquares);
        }
        auto fresh = makeRoot();
        fresh->addSublayer(makeSquare(0, 0, Color::rgb(1, 0, 0)));
        fresh->addSublayer(makeSquare(30, 30, Color::rgb(0, 0, 1)));
        expectSamePicture(*last, *renderFrame(fresh, 0));
    }
}

// An animation that has come to its end and holds its last value changes
// nothing from one frame to the next: the layer over the squares keeps its
// picture as it would over still squares, and the picture shows the value held.
TEST_F(ContentCacheTest, AnAnimationHoldingItsValueKeepsThePicture) {
    struct Case {
        std::string name;
        double duration;
        bool keepsWholeTree;
    };
    const std::vector<Case> cases = {
        {"ended a second before the frames and held", 1, true},
        // Still changing: the red square alone keeps a picture.
        {"still changing through the frames", 100, false},
    };
    const Color red = Color::rgb(1, 0, 0), blue = Color::rgb(0, 0, 1), green = Color::rgb(0, 1, 0);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot();
        auto holder = Layer::make();
        holder->setFrame(Rect(0, 0, 40, 40));
        auto changing = makeSquare(30, 30, blue);
        holder->addSublayer(makeSquare(0, 0, red));
        holder->addSublayer(changing);
        root->addSublayer(holder);
        auto toGreen = basicAnimation("fillColor", blue, green, test.duration);
        toGreen->setFillMode(FillMode::forwards);
        toGreen->setRemovedOnCompletion(false);
        changing->addAnimation(toGreen, "colour");
        const double start = clock->now();
        std::shared_ptr<const platform::graphics::Image> last;
        const std::int64_t kept = pixelsKeptOver([&] {
            for (int frame = 0; frame < 4; ++frame) last = renderFrame(root, start + 2 + frame);
        });
        if (test.keepsWholeTree) {
            EXPECT_GE(kept, wholeTree);
        } else {
            EXPECT_GE(kept, 10 * 10);
            EXPECT_LE(kept, twoSquares / 2);
        }
        auto fresh = makeRoot();
        fresh->addSublayer(makeSquare(0, 0, red));
        auto shown = makeSquare(30, 30, blue);
        shown->setFillColor(changing->presentationAt(start + 5)->asShapeLayer()->fillColor());
        fresh->addSublayer(shown);
        expectSamePicture(*last, *renderFrame(fresh, 0));
    }
}

// A layer hidden for a while by an animation, as a precomposition outside its
// time range is, over a square whose colour keeps changing: while it hides the
// square, nothing asks what the square presents and the tree over it keeps one
// picture; once it shows, every frame shows the square's colour at its time.
TEST_F(ContentCacheTest, ChangesUnderALayerHiddenByItsAnimationKeepThePictureUntilItShows) {
    struct Case {
        std::string name;
        std::string keyPath;
        AnimatableValue hiding;
    };
    const std::vector<Case> cases = {{"hidden", "hidden", AnimatableValue(true)},
                                     {"fully transparent", "opacity", AnimatableValue(0.0)}};
    const Color red = Color::rgb(1, 0, 0), blue = Color::rgb(0, 0, 1), green = Color::rgb(0, 1, 0);
    const auto still = [&] {
        auto root = makeRoot();
        root->addSublayer(makeSquare(0, 0, red));
        root->addSublayer(makeSquare(30, 30, blue));
        return root;
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = still();
        auto holder = Layer::make();
        holder->setFrame(Rect(0, 0, 40, 40));
        for (const auto& square : std::vector<std::shared_ptr<Layer>>(root->sublayers())) holder->addSublayer(square);
        auto gate = Layer::make();
        gate->setFrame(Rect(0, 0, 40, 40));
        auto changing = makeSquare(15, 15, blue);
        gate->addSublayer(changing);
        holder->addSublayer(gate);
        root->addSublayer(holder);
        const double start = clock->now();
        gate->addAnimation(basicAnimation(test.keyPath, test.hiding, test.hiding, 5), "hide");
        changing->addAnimation(basicAnimation("fillColor", blue, green, 100), "colour");
        const std::uint64_t asked = changing->presentedChangesSoFar();
        const std::int64_t kept = pixelsKeptOver([&] {
            for (int frame = 0; frame < 8; ++frame) {
                SCOPED_TRACE(frame);
                expectSamePicture(*renderFrame(root, start + 0.5 + frame * 0.5), *renderFrame(still(), 0));
            }
        });
        EXPECT_EQ(changing->presentedChangesSoFar(), asked);
        EXPECT_GE(kept, wholeTree);
        for (int frame = 0; frame < 6; ++frame) {
            SCOPED_TRACE(frame);
            const double time = start + 5.5 + frame * 0.5;
            const auto drawn = renderFrame(root, time);
            auto fresh = still();
            auto shown = makeSquare(15, 15, blue);
            shown->setFillColor(changing->presentationAt(time)->asShapeLayer()->fillColor());
            fresh->addSublayer(shown);
            expectSamePicture(*drawn, *renderFrame(fresh, 0));
        }
    }
}

// Where room for pictures is short, a layer over an animated one is sized by
// where the animated one draws at the frame's time, not by the whole view: a
// large still square takes most of the room, and the layer over two small
// boxes far apart, one of them animated, still finds room for a picture of
// both (boxes that paint only their backgrounds keep none of their own).
TEST_F(ContentCacheTest, AnimatedLayersAreSizedByWhereTheyDrawWhenRoomIsShort) {
    auto root = makeRoot(256, 256);
    auto large = ShapeLayer::make();
    large->setFrame(Rect(0, 0, 256, 256));
    large->setPath(polyline({{0, 0}, {200, 0}, {200, 200}, {0, 200}}));
    large->setFillColor(Color::rgb(1, 0, 0));
    auto holder = Layer::make();
    holder->setFrame(Rect(0, 0, 256, 256));
    auto animated = makeBox(Rect(210, 210, 10, 10), Color::rgb(0, 0, 1));
    auto still = basicAnimation("backgroundColor", Color::rgb(0, 1, 0), Color::rgb(0, 1, 0), 1);
    still->setFillMode(FillMode::both);
    animated->addAnimation(still, "colour");
    holder->addSublayer(animated);
    holder->addSublayer(makeBox(Rect(240, 240, 10, 10), Color::rgb(0, 0, 1)));
    root->addSublayer(large);
    root->addSublayer(holder);
    const std::int64_t kept = pixelsKeptOver([&] {
        for (int frame = 0; frame < 3; ++frame) {
            // A change that draws nothing, so that the root keeps no picture itself.
            root->setShadowOffset({0, static_cast<double>(frame + 1)});
            renderFrame(root, clock->now(), 256, 256);
        }
    });
    EXPECT_GE(kept, 200 * 200 + 40 * 40);
    EXPECT_LE(kept, ContentCache::maximumPixels(*platform::graphics::GraphicsContext::makeBitmap(256, 256)));
}

// A layer refused a picture for want of room is not looked at again while
// the room stays short, but gets its picture once room is freed.
TEST_F(ContentCacheTest, ALayerRefusedForWantOfRoomGetsAPictureOnceRoomIsFreed) {
    auto root = makeRoot(256, 256);
    const auto square = [](double side, Color colour) {
        auto shape = ShapeLayer::make();
        shape->setFrame(Rect(0, 0, 256, 256));
        shape->setPath(polyline({{0, 0}, {side, 0}, {side, side}, {0, side}}));
        shape->setFillColor(colour);
        return shape;
    };
    auto large = square(200, Color::rgb(1, 0, 0));
    auto medium = square(180, Color::rgb(0, 0, 1, 0.5));
    root->addSublayer(large);
    root->addSublayer(medium);
    int frames = 0;
    const auto render = [&](int count) {
        for (int frame = 0; frame < count; ++frame) {
            // A change that draws nothing, so that the root keeps no picture itself.
            root->setShadowOffset({0, static_cast<double>(++frames)});
            renderFrame(root, clock->now(), 256, 256);
        }
    };
    const std::int64_t before = ContentCache::pixelsInUse();
    render(4);
    // The large square's picture leaves no room for the other's.
    const std::int64_t largeOnly = ContentCache::pixelsInUse() - before;
    EXPECT_GE(largeOnly, 200 * 200);
    EXPECT_LT(largeOnly, 200 * 200 + 180 * 180);
    large->removeFromSuperlayer();
    large.reset();
    render(2);
    EXPECT_GE(ContentCache::pixelsInUse() - before, 180 * 180);
    EXPECT_LT(ContentCache::pixelsInUse() - before, 200 * 200);
}

// A layer that paints its background alone is filled afresh on every frame:
// a picture of it would cost as much to lay down, and take room from others.
TEST_F(ContentCacheTest, ALayerThatPaintsOnlyItsBackgroundKeepsNoPicture) {
    const std::int64_t before = ContentCache::pixelsInUse();
    {
        auto root = makeRoot();
        root->addSublayer(makeBox(Rect(2, 2, 30, 30), Color::rgb(0.5, 0.5, 0.5)));
        for (int frame = 0; frame < 3; ++frame) renderFrame(root, 0);
        // The root over it keeps one: its contents are a tree.
        EXPECT_GE(ContentCache::pixelsInUse() - before, 30 * 30);
    }
    const auto backdrop = makeBox(Rect(2, 2, 30, 30), Color::rgb(0.5, 0.5, 0.5));
    for (int frame = 0; frame < 3; ++frame) Renderer::renderImage(backdrop, 0, 40, 40);
    EXPECT_EQ(ContentCache::pixelsInUse() - before, 0);
}

// Paused at one frame after another with the clock standing still, as a
// scrubbed view is: the same media time on every frame, the time offset of the
// layer over an animated square moved each time. Every frame shows the colour
// of its own offset, never a picture kept from an earlier one.
TEST_F(ContentCacheTest, AnAnimationMovedByItsParentsTimeIsDrawnAnewAtTheSameMediaTime) {
    auto root = makeRoot();
    auto holder = Layer::make();
    holder->setFrame(Rect(0, 0, 40, 40));
    auto square = makeSquare(10, 10, Color::rgb(1, 0, 0));
    auto toBlue = basicAnimation("fillColor", Color::rgb(1, 0, 0), Color::rgb(0, 0, 1), 10);
    toBlue->setFillMode(FillMode::both);
    toBlue->setRemovedOnCompletion(false);
    square->addAnimation(toBlue, "colour");
    holder->addSublayer(square);
    holder->addSublayer(makeSquare(28, 28, Color::rgb(0, 1, 0)));
    root->addSublayer(holder);
    const double now = clock->now();
    for (const double offset : {1.0, 1.0, 1.0, 4.0, 4.0, 7.0, 7.0, 7.0}) {
        SCOPED_TRACE(offset);
        holder->setTimeOffset(offset);
        const auto drawn = renderFrame(root, now);
        auto fresh = makeRoot();
        auto shown = makeSquare(10, 10, Color::rgb(1, 0, 0));
        shown->setFillColor(square->presentationAt(now)->asShapeLayer()->fillColor());
        fresh->addSublayer(shown);
        fresh->addSublayer(makeSquare(28, 28, Color::rgb(0, 1, 0)));
        expectSamePicture(*drawn, *renderFrame(fresh, 0));
    }
}

// A chain of layers that keeps no picture (its deepest layer changes on every
// frame), where each layer's check looks at all the layers below it: the
// checks of a frame stop at their bound, and the frame is drawn all the same.
TEST_F(ContentCacheTest, TheChecksOfKeptPicturesAreBoundedPerFrame) {
    constexpr int depth = 400;  // 80,000 looks without a bound
    auto root = makeRoot();
    Layer* parent = root.get();
    for (int level = 0; level < depth; ++level) {
        auto layer = Layer::make();
        layer->setFrame(Rect(0, 0, 40, 40));
        parent->addSublayer(layer);
        parent = layer.get();
    }
    auto square = makeSquare(10, 10, Color::rgb(1, 0, 0));
    square->addAnimation(basicAnimation("fillColor", Color::rgb(1, 0, 0), Color::rgb(0, 0, 1), 10), "colour");
    parent->addSublayer(square);
    const double start = clock->now();
    for (int frame = 0; frame < 3; ++frame) {
        RenderBudget budget(double(frameSide) * frameSide);
        std::shared_ptr<const platform::graphics::Image> drawn;
        {
            const RenderBudget::Activation activation(budget);
            drawn = renderFrame(root, start + frame);
        }
        // The first frame's looks are whole walks. From the second on, a layer
        // whose walk was whole looks at the animated layer alone, and the
        // layers found changed or unchecked look less often.
        if (frame == 0) {
            EXPECT_EQ(budget.pictureChecksLeft(), 0u);
        }
        auto fresh = makeRoot();
        auto shown = makeSquare(10, 10, Color::rgb(1, 0, 0));
        shown->setFillColor(square->presentationAt(start + frame)->asShapeLayer()->fillColor());
        fresh->addSublayer(shown);
        expectSamePicture(*drawn, *renderFrame(fresh, 0));
    }
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

// A frame that shows few pixels keeps no picture, whether its target is that
// small or it is drawn under a small clip into a larger target (a view drawn
// straight into its window's pixels); one that shows enough keeps them.
TEST_F(ContentCacheTest, AFrameThatShowsFewPixelsKeepsNoPicture) {
    struct Case {
        const char* name;
        int targetSide;
        int clipSide;
        bool keeps;
    };
    const Case cases[] = {
        {"a small target", 40, 40, false},
        {"a target just too small", 63, 63, false},
        {"a large target under a small clip", 400, 40, false},
        {"a target large enough", 64, 64, true},
        {"a large target under a clip large enough", 400, 80, true},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        const std::int64_t before = ContentCache::pixelsInUse();
        Scene scene;
        std::shared_ptr<const platform::graphics::Image> last;
        for (int frame = 0; frame < 3; ++frame) {
            auto context = platform::graphics::GraphicsContext::makeBitmap(item.targetSide, item.targetSide);
            ASSERT_TRUE(context);
            context->clipToRect(Rect(0, 0, item.clipSide, item.clipSide));
            scene.root->setShadowOffset({0, static_cast<double>(frame + 1)});
            Renderer::render(scene.root, 0, *context);
            last = platform::graphics::GraphicsContext::finishImage(std::move(context));
        }
        EXPECT_EQ(ContentCache::pixelsInUse() > before, item.keeps);
        // Either way the frame shows the scene, as far as the clip lets it.
        const int shown = std::min(item.targetSide, item.clipSide);
        expectSamePicture(*last, *renderTree(Scene().root, 0, shown, shown));
    }
}

// What drawing a tree keeps from one frame for the next goes when the tree
// gives it back (a paused or hidden view): the pictures kept of its layers,
// the presentation copy kept of a layer whose animation holds one value, and
// the copies an image it shows keeps of itself, reduced and as shown. The
// next frame draws the same.
TEST_F(ContentCacheTest, ATreeGivesBackWhatItsFramesKept) {
    const std::int64_t before = ContentCache::pixelsInUse();
    Scene scene;
    const int side = 240;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(side) * side * 4);
    for (std::size_t index = 0; index < pixels.size(); index += 4) {
        const auto shade = static_cast<std::uint8_t>((index / 4) % side);
        pixels[index] = shade;
        pixels[index + 1] = static_cast<std::uint8_t>(255 - shade);
        pixels[index + 3] = 255;
    }
    const auto image = platform::graphics::Image::make(side, side, platform::graphics::Image::Format::argb32Premultiplied,
                                                       std::move(pixels));
    ASSERT_TRUE(image);
    auto picture = Layer::make();
    picture->setFrame(Rect(2, 2, 30, 30));
    picture->setContents(image);
    scene.group->addSublayer(picture);
    auto still = basicAnimation("opacity", 0.5, 0.5, 1);
    still->setFillMode(FillMode::both);
    scene.blue->addAnimation(still, "still");
    std::shared_ptr<const platform::graphics::Image> drawn;
    for (int frame = 0; frame < 3; ++frame) drawn = scene.frame();
    const std::shared_ptr<Layer> held = scene.blue->presentationAt(0);
    EXPECT_EQ(scene.blue->presentationAt(0), held);
    EXPECT_GT(ContentCache::pixelsInUse(), before);
    EXPECT_GT(image->reducedPixelsHeld() + image->shownCopies().pixelsHeld(), 0);

    scene.root->releaseKeptStorage();
    EXPECT_EQ(ContentCache::pixelsInUse(), before);
    EXPECT_EQ(image->reducedPixelsHeld(), 0);
    EXPECT_EQ(image->shownCopies().pixelsHeld(), 0);
    EXPECT_NE(scene.blue->presentationAt(0), held);
    expectSamePicture(*scene.frame(), *drawn);
}

// A layer over a square that changes on every frame (its colour, or a display
// it waits for): the layer's looks (a walk of its subtree each) come further
// apart while the square goes on changing, every frame still shows the square
// as it is, and once it holds, the layer keeps a picture of the whole tree
// within a few frames.
TEST_F(ContentCacheTest, ContentsThatKeepChangingAreLookedAtLessOften) {
    for (const bool byDisplay : {false, true}) {
        SCOPED_TRACE(byDisplay ? "a display pending on every frame" : "a colour animated over time");
        auto root = makeRoot();
        auto holder = Layer::make();
        holder->setFrame(Rect(0, 0, 40, 40));
        auto changing = makeSquare(30, 30, Color::rgb(0, 0, 1));
        holder->addSublayer(makeSquare(0, 0, Color::rgb(1, 0, 0)));
        holder->addSublayer(changing);
        root->addSublayer(holder);
        if (!byDisplay) {
            auto toGreen = basicAnimation("fillColor", Color::rgb(0, 0, 1), Color::rgb(0, 1, 0), 12);
            toGreen->setFillMode(FillMode::forwards);
            toGreen->setRemovedOnCompletion(false);
            changing->addAnimation(toGreen, "colour");
        }
        const double start = clock->now();
        const std::int64_t before = ContentCache::pixelsInUse();
        const auto expectShown = [&](const platform::graphics::Image& drawn, double time) {
            auto fresh = makeRoot();
            fresh->addSublayer(makeSquare(0, 0, Color::rgb(1, 0, 0)));
            auto shown = makeSquare(30, 30, Color::rgb(0, 0, 1));
            shown->setFillColor(changing->hasAnimations() ? changing->presentationAt(time)->asShapeLayer()->fillColor()
                                                          : changing->fillColor());
            fresh->addSublayer(shown);
            expectSamePicture(drawn, *renderFrame(fresh, 0));
        };
        std::vector<std::size_t> looks;
        for (int frame = 0; frame < 12; ++frame) {
            const double time = start + 0.5 + frame * 0.5;
            if (byDisplay) changing->setNeedsDisplay();
            RenderBudget budget(double(frameSide) * frameSide);
            std::shared_ptr<const platform::graphics::Image> drawn;
            {
                const RenderBudget::Activation activation(budget);
                drawn = renderFrame(root, time);
            }
            looks.push_back(RenderBudget::maximumPictureChecks - budget.pictureChecksLeft());
            SCOPED_TRACE(frame);
            expectShown(*drawn, time);
        }
        // Each look at the holder walks into its squares; a frame without one walks none.
        const std::size_t most = *std::max_element(looks.begin(), looks.end());
        const auto lookedAt = std::count(looks.begin() + 4, looks.end(), most);
        EXPECT_GE(most, 1u);
        EXPECT_GE(lookedAt, 1);
        EXPECT_LE(lookedAt, 3);
        // Held from here on: a picture of the whole tree within ten frames.
        const double held = start + 20;
        for (int frame = 0; frame < 10; ++frame) expectShown(*renderFrame(root, held + frame), held + frame);
        EXPECT_GE(ContentCache::pixelsInUse() - before, wholeTree);
    }
}

}  // namespace
