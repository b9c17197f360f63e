#include <gtest/gtest.h>
#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "Platform/Graphics/GradientShader.h"

namespace platform::graphics {
namespace {

constexpr int kSize = 48;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;
using Pattern = std::unique_ptr<cairo_pattern_t, decltype(&cairo_pattern_destroy)>;

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff)));
    }
    return most;
}

struct Comparison {
    int worst = 0;
    int differing = 0;
};

// Cairo's own pixels of `pattern` painted under `matrix`, against the shader's.
Comparison compare(cairo_pattern_t* pattern, const cairo_matrix_t& matrix) {
    Surface target(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize), &cairo_surface_destroy);
    Context cairo(cairo_create(target.get()), &cairo_destroy);
    cairo_set_matrix(cairo.get(), &matrix);
    cairo_set_source(cairo.get(), pattern);
    cairo_set_operator(cairo.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(cairo.get());
    cairo_surface_flush(target.get());
    const std::optional<GradientShader> shader = GradientShader::make(pattern, matrix);
    EXPECT_TRUE(shader.has_value());
    Comparison result;
    if (!shader) return result;
    const std::uint8_t* data = cairo_image_surface_get_data(target.get());
    const int stride = cairo_image_surface_get_stride(target.get());
    std::vector<std::uint32_t> row(kSize);
    for (int y = 0; y < kSize; ++y) {
        shader->shade(0, y, kSize, row.data());
        const auto* expected = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < kSize; ++x) {
            const int difference = channelDifference(expected[x], row[x]);
            result.worst = std::max(result.worst, difference);
            if (difference != 0) ++result.differing;
        }
    }
    return result;
}

void addStops(cairo_pattern_t* pattern, std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    const int count = 2 + static_cast<int>(random() % 4);
    std::vector<double> offsets;
    for (int i = 0; i < count; ++i) offsets.push_back(unit(random));
    std::sort(offsets.begin(), offsets.end());
    if (random() % 3 == 0) offsets.front() = 0, offsets.back() = 1;
    for (double offset : offsets) {
        const double alpha = random() % 2 ? 1.0 : unit(random);
        // Drawn one by one: the order arguments are worked out in is the compiler's.
        const double blue = unit(random), green = unit(random), red = unit(random);
        cairo_pattern_add_color_stop_rgba(pattern, offset, red, green, blue, alpha);
    }
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
}

cairo_matrix_t randomMatrix(std::mt19937& random) {
    std::uniform_real_distribution<double> angle(0, 6.283), scale(0.4, 2.5), shift(-10, 10);
    cairo_matrix_t matrix;
    cairo_matrix_init_identity(&matrix);
    if (random() % 4 == 0) return matrix;
    const double shiftY = shift(random), shiftX = shift(random);
    cairo_matrix_translate(&matrix, kSize / 2.0 + shiftX, kSize / 2.0 + shiftY);
    cairo_matrix_rotate(&matrix, angle(random));
    const double scaleY = scale(random), scaleX = scale(random);
    cairo_matrix_scale(&matrix, scaleX, scaleY);
    cairo_matrix_translate(&matrix, -kSize / 2.0, -kSize / 2.0);
    return matrix;
}

// The shader works positions out in double precision where the pixel library
// goes through a transform in 16.16 fixed point: a pixel where the ramp is
// steep can land a step along it apart, so a level or two apart, at one pixel
// in hundreds.
constexpr int kMostDifference = 3;
constexpr double kMostDiffering = 0.01;

// 300 gradients of the geometry `make` draws, with random stops under a
// random space, each against Cairo's pixels.
void expectCairosPixels(std::mt19937& random, const std::function<cairo_pattern_t*()>& make) {
    int differing = 0;
    for (int i = 0; i < 300; ++i) {
        Pattern pattern(make(), &cairo_pattern_destroy);
        addStops(pattern.get(), random);
        const Comparison result = compare(pattern.get(), randomMatrix(random));
        EXPECT_LE(result.worst, kMostDifference) << "gradient " << i;
        differing += result.differing;
    }
    EXPECT_LE(differing, kMostDiffering * 300 * kSize * kSize);
}

TEST(GradientShader, LinearGradientsAreCairosPixels) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> point(-20, kSize + 20);
    expectCairosPixels(random, [&] {
        const double y1 = point(random), x1 = point(random), y0 = point(random), x0 = point(random);
        return cairo_pattern_create_linear(x0, y0, x1, y1);
    });
}

TEST(GradientShader, RadialGradientsAreCairosPixels) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> point(-10, kSize + 10), radius(0, 40);
    expectCairosPixels(random, [&] {
        const double x = point(random), y = point(random);
        // Half of them from a focal point inside the end circle, as documents draw them.
        const bool focal = random() % 2;
        const double r = radius(random) + 1;
        if (focal) return cairo_pattern_create_radial(x + r / 3, y - r / 4, 0, x, y, r);
        const double r0 = radius(random), y0 = point(random), x0 = point(random);
        return cairo_pattern_create_radial(x0, y0, r0, x, y, r);
    });
}

// Shading on 256-bit vectors gives the pixels that 128-bit ones give, bit for
// bit: rows of every length up to 40 from every column start, so that each
// pixel falls in every lane and in the tails, over gradients whose stops lie
// close enough for rows to cross several of them, and over circles that
// leave pixels on none.
TEST(GradientShader, WideVectorsShadeThePixelsNarrowOnesDo) {
    if (!GradientShader::usesWideVectors()) GTEST_SKIP() << "this processor has no 256-bit vectors (AVX2)";
    std::mt19937 random(23);
    std::uniform_real_distribution<double> point(-10, kSize + 10), radius(0, 40);
    const std::vector<std::function<cairo_pattern_t*()>> makers = {
        [&] { return cairo_pattern_create_linear(point(random), point(random), point(random), point(random)); },
        [&] {
            const double x = point(random), y = point(random), r = radius(random) + 1;
            return cairo_pattern_create_radial(x + r / 3, y - r / 4, 0, x, y, r);
        },
        // Apart and of any size: some pixels lie on no circle.
        [&] {
            return cairo_pattern_create_radial(point(random), point(random), radius(random), point(random),
                                               point(random), radius(random));
        },
    };
    int differing = 0, clear = 0, shaded = 0;
    for (int i = 0; i < 120; ++i) {
        Pattern pattern(makers[i % makers.size()](), &cairo_pattern_destroy);
        addStops(pattern.get(), random);
        const std::optional<GradientShader> shader = GradientShader::make(pattern.get(), randomMatrix(random));
        ASSERT_TRUE(shader.has_value());
        const int y = static_cast<int>(random() % kSize);
        for (int x = -3; x < 9; ++x) {
            for (int count = 1; count <= 40; ++count) {
                std::vector<std::uint32_t> wide(count), narrow(count);
                shader->shade(x, y, count, wide.data());
                {
                    const GradientShader::NarrowScope scope;
                    EXPECT_FALSE(GradientShader::usesWideVectors());
                    shader->shade(x, y, count, narrow.data());
                }
                for (int k = 0; k < count; ++k) {
                    if (wide[k] != narrow[k]) ++differing;
                    if (narrow[k] == 0) ++clear;
                    ++shaded;
                }
            }
        }
    }
    EXPECT_EQ(differing, 0);
    // The cases reach pixels on no circle, and pixels of colour.
    EXPECT_GT(clear, 0);
    EXPECT_GT(shaded - clear, shaded / 2);
}

}  // namespace
}  // namespace platform::graphics
