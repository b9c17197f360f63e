#include <gtest/gtest.h>
#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "Platform/Graphics/SolidCoverageBlend.h"
#include "CoverageTestSurfaces.h"

namespace platform::graphics {
namespace {

using namespace testing;

std::vector<std::uint32_t> pixels(cairo_surface_t* target) {
    cairo_surface_flush(target);
    std::vector<std::uint32_t> out;
    const auto* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::uint32_t value;
            std::memcpy(&value, data + y * stride + x * 4, 4);
            out.push_back(value);
        }
    }
    return out;
}

TEST(SolidCoverageBlendTest, LaysAColourDownAsTheMaskCompositorDoes) {
    // Colours opaque, translucent, nearly opaque and extreme, over
    // backgrounds clear, opaque and translucent: the pixels of blending
    // spans, and rows of a plane, are the pixels of Cairo laying the colour
    // down through the same 8-bit mask. A clip's coverage multiplies in as
    // a mask of the product would.
    const double colours[][4] = {{1, 0, 0, 1},      {0.2, 0.5, 0.9, 0.6}, {0.3, 0.3, 0.3, 0.13},
                                 {1, 1, 1, 1},      {0, 0, 0, 1},         {0.5, 0.25, 0.125, 0.999},
                                 {0.9, 0.9, 0.1, 0.004}};
    const double backgrounds[][4] = {{0, 0, 0, 0}, {0.1, 0.7, 0.2, 0.7}, {1, 1, 1, 1}, {0.9, 0.1, 0.4, 0.3}};
    std::vector<std::uint8_t> clipLevels(static_cast<std::size_t>(kWidth) * kHeight);
    for (std::size_t i = 0; i < clipLevels.size(); ++i) clipLevels[i] = static_cast<std::uint8_t>((i * 53) % 256);
    const ClipCoverageView clip{std::make_shared<const std::vector<std::uint8_t>>(clipLevels), 0, 0, kWidth};
    for (const auto& background : backgrounds) {
        for (const auto& colour : colours) {
            for (bool clipped : {false, true}) {
                SCOPED_TRACE(::testing::Message() << "colour " << colour[0] << " " << colour[3] << ", background alpha "
                                                  << background[3] << (clipped ? ", clipped" : ""));
                const std::vector<CoverageRasterizer::Span> spans = levelSpans();
                const Surface mask = levelMask(clipped ? &clipLevels : nullptr);
                Surface expected = painted(background);
                {
                    Context cairo(cairo_create(expected.get()), &cairo_destroy);
                    cairo_set_source_rgba(cairo.get(), colour[0], colour[1], colour[2], colour[3]);
                    cairo_mask_surface(cairo.get(), mask.get(), 0, 0);
                }
                Pattern source(cairo_pattern_create_rgba(colour[0], colour[1], colour[2], colour[3]),
                               &cairo_pattern_destroy);
                Surface bySpans = painted(background);
                {
                    Context cairo(cairo_create(bySpans.get()), &cairo_destroy);
                    const auto blend = SolidCoverageBlend::make(cairo.get(), source.get(), false);
                    ASSERT_TRUE(blend);
                    blend->blendSpans(spans, clipped ? &clip : nullptr);
                    blend->markDirty(0, 0, kWidth, kHeight);
                }
                EXPECT_EQ(pixels(bySpans.get()), pixels(expected.get()));
                if (clipped) continue;
                // The same coverage as a plane, every column written.
                std::vector<std::uint8_t> plane = levelPlane();
                std::vector<int> first(kHeight, 0), end(kHeight, kWidth);
                CoverageRasterizer::Plane rows{plane.data(), kWidth, 0, 0, kWidth, kHeight};
                rows.firstColumns = first.data();
                rows.endColumns = end.data();
                Surface byRows = painted(background);
                {
                    Context cairo(cairo_create(byRows.get()), &cairo_destroy);
                    const auto blend = SolidCoverageBlend::make(cairo.get(), source.get(), false);
                    ASSERT_TRUE(blend);
                    blend->blendRows(rows, 0, kHeight);
                    blend->markDirty(rows);
                }
                EXPECT_EQ(pixels(byRows.get()), pixels(expected.get()));
            }
        }
    }
}

TEST(SolidCoverageBlendTest, LaysAColoursAlphaIntoCoverageAloneAsTheMaskCompositorDoes) {
    // A buffer of coverage alone (a mask drawn apart) takes the colour's
    // alpha, through spans of every length, with and without a clip.
    std::vector<std::uint8_t> clipLevels(static_cast<std::size_t>(kWidth) * kHeight);
    for (std::size_t i = 0; i < clipLevels.size(); ++i) clipLevels[i] = static_cast<std::uint8_t>((i * 71) % 256);
    const ClipCoverageView clip{std::make_shared<const std::vector<std::uint8_t>>(clipLevels), 0, 0, kWidth};
    const auto bytes = [](cairo_surface_t* target) {
        cairo_surface_flush(target);
        std::vector<std::uint8_t> out;
        for (int y = 0; y < kHeight; ++y) {
            const auto* row = cairo_image_surface_get_data(target) + y * cairo_image_surface_get_stride(target);
            out.insert(out.end(), row, row + kWidth);
        }
        return out;
    };
    for (double alpha : {1.0, 0.5, 0.13, 0.999, 0.004}) {
        for (double background : {0.0, 0.3, 1.0}) {
            for (bool clipped : {false, true}) {
                SCOPED_TRACE(::testing::Message() << alpha << " over " << background << (clipped ? ", clipped" : ""));
                const std::vector<CoverageRasterizer::Span> spans = levelSpans();
                const Surface mask = levelMask(clipped ? &clipLevels : nullptr);
                Surface expected = surface(CAIRO_FORMAT_A8), ours = surface(CAIRO_FORMAT_A8);
                for (cairo_surface_t* target : {expected.get(), ours.get()}) {
                    Context cairo(cairo_create(target), &cairo_destroy);
                    cairo_set_source_rgba(cairo.get(), 0, 0, 0, background);
                    cairo_paint(cairo.get());
                }
                {
                    Context cairo(cairo_create(expected.get()), &cairo_destroy);
                    cairo_set_source_rgba(cairo.get(), 0.2, 0.4, 0.8, alpha);
                    cairo_mask_surface(cairo.get(), mask.get(), 0, 0);
                }
                Pattern source(cairo_pattern_create_rgba(0.2, 0.4, 0.8, alpha), &cairo_pattern_destroy);
                {
                    Context cairo(cairo_create(ours.get()), &cairo_destroy);
                    const auto blend = SolidCoverageBlend::make(cairo.get(), source.get(), false);
                    ASSERT_TRUE(blend);
                    blend->blendSpans(spans, clipped ? &clip : nullptr);
                    blend->markDirty(0, 0, kWidth, kHeight);
                }
                EXPECT_EQ(bytes(ours.get()), bytes(expected.get()));
            }
        }
    }
}

TEST(SolidCoverageBlendTest, KeepsToTheClipAndTheTargetAndRefusesWhatItCannotLayDown) {
    Pattern red(cairo_pattern_create_rgba(1, 0, 0, 1), &cairo_pattern_destroy);
    const std::vector<CoverageRasterizer::Span> everywhere = [] {
        std::vector<CoverageRasterizer::Span> spans;
        // Reaching past the target on every side.
        for (int y = -3; y < kHeight + 3; ++y) spans.push_back({-5, y, kWidth + 10, 0xff});
        return spans;
    }();
    {
        // One whole-pixel rectangle: only it is painted.
        Surface target = surface();
        Context cairo(cairo_create(target.get()), &cairo_destroy);
        cairo_rectangle(cairo.get(), 10, 2, 20, 5);
        cairo_clip(cairo.get());
        const auto blend = SolidCoverageBlend::make(cairo.get(), red.get(), false);
        ASSERT_TRUE(blend);
        blend->blendSpans(everywhere, nullptr);
        const auto result = pixels(target.get());
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool inside = x >= 10 && x < 30 && y >= 2 && y < 7;
                EXPECT_EQ(result[y * kWidth + x], inside ? 0xffff0000u : 0u) << x << ", " << y;
            }
        }
        // Told that the coverage holds the clip, it keeps to the target alone.
        const auto unclipped = SolidCoverageBlend::make(cairo.get(), red.get(), true);
        ASSERT_TRUE(unclipped);
        unclipped->blendSpans(everywhere, nullptr);
        for (std::uint32_t pixel : pixels(target.get())) EXPECT_EQ(pixel, 0xffff0000u);
    }
    const auto refused = [&](auto&& set, cairo_pattern_t* source, cairo_format_t format = CAIRO_FORMAT_ARGB32) {
        Surface target = surface(format);
        Context cairo(cairo_create(target.get()), &cairo_destroy);
        set(cairo.get());
        return !SolidCoverageBlend::make(cairo.get(), source, false);
    };
    EXPECT_TRUE(refused([](cairo_t* c) { cairo_set_operator(c, CAIRO_OPERATOR_MULTIPLY); }, red.get()));
    EXPECT_TRUE(refused([](cairo_t*) {}, red.get(), CAIRO_FORMAT_RGB24));
    EXPECT_TRUE(refused(
        [](cairo_t* c) {
            cairo_rectangle(c, 0, 0, 5, 5);
            cairo_rectangle(c, 10, 0, 5, 5);
            cairo_clip(c);
        },
        red.get()));
    EXPECT_TRUE(refused(
        [](cairo_t* c) {
            cairo_rectangle(c, 0.5, 0, 5, 5);
            cairo_clip(c);
        },
        red.get()));
    Pattern gradient(cairo_pattern_create_linear(0, 0, 10, 0), &cairo_pattern_destroy);
    EXPECT_TRUE(refused([](cairo_t*) {}, gradient.get()));
}

}  // namespace
}  // namespace platform::graphics
