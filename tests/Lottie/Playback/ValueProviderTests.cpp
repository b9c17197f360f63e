#include <gtest/gtest.h>

#include <any>
#include <cmath>
#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Lottie/Playback/ValueProviders/GradientValueProvider.h"
#include "Lottie/Playback/ValueProviders/PointValueProvider.h"
#include "Lottie/Playback/ValueProviders/SizeValueProvider.h"

using lottie::AnyValueProvider;
using lottie::ColorValueProvider;
using lottie::FloatValueProvider;
using lottie::GradientValueProvider;
using lottie::Keyframe;
using lottie::LottieColor;
using lottie::LottieVector1D;
using lottie::LottieVector3D;
using lottie::PointValueProvider;
using lottie::SizeValueProvider;
using platform::graphics::Point;
using platform::graphics::Size;

namespace {

const LottieColor red(1, 0, 0, 1);
const LottieColor blue(0, 0, 1, 1);

template <class T>
T valueAt(AnyValueProvider& provider, double frame) {
    std::any value = provider.valueAtFrame(frame);
    EXPECT_EQ(std::type_index(value.type()), provider.valueType());
    return std::any_cast<T>(value);
}

// Red at frame 0 to blue at frame 10, linear; holds blue afterwards.
std::vector<Keyframe<LottieColor>> redToBlue() {
    return {Keyframe<LottieColor>(red, 0, false, std::nullopt, std::nullopt, std::nullopt, std::nullopt),
            Keyframe<LottieColor>(blue, 10, false, std::nullopt, std::nullopt, std::nullopt, std::nullopt)};
}

TEST(ValueProviders, EqualByWhatTheyWereMadeFrom) {
    // Two providers made from the same closure are still two providers.
    auto closure = [](double) { return red; };
    EXPECT_FALSE(ColorValueProvider(closure) == ColorValueProvider(closure));
    ColorValueProvider fromClosure(closure);
    EXPECT_EQ(fromClosure, fromClosure);
    EXPECT_EQ(ColorValueProvider(redToBlue()), ColorValueProvider(redToBlue()));
    EXPECT_FALSE(GradientValueProvider({red, blue}, {0, 1}) == GradientValueProvider({red, blue}, {0, 0.5}));

    // A later change keeps the identity it was made with.
    ColorValueProvider changed(red);
    changed.setColor(blue);
    EXPECT_EQ(changed, ColorValueProvider(red));
    EXPECT_FALSE(changed == ColorValueProvider(blue));
}

// Points and sizes become the vectors the engines animate (a size's third
// component is a scale of 1), whether fixed or computed per frame.
TEST(ValueProviders, VendTheirValueTypes) {
    PointValueProvider point(Point(3, 4));
    SizeValueProvider size(Size(5, 6));
    EXPECT_EQ(valueAt<LottieVector3D>(point, 0), LottieVector3D(3, 4, 0));
    EXPECT_EQ(valueAt<LottieVector3D>(size, 0), LottieVector3D(5, 6, 1));

    PointValueProvider movingPoint([](double frame) { return Point(frame, -frame); });
    SizeValueProvider growingSize([](double frame) { return Size(frame, 2 * frame); });
    FloatValueProvider ramp([](double frame) { return frame / 2; });
    for (double frame : {0.0, 2.5}) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(valueAt<LottieVector3D>(movingPoint, frame), LottieVector3D(frame, -frame, 0));
        EXPECT_EQ(valueAt<LottieVector3D>(growingSize, frame), LottieVector3D(frame, 2 * frame, 1));
        EXPECT_EQ(valueAt<LottieVector1D>(ramp, frame), LottieVector1D(frame / 2));
    }
    // A provider needs something to give.
    EXPECT_THROW(ColorValueProvider{ColorValueProvider::Block()}, std::invalid_argument);
    EXPECT_THROW(FloatValueProvider{FloatValueProvider::Block()}, std::invalid_argument);
}

TEST(ValueProviders, ColourKeyframesInterpolateAtAnyFrame) {
    ColorValueProvider provider(redToBlue());
    struct Case {
        double frame;
        LottieColor color;
    };
    const std::vector<Case> cases = {
        {-5, red}, {2.5, LottieColor(0.75, 0, 0.25, 1)}, {10, blue}, {20, blue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(valueAt<LottieColor>(provider, c.frame), c.color);
    }
    // No keyframes at all evaluate to a default colour rather than failing.
    ColorValueProvider empty{std::vector<Keyframe<LottieColor>>{}};
    EXPECT_EQ(valueAt<LottieColor>(empty, 3), LottieColor());
}

TEST(ValueProviders, UpdateFlags) {
    ColorValueProvider color(red);
    EXPECT_TRUE(color.hasUpdate(0));
    color.erasedStorage();
    EXPECT_FALSE(color.hasUpdate(0));
    EXPECT_FALSE(color.hasUpdate(1));
    color.setColor(blue);
    EXPECT_TRUE(color.hasUpdate(1));
    EXPECT_EQ(valueAt<LottieColor>(color, 1), blue);
    EXPECT_FALSE(color.hasUpdate(2));

    ColorValueProvider keyframed(redToBlue());
    keyframed.storage();
    EXPECT_TRUE(keyframed.hasUpdate(0));  // keyframes keep reporting

    GradientValueProvider gradient({red, blue}, {});
    gradient.storage();
    EXPECT_TRUE(gradient.hasUpdate(0));  // fixed stops keep reporting
}

TEST(GradientValueProvider, Flattening) {
    const LottieColor translucentBlue(0, 0, 1, 0.5);
    struct Case {
        const char* name;
        std::vector<LottieColor> colors;
        std::vector<double> locations;
        std::vector<double> flat;
    };
    const std::vector<Case> cases = {
        {"opaque, spread evenly", {red, blue}, {}, {0, 1, 0, 0, 1, 0, 0, 1}},
        {"translucent adds the alpha stops", {red, translucentBlue}, {}, {0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 0.5}},
        {"given locations", {red, blue}, {0.2, 0.8}, {0.2, 1, 0, 0, 0.8, 0, 0, 1}},
        {"missing locations spread by index", {red, red, blue}, {0.1}, {0.1, 1, 0, 0, 0.5, 1, 0, 0, 1, 0, 0, 1}},
        {"extra locations are ignored", {red}, {0.3, 0.9}, {0.3, 1, 0, 0}},
        {"a lone colour sits at the start", {translucentBlue}, {}, {0, 0, 0, 1, 0, 0.5}},
        {"no colours", {}, {0.5}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GradientValueProvider provider(c.colors, c.locations);
        EXPECT_EQ(provider.value(), c.flat);
        EXPECT_EQ(valueAt<std::vector<double>>(provider, 0), c.flat);
        for (double number : provider.value()) EXPECT_FALSE(std::isnan(number));
    }
}

TEST(GradientValueProvider, ChangesAndClosures) {
    GradientValueProvider provider({red, blue}, {});
    provider.setColors({blue});
    EXPECT_EQ(provider.value(), (std::vector<double>{0, 0, 0, 1}));

    auto colors = [](double) { return std::vector{red, blue}; };
    auto locations = [](double frame) { return std::vector{frame / 10, 1.0}; };
    auto shared = std::make_shared<GradientValueProvider>(colors, locations);
    EXPECT_TRUE(shared->value().empty());
    EXPECT_EQ(valueAt<std::vector<double>>(*shared, 5), (std::vector<double>{0.5, 1, 0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(shared->value(), (std::vector<double>{0.5, 1, 0, 0, 1, 0, 0, 1}));  // remembered
    EXPECT_TRUE(shared->hasUpdate(6));

    // A storage closure taken from a provider still works once the provider is gone.
    auto storage = shared->erasedStorage();
    shared.reset();
    EXPECT_EQ(std::any_cast<std::vector<double>>(storage.valueAtFrame(0)),
              (std::vector<double>{0, 1, 0, 0, 1, 0, 0, 1}));
}

}  // namespace
