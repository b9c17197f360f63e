#pragma once
// The colours of a padded linear or radial gradient of Cairo's at the centres
// of device pixels, premultiplied, as the pixel library works them out for
// Cairo: the position along the ramp in 16.16 fixed point, each span between
// two stops interpolated in single precision between straight colours, then
// multiplied by its alpha; four pixels at a time where the processor's vectors
// allow, to the same bits. Lets a gradient fill be laid down without the
// library's pixel-by-pixel walk of the ramp, on any thread.
//
// A value made for one drawing by whoever lays it down; immutable once made.

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace platform::graphics {

class GradientShader {
public:
    // For `pattern` set as the source under the user space `matrix` (user
    // to device). None for a pattern that is not a linear or radial
    // gradient extended by padding, or for a space that cannot be inverted.
    static std::optional<GradientShader> make(cairo_pattern_t* pattern, const cairo_matrix_t& matrix);

    // The premultiplied pixels of device row `y`, columns [x, x + count).
    void shade(int x, int y, int count, std::uint32_t* pixels) const;

    // Whether shading on this thread works on 256-bit vectors (on processors
    // with AVX2), four or eight pixels at a time, with the same operations in
    // the same order as on 128-bit ones, so with the same pixels.
    static bool usesWideVectors();
    // While one lives, shading on the thread that made it keeps to 128-bit
    // vectors: for comparing the pixels of both ways.
    class NarrowScope {
    public:
        NarrowScope();
        ~NarrowScope();
        NarrowScope(const NarrowScope&) = delete;
        NarrowScope& operator=(const NarrowScope&) = delete;
    };

private:
    GradientShader() = default;

    // Between two stops (or before the first and past the last, at one
    // colour): each straight channel and the alpha as slope and base over
    // the position, as fractions of one.
    struct Segment {
        std::int32_t left = 0, right = 0;  // [left, right), 16.16
        float alphaSlope = 0, alphaBase = 0;
        float redSlope = 0, redBase = 0;
        float greenSlope = 0, greenBase = 0;
        float blueSlope = 0, blueBase = 0;
    };
    // A position that stands for a pixel on no circle of a radial gradient
    // (or at no number), which stays clear; every other is held above it,
    // within two billion (some thirty thousand lengths of the ramp) either way.
    static constexpr std::int32_t noPosition = std::numeric_limits<std::int32_t>::min();
    static std::int32_t heldPosition(double position) {
        constexpr double most = 2.0e9;
        if (position != position) return noPosition;
        return static_cast<std::int32_t>(position < -most ? -most : position > most ? most : position);
    }
    // The premultiplied pixel at `position` in `segment`.
    static std::uint32_t color(const Segment& segment, std::int32_t position);
    // Turns the positions of `count` pixels, held in `pixels`, into their
    // colours in place.
    void colorPositions(std::uint32_t* pixels, int count) const;
    // The colour of pixel `at`, `segment` moved to the one its position lies in.
    void colorOne(std::uint32_t* pixels, int at, std::size_t& segment) const;
    void positionsLinear(double x, double y, int count, std::int32_t* positions) const;
    void positionsRadial(double x, double y, int count, std::int32_t* positions) const;
    // The 256-bit loops (GradientShaderWide.cpp): each does what it can of
    // the row and gives the index of the first pixel it left.
    int colorPositionsWide(std::uint32_t* pixels, int count, std::size_t& segment) const;
    int positionsLinearWide(double first, double step, int count, std::int32_t* positions) const;
    int positionsRadialWide(double px, double py, int count, std::int32_t* positions) const;

    std::vector<Segment> segments_;
    bool radial_ = false;
    // Device to the gradient's own space.
    double xx_ = 1, yx_ = 0, xy_ = 0, yy_ = 1, x0_ = 0, y0_ = 0;
    // Linear: from start to end. Radial: the first circle, and how the
    // second differs from it.
    double startX_ = 0, startY_ = 0, startRadius_ = 0;
    double deltaX_ = 0, deltaY_ = 0, deltaRadius_ = 0;
    double lengthSquared_ = 0;  // linear: |end - start|^2
    double linearScale_ = 0;    // linear: one step of 16.16 over lengthSquared_
    double quadratic_ = 0;      // radial: |delta centre|^2 - delta radius^2
};

}  // namespace platform::graphics
