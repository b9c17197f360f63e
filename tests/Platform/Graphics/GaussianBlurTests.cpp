#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "Platform/Graphics/GaussianBlur.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

double normalCdf(double x) { return 0.5 * std::erfc(-x / std::sqrt(2.0)); }

TEST(GaussianBlurTest, AnEdgeSpreadsLikeAGaussianOfHalfTheRadius) {
    for (double radius : {4.0, 10.0, 24.0}) {
        SCOPED_TRACE(radius);
        const double sigma = radius / 2;
        const int width = 200;
        std::vector<std::uint8_t> plane(width, 0);
        for (int x = 100; x < width; ++x) {
            plane[x] = 255;  // the edge lies at x = 100
        }
        // One row, blurred across a tall plane so the vertical pass changes nothing.
        const int height = 3 * GaussianBlur::spread(radius) * 2 + 1;
        std::vector<std::uint8_t> tall(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            std::copy(plane.begin(), plane.end(), tall.begin() + static_cast<std::ptrdiff_t>(y) * width);
        }
        GaussianBlur::blurPlane(tall.data(), width, height, width, radius);
        const std::uint8_t* row = tall.data() + static_cast<std::size_t>(height / 2) * width;
        for (double distance : {-2.0, -1.0, 0.0, 1.0, 2.0}) {
            const double x = 100 + distance * sigma;  // pixel centres sit at i + 0.5
            const int i = static_cast<int>(std::floor(x - 0.5));
            const double expected = 255 * normalCdf((i + 0.5 - 100) / sigma);
            EXPECT_NEAR(row[i], expected, 8) << "at " << distance << " sigma";
        }
    }
}

TEST(GaussianBlurTest, PreservesTotalAlphaAndReachesThreeSigma) {
    const int size = 81;
    std::vector<std::uint8_t> plane(static_cast<std::size_t>(size) * size, 0);
    for (int y = 35; y < 46; ++y) {
        for (int x = 35; x < 46; ++x) {
            plane[static_cast<std::size_t>(y) * size + x] = 255;
        }
    }
    const long before = std::accumulate(plane.begin(), plane.end(), 0L);
    GaussianBlur::blurPlane(plane.data(), size, size, size, 10);
    const long after = std::accumulate(plane.begin(), plane.end(), 0L);
    EXPECT_NEAR(static_cast<double>(after), static_cast<double>(before), before * 0.02);
    EXPECT_GT(plane[40 * size + 40], 0);
    EXPECT_EQ(plane[40 * size + 40 - 5 - 16], 0);  // beyond 3 sigma of the square's edge
    EXPECT_EQ(GaussianBlur::spread(NAN), 0);
    EXPECT_EQ(GaussianBlur::spread(1e308), GaussianBlur::maximumSpread);
}

TEST(GaussianBlurTest, ShadowIsTheTintedBlurredAlphaInAGrownImage) {
    auto context = bitmap(20, 20);
    context->setFillColor(Color::rgb(1, 1, 1));
    context->fillRect(Rect(5, 5, 10, 10));
    const auto source = context->makeImage();
    const auto shadow = GaussianBlur::shadow(*source, 4, Color::rgb(0, 0, 1, 0.5));
    ASSERT_NE(shadow, nullptr);
    const int pad = GaussianBlur::spread(4);
    EXPECT_EQ(shadow->width(), 20 + 2 * pad);
    // The middle of the square stays fully covered, tinted at half alpha.
    EXPECT_TRUE(pixelNear(*shadow, 10 + pad, 10 + pad, {128, 0, 0, 128}, 1));
    const Pixel edge = pixelAt(*shadow, 5 + pad, 10 + pad);
    EXPECT_GT(edge.a, 40);
    EXPECT_LT(edge.a, 90);  // about half of the half alpha at the edge
}

}  // namespace
}  // namespace platform::graphics
