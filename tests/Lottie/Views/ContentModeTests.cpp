// Placement of the rendering layer by content mode and viewport, checked on the
// layer itself after a layout pass, for a wide, a tall and a square view.
#include <cmath>
#include <limits>

#include "Lottie/Views/ContentModeFit.h"
#include "Lottie/Views/LayoutAnimations.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::ContentModeFit;
using lottie::LottieContentMode;
using platform::graphics::Point;
using platform::graphics::Rect;
using viewstest::ViewsTest;

struct Placement {
    LottieContentMode mode;
    int viewWidth, viewHeight;
    Point position;
    double scaleX, scaleY;
};

// A 100 x 50 animation in a wide (400 x 100), a tall (100 x 400) and a square
// (300 x 300) view.
const Placement placements[] = {
    {LottieContentMode::scaleToFill, 400, 100, {200, 50}, 4, 2},
    {LottieContentMode::scaleToFill, 100, 400, {50, 200}, 1, 8},
    {LottieContentMode::scaleToFill, 300, 300, {150, 150}, 3, 6},
    {LottieContentMode::scaleAspectFit, 400, 100, {200, 50}, 2, 2},
    {LottieContentMode::scaleAspectFit, 100, 400, {50, 200}, 1, 1},
    {LottieContentMode::scaleAspectFit, 300, 300, {150, 150}, 3, 3},
    {LottieContentMode::scaleAspectFill, 400, 100, {200, 50}, 4, 4},
    {LottieContentMode::scaleAspectFill, 100, 400, {50, 200}, 8, 8},
    {LottieContentMode::scaleAspectFill, 300, 300, {150, 150}, 6, 6},
    {LottieContentMode::redraw, 400, 100, {50, 25}, 1, 1},
    {LottieContentMode::center, 100, 400, {50, 200}, 1, 1},
    {LottieContentMode::top, 300, 300, {150, 25}, 1, 1},
    {LottieContentMode::bottom, 300, 300, {150, 275}, 1, 1},
    {LottieContentMode::left, 400, 100, {50, 50}, 1, 1},
    {LottieContentMode::right, 400, 100, {350, 50}, 1, 1},
    {LottieContentMode::topLeft, 100, 400, {50, 25}, 1, 1},
    {LottieContentMode::topRight, 400, 100, {350, 25}, 1, 1},
    {LottieContentMode::bottomLeft, 100, 400, {50, 375}, 1, 1},
    {LottieContentMode::bottomRight, 300, 300, {250, 275}, 1, 1},
};

TEST_F(ViewsTest, EveryContentModePlacesTheRenderingLayerAsItsTableSays) {
    auto view = makeView(viewstest::animation(100, 50));
    view->show();
    for (const Placement& p : placements) {
        view->setContentMode(p.mode);
        view->resize(p.viewWidth, p.viewHeight);
        settle();
        EXPECT_FALSE(view->needsLayout());
        const auto rendering = view->lottieAnimationLayer()->renderingLayer();
        ASSERT_NE(rendering, nullptr);
        const std::string label = "mode " + std::to_string(static_cast<int>(p.mode)) + " in " +
                                  std::to_string(p.viewWidth) + "x" + std::to_string(p.viewHeight);
        EXPECT_DOUBLE_EQ(rendering->position().x, p.position.x) << label;
        EXPECT_DOUBLE_EQ(rendering->position().y, p.position.y) << label;
        EXPECT_DOUBLE_EQ(rendering->transform().m11, p.scaleX) << label;
        EXPECT_DOUBLE_EQ(rendering->transform().m22, p.scaleY) << label;
        EXPECT_DOUBLE_EQ(rendering->transform().m41, 0) << label;
        EXPECT_DOUBLE_EQ(rendering->transform().m42, 0) << label;
        EXPECT_FALSE(rendering->isHidden()) << label;
    }
}

TEST_F(ViewsTest, ViewportCentresAndScalesWhateverTheMode) {
    auto view = makeView(viewstest::animation(100, 50));
    view->show();
    view->setViewportFrame(Rect{0, 0, 50, 50});
    view->resize(200, 100);
    for (LottieContentMode mode : {LottieContentMode::scaleAspectFit, LottieContentMode::topLeft}) {
        view->setContentMode(mode);
        settle();
        const auto rendering = view->lottieAnimationLayer()->renderingLayer();
        EXPECT_DOUBLE_EQ(rendering->position().x, 100);
        EXPECT_DOUBLE_EQ(rendering->position().y, 50);
        // Scale 2 after moving by (25, 0) in animation units.
        EXPECT_DOUBLE_EQ(rendering->transform().m11, 2);
        EXPECT_DOUBLE_EQ(rendering->transform().m41, 50);
        EXPECT_DOUBLE_EQ(rendering->transform().m42, 0);
    }
}

TEST(ContentModeFit, NothingIsFittedIntoOrFromAnEmptyOrNonFiniteSize) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        Rect bounds;
        platform::graphics::Size animation;
        std::optional<Rect> viewport;
    };
    const Case cases[] = {
        {{0, 0, 0, 100}, {100, 50}, {}},   {{0, 0, 100, 0}, {100, 50}, {}},
        {{0, 0, 100, 100}, {0, 50}, {}},   {{0, 0, 100, 100}, {100, 0}, {}},
        {{0, 0, nan, 100}, {100, 50}, {}}, {{0, 0, 100, 100}, {inf, 50}, {}},
        {{0, 0, 100, 100}, {100, 50}, Rect{0, 0, 0, 50}},
    };
    for (const Case& c : cases) {
        for (int mode = 0; mode <= 12; ++mode) {
            EXPECT_FALSE(ContentModeFit::compute(c.bounds, c.animation, *lottie::contentModeFromRawValue(mode),
                                                 c.viewport));
        }
    }
    EXPECT_TRUE(ContentModeFit::compute({0, 0, 1, 1}, {100, 50}, LottieContentMode::scaleAspectFit, {}));
}

TEST_F(ViewsTest, ZeroSizedViewHidesItsAnimationAndShowsItAgainWhenSized) {
    auto view = makeView(viewstest::animation(100, 50));
    view->show();
    view->resize(0, 80);
    settle();
    const auto rendering = view->lottieAnimationLayer()->renderingLayer();
    EXPECT_TRUE(rendering->isHidden());
    EXPECT_TRUE(std::isfinite(rendering->transform().m11));
    view->resize(200, 100);
    settle();
    EXPECT_FALSE(rendering->isHidden());
    EXPECT_DOUBLE_EQ(rendering->transform().m11, 2);
}

TEST(LottieContentMode, RawValuesOutsideTheCasesGiveNone) {
    const std::pair<int, std::optional<LottieContentMode>> cases[] = {
        {-1, std::nullopt}, {0, LottieContentMode::scaleToFill}, {1, LottieContentMode::scaleAspectFit},
        {3, LottieContentMode::redraw}, {12, LottieContentMode::bottomRight}, {13, std::nullopt},
    };
    for (const auto& [raw, mode] : cases) EXPECT_EQ(lottie::contentModeFromRawValue(raw), mode) << raw;
    EXPECT_EQ(lottie::LottieAnimationView().contentMode(), LottieContentMode::scaleAspectFit);
}

TEST_F(ViewsTest, LayoutFollowsAnAnimationOfTheAnimationLayerAndOnlyThen) {
    auto view = makeView(viewstest::animation(100, 50));
    view->show();
    view->resize(100, 50);
    settle();
    const auto rendering = view->lottieAnimationLayer()->renderingLayer();
    auto resize = platform::compositor::BasicAnimation::make("opacity");
    resize->setDuration(0.4);
    resize->setFromValue(platform::compositor::AnimatableValue(1.0));
    resize->setToValue(platform::compositor::AnimatableValue(1.0));
    view->lottieAnimationLayer()->addAnimation(resize, "resize");
    view->resize(300, 150);
    settle();
    auto position = rendering->animation(lottie::LayoutAnimations::positionKey);
    auto transform = rendering->animation(lottie::LayoutAnimations::transformKey);
    ASSERT_NE(position, nullptr);
    ASSERT_NE(transform, nullptr);
    EXPECT_DOUBLE_EQ(position->timing().duration, 0.4);
    EXPECT_DOUBLE_EQ(rendering->position().x, 150);
    EXPECT_DOUBLE_EQ(rendering->transform().m11, 3);

    view->setAnimateLayoutChangesWithCurrentCoreAnimationContext(false);
    view->resize(200, 100);
    settle();
    EXPECT_EQ(rendering->animation(lottie::LayoutAnimations::positionKey), position) << "no new animation";
    EXPECT_DOUBLE_EQ(rendering->transform().m11, 2);
}

}  // namespace
