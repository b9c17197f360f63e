#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Platform/Graphics/BlendMode.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Gradient.h"

namespace platform::graphics {
namespace {

TEST(ColorTest, MakeChecksTheComponentCountAgainstTheSpace) {
    struct Case {
        ColorSpace space;
        std::vector<double> components;
        bool made;
    };
    const Case cases[] = {
        {ColorSpace::deviceRGB(), {1, 0, 0}, false},
        {ColorSpace::deviceGrey(), {0.25, 1}, true},
        {ColorSpace::deviceGrey(), {0.25, 1, 1, 1}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Color::make(c.space, c.components).has_value(), c.made) << c.components.size();
    }
}

TEST(ColorTest, DrawingValuesAreClampedAndNaNIsZero) {
    const Color wild = Color::rgb(-1, 2, NAN, 0.5);
    EXPECT_EQ(wild.clampedRGBA(), (std::array<double, 4>{0, 1, 0, 0.5}));
}

TEST(GradientTest, CreationFailsOnBadInputAndSpacesEvenly) {
    const std::vector<Color> colors{Color::black(), Color::white(), Color::rgb(1, 0, 0)};
    EXPECT_EQ(Gradient::make(ColorSpace::deviceRGB(), {}, {}), nullptr);
    const std::vector<double> twoLocations{0, 1};
    EXPECT_EQ(Gradient::make(ColorSpace::deviceRGB(), colors, twoLocations), nullptr);
    const std::vector<double> nanLocation{0, NAN, 1};
    EXPECT_EQ(Gradient::make(ColorSpace::deviceRGB(), colors, nanLocation), nullptr);

    EXPECT_EQ(Gradient::make(ColorSpace::deviceRGB(), colors, {})->stops()[1].location, 0.5);

    const std::vector<double> unsorted{1, 0.5, -2};
    const auto sorted = Gradient::make(ColorSpace::deviceRGB(), colors, unsorted);
    ASSERT_NE(sorted, nullptr);
    EXPECT_EQ(sorted->stops()[0].location, 0);
    EXPECT_EQ(sorted->stops()[0].rgba, (std::array<double, 4>{1, 0, 0, 1}));
    EXPECT_EQ(sorted->stops()[2].rgba, (std::array<double, 4>{0, 0, 0, 1}));

    // A grey gradient keeps grey levels; colours given to it become their luminance.
    const auto grey = Gradient::make(ColorSpace::deviceGrey(), colors, {});
    ASSERT_NE(grey, nullptr);
    EXPECT_NEAR(grey->stops()[2].rgba[0], 0.299, 1e-12);
    EXPECT_EQ(grey->stops()[2].rgba[0], grey->stops()[2].rgba[1]);
}

TEST(BlendModeTest, FilterNamesMapToModes) {
    struct Case {
        const char* name;
        std::optional<BlendMode> mode;
    };
    const Case cases[] = {
        // Every known name is drawn by the compositor's blend table.
        {"destinationOut", BlendMode::destinationOut},
        {"BlendMode", std::nullopt}, {"sparkle", std::nullopt}, {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(blendModeFromName(c.name), c.mode) << c.name;
    }
}

}  // namespace
}  // namespace platform::graphics
