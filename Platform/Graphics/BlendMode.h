#pragma once
// How a drawing operation combines with what the context already holds: normal
// source-over, the separable and non-separable blend modes, and the Porter-Duff
// operators the engines use (destination-out for erasing, xor for mattes).

#include <optional>
#include <string_view>

namespace platform::graphics {

enum class BlendMode {
    normal,
    multiply,
    screen,
    overlay,
    darken,
    lighten,
    colorDodge,
    colorBurn,
    softLight,
    hardLight,
    difference,
    exclusion,
    hue,
    saturation,
    color,
    luminosity,
    clear,
    copy,
    sourceIn,
    sourceOut,
    sourceAtop,
    destinationOver,
    destinationIn,
    destinationOut,
    destinationAtop,
    xorMode,
    plusLighter,
};

// A compositing-filter name as layers carry it ("multiplyBlendMode", ...,
// "luminosityBlendMode", "xor"); the bare names ("multiply", "destinationOut")
// are accepted too. Nothing for an unknown name.
std::optional<BlendMode> blendModeFromName(std::string_view name);

}  // namespace platform::graphics
