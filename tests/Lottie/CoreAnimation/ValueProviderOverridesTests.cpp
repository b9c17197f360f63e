// Value providers overriding layer properties of the Core Animation engine: the
// provided single values and keyframes that replace the document's, the
// conversions of each property, the values and providers that give no override,
// the closure refused in both tracker modes, and the keypaths listed.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/OpacityAnimation.h"
#include "Lottie/CoreAnimation/ValueProviderOverrides.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Lottie/Playback/ValueProviders/GradientValueProvider.h"
#include "Lottie/Values/LottieColor.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Compositor/AnimationGroup.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/KeyframeAnimation.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;
using platform::compositor::BasicAnimation;
using platform::compositor::KeyframeAnimation;

namespace {

// A provider of any storage, values of any types.
class StoredProvider final : public AnyValueProvider {
public:
    explicit StoredProvider(AnyValueProviderStorage storage) : storage_(std::move(storage)) {}
    std::type_index valueType() const override { return typeid(std::any); }
    AnyValueProviderStorage erasedStorage() override { return storage_; }
    bool hasUpdate(AnimationFrameTime) const override { return false; }

private:
    AnyValueProviderStorage storage_;
};

struct Provided {
    std::any value;
    double time;
    bool hold;
};

// Keyframes of std::any are built in place: a keyframe of std::any is itself
// convertible to std::any, which makes copying one from a list ambiguous.
std::shared_ptr<AnyValueProvider> keyframesProvider(const std::vector<Provided>& provided) {
    std::vector<Keyframe<std::any>> keyframes;
    keyframes.reserve(provided.size());
    for (const Provided& item : provided) {
        keyframes.emplace_back(item.value, item.time, item.hold, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    }
    return std::make_shared<StoredProvider>(AnyValueProviderStorage::keyframes(std::move(keyframes), nullptr));
}

class ValueProviderOverridesTest : public ClockTest {
protected:
    LayerAnimationContext context(CompatibilityTracker::Mode mode = CompatibilityTracker::Mode::track) {
        LayerAnimationContext result = rootContext(animation, log.logger(), 0, 60, 1, mode);
        result.valueProviderStore = store;
        result.currentKeypath = AnimationKeypath("Layer 1.Transform");
        return result;
    }
    std::shared_ptr<platform::compositor::Animation> opacityOverride(
        CompatibilityTracker::Mode mode = CompatibilityTracker::Mode::track) {
        return ValueProviderOverrides::customizedPropertyAnimation(LayerProperties::opacity(), context(mode));
    }

    std::shared_ptr<const LottieAnimation> animation = emptyAnimation(0, 60, 30);
    std::shared_ptr<ValueProviderStore> store = std::make_shared<ValueProviderStore>(log.logger());
};

TEST_F(ValueProviderOverridesTest, ASingleValueIsABasicAnimationHoldingItEvenAtTheDefault) {
    for (double percent : {50.0, 100.0}) {
        store->installValueProvider(std::make_shared<FloatValueProvider>(percent),
                                    AnimationKeypath("Layer 1.Transform.Opacity"));
        auto basic = std::dynamic_pointer_cast<BasicAnimation>(opacityOverride());
        ASSERT_TRUE(basic);
        EXPECT_EQ(basic->keyPath(), "opacity");
        EXPECT_EQ(basic->fromValue(), AnimatableValue(percent / 100));
        EXPECT_EQ(basic->toValue(), AnimatableValue(percent / 100));
    }
    // No provider for this keypath: no override.
    store->uninstallValueProvider(AnimationKeypath("**"));
    EXPECT_FALSE(opacityOverride());
}

TEST_F(ValueProviderOverridesTest, KeyframesBecomeRunsAndEmptyListsGiveNoOverride) {
    const AnimationKeypath keypath("**.Opacity");
    store->installValueProvider(keyframesProvider({{LottieVector1D(0), 0, false},
                                                   {LottieVector1D(100), 30, false},
                                                   {LottieVector1D(50), 60, false}}),
                                keypath);
    auto single = std::dynamic_pointer_cast<KeyframeAnimation>(opacityOverride());
    ASSERT_TRUE(single);
    EXPECT_EQ(single->calculationMode(), platform::compositor::CalculationMode::linear);
    EXPECT_EQ(single->values(), (std::vector<AnimatableValue>{0.0, 1.0, 0.5}));

    // Hold flags that change are cut into runs, as the document's keyframes are.
    store->installValueProvider(keyframesProvider({{LottieVector1D(0), 0, false},
                                                   {LottieVector1D(100), 20, true},
                                                   {LottieVector1D(50), 40, false},
                                                   {LottieVector1D(20), 60, false}}),
                                keypath);
    auto runs = std::dynamic_pointer_cast<platform::compositor::AnimationGroup>(opacityOverride());
    ASSERT_TRUE(runs);
    EXPECT_EQ(runs->animations().size(), 3u);
    auto layer = platform::compositor::Layer::make();
    OpacityAnimation::animateOpacity(*layer, KeyframeGroup<LottieVector1D>(LottieVector1D(100)), context());
    const double addedAt = clock->now();
    for (auto [frame, expected] : std::vector<std::pair<double, double>>{{10, 0.5}, {25, 1.0}, {39, 1.0}, {50, 0.35}}) {
        SCOPED_TRACE(frame);
        const auto value = presentedAtFrame(*layer, "opacity", 30, 0, 60, frame, addedAt);
        ASSERT_TRUE(value);
        EXPECT_NEAR(value->number().value_or(NAN), expected, 1e-6);
    }

    store->installValueProvider(keyframesProvider({}), keypath);
    EXPECT_FALSE(opacityOverride());
    EXPECT_TRUE(log.assertionFailures.empty());
}

TEST_F(ValueProviderOverridesTest, AValueThatDoesNotConvertGivesUpTheWholeOverride) {
    store->installValueProvider(keyframesProvider({{LottieVector1D(0), 0, false},
                                                   {LottieColor(1, 0, 0, 1), 30, false},
                                                   {LottieVector1D(50), 60, false}}),
                                AnimationKeypath("Layer 1.Transform.Opacity"));
    EXPECT_FALSE(opacityOverride());
    ASSERT_EQ(log.assertionFailures.size(), 1u);
    EXPECT_EQ(log.assertionFailures[0],
              "Could not convert value of type LottieColor from StoredProvider to expected type double");
}

TEST_F(ValueProviderOverridesTest, AClosureIsRefusedInBothTrackerModes) {
    store->installValueProvider(std::make_shared<FloatValueProvider>([](double) { return 20.0; }),
                                AnimationKeypath("Layer 1.Transform.Opacity"));
    LayerAnimationContext tracking = context();
    EXPECT_FALSE(ValueProviderOverrides::customizedPropertyAnimation(LayerProperties::opacity(), tracking));
    ASSERT_EQ(tracking.tracker->issues().size(), 1u);
    EXPECT_EQ(tracking.tracker->issues()[0].message,
              "The Core Animation rendering engine doesn't support Value Providers that vend a closure, because that "
              "would require calling the closure on the main thread once per frame.");
    EXPECT_EQ(tracking.tracker->issues()[0].context, "Layer 1.Transform");
    EXPECT_THROW(opacityOverride(CompatibilityTracker::Mode::abort), CompatibilityTracker::Error);
}

TEST_F(ValueProviderOverridesTest, EachPropertyConvertsItsOwnProvidedValues) {
    GradientValueProvider gradient({LottieColor(1, 0, 0, 1)}, {0.25});
    FloatValueProvider number(0);
    struct Case {
        const char* name;
        LayerPropertyDescriptor property;
        std::any value;
        AnyValueProvider* provider;
        std::optional<AnimatableValue> expected;
    };
    const std::vector<Case> cases = {
        {"opacity percent", LayerProperties::opacity(), LottieVector1D(50), &number, AnimatableValue(0.5)},
        {"opacity from a colour", LayerProperties::opacity(), LottieColor(1, 0, 0, 1), &number, std::nullopt},
        {"scale y", LayerProperties::scaleY(), LottieVector3D(100, 50, 7), &number, AnimatableValue(0.5)},
        {"scale x", LayerProperties::scaleX(), LottieVector3D(100, 50, 7), &number, AnimatableValue(1.0)},
        {"position", LayerProperties::position(), LottieVector3D(100, 50, 7), &number,
         AnimatableValue(platform::graphics::Point{100, 50})},
        {"rotation", LayerProperties::rotationZ(), LottieVector1D(180), &number, AnimatableValue(std::numbers::pi)},
        {"stroke width", LayerProperties::lineWidth(), LottieVector1D(3), &number, AnimatableValue(3.0)},
        {"fill colour", LayerProperties::fillColor(), LottieColor(1, 0, 0, 1), &number,
         AnimatableValue(platform::graphics::Color::rgb(1, 0, 0, 1))},
        {"gradient colours", LayerProperties::colors(), LottieVector1D(0), &gradient,
         AnimatableValue(std::vector<platform::graphics::Color>{platform::graphics::Color::rgb(1, 0, 0, 1)})},
        {"gradient locations", LayerProperties::locations(), LottieVector1D(0), &gradient,
         AnimatableValue(std::vector<double>{0.25})},
        {"locations of another provider", LayerProperties::locations(), LottieVector1D(0), &number, std::nullopt},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        ASSERT_TRUE(item.property.customizableProperty);
        EXPECT_EQ(item.property.customizableProperty->conversion(item.value, *item.provider), item.expected);
    }
    for (const LayerPropertyDescriptor& plain : {LayerProperties::isHidden(), LayerProperties::rotationX(),
                                                 LayerProperties::rotationY(), LayerProperties::shadowOffset()}) {
        EXPECT_FALSE(plain.customizableProperty) << plain.keyPath;
    }
}

TEST(LayerProperties, DefaultsAreThoseOfAFreshLayer) {
    const auto layer = platform::compositor::Layer::make();
    for (const LayerPropertyDescriptor& property :
         {LayerProperties::opacity(), LayerProperties::isHidden(), LayerProperties::transform(),
          LayerProperties::position(), LayerProperties::scaleX(), LayerProperties::rotationZ(),
          LayerProperties::shadowOpacity(), LayerProperties::shadowColor(), LayerProperties::shadowRadius(),
          LayerProperties::shadowOffset()}) {
        EXPECT_TRUE(property.isDefaultValue(layer->value(property.keyPath))) << property.keyPath;
    }
    EXPECT_TRUE(LayerProperties::lineWidth().isDefaultValue(AnimatableValue(1.0)));
    EXPECT_FALSE(LayerProperties::fillColor().isDefaultValue(AnimatableValue(platform::graphics::Color::black())));
    EXPECT_FALSE(LayerProperties::shadowOffset().isDefaultValue(AnimatableValue(platform::graphics::Size{0, 3})));
    EXPECT_FALSE(LayerProperties::transform().isDefaultValue(std::nullopt));
    EXPECT_FALSE(LayerProperties::transform().isDefaultValue(
        AnimatableValue(platform::graphics::Transform3D::makeTranslation(1, 0, 0))));
}

TEST_F(ValueProviderOverridesTest, ListingKeypathsReportsEveryOverridablePropertyOnce) {
    std::vector<std::string> listed;
    LayerAnimationContext listing = context();
    listing.recordHierarchyKeypath = [&listed](const std::string& keypath) { listed.push_back(keypath); };
    ValueProviderOverrides::customizedPropertyAnimation(LayerProperties::opacity(), listing);
    ValueProviderOverrides::customizedPropertyAnimation(LayerProperties::isHidden(), listing);
    ValueProviderOverrides::customizedPropertyAnimation(LayerProperties::rotationZ(), listing);
    EXPECT_EQ(listed, (std::vector<std::string>{"Layer 1.Transform.Opacity", "Layer 1.Transform.Rotation"}));
}

}  // namespace
