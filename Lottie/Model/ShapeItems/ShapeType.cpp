#include "Lottie/Model/ShapeItems/ShapeType.h"

#include <array>
#include <utility>

namespace lottie {

namespace {

constexpr std::array<std::pair<ShapeType, std::string_view>, 15> codes{{
    {ShapeType::ellipse, "el"},
    {ShapeType::fill, "fl"},
    {ShapeType::gradientFill, "gf"},
    {ShapeType::group, "gr"},
    {ShapeType::gradientStroke, "gs"},
    {ShapeType::merge, "mm"},
    {ShapeType::rectangle, "rc"},
    {ShapeType::repeater, "rp"},
    {ShapeType::round, "rd"},
    {ShapeType::shape, "sh"},
    {ShapeType::star, "sr"},
    {ShapeType::stroke, "st"},
    {ShapeType::trim, "tm"},
    {ShapeType::transform, "tr"},
    {ShapeType::unknown, "unknown"},
}};

}  // namespace

std::optional<ShapeType> shapeTypeFromRawValue(std::string_view raw) {
    for (const auto& [type, code] : codes) {
        if (code == raw) return type;
    }
    return std::nullopt;
}

std::string_view rawValue(ShapeType type) {
    for (const auto& [candidate, code] : codes) {
        if (candidate == type) return code;
    }
    return "unknown";
}

}  // namespace lottie
