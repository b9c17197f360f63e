#include "tests/Lottie/Views/ViewsTestSupport.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Views/FrameTurns.h"
#include "Lottie/Views/ViewDisplayLink.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Foundation/MainRunLoop.h"

namespace viewstest {

std::string document(int width, int height) {
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    const std::string side = std::to_string(std::min(width, height) / 2);
    return R"({"v":"5.7.4","fr":30,"ip":0,"op":30,"w":)" + w + R"(,"h":)" + h + R"(,"nm":"views","ddd":0,"assets":[],
"layers":[
 {"ddd":0,"ind":1,"ty":4,"nm":"Square","sr":1,"ip":0,"op":30,"st":0,"bm":0,
  "ks":{"o":{"a":0,"k":100},"r":{"a":0,"k":0},"a":{"a":0,"k":[0,0,0]},"s":{"a":0,"k":[100,100,100]},
        "p":{"a":1,"k":[{"t":0,"s":[)" + side + "," + std::to_string(height / 2) +
           R"(,0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":30,"s":[)" + std::to_string(width - std::min(width, height) / 2) + "," + std::to_string(height / 2) +
           R"(,0]}]}},
  "shapes":[{"ty":"rc","nm":"Box","d":1,"s":{"a":0,"k":[)" + side + "," + side +
           R"(]},"p":{"a":0,"k":[0,0]},"r":{"a":0,"k":0}},
            {"ty":"fl","nm":"Fill","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"r":1}]},
 {"ddd":0,"ind":2,"ty":4,"nm":"Back","sr":1,"ip":0,"op":30,"st":0,"bm":0,
  "ks":{"o":{"a":0,"k":100},"r":{"a":0,"k":0},"a":{"a":0,"k":[0,0,0]},"s":{"a":0,"k":[100,100,100]},
        "p":{"a":0,"k":[)" + std::to_string(width / 2) + "," + std::to_string(height / 2) + R"(,0]}},
  "shapes":[{"ty":"rc","nm":"Box","d":1,"s":{"a":0,"k":[)" + std::to_string(width - 10) + "," +
           std::to_string(height - 10) + R"(]},"p":{"a":0,"k":[0,0]},"r":{"a":0,"k":4}},
            {"ty":"fl","nm":"Fill","c":{"a":0,"k":[0.2,0.3,0.9,1]},"o":{"a":0,"k":100},"r":1}]}
]})";
}

std::shared_ptr<const lottie::LottieAnimation> animation(int width, int height) {
    return lottie::LottieAnimation::fromData(document(width, height), lottie::DecodingStrategy::dictionaryBased);
}

std::shared_ptr<const lottie::LottieAnimation> animationWithMarkers(const std::string& markers) {
    std::string text = document();
    const std::string assets = R"("assets":[],)";
    text.insert(text.find(assets) + assets.size(), R"("markers":)" + markers + ",");
    return lottie::LottieAnimation::fromData(text, lottie::DecodingStrategy::dictionaryBased);
}

PaintCounter::PaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) ++count;
    return false;
}

void ViewsTest::SetUp() {
    clock = std::make_shared<platform::compositor::ManualClock>(100.0);
    platform::compositor::MediaClock::install(clock);
}

void ViewsTest::TearDown() {
    settle();
    platform::compositor::MediaClock::install(nullptr);
}

std::unique_ptr<lottie::LottieAnimationView> ViewsTest::makeView(
    std::shared_ptr<const lottie::LottieAnimation> animation) {
    return std::make_unique<lottie::LottieAnimationView>(
        std::move(animation), nullptr, nullptr, nullptr,
        lottie::LottieConfiguration(lottie::RenderingEngineOption::mainThread()));
}

void ViewsTest::settle() {
    for (int round = 0; round < 3; ++round) {
        platform::foundation::MainRunLoop::shared().drain();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

bool ViewsTest::frame(lottie::LottieAnimationView& view, double seconds) {
    clock->advance(seconds);
    const bool drew = view.displayLink().tick();
    // The frame drawn in turns ends before the next display frame.
    view.finishFrame();
    settle();
    return drew;
}

FramesDrawnWhole::FramesDrawnWhole() : were(lottie::FrameTurns::isEnabled()) { lottie::FrameTurns::setEnabled(false); }

FramesDrawnWhole::~FramesDrawnWhole() { lottie::FrameTurns::setEnabled(were); }

QScreen* screenOfRatio(double ratio) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->devicePixelRatio() == ratio) return screen;
    }
    return nullptr;
}

std::shared_ptr<const platform::graphics::Image> imageOf(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const auto format = platform::graphics::Image::Format::argb32Premultiplied;
    const int rowBytes = platform::graphics::Image::bytesPerRowFor(format, image.width());
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(rowBytes) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(pixels.data() + static_cast<std::size_t>(y) * rowBytes, image.constScanLine(y),
                    static_cast<std::size_t>(image.width()) * 4);
    }
    return platform::graphics::Image::make(image.width(), image.height(), format, std::move(pixels));
}

QImage backingStoreImage(QWidget& window) {
    QBackingStore* store = window.backingStore();
    QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) return {};
    return static_cast<QImage*>(device)->copy();
}

std::uint32_t backgroundOf(const QWidget& widget) {
    const QColor colour = widget.palette().color(widget.backgroundRole());
    return (static_cast<std::uint32_t>(colour.red()) << 24) | (static_cast<std::uint32_t>(colour.green()) << 16) |
           (static_cast<std::uint32_t>(colour.blue()) << 8) | static_cast<std::uint32_t>(colour.alpha());
}

double rmse(const platform::graphics::Image& a, const platform::graphics::Image& b) {
    const std::vector<std::uint8_t> left = a.straightRGBA();
    const std::vector<std::uint8_t> right = b.straightRGBA();
    if (left.size() != right.size() || left.empty()) return INFINITY;
    double sum = 0;
    for (std::size_t i = 0; i < left.size(); ++i) {
        const double d = (left[i] - right[i]) / 255.0;
        sum += d * d;
    }
    return std::sqrt(sum / static_cast<double>(left.size()));
}

}  // namespace viewstest
