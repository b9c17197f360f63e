#include <gtest/gtest.h>

#include <unistd.h>
#include <webp/encode.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <optional>
#include <string_view>
#include <utility>
#include <string>
#include <vector>

#include "Platform/Graphics/ImageDecoder.h"
#include "Platform/Graphics/PixelMemory.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "Platform/Graphics/SanitizedBuild.h"
#include "PixelAssertions.h"
#include "tests/Platform/Graphics/ProfiledImageFiles.h"
#include "tests/Support/SteppingProcessorClock.h"
#include "tests/Support/TestSupport.h"

namespace platform::graphics {
namespace {

using namespace testing;

constexpr int kWidth = 16;
constexpr int kHeight = 12;


// Straight RGBA: red on the left half, half-transparent blue on the right.
std::vector<std::uint8_t> sampleRGBA(bool opaque) {
    std::vector<std::uint8_t> rgba(kWidth * kHeight * 4);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t* p = &rgba[(y * kWidth + x) * 4];
            if (x < kWidth / 2) {
                p[0] = 255, p[1] = 0, p[2] = 0, p[3] = 255;
            } else {
                p[0] = 0, p[1] = 0, p[2] = 255, p[3] = opaque ? 255 : 128;
            }
        }
    }
    return rgba;
}

std::string encodeJPEG(const std::vector<std::uint8_t>& rgba, int width, int height) {
    return profiledimages::jpeg(width, height, rgba, false, "");
}

std::string encodeWebP(const std::vector<std::uint8_t>& rgba, bool lossless) {
    std::uint8_t* output = nullptr;
    const std::size_t size = lossless ? WebPEncodeLosslessRGBA(rgba.data(), kWidth, kHeight, kWidth * 4, &output)
                                      : WebPEncodeRGBA(rgba.data(), kWidth, kHeight, kWidth * 4, 95, &output);
    std::string bytes(reinterpret_cast<char*>(output), size);
    WebPFree(output);
    return bytes;
}

// The library's own encoder: its round trip is checked by StraightAlphaRoundTripsAndPNGWritesBack.
std::string encodePNG(const std::vector<std::uint8_t>& rgba) {
    return Image::fromStraightRGBA(kWidth, kHeight, rgba)->encodePNG();
}

// The sample in the PNG colour types and depths other than eight-bit RGBA:
// RGB without alpha (opaque), a palette with transparency, sixteen-bit RGBA.
std::string encodePNGOfType(int colourType, int depth) {
    std::vector<std::string> rows;
    const auto rgba = sampleRGBA(colourType == 2);
    for (int y = 0; y < kHeight; ++y) {
        std::string row;
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = &rgba[(y * kWidth + x) * 4];
            if (colourType == 3) {
                row.push_back(static_cast<char>(x < kWidth / 2 ? 0 : 1));
                continue;
            }
            for (int channel = 0; channel < (colourType == 2 ? 3 : 4); ++channel) {
                row.append(static_cast<std::size_t>(depth / 8), static_cast<char>(p[channel]));
            }
        }
        rows.push_back(row);
    }
    std::vector<std::string> chunks;
    if (colourType == 3) {
        chunks = {profiledimages::pngChunk("PLTE", std::string("\xff\0\0\0\0\xff", 6)),
                  profiledimages::pngChunk("tRNS", std::string("\xff\x80", 2))};
    }
    return profiledimages::pngOfType(kWidth, kHeight, colourType, depth, rows, chunks);
}

void putBigEndian(std::string& bytes, std::size_t offset, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes[offset + i] = static_cast<char>((value >> (8 * (count - 1 - i))) & 0xff);
    }
}

// The same image with the size its header claims changed (and the header's checksum redone).
std::string withClaimedSize(std::string bytes, std::uint32_t width, std::uint32_t height) {
    switch (ImageDecoder::sniff(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))) {
        case ImageDecoder::Format::png:
            return testsupport::pngWithClaimedSize(bytes, width, height);
        case ImageDecoder::Format::jpeg: {
            const std::size_t sof = bytes.find("\xff\xc0", 2);
            putBigEndian(bytes, sof + 5, height, 2);
            putBigEndian(bytes, sof + 7, width, 2);
            break;
        }
        case ImageDecoder::Format::webp: {
            // Lossless: 14 bits of width - 1, 14 of height - 1, after the signature byte.
            std::uint32_t bits;
            std::memcpy(&bits, bytes.data() + 21, 4);
            bits = (bits & 0xf0000000u) | ((width - 1) & 0x3fff) | (((height - 1) & 0x3fff) << 14);
            std::memcpy(bytes.data() + 21, &bits, 4);
            break;
        }
        case ImageDecoder::Format::unknown:
            ADD_FAILURE() << "not an image";
    }
    return bytes;
}

TEST(ImageDecoderTest, DecodesEachFormatIntoPremultipliedPixels) {
    struct Case {
        const char* name;
        std::string bytes;
        ImageDecoder::Format format;
        bool keepsAlpha;
        int tolerance;
    };
    const Case cases[] = {
        {"png", encodePNG(sampleRGBA(false)), ImageDecoder::Format::png, true, 0},
        {"png of RGB without alpha", encodePNGOfType(2, 8), ImageDecoder::Format::png, false, 0},
        {"png of a palette with transparency", encodePNGOfType(3, 8), ImageDecoder::Format::png, true, 0},
        {"png of sixteen-bit RGBA", encodePNGOfType(6, 16), ImageDecoder::Format::png, true, 0},
        {"jpeg", encodeJPEG(sampleRGBA(true), kWidth, kHeight), ImageDecoder::Format::jpeg, false, 12},
        {"lossless webp", encodeWebP(sampleRGBA(false), true), ImageDecoder::Format::webp, true, 0},
        {"lossy webp", encodeWebP(sampleRGBA(true), false), ImageDecoder::Format::webp, false, 16},
        // Its alpha in a chunk of its own, handed to the decoder with the image's.
        {"lossy webp with alpha", encodeWebP(sampleRGBA(false), false), ImageDecoder::Format::webp, true, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ImageDecoder::sniff(std::span(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size())),
                  c.format);
        const auto image = ImageDecoder::decode(c.bytes);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width(), kWidth);
        EXPECT_EQ(image->height(), kHeight);
        EXPECT_EQ(image->format(), Image::Format::argb32Premultiplied);
        // Away from the colour edge, where lossy formats blur.
        EXPECT_TRUE(pixelNear(*image, 2, 6, kOpaqueRed, c.tolerance));
        const Pixel blue = c.keepsAlpha ? Pixel{128, 0, 0, 128} : Pixel{255, 0, 0, 255};
        EXPECT_TRUE(pixelNear(*image, 13, 6, blue, c.tolerance));
    }
}

// Images of several megabytes decode into memory mapped on its own: every
// row lands where the image reads it, the last byte included, in each format.
TEST(ImageDecoderTest, ALargeImageDecodesWholeInEachFormat) {
    constexpr int width = 1001, height = 700;  // 2.8 MB of pixels; rows not a multiple of a page
    ASSERT_TRUE(PixelMemory::maps(std::size_t{width} * height * 4) || !PixelMemory::maps(PixelMemory::kMappedFrom));
    // Red above a diagonal, blue below it, the last 16 rows green.
    std::vector<std::uint8_t> rgba(std::size_t{width} * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            const bool last = y >= height - 16, above = x * height > y * width;
            p[0] = last || !above ? 0 : 255, p[1] = last ? 255 : 0, p[2] = !last && !above ? 255 : 0, p[3] = 255;
        }
    }
    const std::pair<const char*, std::string> files[] = {
        {"png", profiledimages::png(width, height, rgba, false, {})},
        {"jpeg", profiledimages::jpeg(width, height, rgba, false, "")},
        {"webp", profiledimages::webp(width, height, rgba, "")},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const auto image = ImageDecoder::decode(bytes);
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(image->pixels().size(), std::size_t{width} * height * 4);
        const int tolerance = std::string_view(name) == "jpeg" ? 24 : 0;
        EXPECT_TRUE(pixelNear(*image, width - 5, 3, {255, 255, 0, 0}, tolerance));
        EXPECT_TRUE(pixelNear(*image, 3, height - 40, {255, 0, 0, 255}, tolerance));
        EXPECT_TRUE(pixelNear(*image, width / 2, height / 2 + 20, {255, 0, 0, 255}, tolerance));
        EXPECT_TRUE(pixelNear(*image, width - 1, height - 1, {255, 0, 255, 0}, tolerance));
        EXPECT_TRUE(pixelNear(*image, 0, height - 1, {255, 0, 255, 0}, tolerance));
    }
}

// Pixel memory arrives zeroed at any size, mapped memory starts on a large
// page, and what is let go goes back: a thousand megabytes mapped and dropped
// leave the process no larger.
TEST(PixelMemoryTest, BuffersArriveZeroedAndGoBackWhenDropped) {
    EXPECT_EQ(PixelMemory::zeroed(0), nullptr);
    for (const std::size_t bytes : {std::size_t{1}, std::size_t{4096 * 3 + 4}, PixelMemory::kMappedFrom - 4,
                                    PixelMemory::kMappedFrom, PixelMemory::kMappedFrom * 3 + 4100}) {
        SCOPED_TRACE(bytes);
        const auto memory = PixelMemory::zeroed(bytes);
        ASSERT_NE(memory, nullptr);
        if (PixelMemory::maps(bytes)) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory.get()) % PixelMemory::kMappedFrom, 0u);
        }
        EXPECT_EQ(std::count(memory.get(), memory.get() + bytes, std::uint8_t{0}), static_cast<std::ptrdiff_t>(bytes));
        memory.get()[bytes - 1] = 0xff;
        EXPECT_EQ(memory.get()[bytes - 1], 0xff);
    }
    // The sanitizers' heap keeps what is freed for a while; there the heap
    // serves every size, and its own leak check watches it.
    constexpr std::size_t dropped = PixelMemory::kMappedFrom * 4 + 12345;
    if (!PixelMemory::maps(dropped)) return;
    const auto addressSpace = [] {
        std::ifstream statm("/proc/self/statm");
        std::size_t pages = 0;
        statm >> pages;
        return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    };
    const std::size_t before = addressSpace();
    for (int i = 0; i < 125; ++i) {
        const auto memory = PixelMemory::zeroed(dropped);
        ASSERT_NE(memory, nullptr);
        memory.get()[i * 4096] = 1;
    }
    EXPECT_LT(addressSpace(), before + (std::size_t{64} << 20));
}

TEST(ImageDecoderTest, BrokenTruncatedAndUnknownBytesGiveNoImage) {
    const std::string sources[] = {
        encodePNG(sampleRGBA(false)),
        encodeJPEG(sampleRGBA(true), kWidth, kHeight),
        encodeWebP(sampleRGBA(false), true),
        encodeWebP(sampleRGBA(true), false),
    };
    for (const std::string& whole : sources) {
        // Every cut into the image data, in steps, down to nothing. A PNG that
        // loses only its closing empty chunk still holds all its pixels, as other
        // decoders agree, so cuts stop short of that chunk (12 bytes).
        const bool png = whole.starts_with("\x89PNG");
        const std::size_t lastCut = whole.size() - (png ? 13 : 1);
        for (std::size_t length = 0; length < lastCut; length += std::max<std::size_t>(1, whole.size() / 40)) {
            EXPECT_EQ(ImageDecoder::decode(whole.substr(0, length)), nullptr) << "cut at " << length;
        }
        EXPECT_EQ(ImageDecoder::decode(whole.substr(0, lastCut)), nullptr);
        // Garbage after a valid signature and header.
        std::string scrambled = whole;
        for (std::size_t i = whole.size() / 3; i < whole.size(); i += 3) {
            scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5a);
        }
        (void)ImageDecoder::decode(scrambled);  // may decode to noise, must not crash
    }
    EXPECT_EQ(ImageDecoder::decode(std::string("GIF89a\x01\x00\x01\x00", 10)), nullptr);
    EXPECT_EQ(ImageDecoder::decode(std::string("RIFF\0\0\0\0WEBPVP8 ", 16)), nullptr);
}

TEST(ImageDecoderTest, TheCallersSizeCheckDecidesBeforeDecoding) {
    const std::string files[] = {encodePNG(sampleRGBA(false)),
                                 encodeJPEG(sampleRGBA(true), kWidth, kHeight), encodeWebP(sampleRGBA(false), true)};
    for (const std::string& file : files) {
        for (bool allowed : {true, false}) {
            std::vector<std::pair<int, int>> asked;
            const auto check = [&](int width, int height) { return asked.emplace_back(width, height), allowed; };
            EXPECT_EQ(ImageDecoder::decode(file, check) != nullptr, allowed);
            EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{kWidth, kHeight}}));
        }
        // A size past the decoder's own limit is refused without asking.
        bool asked = false;
        const auto check = [&](int, int) { return asked = true; };
        EXPECT_FALSE(ImageDecoder::decode(withClaimedSize(file, 10001, 10000), check));
        EXPECT_FALSE(asked);
    }
    // A claimed area whose product overflows 32 bits is refused too.
    EXPECT_EQ(ImageDecoder::decode(withClaimedSize(files[0], 1u << 30, 1u << 30)), nullptr);
}

// The processor time the calling thread has really used, whatever the
// installed clock says.
// A profile of `size` bytes whose header passes libpng's checks, compressed
// with a byte more than it says it holds, which is found only once the whole
// is inflated.
std::string profileWithAByteTooMany(std::uint32_t size) {
    std::string profile(size + 1, '\0');
    putBigEndian(profile, 0, size, 4);
    putBigEndian(profile, 8, 0x04300000, 4);
    profile.replace(12, 12, "mntrRGB XYZ ");
    profile.replace(36, 4, "acsp");
    putBigEndian(profile, 68, 0xf6d6, 4), putBigEndian(profile, 72, 0x10000, 4), putBigEndian(profile, 76, 0xd32d, 4);
    return profile;
}

// Bounds of the decoder's own refuse an image and say why: a progressive JPEG
// of more scans than real ones have, counted as they are read, and any image
// whose decoding passes the deadline of the thread decoding it. The deadline
// is read as the rows are decoded and made ready, during each pass of an
// interlaced PNG, before each part of a WebP is handed over, and as a JPEG's
// scans are read before its first row comes out: here a clock that moves on
// 0.1 s at each reading passes a deadline of 0.5 s within the first few
// hundred rows of 1,024 pixels, or the first scans, and one of 0 s at its
// first reading. What a file holds besides the pixels and one colour profile
// is passed over unread by our own walk over its chunks or markers: each
// call into a library is given only what it needs, so that these files,
// each some seconds or hundreds of megabytes to decode were it not, take
// at most the processor time their rows say.
TEST(ImageDecoderTest, ItsOwnBoundsRefuseAnImageAndSayWhy) {
    using namespace profiledimages;
    const std::vector<std::uint8_t> white(64 * 64 * 4, 255);
    std::vector<std::string> texts(100, compressedTextChunk(8'000'000));
    std::vector<std::string> profiles(120, iccpChunk(profileWithAByteTooMany(7'900'000)));
    const std::string wideGamut = rgbProfile(kWideGamutPrimaries, 2.2);
    const struct {
        const char* name;
        std::string file;
        // The deadline the decoding thread works for, if any.
        std::optional<double> deadline;
        // A distinctive part of the refusal; none when the image is decoded.
        const char* refusal;
        // At most this much processor time really spent; no bound when 0.
        double seconds = 0;
        // A distinctive part of the decoded image's warning; none when it has none.
        const char* warning = nullptr;
    } cases[] = {
        {"a JPEG of 100 scans", progressiveJPEG(256, 256, 100), std::nullopt, nullptr},
        {"a JPEG of 101 scans", progressiveJPEG(256, 256, 101), std::nullopt, "its JPEG data has more than 100 scans"},
        {"a JPEG of 1,024 x 1,024 pixels", progressiveJPEG(1024, 1024, 1), 0.5, "passed the deadline of 0.5 s"},
        // Its rows alone keep within the deadline; its scans pass it.
        {"a JPEG of 1,024 x 16 pixels", progressiveJPEG(1024, 16, 1), 0.5, nullptr},
        {"a JPEG of 1,024 x 16 pixels and 100 scans", progressiveJPEG(1024, 16, 100), 0.5,
         "passed the deadline of 0.5 s"},
        {"a PNG of 1,024 x 1,024 pixels", plainPNG(1024, 1024), 0.5, "passed the deadline of 0.5 s"},
        {"a lossless WebP of 1,024 x 1,024 pixels", plainWebP(1024, 1024), 0.5, "passed the deadline of 0.5 s"},
        {"a PNG of 64 x 64 pixels", plainPNG(64, 64), 0.5, nullptr},
        {"an interlaced PNG of 4,096 x 4,096 pixels", plainPNG(4096, 4096, true), 0.5,
         "passed the deadline of 0.5 s", 0.05},
        {"a lossless WebP of 4,096 x 4,096 pixels after its deadline", plainWebP(4096, 4096), 0.0,
         "passed the deadline of 0 s", 0.05},
        {"a PNG of 1 x 1 pixels with 100 text chunks of 8 MB", png(1, 1, white, false, texts), std::nullopt, nullptr,
         0.05},
        {"a PNG of 64 x 64 pixels with 120 profiles of 7.9 MB", png(64, 64, white, false, profiles), std::nullopt,
         nullptr, 0.1},
        {"a lossless WebP of 64 x 64 pixels after a chunk of 14 MB",
         webpAfterChunk(plainWebP(64, 64), "EXIF", 14 << 20), std::nullopt, nullptr, 0.1},
        {"a JPEG of 64 x 64 pixels after 2,000 APP2 markers of 64 KB",
         jpegAfterMarkers(jpeg(64, 64, white, false, ""), 2000), std::nullopt, nullptr, 0.02},
        // A deflate stream may hold any number of empty blocks, which take
        // input and write nothing: no more of a profile is read than any
        // compression of one within its bound takes, and image data, which
        // libpng inflates, reads the deadline as it is read.
        {"a PNG of 64 x 64 pixels whose profile follows 100 MB of empty deflate blocks",
         png(64, 64, white, false, {iccpChunk(wideGamut, 20'000'000)}), std::nullopt, nullptr, 0.5,
         "compressed data is longer than any compression"},
        {"a PNG of 64 x 64 pixels whose profile follows 64 MB of empty deflate blocks, after its deadline",
         png(64, 64, white, false, {iccpChunk(wideGamut, 12'800'000)}), 0.5, "passed the deadline of 0.5 s", 0.1},
        {"a PNG of 64 x 64 pixels whose image data follows 64 MB of empty deflate blocks",
         pngOfType(64, 64, 0, 8, std::vector<std::string>(64, std::string(64, '\xff')), {}, 12'800'000), 0.5,
         "passed the deadline of 0.5 s", 0.1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::SteppingProcessorClock::Installation clock(c.deadline ? 0.1 : 0);
        const ProcessorDeadline::Scope counting(c.deadline ? std::make_shared<ProcessorDeadline>(*c.deadline)
                                                           : nullptr);
        std::string refusal;
        const double start = testsupport::threadProcessorSeconds();
        const auto image = ImageDecoder::decode(c.file, {}, nullptr, &refusal);
        const double spent = testsupport::threadProcessorSeconds() - start;
        // ThreadSanitizer shadows every byte of a decoded image with several
        // more, so that taking the pixels of 4,096 x 4,096 pixels alone costs
        // more than the decoding a bound is meant to cut (1.4 s with the
        // bound, 1.5 s without it, on a quiet machine): its builds check what
        // a bound refuses, not how soon.
        if (c.seconds > 0 && !kThreadSanitizedBuild) {
            // The sanitizers' builds take an image's pixels from their own
            // allocator, zeroed (64 MB for 4,096 x 4,096 pixels: 0.3-0.5 s
            // on a busy machine), and watch every byte a decoder writes.
            EXPECT_LT(spent, kSanitizedBuild ? c.seconds * 10 + 1.0 : c.seconds);
        }
        if (c.refusal) {
            EXPECT_EQ(image, nullptr);
            EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
        } else {
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(refusal, "");
            EXPECT_EQ(image->pixel(image->width() / 2, image->height() / 2) >> 24, 0xffu);
            if (c.warning) {
                EXPECT_NE(image->decodingWarning().find(c.warning), std::string::npos) << image->decodingWarning();
            }
        }
    }
}

TEST(ImageTest, StraightAlphaRoundTripsAndPNGWritesBack) {
    const auto rgba = sampleRGBA(false);
    const auto image = Image::fromStraightRGBA(kWidth, kHeight, rgba);
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(pixelNear(*image, 13, 0, {128, 0, 0, 128}));
    EXPECT_EQ(image->straightRGBA(), rgba);

    testsupport::TemporaryDirectory folder;
    ASSERT_TRUE(image->writePNG(folder.path() / "sample.png"));
    const auto decoded = ImageDecoder::decode(testsupport::readFile(folder.path() / "sample.png"));
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->straightRGBA(), rgba);
    const auto grey = Image::make(3, 2, Image::Format::grey8, std::vector<std::uint8_t>(8, 77));
    EXPECT_TRUE(pixelNear(*ImageDecoder::decode(grey->encodePNG()), 2, 1, {255, 77, 77, 77}));

    // Every alpha over every value of each channel: the decoders premultiply
    // the pixels in the image's own byte order as an image made from straight
    // RGBA is premultiplied.
    std::vector<std::uint8_t> every;
    for (int alpha = 0; alpha < 256; ++alpha) {
        for (int value = 0; value < 256; ++value) {
            every.insert(every.end(), {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(255 - value),
                                       static_cast<std::uint8_t>(value * 7), static_cast<std::uint8_t>(alpha)});
        }
    }
    const auto made = Image::fromStraightRGBA(256, 256, every);
    const auto everyPNG = ImageDecoder::decode(profiledimages::png(256, 256, every, false, {}));
    ASSERT_NE(everyPNG, nullptr);
    EXPECT_TRUE(std::ranges::equal(everyPNG->pixels(), made->pixels()));
}

TEST(ImageTest, ARegionSeesItsRectangleOfTheSameBuffer) {
    constexpr int width = 5, height = 4;
    std::vector<std::uint8_t> bytes(width * height * 4);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
    auto image = Image::make(width, height, Image::Format::argb32Premultiplied, bytes);
    ASSERT_NE(image, nullptr);
    const auto region = image->region(1, 2, 4, 2);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->width(), 4);
    EXPECT_EQ(region->height(), 2);
    EXPECT_EQ(region->bytesPerRow(), image->bytesPerRow());
    EXPECT_EQ(region->pixels().data(), image->pixels().data() + 2 * image->bytesPerRow() + 4);
    // The bytes it spans end with its last pixel, inside the shared buffer.
    EXPECT_EQ(region->pixels().data() + region->pixels().size(), image->pixels().data() + image->pixels().size());
    const std::uint32_t cornerOfRegion = image->pixel(4, 3);
    const std::vector<std::uint8_t> expectedRGBA = [&] {
        std::vector<std::uint8_t> rows;
        const auto all = image->straightRGBA();
        for (int y = 2; y < 4; ++y) rows.insert(rows.end(), all.begin() + (y * width + 1) * 4, all.begin() + (y * width + 5) * 4);
        return rows;
    }();
    // It keeps the buffer alive on its own.
    image.reset();
    EXPECT_EQ(region->pixel(3, 1), cornerOfRegion);
    EXPECT_EQ(region->pixel(4, 0), 0u);
    EXPECT_EQ(region->straightRGBA(), expectedRGBA);
    EXPECT_EQ(ImageDecoder::decode(region->encodePNG())->straightRGBA(), expectedRGBA);
    // A region of a region, and grey images, count from their own corner.
    const auto inner = region->region(1, 1, 2, 1);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->pixel(0, 0), region->pixel(1, 1));
    const auto grey = Image::make(3, 2, Image::Format::grey8, {1, 2, 3, 0, 4, 5, 6, 0});
    EXPECT_EQ(grey->region(1, 1, 2, 1)->pixel(1, 0), grey->pixel(2, 1));

    const auto source = Image::make(2, 2, Image::Format::argb32Premultiplied, std::vector<std::uint8_t>(16, 0xff));
    for (const auto& [x, y, w, h] : std::vector<std::array<int, 4>>{
             {0, 0, 0, 1}, {0, 0, 1, 0}, {-1, 0, 1, 1}, {0, -1, 1, 1}, {1, 0, 2, 1}, {0, 1, 1, 2}, {2, 2, 1, 1}}) {
        EXPECT_EQ(source->region(x, y, w, h), nullptr) << x << "," << y << " " << w << "x" << h;
    }
}

TEST(ImageTest, MakeRefusesBadSizesAndShortBuffers) {
    EXPECT_EQ(Image::make(0, 1, Image::Format::grey8, std::vector<std::uint8_t>(4)), nullptr);
    EXPECT_EQ(Image::make(2, 2, Image::Format::argb32Premultiplied, std::vector<std::uint8_t>(15)), nullptr);
    EXPECT_EQ(Image::make(20000, 20000, Image::Format::grey8, {}), nullptr);
    EXPECT_EQ(Image::fromStraightRGBA(2, 2, std::vector<std::uint8_t>(15)), nullptr);
    EXPECT_EQ(Image::bytesPerRowFor(Image::Format::grey8, 3), 4);  // rows padded to four bytes
    const auto image = Image::make(2, 2, Image::Format::argb32Premultiplied, std::vector<std::uint8_t>(16, 0xff));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixel(-1, 0), 0u);
}

}  // namespace
}  // namespace platform::graphics
