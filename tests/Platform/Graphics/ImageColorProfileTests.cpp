// Images whose files say what colour space their pixels are in are decoded to
// sRGB: each pixel is checked against the conversion worked out without the
// library that converts, from the same file decoded without its declaration.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Platform/Graphics/ColorConversionAllowance.h"
#include "Platform/Graphics/ICCProfileCost.h"
#include "Platform/Graphics/ImageColorProfile.h"
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

// A row wider than the conversion takes at once, of colours in runs of one
// to five, some coming back, some of another alpha within a run of one colour
// (one that keeps the colour's eight bits through premultiplying: dark
// colours of the wide gamut turn a step of their other channels into several
// of sRGB's); and a second row of every pixel its own colour.
constexpr int kRunsWidth = 1500;
std::vector<std::uint8_t> runsOfColours() {
    std::vector<std::uint8_t> pixels;
    for (int x = 0; x < kRunsWidth; ++x) {
        const int colour = (x / (1 + x % 5)) % 37;
        const std::uint8_t alpha = x % 11 == 0 ? 254 : 255;
        pixels.insert(pixels.end(), {static_cast<std::uint8_t>(colour * 7), static_cast<std::uint8_t>(255 - colour * 5),
                                     static_cast<std::uint8_t>(colour * colour % 256), alpha});
    }
    for (int x = 0; x < kRunsWidth; ++x) {
        pixels.insert(pixels.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(x / 6),
                                     static_cast<std::uint8_t>(x * 3), 255});
    }
    return pixels;
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

// The chunk (a PNG's) with its checksum wrong.
std::string withWrongChecksum(std::string chunk) {
    chunk.back() = static_cast<char>(chunk.back() ^ 0x5a);
    return chunk;
}

// A WebP of webp() with a profile, a second ICCP chunk holding `second` after
// its first.
std::string withSecondWebPProfile(const std::string& file, const std::string& second) {
    // RIFF header, the VP8X chunk, then the first ICCP chunk.
    const std::size_t first = 12 + 18;
    const std::size_t length = static_cast<std::uint8_t>(file[first + 4]) |
                               static_cast<std::uint8_t>(file[first + 5]) << 8 |
                               static_cast<std::uint8_t>(file[first + 6]) << 16 |
                               static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[first + 7])) << 24;
    const std::size_t after = first + 8 + length + length % 2;
    const auto littleEndian = [](std::size_t value) {
        return std::string{static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 24)};
    };
    std::string chunk = "ICCP" + littleEndian(second.size()) + second;
    if (second.size() % 2) chunk.push_back('\0');
    std::string out = file.substr(0, after) + chunk + file.substr(after);
    return out.replace(4, 4, littleEndian(out.size() - 8));
}

// A JPEG of jpeg() with a profile, its first two APP2 pieces of the profile
// swapped: each still numbered as it was.
std::string withProfilePiecesSwapped(const std::string& file) {
    const auto pieceAt = [&file](std::size_t from) {
        const std::size_t at = file.find("\xff\xe2", from);
        const std::size_t length = static_cast<std::uint8_t>(file[at + 2]) << 8 | static_cast<std::uint8_t>(file[at + 3]);
        return std::pair{at, length + 2};
    };
    const auto [first, firstSize] = pieceAt(2);
    const auto [second, secondSize] = pieceAt(first + firstSize);
    return file.substr(0, first) + file.substr(second, secondSize) + file.substr(first, firstSize) +
           file.substr(second + secondSize);
}

TEST(ImageColorProfile, EmbeddedProfilesAndPngColourChunksConvertToSRGB) {
    const auto pixels = samplePixels();
    const auto runs = runsOfColours();
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
    // A colour space of no signature the colour library names, past the
    // largest one (bytes 16 to 19 of the header).
    std::string unnamedSpace = wide;
    unnamedSpace.replace(16, 4, "\xbe\x47\x52\x20");
    const Case cases[] = {
        {"png: a wide-gamut profile of gamma 2.2", pngOf(false, {iccpChunk(wide)}), plainPNG,
         converted(kWideGamutPrimaries, 2.2)},
        {"png: the profile outweighs a gamma", pngOf(false, {gamaChunk(1.0), iccpChunk(wide)}), plainPNG,
         converted(kWideGamutPrimaries, 2.2)},
        {"png: a linear gamma", pngOf(false, {gamaChunk(1.0)}), plainPNG, converted(kSRGBPrimaries, 1.0)},
        {"png: gamma 1 / 2.2 means sRGB", pngOf(false, {gamaChunk(1 / 2.2)}), plainPNG, unchanged},
        // Neither linear nor sRGB: the tone curve is the chunk's own, inverted.
        {"png: gamma 1 / 1.8", pngOf(false, {gamaChunk(1 / 1.8)}), plainPNG, converted(kSRGBPrimaries, 1.8)},
        {"png: the sRGB chunk outweighs a gamma", pngOf(false, {srgbChunk(), gamaChunk(1.0)}), plainPNG, unchanged},
        {"png: wide-gamut chromaticities with sRGB's gamma",
         pngOf(false, {gamaChunk(1 / 2.2), chrmChunk(kWideGamutPrimaries)}), plainPNG,
         converted(kWideGamutPrimaries, 0)},
        {"png: a grey profile on grey pixels", pngOf(true, {iccpChunk(linearGrey)}), pngOf(true, {}),
         converted(kSRGBPrimaries, 1.0)},
        {"png: a profile of CIE Lab is no space for RGB pixels", pngOf(false, {iccpChunk(labProfile())}), plainPNG,
         unchanged},
        {"png: a colour space of no known signature", pngOf(false, {iccpChunk(unnamedSpace)}), plainPNG, unchanged},
        {"jpeg: a colour space of no known signature", jpeg(kWidth, kHeight, pixels, false, unnamedSpace), plainJPEG,
         unchanged},
        {"webp: a colour space of no known signature", webp(kWidth, kHeight, pixels, unnamedSpace), plainWebP,
         unchanged},
        {"png: a broken profile", pngOf(false, {iccpChunk("not a profile, only some bytes")}), plainPNG, unchanged},
        // Only the first profile is read, and only a chunk whose checksum holds.
        {"png: of two profiles, the first", pngOf(false, {iccpChunk(wide), iccpChunk(rgbProfile(kSRGBPrimaries, 1.0))}),
         plainPNG, converted(kWideGamutPrimaries, 2.2)},
        {"png: a profile whose chunk's checksum is wrong", pngOf(false, {withWrongChecksum(iccpChunk(wide))}),
         plainPNG, unchanged},
        {"jpeg: a wide-gamut profile of gamma 2.2", jpeg(kWidth, kHeight, pixels, false, wide), plainJPEG,
         converted(kWideGamutPrimaries, 2.2)},
        {"jpeg: a grey profile on grey pixels", jpeg(kWidth, kHeight, pixels, true, linearGrey), greyJPEG,
         converted(kSRGBPrimaries, 1.0)},
        {"jpeg: a grey profile on colour pixels", jpeg(kWidth, kHeight, pixels, false, linearGrey), plainJPEG,
         unchanged},
        {"webp: a wide-gamut profile of gamma 2.2", webp(kWidth, kHeight, pixels, wide), plainWebP,
         converted(kWideGamutPrimaries, 2.2)},
        {"webp: a broken profile", webp(kWidth, kHeight, pixels, "not a profile"), plainWebP, unchanged},
        {"webp: of two profiles, the first",
         withSecondWebPProfile(webp(kWidth, kHeight, pixels, wide), rgbProfile(kSRGBPrimaries, 1.0)), plainWebP,
         converted(kWideGamutPrimaries, 2.2)},
        // The pieces of a profile are put together by their numbers, in
        // whatever order they come.
        {"jpeg: a profile whose pieces come in the wrong order",
         withProfilePiecesSwapped(jpeg(kWidth, kHeight, pixels, false, wide)), plainJPEG,
         converted(kWideGamutPrimaries, 2.2)},
        {"png: a wide-gamut profile over runs of colours", png(kRunsWidth, 2, runs, false, {iccpChunk(wide)}),
         png(kRunsWidth, 2, runs, false, {}), converted(kWideGamutPrimaries, 2.2)},
        {"jpeg: a wide-gamut profile over runs of colours", jpeg(kRunsWidth, 2, runs, false, wide),
         jpeg(kRunsWidth, 2, runs, false, ""), converted(kWideGamutPrimaries, 2.2)},
        {"webp: a wide-gamut profile over runs of colours", webp(kRunsWidth, 2, runs, wide),
         webp(kRunsWidth, 2, runs, ""), converted(kWideGamutPrimaries, 2.2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto got = decoded(c.file);
        const auto raw = decoded(c.undeclared);
        ASSERT_FALSE(raw.empty());
        ASSERT_EQ(got.size(), raw.size());
        for (std::size_t pixel = 0; pixel < raw.size() / 4; ++pixel) {
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

// A profile listing one element of its pipeline thousands of times takes
// seconds to build a conversion from; past the bounds the image is decoded as
// sRGB and says why, in every format that embeds a profile. Within them the
// same kind of profile is used, so each format is seen to read its profile.
TEST(ImageColorProfile, ProfilesBeyondTheBoundsAreTakenAsSRGBWithAWarning) {
    const auto pixels = samplePixels();
    const struct {
        const char* name;
        std::string profile;
        // A distinctive part of the warning; none when the profile is used.
        const char* excess;
    } profiles[] = {
        {"a matrix listed 16 times", repeatedMatrixProfile(16), nullptr},
        {"a matrix listed 5,000 times", repeatedMatrixProfile(5000), "5000 stages"},
        {"curves of 300 segments", repeatedCurvesProfile(1, 100), nullptr},
        {"curves listed 16 times, of 3,000 segments in all", repeatedCurvesProfile(16, 65),
         "3120 segments"},
        {"a profile of more than a megabyte", repeatedMatrixProfile(140'000), "more than 1048576 bytes"},
        {"a table of 8 inputs behind a matrix", widenedTableProfile(8, 1), nullptr},
        {"a table of 9 inputs behind a matrix", widenedTableProfile(9, 1), "9 inputs, more than"},
        // LittleCMS makes room for the points a table claims before reading them.
        {"a table claiming 70 points a side on 4 inputs", widenedTableProfile(4, 1, 70), "grid points"},
        {"a table of 8 inputs and its matrix listed 8 times", widenedTableProfile(8, 8), "steps, more than"},
        // The tables a profile holds outside such a pipeline.
        {"a lut16 table of 9 inputs", tableTagProfile("mft2", 9, 2), "9 inputs, more than"},
        {"a lut16 table of 70 points a side on 4 inputs", tableTagProfile("mft2", 4, 70), "grid points"},
        {"an A-to-B table of 9 inputs", tableTagProfile("mAB ", 9, 2), "9 inputs, more than"},
        {"an A-to-B table of 70 points a side on 4 inputs", tableTagProfile("mAB ", 4, 70), "grid points"},
        {"a B-to-A table of 12 inputs", tableTagProfile("mBA ", 12, 2), "12 inputs, more than"},
    };
    for (const auto& p : profiles) {
        const struct {
            const char* format;
            std::string file;
            std::string undeclared;
        } files[] = {
            {"png", png(kWidth, kHeight, pixels, false, {iccpChunk(p.profile)}), png(kWidth, kHeight, pixels, false, {})},
            {"jpeg", jpeg(kWidth, kHeight, pixels, false, p.profile), jpeg(kWidth, kHeight, pixels, false, "")},
            {"webp", webp(kWidth, kHeight, pixels, p.profile), webp(kWidth, kHeight, pixels, "")},
        };
        for (const auto& f : files) {
            SCOPED_TRACE(std::string(p.name) + ", " + f.format);
            const auto image = ImageDecoder::decode(f.file);
            ASSERT_TRUE(image);
            const auto got = image->straightRGBA();
            const auto raw = decoded(f.undeclared);
            ASSERT_EQ(got.size(), raw.size());
            if (p.excess) {
                EXPECT_EQ(got, raw);
                EXPECT_NE(image->decodingWarning().find(p.excess), std::string::npos) << image->decodingWarning();
            } else {
                EXPECT_NE(got, raw);
                EXPECT_EQ(image->decodingWarning(), "");
            }
        }
    }
}

// The conversions built for one document's images take what they cost from
// its allowance: those that fit are used; the first that does not says so and
// the later ones keep quiet, while a cheaper one still fits; a conversion
// already built, or one never built (a profile of another kind than the
// pixels), takes nothing.
TEST(ImageColorProfile, ConversionsBuiltForADocumentTakeFromItsAllowance) {
    const auto pixels = samplePixels();
    auto stepsOf = [](const std::string& profile) {
        return ICCProfileCost::of(std::span(reinterpret_cast<const std::uint8_t*>(profile.data()), profile.size()))
            .conversionSteps();
    };
    // Serials no other test uses: none of these is built yet.
    auto costly = [](int serial) { return distinctCopy(repeatedMatrixProfile(16), 8200 + serial); };
    const std::string cheap = distinctCopy(rgbProfile(kWideGamutPrimaries, 2.2), 8299);
    const std::uint64_t big = stepsOf(costly(0));
    const std::uint64_t small = stepsOf(cheap);
    ASSERT_LT(small, big);
    ColorConversionAllowance allowance(2 * big + small);
    const std::string plainPNG = png(kWidth, kHeight, pixels, false, {});
    const std::string plainJPEG = jpeg(kWidth, kHeight, pixels, false, "");
    auto pngWith = [&](const std::string& profile) { return png(kWidth, kHeight, pixels, false, {iccpChunk(profile)}); };
    const struct {
        const char* name;
        std::string file;
        const std::string& undeclared;
        bool converted;
        // A distinctive part of the warning; none when there is none.
        const char* warning;
        std::uint64_t remaining;
    } steps[] = {
        {"a first profile", pngWith(costly(1)), plainPNG, true, nullptr, big + small},
        {"the same again, already built", pngWith(costly(1)), plainPNG, true, nullptr, big + small},
        {"a grey profile on colour pixels", jpeg(kWidth, kHeight, pixels, false, distinctCopy(greyProfile(1.0), 8298)),
         plainJPEG, false, nullptr, big + small},
        {"a second profile", pngWith(costly(2)), plainPNG, true, nullptr, small},
        {"a third, past the allowance", pngWith(costly(3)), plainPNG, false, "images may take together", small},
        {"a fourth, past it too", pngWith(costly(4)), plainPNG, false, nullptr, small},
        {"a cheaper one, that fits", pngWith(cheap), plainPNG, true, nullptr, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const auto image = ImageDecoder::decode(step.file, {}, &allowance);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->straightRGBA() != decoded(step.undeclared), step.converted);
        if (step.warning) {
            EXPECT_NE(image->decodingWarning().find(step.warning), std::string::npos) << image->decodingWarning();
        } else {
            EXPECT_EQ(image->decodingWarning(), "");
        }
        EXPECT_EQ(allowance.remaining(), step.remaining);
    }
}

// Images that share a profile share its conversion, built once: the same
// profile for the same pixels finds the transform already made.
TEST(ImageColorProfile, AProfileIsBuiltOncePerDistinctProfile) {
    const auto pixels = samplePixels();
    const std::string profile = repeatedMatrixProfile(ImageColorProfile::maximumStageCount);
    const auto first = ImageColorProfile::fromICC(
        std::span(reinterpret_cast<const std::uint8_t*>(profile.data()), profile.size()),
        ImageColorProfile::Pixels::colour, ImageColorProfile::Layout::rgba);
    const auto second = ImageColorProfile::fromICC(
        std::span(reinterpret_cast<const std::uint8_t*>(profile.data()), profile.size()),
        ImageColorProfile::Pixels::colour, ImageColorProfile::Layout::rgba);
    ASSERT_TRUE(first.converts());
    EXPECT_TRUE(first.sharesConversionWith(second));
    const auto otherLayout = ImageColorProfile::fromICC(
        std::span(reinterpret_cast<const std::uint8_t*>(profile.data()), profile.size()),
        ImageColorProfile::Pixels::colour, ImageColorProfile::Layout::bgra);
    EXPECT_FALSE(first.sharesConversionWith(otherLayout));
}

}  // namespace
}  // namespace platform::graphics
