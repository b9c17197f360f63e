#include <gtest/gtest.h>
#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "Platform/Graphics/GradientCoverageBlend.h"
#include "CoverageTestSurfaces.h"

namespace platform::graphics {
namespace {

using namespace testing;

// Each channel of each pixel, whatever the format.
std::vector<int> channels(cairo_surface_t* target) {
    cairo_surface_flush(target);
    const bool alphaOnly = cairo_image_surface_get_format(target) == CAIRO_FORMAT_A8;
    const auto* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    std::vector<int> out;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (alphaOnly) {
                out.push_back(data[y * stride + x]);
                continue;
            }
            std::uint32_t value;
            std::memcpy(&value, data + y * stride + x * 4, 4);
            for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<int>((value >> shift) & 0xff));
        }
    }
    return out;
}

Pattern gradient() {
    Pattern pattern(cairo_pattern_create_linear(-4, 0, kWidth + 10, kHeight), &cairo_pattern_destroy);
    cairo_pattern_add_color_stop_rgba(pattern.get(), 0, 1, 0.1, 0.2, 1);
    cairo_pattern_add_color_stop_rgba(pattern.get(), 0.4, 0.1, 0.8, 0.3, 0.35);
    cairo_pattern_add_color_stop_rgba(pattern.get(), 1, 0.2, 0.3, 1, 0.9);
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    return pattern;
}

TEST(GradientCoverageBlendTest, LaysAGradientDownAsTheMaskCompositorDoes) {
    // Spans of every length and level, with and without a clip's coverage,
    // worked and then laid down, and the same coverage as rows of a plane:
    // over colour targets clear, opaque and translucent, and into coverage
    // alone, against Cairo laying the gradient down through the same mask.
    // The gradient's own colours may land a level apart at a pixel in a
    // hundred (GradientShader); the laying down adds nothing to that.
    std::vector<std::uint8_t> clipLevels(static_cast<std::size_t>(kWidth) * kHeight);
    for (std::size_t i = 0; i < clipLevels.size(); ++i) clipLevels[i] = static_cast<std::uint8_t>((i * 53) % 256);
    const ClipCoverageView clip{std::make_shared<const std::vector<std::uint8_t>>(clipLevels), 0, 0, kWidth};
    const double backgrounds[][4] = {{0, 0, 0, 0}, {0.1, 0.7, 0.2, 1}, {0.9, 0.1, 0.4, 0.3}};
    const Pattern source = gradient();
    for (cairo_format_t format : {CAIRO_FORMAT_ARGB32, CAIRO_FORMAT_A8}) {
        for (const auto& background : backgrounds) {
            for (bool clipped : {false, true}) {
                SCOPED_TRACE(::testing::Message() << (format == CAIRO_FORMAT_A8 ? "coverage alone" : "colour")
                                                  << ", background alpha " << background[3]
                                                  << (clipped ? ", clipped" : ""));
                const std::vector<CoverageRasterizer::Span> spans = levelSpans();
                std::vector<std::uint8_t> plane = levelPlane(clipped ? &clipLevels : nullptr);
                const Surface mask = levelMask(clipped ? &clipLevels : nullptr);
                Surface expected = painted(background, format);
                {
                    Context cairo(cairo_create(expected.get()), &cairo_destroy);
                    cairo_set_source(cairo.get(), source.get());
                    cairo_mask_surface(cairo.get(), mask.get(), 0, 0);
                }
                const std::vector<int> want = channels(expected.get());
                const auto check = [&](cairo_surface_t* drawn) {
                    const std::vector<int> got = channels(drawn);
                    ASSERT_EQ(got.size(), want.size());
                    int apart = 0, worst = 0;
                    for (std::size_t i = 0; i < got.size(); ++i) {
                        const int difference = std::abs(got[i] - want[i]);
                        worst = std::max(worst, difference);
                        if (difference != 0) ++apart;
                    }
                    EXPECT_LE(worst, 1);
                    EXPECT_LE(apart, static_cast<int>(got.size() / 100));
                };

                Surface bySpans = painted(background, format);
                {
                    Context cairo(cairo_create(bySpans.get()), &cairo_destroy);
                    const auto blend = GradientCoverageBlend::make(cairo.get(), source.get(), false);
                    ASSERT_TRUE(blend);
                    std::vector<std::uint32_t> covered;
                    blend->cover(spans, clipped ? &clip : nullptr, covered);
                    blend->layDown(spans, covered);
                    blend->markDirty(0, 0, kWidth, kHeight);
                }
                check(bySpans.get());

                std::vector<int> first(kHeight, 0), end(kHeight, kWidth);
                CoverageRasterizer::Plane rows{plane.data(), kWidth, 0, 0, kWidth, kHeight};
                rows.firstColumns = first.data();
                rows.endColumns = end.data();
                Surface byRows = painted(background, format);
                {
                    Context cairo(cairo_create(byRows.get()), &cairo_destroy);
                    const auto blend = GradientCoverageBlend::make(cairo.get(), source.get(), false);
                    ASSERT_TRUE(blend);
                    blend->blendRows(rows);
                }
                check(byRows.get());
            }
        }
    }
}

TEST(GradientCoverageBlendTest, TakesOnlyPaddedGradientsLaidOver) {
    Surface target = painted({0, 0, 0, 0});
    Context cairo(cairo_create(target.get()), &cairo_destroy);
    const Pattern padded = gradient();
    EXPECT_TRUE(GradientCoverageBlend::make(cairo.get(), padded.get(), false));
    // Repeated, reflected or unextended ramps, and other operators, are left to Cairo.
    for (cairo_extend_t extend : {CAIRO_EXTEND_NONE, CAIRO_EXTEND_REPEAT, CAIRO_EXTEND_REFLECT}) {
        const Pattern other = gradient();
        cairo_pattern_set_extend(other.get(), extend);
        EXPECT_FALSE(GradientCoverageBlend::make(cairo.get(), other.get(), false));
    }
    cairo_set_operator(cairo.get(), CAIRO_OPERATOR_MULTIPLY);
    EXPECT_FALSE(GradientCoverageBlend::make(cairo.get(), padded.get(), false));
}

}  // namespace
}  // namespace platform::graphics
