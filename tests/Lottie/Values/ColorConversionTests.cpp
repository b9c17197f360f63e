#include <gtest/gtest.h>

#include <filesystem>

#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/Values/ColorConversions.h"
#include "Lottie/Values/DataAsset.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/Thrown.h"

using namespace lottie;

TEST(HexColor, ReadsSixHexDigits) {
    const RgbComponents orange{1, 128.0 / 255, 0};
    const std::pair<const char*, RgbComponents> cases[] = {
        {"#ff8000", orange},
        {" FF8000\n", orange},
        {"FFF", {0, 0, 0}},
        {"#FF80001", {0, 0, 0}},
        {"ZZZZZZ", {0, 0, 0}},
        {"", {0, 0, 0}},
        {"#0000FF", {0, 0, 1}},
        // The scan stops at the first non-digit: 0xFF80 spread over six places.
        {"FF80ZZ", {0, 0xFF / 255.0, 0x80 / 255.0}},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(hexColorComponents(text), expected);
    }
}

TEST(ColorComponents, ReadsGreyAndRgbColours) {
    const double grey[] = {0.5, 1};
    const double rgba[] = {0.1, 0.2, 0.3, 0.4};
    const double rgb[] = {0.1, 0.2, 0.3};
    const double five[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(rgbComponents(grey), (RgbComponents{0.5, 0.5, 0.5}));
    EXPECT_EQ(rgbComponents(rgba), (RgbComponents{0.1, 0.2, 0.3}));
    EXPECT_EQ(rgbComponents(rgb), (RgbComponents{0.1, 0.2, 0.3}));
    EXPECT_FALSE(rgbComponents(five));
    EXPECT_FALSE(rgbComponents({}));
    EXPECT_FALSE(rgbComponents(std::span<const double>(grey, 1)));
}

TEST(BlendModeFilterName, NamesEveryModeButNormal) {
    EXPECT_FALSE(blendModeFilterName(BlendMode::normal));
    EXPECT_EQ(blendModeFilterName(BlendMode::multiply), std::optional<std::string>("multiplyBlendMode"));
    EXPECT_EQ(blendModeFilterName(BlendMode::luminosity), std::optional<std::string>("luminosityBlendMode"));
}

TEST(DataAsset, ReadsTheAssetOrThrowsAssetNotFound) {
    testsupport::TemporaryDirectory folder;
    std::filesystem::create_directories(folder.path() / "Assets");
    testsupport::writeFile(folder.path() / "Assets" / "intro", std::string("\x01\x02\x00\x03", 4));
    platform::foundation::Bundle bundle(folder.path());
    EXPECT_EQ(dataAsset("intro", bundle), (platform::foundation::Data{1, 2, 0, 3}));
    for (const char* name : {"missing", "../intro", ""}) {
        SCOPED_TRACE(name);
        auto error = testsupport::thrown<DotLottieError>([&] { dataAsset(name, bundle); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind(), DotLottieError::Kind::assetNotFound);
        EXPECT_EQ(error->assetName(), name);
        EXPECT_EQ(error->bundle(), std::optional<platform::foundation::Bundle>(bundle));
    }
}
