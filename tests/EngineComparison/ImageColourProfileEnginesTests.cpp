// An image whose file embeds a colour profile is drawn by both engines with
// its colours converted to sRGB, and one without a profile as it is.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "tests/Platform/Graphics/ProfiledImageFiles.h"
#include "tests/Support/Base64Encoder.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using namespace profiledimages;

// An 8 x 8 document showing the 8 x 8 PNG image at its own size.
std::shared_ptr<const lottie::LottieAnimation> showing(const std::string& png) {
    const std::string json =
        R"({"v":"5.7.0","fr":30,"ip":0,"op":10,"w":8,"h":8,"assets":[{"id":"picture","w":8,"h":8,"u":"","e":1,)"
        R"("p":"data:image/png;base64,)" + testsupport::encodeBase64(png) +
        R"("}],"layers":[{"ty":2,"nm":"Image","ind":1,"refId":"picture","ip":0,"op":10,"st":0,"ks":{}}]})";
    return lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
}

TEST(ImageColourProfileEngines, BothEnginesDrawTheConvertedColours) {
    const std::array<int, 3> skyBlue{40, 200, 255};
    std::vector<std::uint8_t> pixels;
    for (int pixel = 0; pixel < 64; ++pixel) pixels.insert(pixels.end(), {40, 200, 255, 255});
    const struct {
        const char* name;
        std::string file;
        std::array<int, 3> expected;
    } cases[] = {
        {"a wide-gamut profile of gamma 2.2",
         png(8, 8, pixels, false, {iccpChunk(rgbProfile(kWideGamutPrimaries, 2.2))}),
         toSRGB(skyBlue, kWideGamutPrimaries, 2.2)},
        {"no profile", png(8, 8, pixels, false, {}), skyBlue},
    };
    for (const auto& c : cases) {
        for (const auto& engine : {lottie::RenderingEngineOption::mainThread(),
                                   lottie::RenderingEngineOption::coreAnimation()}) {
            SCOPED_TRACE(std::string(c.name) + ", " + engine.description());
            lottieframes::FrameRenderer renderer(showing(c.file), 8, 8, std::nullopt, engine);
            const auto rgba = renderer.render(0)->straightRGBA();
            ASSERT_EQ(rgba.size(), 8u * 8 * 4);
            const std::uint8_t* centre = &rgba[(4 * 8 + 4) * 4];
            for (int channel = 0; channel < 3; ++channel) {
                EXPECT_LE(std::abs(centre[channel] - c.expected[channel]), 1)
                    << "channel " << channel << ": " << int(centre[channel]) << " for " << c.expected[channel];
            }
        }
    }
}

}  // namespace
