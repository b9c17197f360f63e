// Laying covered pixels over a target, and multiplying levels, many at a
// time: every way the row is cut into vectors gives each pixel what the
// arithmetic gives it alone.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "Platform/Graphics/PixelArithmetic.h"

namespace platform::graphics {
namespace {

// A premultiplied pixel: clear, opaque or in between, as a shape's edge and
// inside give them; runs of each, so that whole vectors are skipped or copied.
std::vector<std::uint32_t> coveredRow(std::mt19937& random, int count) {
    std::vector<std::uint32_t> row(count);
    int kind = 0;
    for (int i = 0; i < count; ++i) {
        if (random() % 6 == 0) kind = static_cast<int>(random() % 3);
        const std::uint32_t alpha = kind == 0 ? 0 : kind == 1 ? 0xff : random() % 256;
        const auto channel = [&] { return alpha == 0 ? 0u : static_cast<std::uint32_t>(random() % (alpha + 1)); };
        row[i] = alpha << 24 | channel() << 16 | channel() << 8 | channel();
    }
    return row;
}

TEST(PixelArithmetic, OverEachLaysEveryPixelAsOverDoes) {
    std::mt19937 random(5);
    for (int count = 0; count <= 70; ++count) {
        for (int round = 0; round < 20; ++round) {
            const std::vector<std::uint32_t> covered = coveredRow(random, count);
            std::vector<std::uint32_t> target(count), expected(count);
            for (int i = 0; i < count; ++i) {
                target[i] = coveredRow(random, 1)[0];
                expected[i] = covered[i] == 0 ? target[i] : PixelArithmetic::over(covered[i], target[i]);
            }
            std::vector<std::uint32_t> wide = target;
            PixelArithmetic::overEach(covered.data(), wide.data(), count);
            ASSERT_EQ(wide, expected) << count << " pixels";
            if (PixelArithmetic::hasWideVectors()) {
                // The 256-bit loop alone, on what it takes of the row.
                std::vector<std::uint32_t> only = target;
                const int done = PixelArithmetic::overEachWide(covered.data(), only.data(), count);
                EXPECT_EQ(done, count / 8 * 8);
                for (int i = 0; i < done; ++i) ASSERT_EQ(only[i], expected[i]) << "pixel " << i << " of " << count;
                for (int i = done; i < count; ++i) ASSERT_EQ(only[i], target[i]);
            }
        }
    }
}

TEST(PixelArithmetic, OverEachScaledLaysWhatScalingThenLayingOverLays) {
    // A kept picture laid down at a layer's opacity, in one pass.
    std::mt19937 random(11);
    for (int count = 0; count <= 37; ++count) {
        for (const std::uint32_t level : {0u, 1u, 77u, 128u, 200u, 254u}) {
            const std::vector<std::uint32_t> source = coveredRow(random, count);
            const std::vector<std::uint32_t> target = coveredRow(random, count);
            std::vector<std::uint32_t> expected = target;
            for (int i = 0; i < count; ++i) {
                const std::uint32_t scaled = PixelArithmetic::multiplyChannels(source[i], level);
                if (scaled != 0) expected[i] = PixelArithmetic::over(scaled, target[i]);
            }
            std::vector<std::uint32_t> fused = target;
            PixelArithmetic::overEachScaled(source.data(), level, fused.data(), count);
            ASSERT_EQ(fused, expected) << count << " pixels at level " << level;
            if (PixelArithmetic::hasWideVectors()) {
                std::vector<std::uint32_t> only = target;
                const int done = PixelArithmetic::overEachScaledWide(source.data(), level, only.data(), count);
                EXPECT_EQ(done, count / 8 * 8);
                for (int i = 0; i < done; ++i) ASSERT_EQ(only[i], expected[i]) << "pixel " << i << " of " << count;
                for (int i = done; i < count; ++i) ASSERT_EQ(only[i], target[i]);
            }
        }
    }
}

TEST(PixelArithmetic, MultiplyEachGivesEveryLevelWhatMultiplyGivesIt) {
    // Every pair of levels, in rows of every length up to past two vectors.
    std::vector<std::uint8_t> levels, by;
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            levels.push_back(static_cast<std::uint8_t>(a));
            by.push_back(static_cast<std::uint8_t>(b));
        }
    }
    std::vector<std::uint8_t> product = levels;
    PixelArithmetic::multiplyEach(product.data(), by.data(), static_cast<int>(product.size()));
    for (std::size_t i = 0; i < product.size(); ++i) {
        ASSERT_EQ(product[i], PixelArithmetic::multiply(levels[i], by[i])) << int(levels[i]) << " x " << int(by[i]);
    }
    for (int count = 0; count <= 40; ++count) {
        std::vector<std::uint8_t> row(levels.begin() + 1000, levels.begin() + 1000 + count + 1);
        PixelArithmetic::multiplyEach(row.data(), by.data() + 1000, count);
        for (int i = 0; i < count; ++i) ASSERT_EQ(row[i], PixelArithmetic::multiply(levels[1000 + i], by[1000 + i]));
        EXPECT_EQ(row[count], levels[1000 + count]) << "past the row, of " << count;
    }
}

TEST(PixelArithmetic, OverEachThroughLaysEveryPixelAsOverDoesThroughItsOwnLevel) {
    // Pixels clear, opaque and between against every level, each at every
    // place of a vector, over a backdrop; rows of every length up to past
    // two vectors, and runs of four clear, whole or opaque ones.
    std::vector<std::uint32_t> source, backdrop;
    std::vector<std::uint8_t> levels;
    for (int level = 0; level < 256; ++level) {
        for (const std::uint32_t pixel : {0xff102030u, 0x80406080u, 0x01010001u, 0x00000000u, 0x7f7f007fu}) {
            source.push_back(pixel);
            levels.push_back(static_cast<std::uint8_t>(level));
            backdrop.push_back(0xc0305070u ^ static_cast<std::uint32_t>(level * 0x00010307 & 0x003f3f3f));
        }
    }
    for (int run = 0; run < 3; ++run) {
        for (int i = 0; i < 8; ++i) {
            source.push_back(run == 0 ? 0u : 0xff336699u);
            levels.push_back(run == 1 ? 0 : 0xff);
            backdrop.push_back(0x80402010u);
        }
    }
    const auto expected = [&](std::size_t i) {
        return PixelArithmetic::over(PixelArithmetic::multiplyChannels(source[i], levels[i]), backdrop[i]);
    };
    std::vector<std::uint32_t> laid = backdrop;
    PixelArithmetic::overEachThrough(source.data(), levels.data(), laid.data(), static_cast<int>(laid.size()));
    for (std::size_t i = 0; i < laid.size(); ++i) ASSERT_EQ(laid[i], expected(i)) << i;
    for (int count = 0; count <= 11; ++count) {
        std::vector<std::uint32_t> row(backdrop.begin() + 7, backdrop.begin() + 8 + count);
        PixelArithmetic::overEachThrough(source.data() + 7, levels.data() + 7, row.data(), count);
        for (int i = 0; i < count; ++i) ASSERT_EQ(row[i], expected(7 + i));
        EXPECT_EQ(row[count], backdrop[7 + count]) << "past the row, of " << count;
    }
}

}  // namespace
}  // namespace platform::graphics
