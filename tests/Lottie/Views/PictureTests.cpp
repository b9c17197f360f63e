// The widget's own picture: what a grab of the view shows at a frame equals the
// frame tool's picture of that frame at the same size and scale.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWindow>
#include <cstring>

#include "tests/Lottie/Views/ViewsTestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using viewstest::ViewsTest;

std::shared_ptr<const platform::graphics::Image> imageOf(const QImage& grabbed) {
    const QImage image = grabbed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const auto format = platform::graphics::Image::Format::argb32Premultiplied;
    const int rowBytes = platform::graphics::Image::bytesPerRowFor(format, image.width());
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(rowBytes) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(pixels.data() + static_cast<std::size_t>(y) * rowBytes, image.constScanLine(y),
                    static_cast<std::size_t>(image.width()) * 4);
    }
    return platform::graphics::Image::make(image.width(), image.height(), format, std::move(pixels));
}

// The window colour the grab paints under the view, as the frame tool's background.
std::uint32_t backgroundOf(const QWidget& widget) {
    const QColor colour = widget.palette().color(widget.backgroundRole());
    return (static_cast<std::uint32_t>(colour.red()) << 24) | (static_cast<std::uint32_t>(colour.green()) << 16) |
           (static_cast<std::uint32_t>(colour.blue()) << 8) | static_cast<std::uint32_t>(colour.alpha());
}

struct Picture {
    int viewWidth, viewHeight;
    double frame;
};

TEST_F(ViewsTest, GrabbedViewEqualsTheFrameToolsPictureOfTheSameFrame) {
    const Picture cases[] = {{100, 50, 0}, {100, 50, 12}, {240, 240, 29}, {90, 160, 7.5}};
    auto animation = viewstest::animation(100, 50);
    for (const Picture& c : cases) {
        const std::string label = std::to_string(c.viewWidth) + "x" + std::to_string(c.viewHeight) + " frame " +
                                  std::to_string(c.frame);
        auto view = makeView(animation);
        view->resize(c.viewWidth, c.viewHeight);
        view->setCurrentFrame(c.frame);
        settle();
        const auto grabbed = imageOf(view->grab().toImage());
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
    view->repaint();
    ASSERT_NE(view->renderedImage(), nullptr);
    EXPECT_EQ(view->renderedImage()->width(), 200);
    EXPECT_EQ(view->renderedImage()->height(), 100);
    const QPixmap pixmap = view->grab();
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), 2);
    const auto grabbed = imageOf(pixmap.toImage());
    lottieframes::FrameRenderer tool(animation, 200, 100, backgroundOf(*view));
    const auto expected = tool.render(20);
    ASSERT_EQ(grabbed->width(), 200);
    EXPECT_LT(viewstest::rmse(*grabbed, *expected), 0.002);
}

}  // namespace
