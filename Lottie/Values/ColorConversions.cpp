#include "Lottie/Values/ColorConversions.h"

#include <cstdint>

namespace lottie {

namespace {

bool isWhiteSpace(char character) {
    return character == ' ' || character == '\t' || character == '\n' || character == '\r' || character == '\v' ||
           character == '\f';
}

int hexDigit(char character) {
    if (character >= '0' && character <= '9') return character - '0';
    if (character >= 'A' && character <= 'F') return character - 'A' + 10;
    if (character >= 'a' && character <= 'f') return character - 'a' + 10;
    return -1;
}

}  // namespace

RgbComponents hexColorComponents(std::string_view text) {
    while (!text.empty() && isWhiteSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    // Six characters, not bytes: a letter outside ASCII counts once.
    std::size_t characters = 0;
    for (char byte : text) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
    if (characters != 6) return {0, 0, 0};
    // Like the platform's scanner: as many hex digits as there are from the
    // start; none reads as 0.
    std::uint64_t number = 0;
    for (char character : text) {
        int digit = hexDigit(character);
        if (digit < 0) break;
        number = number * 16 + static_cast<std::uint64_t>(digit);
    }
    return {static_cast<double>((number >> 16) & 0xFF) / 255, static_cast<double>((number >> 8) & 0xFF) / 255,
            static_cast<double>(number & 0xFF) / 255};
}

std::optional<RgbComponents> rgbComponents(std::span<const double> components) {
    switch (components.size()) {
        case 3:
        case 4:
            return RgbComponents{components[0], components[1], components[2]};
        case 2:
            return RgbComponents{components[0], components[0], components[0]};
        default:
            return std::nullopt;
    }
}

std::optional<std::string> blendModeFilterName(BlendMode mode) {
    switch (mode) {
        case BlendMode::normal:
            return std::nullopt;
        case BlendMode::multiply:
            return "multiplyBlendMode";
        case BlendMode::screen:
            return "screenBlendMode";
        case BlendMode::overlay:
            return "overlayBlendMode";
        case BlendMode::darken:
            return "darkenBlendMode";
        case BlendMode::lighten:
            return "lightenBlendMode";
        case BlendMode::colorDodge:
            return "colorDodgeBlendMode";
        case BlendMode::colorBurn:
            return "colorBurnBlendMode";
        case BlendMode::hardLight:
            return "hardLightBlendMode";
        case BlendMode::softLight:
            return "softLightBlendMode";
        case BlendMode::difference:
            return "differenceBlendMode";
        case BlendMode::exclusion:
            return "exclusionBlendMode";
        case BlendMode::hue:
            return "hueBlendMode";
        case BlendMode::saturation:
            return "saturationBlendMode";
        case BlendMode::color:
            return "colorBlendMode";
        case BlendMode::luminosity:
            return "luminosityBlendMode";
    }
    return std::nullopt;
}

}  // namespace lottie
