#include "Platform/Compositor/ShapeLayer.h"

namespace platform::compositor {

using graphics::Color;
using graphics::Path;

ShapeLayer::ShapeLayer(const Layer& layer) : Layer(layer) {
    if (const auto* shape = dynamic_cast<const ShapeLayer*>(&layer)) {
        path_ = shape->path_;
        fillColor_ = shape->fillColor_;
        fillRule_ = shape->fillRule_;
        strokeColor_ = shape->strokeColor_;
        lineWidth_ = shape->lineWidth_;
        miterLimit_ = shape->miterLimit_;
        lineCap_ = shape->lineCap_;
        lineJoin_ = shape->lineJoin_;
        lineDashPattern_ = shape->lineDashPattern_;
        lineDashPhase_ = shape->lineDashPhase_;
        strokeStart_ = shape->strokeStart_;
        strokeEnd_ = shape->strokeEnd_;
    }
}

#define PELLOR_SHAPE_SETTER(Name, member, Type) \
    void ShapeLayer::Name(Type value) {          \
        if (member == value) {                   \
            return;                              \
        }                                        \
        member = std::move(value);               \
        markChanged();                           \
    }

PELLOR_SHAPE_SETTER(setPath, path_, Path)
PELLOR_SHAPE_SETTER(setFillColor, fillColor_, std::optional<Color>)
PELLOR_SHAPE_SETTER(setFillRule, fillRule_, graphics::FillRule)
PELLOR_SHAPE_SETTER(setStrokeColor, strokeColor_, std::optional<Color>)
PELLOR_SHAPE_SETTER(setLineWidth, lineWidth_, double)
PELLOR_SHAPE_SETTER(setMiterLimit, miterLimit_, double)
PELLOR_SHAPE_SETTER(setLineCap, lineCap_, graphics::LineCap)
PELLOR_SHAPE_SETTER(setLineJoin, lineJoin_, graphics::LineJoin)
PELLOR_SHAPE_SETTER(setLineDashPattern, lineDashPattern_, std::vector<double>)
PELLOR_SHAPE_SETTER(setLineDashPhase, lineDashPhase_, double)
PELLOR_SHAPE_SETTER(setStrokeStart, strokeStart_, double)
PELLOR_SHAPE_SETTER(setStrokeEnd, strokeEnd_, double)

#undef PELLOR_SHAPE_SETTER

std::optional<AnimatableValue> ShapeLayer::value(std::string_view key) const {
    if (key == "path") return AnimatableValue(path_);
    if (key == "fillColor") return fillColor_ ? std::optional<AnimatableValue>(*fillColor_) : std::nullopt;
    if (key == "strokeColor") return strokeColor_ ? std::optional<AnimatableValue>(*strokeColor_) : std::nullopt;
    if (key == "lineWidth") return AnimatableValue(lineWidth_);
    if (key == "miterLimit") return AnimatableValue(miterLimit_);
    if (key == "lineDashPattern") return AnimatableValue(lineDashPattern_);
    if (key == "lineDashPhase") return AnimatableValue(lineDashPhase_);
    if (key == "strokeStart") return AnimatableValue(strokeStart_);
    if (key == "strokeEnd") return AnimatableValue(strokeEnd_);
    return Layer::value(key);
}

bool ShapeLayer::setValue(std::string_view key, const std::optional<AnimatableValue>& value) {
    if (key == "path") {
        if (!value) {
            setPath(Path());
            return true;
        }
        const Path* path = value->get<Path>();
        if (path) {
            setPath(*path);
        }
        return path != nullptr;
    }
    if (key == "fillColor" || key == "strokeColor") {
        const Color* color = value ? value->get<Color>() : nullptr;
        if (value && !color) {
            return false;
        }
        std::optional<Color> newColor = color ? std::optional<Color>(*color) : std::nullopt;
        key == "fillColor" ? setFillColor(newColor) : setStrokeColor(newColor);
        return true;
    }
    if (key == "lineDashPattern") {
        const auto* pattern = value ? value->get<std::vector<double>>() : nullptr;
        if (value && !pattern) {
            return false;
        }
        setLineDashPattern(pattern ? *pattern : std::vector<double>{});
        return true;
    }
    if (key == "lineWidth" || key == "miterLimit" || key == "lineDashPhase" || key == "strokeStart" ||
        key == "strokeEnd") {
        if (!value || !value->number()) {
            return false;
        }
        const double number = value->number().value_or(0);
        if (key == "lineWidth") setLineWidth(number);
        if (key == "miterLimit") setMiterLimit(number);
        if (key == "lineDashPhase") setLineDashPhase(number);
        if (key == "strokeStart") setStrokeStart(number);
        if (key == "strokeEnd") setStrokeEnd(number);
        return true;
    }
    return Layer::setValue(key, value);
}

}  // namespace platform::compositor
