#include "Platform/Graphics/Color.h"

#include <algorithm>
#include <cmath>

namespace platform::graphics {

namespace {

double clampUnit(double value) {
    if (!(value >= 0)) {  // catches NaN as well as negatives
        return 0;
    }
    return std::min(value, 1.0);
}

}  // namespace

Color Color::rgb(double red, double green, double blue, double alpha) {
    Color color;
    color.space_ = ColorSpace::deviceRGB();
    color.components_ = {red, green, blue, alpha};
    return color;
}

Color Color::grey(double level, double alpha) {
    Color color;
    color.space_ = ColorSpace::deviceGrey();
    color.components_ = {level, alpha, 0, 0};
    return color;
}

std::optional<Color> Color::make(ColorSpace space, std::span<const double> c) {
    if (c.size() != static_cast<std::size_t>(space.numberOfComponents()) + 1) {
        return std::nullopt;
    }
    return space.model() == ColorSpace::Model::rgb ? rgb(c[0], c[1], c[2], c[3]) : grey(c[0], c[1]);
}

Color Color::fromRGBA(ColorSpace space, double red, double green, double blue, double alpha) {
    if (space.model() == ColorSpace::Model::rgb) {
        return rgb(red, green, blue, alpha);
    }
    return grey(0.299 * red + 0.587 * green + 0.114 * blue, alpha);
}

Color Color::withAlpha(double alpha) const {
    Color copy = *this;
    copy.components_[numberOfComponents() - 1] = alpha;
    return copy;
}

std::array<double, 4> Color::rgba() const {
    if (space_.model() == ColorSpace::Model::grey) {
        return {components_[0], components_[0], components_[0], components_[1]};
    }
    return components_;
}

std::array<double, 4> Color::clampedRGBA() const {
    std::array<double, 4> values = rgba();
    for (double& value : values) {
        value = clampUnit(value);
    }
    return values;
}

bool Color::operator==(const Color& other) const {
    if (space_ != other.space_) {
        return false;
    }
    for (std::size_t i = 0; i < numberOfComponents(); ++i) {
        if (components_[i] != other.components_[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace platform::graphics
