// The declarative view's modifiers: each changes only what it names, the
// closures they append keep a hosted view in step without needless writes, and
// the reload trigger reloads only on a real change.
#include <QLabel>
#include <set>
#include <string>

#include "Lottie/Playback/Providers/DictionaryTextProvider.h"
#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Lottie/Views/LottieViewHost.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::LottieAnimation;
using lottie::LottieAnimationView;
using lottie::LottieLoopMode;
using lottie::LottiePausedState;
using lottie::LottiePlaybackMode;
using lottie::LottieView;
using lottie::LottieViewHost;
using lottie::WritableProperty;
using viewstest::ViewsTest;
using PlayingMode = LottiePlaybackMode::PlaybackMode;

// A text provider that answers nothing and is equal to another of the same name.
class NamedTextProvider : public lottie::AnimationKeypathTextProvider {
public:
    explicit NamedTextProvider(std::string name) : name_(std::move(name)) {}
    std::optional<std::string> replacementText(const lottie::AnimationKeypath&, const std::string&) const override {
        return std::nullopt;
    }
    bool operator==(const NamedTextProvider& other) const { return name_ == other.name_; }

private:
    std::string name_;
};

// A font provider that knows no fonts, equal to another of the same name.
class NamedFontProvider : public lottie::AnimationFontProvider {
public:
    explicit NamedFontProvider(std::string name) : name_(std::move(name)) {}
    std::optional<platform::text::Font> fontNamed(const std::string&, double) const override { return std::nullopt; }
    bool operator==(const NamedFontProvider& other) const { return name_ == other.name_; }

private:
    std::string name_;
};

// The names of the fields in which two values differ.
std::set<std::string> differences(const LottieView& a, const LottieView& b) {
    std::set<std::string> names;
    const auto note = [&names](const char* name, bool differs) {
        if (differs) names.insert(name);
    };
    note("playbackMode", a.playbackMode() != b.playbackMode());
    note("animationSpeed", a.animationSpeed() != b.animationSpeed());
    note("animationDidLoad", !a.animationDidLoad() != !b.animationDidLoad());
    note("completion", !a.animationCompletionHandler() != !b.animationCompletionHandler());
    note("reloadAnimationTrigger", a.reloadAnimationTrigger() != b.reloadAnimationTrigger() ||
                                       a.showPlaceholderWhileReloading() != b.showPlaceholderWhileReloading());
    note("textProvider", a.textProvider() != b.textProvider());
    note("fontProvider", a.fontProvider() != b.fontProvider());
    note("configuration", !(a.configuration() == b.configuration()));
    note("components", a.dotLottieConfigurationComponents() != b.dotLottieConfigurationComponents());
    note("logger", a.logger() != b.logger());
    note("sizing", a.sizing() != b.sizing());
    note("imageProvider", a.imageProviderConfiguration().has_value() != b.imageProviderConfiguration().has_value());
    note("configurations", a.configurationCount() != b.configurationCount());
    return names;
}

TEST_F(ViewsTest, EachModifierChangesOnlyWhatItNames) {
    const LottieView base(viewstest::animation());
    const auto logger = std::make_shared<lottie::LottieLogger>(*lottie::LottieLogger::shared());
    const lottie::LottieConfiguration mainThread(lottie::RenderingEngineOption::mainThread());
    using Names = std::set<std::string>;
    struct Case {
        const char* name;
        std::function<LottieView(const LottieView&)> modify;
        Names changes;
    };
    const Case cases[] = {
        {"playbackMode", [](auto& v) { return v.playbackMode(LottiePlaybackMode::pause()); }, {"playbackMode"}},
        {"playing", [](auto& v) { return v.playing(PlayingMode::markers({"a"})); }, {"playbackMode"}},
        {"playingOnceToEnd", [](auto& v) { return v.playingOnceToEnd(); }, {"playbackMode"}},
        {"playingToEnd", [](auto& v) { return v.playingToEnd(LottieLoopMode::autoReverse()); }, {"playbackMode"}},
        {"playingLoop", [](auto& v) { return v.playingLoop(); }, {"playbackMode"}},
        {"paused", [](auto& v) { return v.paused(LottiePausedState::frame(3)); }, {"playbackMode"}},
        {"pausedAtProgress", [](auto& v) { return v.pausedAtProgress(0.5); }, {"playbackMode"}},
        {"pausedAtProgress none", [](auto& v) { return v.pausedAtProgress(std::nullopt); }, {}},
        {"pausedAtFrame", [](auto& v) { return v.pausedAtFrame(0); }, {"playbackMode"}},
        {"pausedAtTime", [](auto& v) { return v.pausedAtTime(0.25); }, {"playbackMode"}},
        {"animationSpeed", [](auto& v) { return v.animationSpeed(2); }, {"animationSpeed"}},
        {"animationDidLoad", [](auto& v) { return v.animationDidLoad([](auto&) {}); }, {"animationDidLoad"}},
        {"onAnimationCompletion", [](auto& v) { return v.onAnimationCompletion([](bool) {}); }, {"completion"}},
        {"reloadAnimationTrigger", [](auto& v) { return v.reloadAnimationTrigger(1, true); },
         {"reloadAnimationTrigger"}},
        {"dotLottieConfigurationComponents",
         [](auto& v) { return v.dotLottieConfigurationComponents(lottie::DotLottieConfigurationComponents::all()); },
         {"components"}},
        {"logger", [&](auto& v) { return v.logger(logger); }, {"logger"}},
        {"proposedSizing", [](auto& v) { return v.proposedSizing(); }, {"sizing"}},
        {"intrinsicSizing", [](auto& v) { return v.intrinsicSizing(); }, {"sizing"}},
        {"imageProvider",
         [](auto& v) { return v.imageProvider(std::make_shared<lottie::FilepathImageProvider>(
                                "/tmp", platform::compositor::ContentsGravity::resize)); },
         {"imageProvider"}},
        {"appendingConfiguration", [](auto& v) { return v.appendingConfiguration([](auto&) {}); },
         {"configurations"}},
        {"configure",
         [](auto& v) {
             return v.configure(WritableProperty<LottieAnimationView, double>::of(&LottieAnimationView::animationSpeed,
                                                                                  &LottieAnimationView::setAnimationSpeed),
                                2.0);
         },
         {"configurations"}},
        {"backgroundBehavior", [](auto& v) { return v.backgroundBehavior(lottie::LottieBackgroundBehavior::stop); },
         {"configurations"}},
        {"accessibilityLabel", [](auto& v) { return v.accessibilityLabel("x"); }, {"configurations"}},
        {"valueProvider",
         [](auto& v) {
             return v.valueProvider(std::make_shared<lottie::FloatValueProvider>(1), lottie::AnimationKeypath("**"));
         },
         {"configurations"}},
        {"configuration", [&](auto& v) { return v.configuration(mainThread); }, {"configuration", "configurations"}},
        {"textProvider", [](auto& v) { return v.textProvider(std::make_shared<NamedTextProvider>("a")); },
         {"textProvider", "configurations"}},
        {"fontProvider", [](auto& v) { return v.fontProvider(std::make_shared<NamedFontProvider>("a")); },
         {"fontProvider", "configurations"}},
    };
    for (const Case& c : cases) EXPECT_EQ(differences(base, c.modify(base)), c.changes) << c.name;
    EXPECT_TRUE(differences(base, base.intrinsicSizing().intrinsicSizing()) == Names{"sizing"});

    // The playback modes the shorthands stand for.
    const LottieView playing = base.playingLoop();
    const std::pair<LottieView, LottiePlaybackMode> modes[] = {
        {base.playingOnceToEnd(),
         LottiePlaybackMode::playing(PlayingMode::fromProgress(std::nullopt, 1, LottieLoopMode::playOnce()))},
        {base.playingToEnd(LottieLoopMode::repeat(2)),
         LottiePlaybackMode::playing(PlayingMode::fromProgress(std::nullopt, 1, LottieLoopMode::repeat(2)))},
        {playing, LottiePlaybackMode::playing(PlayingMode::fromProgress(0, 1, LottieLoopMode::loop()))},
        {playing.pausedAtFrame(std::nullopt), *playing.playbackMode()},
        {playing.pausedAtFrame(0), LottiePlaybackMode::paused(LottiePausedState::frame(0))},
        {playing.pausedAtTime(1.5), LottiePlaybackMode::paused(LottiePausedState::time(1.5))},
        {playing.pausedAtProgress(1), LottiePlaybackMode::paused(LottiePausedState::progress(1))},
    };
    for (std::size_t i = 0; i < std::size(modes); ++i) EXPECT_EQ(modes[i].first.playbackMode(), modes[i].second) << i;
}

TEST_F(ViewsTest, ChainedCallbacksKeepEveryCompletionHandlerButOnlyTheLastLoadCallback) {
    std::vector<std::string> calls;
    const auto record = [&calls](std::string name) {
        return [&calls, name](bool finished) { calls.push_back(name + (finished ? "+" : "-")); };
    };
    const LottieView view = LottieView(viewstest::animation())
                                .onAnimationCompletion(record("first"))
                                .onAnimationCompletion(record("second"))
                                .animationDidLoad([&calls](auto&) { calls.push_back("early load"); })
                                .animationDidLoad([&calls](auto&) { calls.push_back("late load"); });
    view.animationCompletionHandler()(false);
    EXPECT_EQ(calls, (std::vector<std::string>{"first-", "second-"}));

    calls.clear();
    LottieViewHost host;
    host.apply(LottieView(std::shared_ptr<const LottieAnimation>()));
    // The first animation arrives through an update, which fires the load callback.
    const LottieView loaded(viewstest::animation());
    host.apply(LottieView(loaded)
                   .animationDidLoad([&calls](auto&) { calls.push_back("early load"); })
                   .animationDidLoad([&calls](auto&) { calls.push_back("late load"); }));
    settle();
    EXPECT_EQ(calls, (std::vector<std::string>{"late load"}));
}

TEST_F(ViewsTest, AppendedConfigurationsWriteOnlyWhatDiffersUnlessTheyMustWriteEveryTime) {
    int writes = 0;
    const auto counted = [&writes](bool readable) {
        WritableProperty<LottieAnimationView, double> speed;
        if (readable) speed.get = [](const LottieAnimationView& view) { return view.animationSpeed(); };
        speed.set = [&writes](LottieAnimationView& view, const double& value) {
            ++writes;
            view.setAnimationSpeed(value);
        };
        return speed;
    };
    // A value of a type without equality.
    struct Opaque {
        int label = 0;
    };
    WritableProperty<LottieAnimationView, Opaque> opaque{
        [](const LottieAnimationView&) { return Opaque{}; },
        [&writes](LottieAnimationView&, const Opaque&) { ++writes; }};
    struct Case {
        const char* name;
        std::function<LottieView(const LottieView&)> modify;
        int writesAfterThreeUpdates;
    };
    const Case cases[] = {
        {"equatable and readable", [&](auto& v) { return v.configure(counted(true), 2.0); }, 1},
        {"write only", [&](auto& v) { return v.configure(counted(false), 2.0); }, 3},
        {"without equality", [&](auto& v) { return v.configure(opaque, Opaque{1}); }, 3},
    };
    for (const Case& c : cases) {
        writes = 0;
        LottieViewHost host;
        const LottieView value = c.modify(LottieView(viewstest::animation()));
        for (int i = 0; i < 3; ++i) host.apply(value);
        EXPECT_EQ(writes, c.writesAfterThreeUpdates) << c.name;
    }
}

TEST_F(ViewsTest, ProviderAndSettingModifiersKeepTheHostedViewInStep) {
    const auto animation = viewstest::animation();
    const lottie::AnimationKeypath keypath("**.Fill.Color");
    const auto red = std::make_shared<lottie::ColorValueProvider>(lottie::LottieColor{1, 0, 0, 1});
    const LottieView base(animation);
    LottieViewHost host;
    host.apply(base.textProvider(std::make_shared<NamedTextProvider>("a"))
                   .fontProvider(std::make_shared<NamedFontProvider>("a"))
                   .valueProvider(red, keypath)
                   .accessibilityLabel("Spinner"));
    LottieAnimationView& view = *host.animationView();
    auto& layer = *view.lottieAnimationLayer();
    EXPECT_NE(dynamic_cast<NamedTextProvider*>(layer.textProvider().get()), nullptr) << "made with the text provider";
    EXPECT_EQ(view.accessibleName(), QStringLiteral("Spinner"));

    struct Case {
        const char* name;
        LottieView value;
        std::function<const void*()> held;
        bool replaced;
    };
    const auto text = [&] { return static_cast<const void*>(layer.textProvider().get()); };
    const auto font = [&] { return static_cast<const void*>(layer.fontProvider().get()); };
    const auto installed = [&] { return static_cast<const void*>(view.valueProviders().at(keypath).get()); };
    const Case cases[] = {
        {"equal text provider", base.textProvider(std::make_shared<NamedTextProvider>("a")), text, false},
        {"other text provider", base.textProvider(std::make_shared<NamedTextProvider>("b")), text, true},
        {"text provider of another type", base.textProvider(std::make_shared<lottie::DictionaryTextProvider>(std::map<std::string, std::string>{})), text,
         true},
        {"equal font provider", base.fontProvider(std::make_shared<NamedFontProvider>("a")), font, false},
        {"other font provider", base.fontProvider(std::make_shared<NamedFontProvider>("b")), font, true},
        {"equal value provider",
         base.valueProvider(std::make_shared<lottie::ColorValueProvider>(lottie::LottieColor{1, 0, 0, 1}), keypath),
         installed, false},
        {"other value provider",
         base.valueProvider(std::make_shared<lottie::ColorValueProvider>(lottie::LottieColor{0, 1, 0, 1}), keypath),
         installed, true},
    };
    for (const Case& c : cases) {
        const void* before = c.held();
        host.apply(c.value);
        EXPECT_EQ(c.held() != before, c.replaced) << c.name;
        // Applying it again changes nothing more.
        const void* after = c.held();
        host.apply(c.value);
        EXPECT_EQ(c.held(), after) << c.name;
    }

    host.apply(base.accessibilityLabel(std::nullopt));
    EXPECT_TRUE(view.accessibleName().isEmpty());

    // The background behaviour is applied on every update, whatever changed it.
    const LottieView stopping = base.backgroundBehavior(lottie::LottieBackgroundBehavior::stop);
    host.apply(stopping);
    view.setBackgroundBehavior(lottie::LottieBackgroundBehavior::continuePlaying);
    host.apply(stopping);
    EXPECT_EQ(view.backgroundBehavior(), lottie::LottieBackgroundBehavior::stop);

    // An equal configuration keeps the rendering layer; another engine rebuilds it.
    const lottie::LottieConfiguration current = view.configuration();
    const void* rendering = layer.renderingLayer().get();
    host.apply(base.configuration(current));
    EXPECT_EQ(layer.renderingLayer().get(), rendering);
    lottie::LottieConfiguration other = current;
    other.renderingEngine = current.renderingEngine == lottie::RenderingEngineOption::mainThread()
                                ? lottie::RenderingEngineOption::coreAnimation()
                                : lottie::RenderingEngineOption::mainThread();
    host.apply(base.configuration(other));
    EXPECT_EQ(view.configuration(), other);
    EXPECT_NE(layer.renderingLayer().get(), rendering);
}

// A loader whose deliveries the test makes.
struct ControlledLoader {
    std::vector<LottieView::Delivery<std::shared_ptr<const LottieAnimation>>> pending;

    LottieView::Loader<std::shared_ptr<const LottieAnimation>> loader() {
        return [this](auto deliver) { pending.push_back(std::move(deliver)); };
    }
};

TEST_F(ViewsTest, ReloadTriggerReloadsOnlyOnARealChangeShowingThePlaceholderOnlyWhenAsked) {
    using Trigger = std::function<LottieView(const LottieView&, bool)>;
    struct Case {
        const char* name;
        Trigger next;
        bool showPlaceholder;
        bool reloads;
    };
    const Trigger same = [](auto& v, bool show) { return v.reloadAnimationTrigger(0, show); };
    const Trigger other = [](auto& v, bool show) { return v.reloadAnimationTrigger(1, show); };
    const Trigger otherType = [](auto& v, bool show) { return v.reloadAnimationTrigger(0L, show); };
    const Case cases[] = {
        {"equal value", same, false, false},
        {"equal value, placeholder asked", same, true, false},
        {"new value", other, false, true},
        {"new value, placeholder asked", other, true, true},
        {"value of another type", otherType, true, true},
    };
    for (const Case& c : cases) {
        ControlledLoader loads;
        const LottieView loading =
            LottieView::loadAnimation(loads.loader(), [] { return new QLabel(QStringLiteral("Loading")); });
        const auto first = viewstest::animation(100, 50);
        const auto second = viewstest::animation(120, 60);
        LottieViewHost host;
        host.resize(200, 100);
        host.apply(same(loading, c.showPlaceholder));
        host.show();
        settle();
        ASSERT_EQ(loads.pending.size(), 1u) << c.name << ": the first value's trigger is no change";
        loads.pending[0](first, nullptr);
        settle();
        ASSERT_TRUE(host.isShowingAnimation()) << c.name;

        host.apply(c.next(loading, c.showPlaceholder));
        settle();
        EXPECT_EQ(loads.pending.size(), c.reloads ? 2u : 1u) << c.name;
        const bool placeholderShown = c.reloads && c.showPlaceholder;
        EXPECT_EQ(host.isShowingAnimation(), !placeholderShown) << c.name;
        EXPECT_EQ(host.placeholderWidget()->isVisible(), placeholderShown) << c.name;
        if (!c.reloads) continue;
        loads.pending[1](second, nullptr);
        settle();
        EXPECT_TRUE(host.isShowingAnimation()) << c.name;
        EXPECT_FALSE(host.placeholderWidget()->isVisible()) << c.name;
        EXPECT_EQ(host.animationView()->animation(), second) << c.name;
    }

    // A value that loads nothing ignores its trigger.
    LottieViewHost direct;
    const auto animation = viewstest::animation();
    direct.apply(LottieView(animation).reloadAnimationTrigger(0, true));
    direct.apply(LottieView(animation).reloadAnimationTrigger(1, true));
    EXPECT_EQ(direct.loadsStarted(), 0);
    EXPECT_TRUE(direct.isShowingAnimation());
}

}  // namespace
