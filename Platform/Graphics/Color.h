#pragma once
// A colour: components in a colour space, alpha last (r, g, b, a in device RGB;
// grey, a in device grey). Components are kept as given; drawing clamps them to
// 0...1. Stands in for the platform's colour objects; a value.

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "Platform/Graphics/ColorSpace.h"

namespace platform::graphics {

class Color {
public:
    // Opaque black in device RGB.
    Color() = default;

    static Color rgb(double red, double green, double blue, double alpha = 1);
    static Color grey(double level, double alpha = 1);
    static Color black() { return rgb(0, 0, 0, 1); }
    static Color white() { return rgb(1, 1, 1, 1); }
    static Color clear() { return rgb(0, 0, 0, 0); }
    // The space's components followed by alpha; nothing when the count does not
    // match the space (3 + 1 for RGB, 1 + 1 for grey).
    static std::optional<Color> make(ColorSpace space, std::span<const double> components);
    // From r, g, b, a in the given space; a grey space takes the luminance of r, g, b.
    static Color fromRGBA(ColorSpace space, double red, double green, double blue, double alpha);

    ColorSpace colorSpace() const { return space_; }
    // Including alpha: 4 for RGB, 2 for grey.
    std::size_t numberOfComponents() const { return static_cast<std::size_t>(space_.numberOfComponents()) + 1; }
    std::span<const double> components() const { return {components_.data(), numberOfComponents()}; }
    double alpha() const { return components_[numberOfComponents() - 1]; }
    Color withAlpha(double alpha) const;

    // Red, green, blue and alpha (a grey level repeats into all three), as stored.
    std::array<double, 4> rgba() const;
    // The same, each clamped to 0...1 with anything not a number read as 0: what drawing uses.
    std::array<double, 4> clampedRGBA() const;

    bool operator==(const Color& other) const;

private:
    ColorSpace space_;
    std::array<double, 4> components_{0, 0, 0, 1};
};

}  // namespace platform::graphics
