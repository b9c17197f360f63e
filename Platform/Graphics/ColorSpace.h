#pragma once
// The colour space a Color's components are given in: device RGB (red, green,
// blue, alpha) or device grey (grey level, alpha). Stands in for the platform's
// colour-space objects; a small value, compared by model.

#include <string_view>

namespace platform::graphics {

class ColorSpace {
public:
    enum class Model { rgb, grey };

    // Device RGB, the default space of the library's colours.
    constexpr ColorSpace() = default;

    static constexpr ColorSpace deviceRGB() { return ColorSpace(Model::rgb); }
    static constexpr ColorSpace deviceGrey() { return ColorSpace(Model::grey); }

    constexpr Model model() const { return model_; }
    // The colour components, not counting alpha.
    constexpr int numberOfComponents() const { return model_ == Model::rgb ? 3 : 1; }
    constexpr std::string_view name() const { return model_ == Model::rgb ? "DeviceRGB" : "DeviceGray"; }

    constexpr bool operator==(const ColorSpace&) const = default;

private:
    constexpr explicit ColorSpace(Model model) : model_(model) {}

    Model model_ = Model::rgb;
};

}  // namespace platform::graphics
