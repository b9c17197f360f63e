// The declarative view: a host applies each new LottieView value to the one
// animation view it keeps, changing only what differs, and takes asynchronous
// loads with only the newest counting.
#include <QLabel>
#include <map>
#include <stdexcept>
#include <string>

#include "Lottie/Views/LottieViewHost.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::LottieAnimation;
using lottie::LottieAnimationSource;
using lottie::LottiePlaybackMode;
using lottie::LottieView;
using lottie::LottieViewHost;
using viewstest::ViewsTest;

// An image provider that draws nothing and is equal to another of the same name.
class NamedImageProvider : public lottie::AnimationImageProvider {
public:
    explicit NamedImageProvider(std::string name) : name_(std::move(name)) {}
    bool mayBeCached() const override { return false; }
    std::shared_ptr<const platform::graphics::Image> imageForAsset(const lottie::ImageAsset&) const override {
        return nullptr;
    }
    bool operator==(const NamedImageProvider& other) const { return name_ == other.name_; }

private:
    std::string name_;
};

// What a view's update may have changed: the objects that a rebuild or a
// restarted play request would replace, and the settings applied.
struct Snapshot {
    const void* animationLayer;
    const void* renderingLayer;
    std::map<std::string, const void*> playAnimations;
    std::optional<LottiePlaybackMode> mode;
    double speed;
    const void* imageProvider;

    static Snapshot of(lottie::LottieAnimationView& view) {
        const auto& layer = view.lottieAnimationLayer();
        Snapshot snapshot{layer.get(), layer->renderingLayer().get(), {}, layer->currentPlaybackMode(),
                          layer->animationSpeed(), layer->imageProvider().get()};
        if (const auto rendering = layer->renderingLayer()) {
            for (const std::string& key : rendering->animationKeys()) {
                snapshot.playAnimations[key] = rendering->animation(key).get();
            }
        }
        return snapshot;
    }
};

// A loader whose deliveries the test makes, in any order.
struct ControlledLoader {
    std::vector<LottieView::Delivery<std::shared_ptr<const LottieAnimation>>> pending;

    LottieView::Loader<std::shared_ptr<const LottieAnimation>> loader() {
        return [this](auto deliver) { pending.push_back(std::move(deliver)); };
    }
};

const LottiePlaybackMode looping = LottiePlaybackMode::playing(
    LottiePlaybackMode::PlaybackMode::fromProgress(0, 1, lottie::LottieLoopMode::loop()));

TEST_F(ViewsTest, ApplyingTheSameValueAgainRebuildsAndRestartsNothing) {
    auto provider = std::make_shared<NamedImageProvider>("a");
    int loaded = 0;
    const LottieView value = LottieView(viewstest::animation())
                                 .playbackMode(looping)
                                 .animationSpeed(1.5)
                                 .imageProvider(provider)
                                 .animationDidLoad([&loaded](const LottieAnimationSource&) { ++loaded; });
    LottieViewHost host;
    host.resize(200, 100);
    host.apply(value);
    host.show();
    settle();
    frame(*host.animationView());
    auto* view = host.animationView();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->isPlaying());
    const Snapshot before = Snapshot::of(*view);
    ASSERT_FALSE(before.playAnimations.empty());
    for (int i = 0; i < 100; ++i) {
        host.apply(value);
        // An equal provider object of another identity is still equal.
        host.apply(value.imageProvider(std::make_shared<NamedImageProvider>("a")));
    }
    settle();
    const Snapshot after = Snapshot::of(*view);
    EXPECT_EQ(host.animationView(), view);
    EXPECT_EQ(after.animationLayer, before.animationLayer);
    EXPECT_EQ(after.renderingLayer, before.renderingLayer);
    EXPECT_EQ(after.playAnimations, before.playAnimations) << "a play request restarted";
    EXPECT_EQ(after.imageProvider, before.imageProvider);
    EXPECT_TRUE(view->isPlaying());
    EXPECT_EQ(loaded, 0) << "the view was made with this animation: nothing new was loaded";
}

TEST_F(ViewsTest, ChangingOneSettingOfTheValueChangesOnlyThatSetting) {
    const auto base = [](const std::shared_ptr<const LottieAnimation>& animation) {
        return LottieView(animation).playbackMode(looping).animationSpeed(1).imageProvider(
            std::make_shared<NamedImageProvider>("a"));
    };
    const LottiePlaybackMode paused = LottiePlaybackMode::paused(lottie::LottiePausedState::progress(0.5));
    struct Case {
        const char* name;
        std::function<LottieView(const LottieView&)> change;
        bool mode, speed, provider, play;
    };
    const Case cases[] = {
        {"speed", [](const LottieView& v) { return v.animationSpeed(2); }, false, true, false, true},
        {"playback mode", [&](const LottieView& v) { return v.playbackMode(paused); }, true, false, false, true},
        {"image provider",
         [](const LottieView& v) { return v.imageProvider(std::make_shared<NamedImageProvider>("b")); }, false, false,
         true, false},
    };
    for (const Case& c : cases) {
        const auto animation = viewstest::animation();
        LottieViewHost host;
        host.resize(200, 100);
        host.apply(base(animation));
        host.show();
        settle();
        frame(*host.animationView());
        const Snapshot before = Snapshot::of(*host.animationView());
        host.apply(c.change(base(animation)));
        settle();
        // The Core Animation engine installs a new request's animations when it
        // next draws.
        frame(*host.animationView());
        const Snapshot after = Snapshot::of(*host.animationView());
        EXPECT_EQ(after.animationLayer, before.animationLayer) << c.name;
        EXPECT_EQ(after.renderingLayer, before.renderingLayer) << c.name;
        EXPECT_EQ(after.mode != before.mode, c.mode) << c.name;
        EXPECT_EQ(after.speed != before.speed, c.speed) << c.name;
        EXPECT_EQ(after.imageProvider != before.imageProvider, c.provider) << c.name;
        // A new speed restarts the running request at that speed; a new mode replaces it.
        EXPECT_EQ(after.playAnimations != before.playAnimations, c.play) << c.name;
    }
}

TEST_F(ViewsTest, AsynchronousLoaderShowsThePlaceholderThenTheNewestLoadsAnimation) {
    ControlledLoader loads;
    const auto first = viewstest::animation(100, 50);
    const auto second = viewstest::animation(120, 60);
    int loaded = 0;
    const auto value = [&](int trigger) {
        return LottieView::loadAnimation(loads.loader(), [] { return new QLabel(QStringLiteral("Loading")); })
            .reloadAnimationTrigger(trigger)
            .animationDidLoad([&loaded](const LottieAnimationSource&) { ++loaded; });
    };
    LottieViewHost host;
    host.resize(200, 100);
    host.apply(value(0));
    EXPECT_TRUE(loads.pending.empty()) << "nothing loads before the host is shown";
    host.show();
    settle();
    ASSERT_EQ(loads.pending.size(), 1u);
    ASSERT_NE(host.placeholderWidget(), nullptr);
    EXPECT_TRUE(host.placeholderWidget()->isVisible());
    EXPECT_FALSE(host.isShowingAnimation());

    // A reload starts a second load; the first, slower one finishes last.
    host.apply(value(1));
    ASSERT_EQ(loads.pending.size(), 2u);
    loads.pending[1](second, nullptr);
    EXPECT_FALSE(host.isShowingAnimation()) << "a delivery is taken on the main run loop, not inside the loader";
    settle();
    EXPECT_TRUE(host.isShowingAnimation());
    EXPECT_FALSE(host.placeholderWidget()->isVisible());
    EXPECT_EQ(host.animationView()->animation(), second);
    loads.pending[0](first, nullptr);
    settle();
    EXPECT_EQ(host.animationView()->animation(), second) << "an older load must not replace a newer one";
    EXPECT_EQ(loaded, 1);

    // Two more reloads; this time the older one finishes first, while the
    // newer still runs, and is dropped all the same.
    const auto third = viewstest::animation(80, 40);
    host.apply(value(2));
    host.apply(value(3));
    ASSERT_EQ(loads.pending.size(), 4u);
    loads.pending[2](first, nullptr);
    settle();
    EXPECT_EQ(host.animationView()->animation(), second) << "a stale load finishing first is not shown";
    EXPECT_EQ(loaded, 1);
    loads.pending[3](third, nullptr);
    settle();
    EXPECT_EQ(host.animationView()->animation(), third);
    EXPECT_EQ(loaded, 2);
}

TEST_F(ViewsTest, ShowingALoadedHostAgainDoesNotLoadAgainButAFailedLoadIsRetried) {
    ControlledLoader loads;
    LottieViewHost host;
    host.resize(200, 100);
    host.apply(LottieView::loadAnimation(loads.loader()));
    struct Step {
        const char* name;
        std::function<void()> deliver;
        std::size_t loadsAfterShowingAgain;
    };
    const Step steps[] = {
        // Hidden and shown again while the first load runs: still one load.
        {"running", [] {}, 1},
        {"failed", [&] { loads.pending.back()(nullptr, std::make_exception_ptr(std::runtime_error("gone"))); }, 2},
        {"delivered nothing", [&] { loads.pending.back()(nullptr, nullptr); }, 3},
        {"loaded", [&] { loads.pending.back()(viewstest::animation(), nullptr); }, 3},
    };
    host.show();
    settle();
    ASSERT_EQ(loads.pending.size(), 1u);
    for (const Step& step : steps) {
        step.deliver();
        settle();
        host.hide();
        host.show();
        settle();
        EXPECT_EQ(loads.pending.size(), step.loadsAfterShowingAgain) << step.name;
    }
    EXPECT_TRUE(host.isShowingAnimation());

    // A host shown before its first value loads when the value arrives.
    ControlledLoader late;
    LottieViewHost shownFirst;
    shownFirst.show();
    settle();
    shownFirst.apply(LottieView::loadAnimation(late.loader()));
    EXPECT_EQ(late.pending.size(), 1u);
}

}  // namespace
