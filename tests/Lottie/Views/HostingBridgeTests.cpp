// The hosting bridge: each sizing strategy's answer for a 512 x 300 animation
// offered a small, a large and no size, the measurement cache, and the order
// and storage of configuration closures across updates.
#include <QResizeEvent>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Views/HostingBridge.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::HostingBridge;
using lottie::LottieAnimationView;
using lottie::MeasurementContainer;
using lottie::MeasurementContainerStrategy;
using platform::graphics::Size;
using viewstest::ViewsTest;

// A content widget of a fixed intrinsic size, which the test may change.
class FixedSizeWidget : public QWidget {
public:
    QSize hint{-1, -1};
    QSize sizeHint() const override { return hint; }
};

TEST_F(ViewsTest, EachSizingStrategyMeasuresA512By300Animation) {
    using S = MeasurementContainerStrategy;
    struct Offer {
        std::optional<double> width, height;
    };
    const Offer small{200, 200}, large{1000, 1000}, unbounded{};
    struct Case {
        S strategy;
        Size small, large, unbounded;
    };
    // The container is unplaced (zero bounds): an axis taken from no offer is 0.
    const Case cases[] = {
        {S::automatic, {200, 200}, {512, 300}, {512, 300}},
        {S::proposed, {200, 200}, {1000, 1000}, {0, 0}},
        {S::intrinsicHeightProposedWidth, {200, 300}, {1000, 300}, {0, 300}},
        {S::intrinsicWidthProposedHeight, {512, 200}, {512, 1000}, {512, 0}},
        {S::intrinsic, {200, 200}, {512, 300}, {512, 300}},
    };
    for (const Case& c : cases) {
        const int index = static_cast<int>(c.strategy);
        MeasurementContainer container(makeView(viewstest::animation(512, 300)).release(), c.strategy);
        const std::pair<Offer, Size> expectations[] = {{small, c.small}, {large, c.large}, {unbounded, c.unbounded}};
        for (const auto& [offer, expected] : expectations) {
            EXPECT_EQ(container.sizeThatFits(offer.width, offer.height), expected)
                << "strategy " << index << " offered " << offer.width.value_or(-1) << "x" << offer.height.value_or(-1);
        }
        // Qt's own questions: sizeHint offers nothing, heightForWidth a width.
        EXPECT_EQ(container.sizeHint(), QSize(static_cast<int>(c.unbounded.width), static_cast<int>(c.unbounded.height)))
            << index;
        EXPECT_EQ(container.heightForWidth(200), static_cast<int>(container.sizeThatFits(200, std::nullopt).height))
            << index;
        // Once placed, the bounds stand in for what is not offered.
        container.resize(640, 480);
        const Size placed = container.sizeThatFits(std::nullopt, std::nullopt);
        EXPECT_EQ(placed.width, c.unbounded.width == 0 ? 640 : c.unbounded.width) << index;
        EXPECT_EQ(placed.height, c.unbounded.height == 0 ? 480 : c.unbounded.height) << index;
    }
}

TEST_F(ViewsTest, AutomaticStrategyResolvesFromTheContentsIntrinsicSize) {
    using Kind = lottie::ResolvedMeasurementContainerStrategy::Kind;
    struct Case {
        QSize hint;
        Kind kind;
        Size offered300, measured;
    };
    const Case cases[] = {
        {{-1, -1}, Kind::proposed, {100, 300}, {100, 300}},
        {{0, 0}, Kind::proposed, {100, 300}, {100, 300}},
        {{-1, 80}, Kind::intrinsicHeightProposedWidth, {100, 300}, {100, 80}},
        {{200, -1}, Kind::intrinsicWidthProposedHeight, {100, 300}, {200, 300}},
        {{400, 100}, Kind::intrinsic, {100, 300}, {100, 100}},
    };
    for (const Case& c : cases) {
        auto* content = new FixedSizeWidget;
        content->hint = c.hint;
        MeasurementContainer container(content, MeasurementContainerStrategy::automatic);
        EXPECT_EQ(container.sizeThatFits(c.offered300.width, c.offered300.height), c.measured)
            << c.hint.width() << "x" << c.hint.height();
        ASSERT_TRUE(container.resolvedStrategy());
        EXPECT_EQ(container.resolvedStrategy()->kind, c.kind) << c.hint.width() << "x" << c.hint.height();
    }
}

TEST_F(ViewsTest, MeasurementsAreCachedUntilTheOfferStrategyOrIntrinsicSizeChanges) {
    auto* content = new FixedSizeWidget;
    content->hint = {400, 100};
    MeasurementContainer container(content, MeasurementContainerStrategy::intrinsic);
    EXPECT_EQ(container.sizeThatFits(300, 500), Size(300, 100));
    EXPECT_EQ(container.intrinsicContentSize(), Size(lottie::noIntrinsicMetric, 100));
    const int taken = container.measurementCount();

    struct Step {
        const char* name;
        std::function<void()> change;
        bool measuresAgain;
    };
    const Step steps[] = {
        {"same offer", [&] { container.sizeThatFits(300, 500); }, false},
        {"same strategy", [&] { container.setStrategy(MeasurementContainerStrategy::intrinsic); }, false},
        {"bounds change", [&] { container.resize(50, 60); }, false},
        {"new height only", [&] { container.setProposedSize({300, 501}); }, true},
        {"new strategy", [&] { container.setStrategy(MeasurementContainerStrategy::proposed); }, true},
        {"invalidated", [&] { container.invalidateIntrinsicContentSize(); }, true},
    };
    int count = taken;
    for (const Step& step : steps) {
        step.change();
        container.measuredFittingSize();
        if (step.measuresAgain) ++count;
        EXPECT_EQ(container.measurementCount(), count) << step.name;
    }

    // A width settled on by the last measurement is kept when offered again,
    // even though the content has meanwhile grown past it.
    container.setStrategy(MeasurementContainerStrategy::intrinsic);
    content->hint = {400, 100};
    container.invalidateIntrinsicContentSize();
    EXPECT_EQ(container.sizeThatFits(500, 500), Size(400, 100));
    content->hint = {450, 100};
    container.invalidateIntrinsicContentSize();
    EXPECT_EQ(container.sizeThatFits(400, 500), Size(450, 100));
}

TEST_F(ViewsTest, BridgeMakesItsContentOnceAndRunsConfigurationsInOrderWithThePreviousStorage) {
    int made = 0;
    std::vector<std::string> log;
    const auto bridge = [&](int storage) {
        HostingBridge<FixedSizeWidget, int> value;
        value.storage = storage;
        value.makeContent = [&made] {
            ++made;
            return new FixedSizeWidget;
        };
        for (const char* name : {"first", "second"}) {
            value.configurations.push_back([&log, name](const auto& context) {
                log.push_back(std::string(name) + " " + std::to_string(context.oldStorage) + "->" +
                              std::to_string(context.container.storage()));
            });
        }
        return value;
    };
    std::unique_ptr<HostingBridge<FixedSizeWidget, int>::Container> host(bridge(1).makeHost());
    FixedSizeWidget* content = &host->hostedView();
    for (int storage = 1; storage <= 3; ++storage) bridge(storage).update(*host);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(&host->hostedView(), content);
    EXPECT_EQ(log, (std::vector<std::string>{"first 1->1", "second 1->1", "first 1->2", "second 1->2", "first 2->3",
                                             "second 2->3"}));
}

}  // namespace
