#include "Platform/Graphics/BlendMode.h"

#include <array>
#include <utility>

namespace platform::graphics {

std::optional<BlendMode> blendModeFromName(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, BlendMode>, 27> kNames = {{
        {"normal", BlendMode::normal},
        {"multiply", BlendMode::multiply},
        {"screen", BlendMode::screen},
        {"overlay", BlendMode::overlay},
        {"darken", BlendMode::darken},
        {"lighten", BlendMode::lighten},
        {"colorDodge", BlendMode::colorDodge},
        {"colorBurn", BlendMode::colorBurn},
        {"softLight", BlendMode::softLight},
        {"hardLight", BlendMode::hardLight},
        {"difference", BlendMode::difference},
        {"exclusion", BlendMode::exclusion},
        {"hue", BlendMode::hue},
        {"saturation", BlendMode::saturation},
        {"color", BlendMode::color},
        {"luminosity", BlendMode::luminosity},
        {"clear", BlendMode::clear},
        {"copy", BlendMode::copy},
        {"sourceIn", BlendMode::sourceIn},
        {"sourceOut", BlendMode::sourceOut},
        {"sourceAtop", BlendMode::sourceAtop},
        {"destinationOver", BlendMode::destinationOver},
        {"destinationIn", BlendMode::destinationIn},
        {"destinationOut", BlendMode::destinationOut},
        {"destinationAtop", BlendMode::destinationAtop},
        {"xor", BlendMode::xorMode},
        {"plusLighter", BlendMode::plusLighter},
    }};
    constexpr std::string_view kSuffix = "BlendMode";
    if (name.size() > kSuffix.size() && name.ends_with(kSuffix)) {
        name.remove_suffix(kSuffix.size());
    }
    for (const auto& [text, mode] : kNames) {
        if (text == name) {
            return mode;
        }
    }
    return std::nullopt;
}

}  // namespace platform::graphics
