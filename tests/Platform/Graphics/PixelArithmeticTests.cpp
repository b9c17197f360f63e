// Laying covered pixels over a target, many at a time: every way the row is
// cut into vectors gives each pixel what `over` gives it alone.

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

}  // namespace
}  // namespace platform::graphics
