// The widget's own picture: what a grab of the view shows at a frame equals the
// frame tool's picture of that frame at the same size and scale.
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Views/FrameTurns.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"
#include "tests/Support/RecordingLogger.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using viewstest::backgroundOf;
using viewstest::imageOf;
using viewstest::ViewsTest;

struct Picture {
    int viewWidth, viewHeight;
    double frame;
    // Drawn in turns with the event loop (FrameTurns), as in an application.
    bool inTurns = false;
    // Both layers in screen mode, blending with what lies under the view.
    bool blended = false;
};

// The test document with every layer in screen mode.
std::shared_ptr<const lottie::LottieAnimation> blendedAnimation() {
    std::string text = viewstest::document(100, 50);
    for (std::size_t at = text.find(R"("bm":0)"); at != std::string::npos; at = text.find(R"("bm":0)", at)) {
        text.replace(at, 6, R"("bm":3)");
    }
    return lottie::LottieAnimation::fromData(text, lottie::DecodingStrategy::dictionaryBased);
}

TEST_F(ViewsTest, GrabbedViewEqualsTheFrameToolsPictureOfTheSameFrame) {
    const Picture cases[] = {{100, 50, 0},
                             {100, 50, 12},
                             {240, 240, 29},
                             {90, 160, 7.5},
                             {100, 50, 12, true},
                             {90, 160, 7.5, true},
                             {100, 50, 12, false, true},
                             {100, 50, 12, true, true},
                             {240, 240, 29, true, true}};
    const auto plain = viewstest::animation(100, 50);
    const auto blended = blendedAnimation();
    for (const Picture& c : cases) {
        const std::string label = std::to_string(c.viewWidth) + "x" + std::to_string(c.viewHeight) + " frame " +
                                  std::to_string(c.frame) + (c.inTurns ? " in turns" : "") +
                                  (c.blended ? " in screen mode" : "");
        const auto& animation = c.blended ? blended : plain;
        auto view = makeView(animation);
        view->resize(c.viewWidth, c.viewHeight);
        view->setCurrentFrame(c.frame);
        settle();
        // Whichever way the picture is drawn below, no frame of the tree is under way.
        view->finishFrame();
        const bool turnsWere = lottie::FrameTurns::isEnabled();
        lottie::FrameTurns::setEnabled(c.inTurns);
        if (c.inTurns) {
            // The first paint asks for the picture, which the paints show
            // once its frame has been drawn.
            view->grab();
            EXPECT_TRUE(lottie::FrameTurns::shared().isDrawing(view.get())) << label;
            view->finishFrame();
        }
        const auto grabbed = imageOf(view->grab().toImage());
        lottie::FrameTurns::setEnabled(turnsWere);
        lottieframes::FrameRenderer tool(animation, c.viewWidth, c.viewHeight, backgroundOf(*view));
        const auto expected = tool.render(c.frame);
        ASSERT_NE(grabbed, nullptr) << label;
        ASSERT_EQ(grabbed->width(), expected->width()) << label;
        ASSERT_EQ(grabbed->height(), expected->height()) << label;
        EXPECT_LT(viewstest::rmse(*grabbed, *expected), 0.002) << label;
    }
}

TEST_F(ViewsTest, RatioOfTwoDoublesThePixelsAndStillMatchesTheFrameTool) {
    QScreen* const single = viewstest::screenOfRatio(1);
    QScreen* const twice = viewstest::screenOfRatio(2);
    if (!single || !twice) {
        GTEST_SKIP() << "needs the two-screen offscreen platform that the test program sets up";
    }
    auto animation = viewstest::animation(100, 50);
    auto view = makeView(animation);
    view->show();
    view->windowHandle()->setScreen(twice);
    view->setCurrentFrame(20);
    settle();
    lottieframes::FrameRenderer tool(animation, 200, 100, backgroundOf(*view));
    const auto expected = tool.render(20);
    const QPixmap pixmap = view->grab();
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), 2);
    const auto grabbed = imageOf(pixmap.toImage());
    ASSERT_EQ(grabbed->width(), 200);
    EXPECT_LT(viewstest::rmse(*grabbed, *expected), 0.002);
}

// Where the view is painted: into a premultiplied ARGB32 image, into its shown
// window's backing store, or into an image of a format that Cairo cannot draw
// on, which the view paints through an image of its own.
enum class Target { image, window, otherFormat };

// What painting through the view's own image gives: the parent's background,
// with the view's image laid over it pixel for pixel where the view is.
QImage throughTheViewsImage(QWidget& parent, lottie::LottieAnimationView& view, double ratio) {
    QImage image(parent.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    parent.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    image.setDevicePixelRatio(1);
    const auto own = view.renderImage(ratio);
    EXPECT_NE(own, nullptr);
    if (!own) return image;
    QPainter painter(&image);
    painter.drawImage(view.pos() * ratio, QImage(own->pixels().data(), own->width(), own->height(),
                                                 own->bytesPerRow(), QImage::Format_ARGB32_Premultiplied));
    return image;
}

TEST_F(ViewsTest, PaintingStraightIntoTheDeviceShowsThePixelsOfTheImagePathOverTheParent) {
    const viewstest::FramesDrawnWhole whole;
    const QColor parentColour(30, 160, 60);
    struct Case {
        Target target;
        double ratio;
        bool direct;
    };
    const Case cases[] = {
        {Target::image, 1, true}, {Target::image, 2, true}, {Target::window, 1, true}, {Target::otherFormat, 1, false}};
    for (const Case& c : cases) {
        const std::string label = "target " + std::to_string(static_cast<int>(c.target)) + " at ratio " +
                                  std::to_string(c.ratio);
        QWidget parent;
        parent.resize(160, 100);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, parentColour);
        parent.setPalette(palette);
        parent.setAutoFillBackground(true);
        auto* view = makeView(viewstest::animation(100, 50)).release();
        view->setParent(&parent);
        view->setGeometry(13, 7, 120, 70);
        view->setCurrentFrame(12);

        QImage painted;
        if (c.target == Target::window) {
            parent.show();
            settle();
            view->repaint();
            painted = viewstest::backingStoreImage(parent);
        } else {
            settle();
            const QImage::Format format = c.target == Target::image ? QImage::Format_ARGB32_Premultiplied
                                                                    : QImage::Format_RGBA8888_Premultiplied;
            painted = QImage(parent.size() * c.ratio, format);
            painted.setDevicePixelRatio(c.ratio);
            painted.fill(Qt::transparent);
            parent.render(&painted);
        }
        ASSERT_EQ(painted.size(), parent.size() * c.ratio) << label;
        EXPECT_EQ(view->renderedImage() == nullptr, c.direct) << label << ": the path taken";
        const QImage expected = throughTheViewsImage(parent, *view, c.ratio);
        EXPECT_LT(viewstest::rmse(*imageOf(painted), *imageOf(expected)), 0.002) << label;
        // The animation (120 x 60 once fitted) leaves the view's top rows to
        // what the parent painted; the view composites over them.
        const QPoint insideTheView = QPoint(13 + 60, 7 + 2) * c.ratio;
        EXPECT_EQ(painted.pixelColor(insideTheView).rgb(), parentColour.rgb()) << label;
        const QPoint animationCentre = QPoint(13 + 60, 7 + 35) * c.ratio;
        EXPECT_NE(painted.pixelColor(animationCentre).rgb(), parentColour.rgb()) << label;
    }
}

TEST_F(ViewsTest, ADrawingThatThrowsLeavesTheViewEmptyInsteadOfEndingTheProgram) {
    // Running out of memory on a hostile document throws from inside a paint
    // event, where an exception would end the program.
    const viewstest::FramesDrawnWhole whole;
    testsupport::RecordingLogger log;
    auto view = makeView(viewstest::animation());
    view->resize(100, 50);
    int calls = 0;
    bool failing = false;
    view->installValueProvider(
        std::make_shared<lottie::ColorValueProvider>([&calls, &failing](lottie::AnimationFrameTime) -> lottie::LottieColor {
            if (!failing) return {0, 1, 0, 1};
            ++calls;
            throw std::bad_alloc();
        }),
        lottie::AnimationKeypath("**.Fill.Color"));
    settle();
    const QImage drawn = view->grab().toImage();
    // The next frame is drawn in the paint event, and fails there.
    failing = true;
    view->setCurrentFrame(5);
    const QImage failed = view->grab().toImage();
    EXPECT_NE(failed, drawn) << "nothing of the animation is shown";
    ASSERT_GT(calls, 0) << "the provider was asked while drawing";
    ASSERT_EQ(log.warnings.size(), 1u);
    EXPECT_NE(log.warnings[0].find("could not be drawn"), std::string::npos) << log.warnings[0];

    // Nothing more is tried for this animation, however often it is painted.
    const int asked = calls;
    view->grab();
    view->grab();
    EXPECT_EQ(calls, asked);
    EXPECT_EQ(log.warnings.size(), 1u);

    // A new animation is drawn again.
    view->uninstallValueProvider(lottie::AnimationKeypath("**.Fill.Color"));
    view->setAnimation(viewstest::animation());
    settle();
    EXPECT_NE(view->grab().toImage(), failed) << "the squares show again";
}

}  // namespace
