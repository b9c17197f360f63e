#include "tests/Lottie/Views/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <cmath>
#include <sstream>

#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace viewstest {

lottie::LottieConfiguration mainThreadConfiguration() {
    return lottie::LottieConfiguration(lottie::RenderingEngineOption::mainThread());
}

std::shared_ptr<const lottie::LottieAnimation> markedAnimation() {
    return animationWithMarkers(R"([{"tm":0,"cm":"start","dr":0},{"tm":15,"cm":"middle","dr":0},)"
                                R"({"tm":7.5,"cm":"quarter","dr":0}])");
}

const std::vector<Range>& PlayLog::look() {
    const auto& layer = *view_.lottieAnimationLayer();
    const auto& context = layer.animationContext();
    const auto sameOwner = [this](const std::shared_ptr<lottie::AnimationCompletionDelegate>& closure) {
        return !last_.owner_before(closure) && !closure.owner_before(last_);
    };
    if (context && !sameOwner(context->closure)) {
        last_ = context->closure;
        const auto& animation = *layer.animation();
        ranges_.push_back({animation.progressForFrame(context->playFrom, false),
                           animation.progressForFrame(context->playTo, false)});
    }
    return ranges_;
}

void perform(QWidget& widget, const std::vector<PointerStep>& steps, const std::function<void()>& look) {
    for (const PointerStep& step : steps) {
        switch (step.step) {
            case Step::press: QTest::mousePress(&widget, Qt::LeftButton, {}, step.at); break;
            case Step::move: QTest::mouseMove(&widget, step.at); break;
            case Step::release: QTest::mouseRelease(&widget, Qt::LeftButton, {}, step.at); break;
        }
        if (look) look();
    }
}

void click(QWidget& widget, const std::function<void()>& look) {
    const QPoint centre = widget.rect().center();
    perform(widget, {{Step::press, centre}, {Step::release, centre}}, look);
}

void expectRanges(const std::vector<Range>& actual, const std::vector<Range>& expected, const std::string& label) {
    const auto text = [](const std::vector<Range>& ranges) {
        std::ostringstream out;
        for (const Range& range : ranges) out << "(" << range.first << ", " << range.second << ") ";
        return out.str();
    };
    bool same = actual.size() == expected.size();
    // A hundredth of a frame of the 30-frame document.
    const double tolerance = 0.01 / 30;
    for (std::size_t i = 0; same && i < actual.size(); ++i) {
        same = std::abs(actual[i].first - expected[i].first) <= tolerance &&
               std::abs(actual[i].second - expected[i].second) <= tolerance;
    }
    EXPECT_TRUE(same) << label << ": played " << text(actual) << "expected " << text(expected);
}

}  // namespace viewstest
