#include "Platform/Compositor/GradientLayer.h"

namespace platform::compositor {

using graphics::Color;
using graphics::Point;

GradientLayer::GradientLayer(const Layer& layer) : Layer(layer) {
    if (const auto* gradient = dynamic_cast<const GradientLayer*>(&layer)) {
        colors_ = gradient->colors_;
        locations_ = gradient->locations_;
        startPoint_ = gradient->startPoint_;
        endPoint_ = gradient->endPoint_;
        type_ = gradient->type_;
    }
}

#define PELLOR_GRADIENT_SETTER(Name, member, Type) \
    void GradientLayer::Name(Type value) {          \
        if (member == value) {                      \
            return;                                 \
        }                                           \
        member = std::move(value);                  \
        markChanged();                              \
    }

PELLOR_GRADIENT_SETTER(setColors, colors_, std::optional<std::vector<Color>>)
PELLOR_GRADIENT_SETTER(setLocations, locations_, std::optional<std::vector<double>>)
PELLOR_GRADIENT_SETTER(setStartPoint, startPoint_, Point)
PELLOR_GRADIENT_SETTER(setEndPoint, endPoint_, Point)
PELLOR_GRADIENT_SETTER(setType, type_, Type)

#undef PELLOR_GRADIENT_SETTER

std::optional<AnimatableValue> GradientLayer::value(std::string_view key) const {
    if (key == "colors") return colors_ ? std::optional<AnimatableValue>(*colors_) : std::nullopt;
    if (key == "locations") return locations_ ? std::optional<AnimatableValue>(*locations_) : std::nullopt;
    if (key == "startPoint") return AnimatableValue(startPoint_);
    if (key == "endPoint") return AnimatableValue(endPoint_);
    return Layer::value(key);
}

bool GradientLayer::setValue(std::string_view key, const std::optional<AnimatableValue>& value) {
    if (key == "colors") {
        const auto* colors = value ? value->get<std::vector<Color>>() : nullptr;
        if (value && !colors) {
            return false;
        }
        setColors(colors ? std::optional<std::vector<Color>>(*colors) : std::nullopt);
        return true;
    }
    if (key == "locations") {
        const auto* locations = value ? value->get<std::vector<double>>() : nullptr;
        if (value && !locations) {
            return false;
        }
        setLocations(locations ? std::optional<std::vector<double>>(*locations) : std::nullopt);
        return true;
    }
    if (key == "startPoint" || key == "endPoint") {
        const Point* point = value ? value->get<Point>() : nullptr;
        if (!point) {
            return false;
        }
        key == "startPoint" ? setStartPoint(*point) : setEndPoint(*point);
        return true;
    }
    return Layer::setValue(key, value);
}

}  // namespace platform::compositor
