#include "Platform/Compositor/LayerKeyValue.h"

#include "Platform/Compositor/Layer.h"

namespace platform::compositor {

using graphics::Color;
using graphics::Point;
using graphics::Rect;
using graphics::Size;
using graphics::Transform3D;

namespace {

template <typename T>
std::optional<T> take(const std::optional<AnimatableValue>& value) {
    if (!value) {
        return std::nullopt;
    }
    if (const T* typed = value->get<T>()) {
        return *typed;
    }
    return std::nullopt;
}

template <typename T>
std::optional<AnimatableValue> optionalValue(const std::optional<T>& value) {
    return value ? std::optional<AnimatableValue>(*value) : std::nullopt;
}

// Sets a typed value through `setter`; whether the value had the type.
template <typename T, typename Setter>
bool writeTyped(const std::optional<AnimatableValue>& value, Setter&& setter) {
    const std::optional<T> typed = take<T>(value);
    if (typed) {
        setter(*typed);
    }
    return typed.has_value();
}

template <typename Setter>
bool writeNumber(const std::optional<AnimatableValue>& value, Setter&& setter) {
    const std::optional<double> number = value ? value->number() : std::nullopt;
    if (number) {
        setter(*number);
    }
    return number.has_value();
}

template <typename Setter>
bool writeBoolean(const std::optional<AnimatableValue>& value, Setter&& setter) {
    const std::optional<bool> boolean = value ? value->boolean() : std::nullopt;
    if (boolean) {
        setter(*boolean);
    }
    return boolean.has_value();
}

// None unsets the colour.
template <typename Setter>
bool writeOptionalColor(const std::optional<AnimatableValue>& value, Setter&& setter) {
    if (!value) {
        setter(std::nullopt);
        return true;
    }
    return writeTyped<Color>(value, [&setter](const Color& color) { setter(color); });
}

}  // namespace

std::optional<std::optional<AnimatableValue>> LayerKeyValue::read(const Layer& layer, std::string_view key) {
    using Result = std::optional<std::optional<AnimatableValue>>;
    if (key == "opacity") return Result(AnimatableValue(layer.opacity()));
    if (key == "hidden") return Result(AnimatableValue(layer.isHidden()));
    if (key == "transform") return Result(AnimatableValue(layer.transform()));
    if (key == "position") return Result(AnimatableValue(layer.position()));
    if (key == "anchorPoint") return Result(AnimatableValue(layer.anchorPoint()));
    if (key == "bounds") return Result(AnimatableValue(layer.bounds()));
    if (key == "sublayerTransform") return Result(AnimatableValue(layer.sublayerTransform()));
    if (key == "masksToBounds") return Result(AnimatableValue(layer.masksToBounds()));
    if (key == "backgroundColor") return Result(optionalValue(layer.backgroundColor()));
    if (key == "contents") {
        return Result(layer.contents() ? std::optional<AnimatableValue>(layer.contents()) : std::nullopt);
    }
    if (key == "contentsScale") return Result(AnimatableValue(layer.contentsScale()));
    if (key == "shadowOpacity") return Result(AnimatableValue(layer.shadowOpacity()));
    if (key == "shadowColor") return Result(optionalValue(layer.shadowColor()));
    if (key == "shadowRadius") return Result(AnimatableValue(layer.shadowRadius()));
    if (key == "shadowOffset") return Result(AnimatableValue(layer.shadowOffset()));
    return std::nullopt;
}

std::optional<bool> LayerKeyValue::write(Layer& layer, std::string_view key,
                                         const std::optional<AnimatableValue>& value) {
    if (key == "opacity") return writeNumber(value, [&](double v) { layer.setOpacity(v); });
    if (key == "hidden") return writeBoolean(value, [&](bool v) { layer.setHidden(v); });
    if (key == "masksToBounds") return writeBoolean(value, [&](bool v) { layer.setMasksToBounds(v); });
    if (key == "transform") return writeTyped<Transform3D>(value, [&](const auto& v) { layer.setTransform(v); });
    if (key == "sublayerTransform") {
        return writeTyped<Transform3D>(value, [&](const auto& v) { layer.setSublayerTransform(v); });
    }
    if (key == "position") return writeTyped<Point>(value, [&](Point v) { layer.setPosition(v); });
    if (key == "anchorPoint") return writeTyped<Point>(value, [&](Point v) { layer.setAnchorPoint(v); });
    if (key == "bounds") return writeTyped<Rect>(value, [&](const Rect& v) { layer.setBounds(v); });
    if (key == "backgroundColor") return writeOptionalColor(value, [&](auto v) { layer.setBackgroundColor(v); });
    if (key == "shadowColor") return writeOptionalColor(value, [&](auto v) { layer.setShadowColor(v); });
    if (key == "contents") {
        if (!value) {
            layer.setContents(nullptr);
            return true;
        }
        return writeTyped<AnimatableValue::ImageRef>(value, [&](const auto& v) { layer.setContents(v); });
    }
    if (key == "contentsScale") return writeNumber(value, [&](double v) { layer.setContentsScale(v); });
    if (key == "shadowOpacity") return writeNumber(value, [&](double v) { layer.setShadowOpacity(v); });
    if (key == "shadowRadius") return writeNumber(value, [&](double v) { layer.setShadowRadius(v); });
    if (key == "shadowOffset") return writeTyped<Size>(value, [&](Size v) { layer.setShadowOffset(v); });
    return std::nullopt;
}

}  // namespace platform::compositor
