#pragma once
// Shared by the views' tests: a small animated document, a fixture that installs
// a manual media clock and drives frames and the main run loop by hand, and a
// counter of a widget's paint events.

#include <gtest/gtest.h>

#include <QImage>
#include <QObject>
#include <QScreen>
#include <cstdint>
#include <memory>
#include <string>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Views/LottieAnimationView.h"
#include "Platform/Compositor/ManualClock.h"

namespace viewstest {

// width x height, 30 frames at 30 frames per second: a red square that moves
// from the left edge to the right over a blue background rectangle.
std::string document(int width = 100, int height = 50);
std::shared_ptr<const lottie::LottieAnimation> animation(int width = 100, int height = 50);
// The 100 x 50 document with the markers of `markers`, a JSON array.
std::shared_ptr<const lottie::LottieAnimation> animationWithMarkers(const std::string& markers);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget);
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A view of the animation on the main-thread engine.
    std::unique_ptr<lottie::LottieAnimationView> makeView(std::shared_ptr<const lottie::LottieAnimation> animation);
    // Delivers pending Qt events (posted layouts, paints) and main-run-loop work.
    void settle();
    // Moves the clock by one display frame, ticks the view's link, draws the
    // frame it began to its end and settles.
    bool frame(lottie::LottieAnimationView& view, double seconds = 1.0 / 60);

    std::shared_ptr<platform::compositor::ManualClock> clock;
};

// Each frame drawn whole where it is asked for (FrameTurns off), for a scope:
// for a test of what a paint draws straight into its device.
struct FramesDrawnWhole {
    FramesDrawnWhole();
    ~FramesDrawnWhole();
    FramesDrawnWhole(const FramesDrawnWhole&) = delete;
    FramesDrawnWhole& operator=(const FramesDrawnWhole&) = delete;
    bool were;
};

// The screen of that pixel ratio, or none (the test program's offscreen
// platform has one of ratio 1 and one of ratio 2).
QScreen* screenOfRatio(double ratio);

// A Qt image of any format as a premultiplied ARGB32 image.
std::shared_ptr<const platform::graphics::Image> imageOf(const QImage& image);
// A copy of the pixels of the window's backing store; a null image when they
// are not a raster image.
QImage backingStoreImage(QWidget& window);
// The colour a widget's background is painted in, as 0xRRGGBBAA.
std::uint32_t backgroundOf(const QWidget& widget);

// The root-mean-square difference of two equally sized images, channels in 0...1.
double rmse(const platform::graphics::Image& a, const platform::graphics::Image& b);

}  // namespace viewstest
