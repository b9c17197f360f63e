// Images whose files say what colour space their pixels are in are decoded to
// sRGB: each pixel is checked against the conversion worked out without the
// library that converts, from the same file decoded without its declaration.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Platform/Graphics/ImageDecoder.h"
#include "tests/Platform/Graphics/ProfiledImageFiles.h"

namespace platform::graphics {
namespace {

using namespace profiledimages;
using Colour = std::array<int, 3>;

constexpr int kWidth = 4;
constexpr int kHeight = 2;

// Eight colours, the first the sky blue whose green lies outside sRGB in the
// wide gamut; the last half transparent.
std::vector<std::uint8_t> samplePixels() {
    return {40,  200, 255, 255, 200, 100, 50,  255, 10,  10,  10,  255, 255, 255, 255, 255,
            128, 64,  192, 255, 0,   0,   0,   255, 90,  180, 30,  255, 250, 20,  120, 128};
}

// The pixels as the decoder gives them, straight RGBA.
std::vector<std::uint8_t> decoded(const std::string& file) {
    const auto image = ImageDecoder::decode(file);
    if (!image) return {};
    return image->straightRGBA();
}

std::function<Colour(Colour)> converted(const Primaries& primaries, double gamma) {
    return [primaries, gamma](Colour raw) { return toSRGB(raw, primaries, gamma); };
}

Colour unchanged(Colour raw) { return raw; }

TEST(ImageColorProfile, EmbeddedProfilesAndPngColourChunksConvertToSRGB) {
    const auto pixels = samplePixels();
    const std::string wide = rgbProfile(kWideGamutPrimaries, 2.2);
    const std::string linearGrey = greyProfile(1.0);
    struct Case {
        const char* name;
        std::string file;
        std::string undeclared;  // the same pixels, nothing said about their space
        std::function<Colour(Colour)> expected;
    };
    auto pngOf = [&](bool grey, std::vector<std::string> chunks) { return png(kWidth, kHeight, pixels, grey, chunks); };
    const std::string plainPNG = pngOf(false, {});
    const std::string plainJPEG = jpeg(kWidth, kHeight, pixels, false, "");
    const std::string greyJPEG = jpeg(kWidth, kHeight, pixels, true, "");
    const std::string plainWebP = webp(kWidth, kHeight, pixels, "");
    const Case cases[] = {
        {"png: a wide-gamut profile of gamma 2.2", pngOf(false, {iccpChunk(wide)}), plainPNG,
         converted(kWideGamutPrimaries, 2.2)},
        {"png: the profile outweighs a gamma", pngOf(false, {gamaChunk(1.0), iccpChunk(wide)}), plainPNG,
         converted(kWideGamutPrimaries, 2.2)},
        {"png: a linear gamma", pngOf(false, {gamaChunk(1.0)}), plainPNG, converted(kSRGBPrimaries, 1.0)},
        {"png: gamma 1 / 2.2 means sRGB", pngOf(false, {gamaChunk(1 / 2.2)}), plainPNG, unchanged},
        {"png: the sRGB chunk outweighs a gamma", pngOf(false, {srgbChunk(), gamaChunk(1.0)}), plainPNG, unchanged},
        {"png: wide-gamut chromaticities with sRGB's gamma",
         pngOf(false, {gamaChunk(1 / 2.2), chrmChunk(kWideGamutPrimaries)}), plainPNG,
         converted(kWideGamutPrimaries, 0)},
        {"png: a grey profile on grey pixels", pngOf(true, {iccpChunk(linearGrey)}), pngOf(true, {}),
         converted(kSRGBPrimaries, 1.0)},
        {"png: a profile of CIE Lab is no space for RGB pixels", pngOf(false, {iccpChunk(labProfile())}), plainPNG,
         unchanged},
        {"png: a broken profile", pngOf(false, {iccpChunk("not a profile, only some bytes")}), plainPNG, unchanged},
        {"jpeg: a wide-gamut profile of gamma 2.2", jpeg(kWidth, kHeight, pixels, false, wide), plainJPEG,
         converted(kWideGamutPrimaries, 2.2)},
        {"jpeg: a grey profile on grey pixels", jpeg(kWidth, kHeight, pixels, true, linearGrey), greyJPEG,
         converted(kSRGBPrimaries, 1.0)},
        {"jpeg: a grey profile on colour pixels", jpeg(kWidth, kHeight, pixels, false, linearGrey), plainJPEG,
         unchanged},
        {"webp: a wide-gamut profile of gamma 2.2", webp(kWidth, kHeight, pixels, wide), plainWebP,
         converted(kWideGamutPrimaries, 2.2)},
        {"webp: a broken profile", webp(kWidth, kHeight, pixels, "not a profile"), plainWebP, unchanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto got = decoded(c.file);
        const auto raw = decoded(c.undeclared);
        ASSERT_EQ(got.size(), pixels.size());
        ASSERT_EQ(raw.size(), pixels.size());
        for (std::size_t pixel = 0; pixel < pixels.size() / 4; ++pixel) {
            const std::uint8_t* in = &raw[pixel * 4];
            const std::uint8_t* out = &got[pixel * 4];
            const Colour expected = c.expected({in[0], in[1], in[2]});
            // Eight bits of straight colour come back from premultiplied pixels
            // within one step, two at half alpha.
            const int tolerance = in[3] == 255 ? 1 : 2;
            for (int channel = 0; channel < 3; ++channel) {
                EXPECT_LE(std::abs(out[channel] - expected[channel]), tolerance)
                    << "pixel " << pixel << " channel " << channel << ": " << int(out[channel]) << " for "
                    << expected[channel] << " (from " << int(in[channel]) << ")";
            }
            EXPECT_EQ(out[3], in[3]) << "pixel " << pixel;
        }
    }
}

// The sky blue of a wide-gamut document: its green and blue are kept, its red
// goes, as sRGB holds no such green.
TEST(ImageColorProfile, AWideGamutSkyBlueBecomesSRGBsOwn) {
    const std::vector<std::uint8_t> pixel{40, 200, 255, 255};
    const auto got = decoded(png(1, 1, pixel, false, {iccpChunk(rgbProfile(kWideGamutPrimaries, 2.2))}));
    ASSERT_EQ(got.size(), 4u);
    EXPECT_LE(std::abs(got[0] - 0), 1);
    EXPECT_LE(std::abs(got[1] - 201), 1);
    EXPECT_LE(std::abs(got[2] - 255), 1);
}

}  // namespace
}  // namespace platform::graphics
