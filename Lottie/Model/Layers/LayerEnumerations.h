#pragma once
// The integer-coded enumerations of a layer: its type (the family
// discriminator), its track-matte mode and its blend mode.

#include <cstdint>
#include <optional>

namespace lottie {

enum class LayerType : std::int8_t { precomp = 0, solid, image, null, shape, text, unknown };

enum class MatteType : std::int8_t { none = 0, add, invert, unknown };

enum class BlendMode : std::int8_t {
    normal = 0,
    multiply,
    screen,
    overlay,
    darken,
    lighten,
    colorDodge,
    colorBurn,
    hardLight,
    softLight,
    difference,
    exclusion,
    hue,
    saturation,
    color,
    luminosity
};

// The case of an integer code, or nothing for a code without one.
std::optional<LayerType> layerTypeFromCode(std::int64_t code);
std::optional<MatteType> matteTypeFromCode(std::int64_t code);
std::optional<BlendMode> blendModeFromCode(std::int64_t code);

}  // namespace lottie
