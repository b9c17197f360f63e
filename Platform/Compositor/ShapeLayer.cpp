#include "Platform/Compositor/ShapeLayer.h"

#include "Platform/Foundation/CopyOnWrite.h"

namespace platform::compositor {

using graphics::Color;
using graphics::Path;

ShapeLayer::ShapeLayer(const Layer& layer) : Layer(layer) {
    if (const auto* shape = dynamic_cast<const ShapeLayer*>(&layer)) {
        path_ = shape->path_;
        fillColor_ = shape->fillColor_;
        fillRule_ = shape->fillRule_;
        stroke_ = shape->stroke_;
    }
}

const Path& ShapeLayer::path() const {
    static const Path empty;
    return path_ ? *path_ : empty;
}

void ShapeLayer::setPath(Path path) {
    if (path == this->path()) {
        return;
    }
    holdPath(std::make_shared<const Path>(std::move(path)));
}

void ShapeLayer::setSharedPath(std::shared_ptr<const Path> path) {
    if (path == path_) {
        return;
    }
    if (path && *path == this->path()) {
        if (path_) path_ = std::move(path);
        return;
    }
    if (!path && !path_) {
        return;
    }
    holdPath(std::move(path));
}

void ShapeLayer::holdPath(std::shared_ptr<const Path> path) {
    path_ = path && !path->elements().empty() ? std::move(path) : nullptr;
    markChanged();
}

ShapeLayer::StrokeStyle& ShapeLayer::editableStrokeStyle() { return foundation::editableBlock(stroke_); }

#define PELLOR_SHAPE_SETTER(Name, member, Type) \
    void ShapeLayer::Name(Type value) {          \
        if (member == value) {                   \
            return;                              \
        }                                        \
        member = std::move(value);               \
        markChanged();                           \
    }

PELLOR_SHAPE_SETTER(setFillColor, fillColor_, std::optional<Color>)
PELLOR_SHAPE_SETTER(setFillRule, fillRule_, graphics::FillRule)

#undef PELLOR_SHAPE_SETTER

#define PELLOR_STROKE_SETTER(Name, field, Type) \
    void ShapeLayer::Name(Type value) {          \
        if (strokeStyle().field == value) {           \
            return;                              \
        }                                        \
        editableStrokeStyle().field = std::move(value); \
        markChanged();                           \
    }

PELLOR_STROKE_SETTER(setStrokeColor, color, std::optional<Color>)
PELLOR_STROKE_SETTER(setLineWidth, lineWidth, double)
PELLOR_STROKE_SETTER(setMiterLimit, miterLimit, double)
PELLOR_STROKE_SETTER(setLineCap, lineCap, graphics::LineCap)
PELLOR_STROKE_SETTER(setLineJoin, lineJoin, graphics::LineJoin)
PELLOR_STROKE_SETTER(setLineDashPattern, lineDashPattern, std::vector<double>)
PELLOR_STROKE_SETTER(setLineDashPhase, lineDashPhase, double)
PELLOR_STROKE_SETTER(setStrokeStart, strokeStart, double)
PELLOR_STROKE_SETTER(setStrokeEnd, strokeEnd, double)

#undef PELLOR_STROKE_SETTER

std::optional<AnimatableValue> ShapeLayer::value(std::string_view key) const {
    if (key == "path") return path_ ? AnimatableValue(path_) : AnimatableValue(Path());
    if (key == "fillColor") return fillColor_ ? std::optional<AnimatableValue>(*fillColor_) : std::nullopt;
    if (key == "strokeColor") return strokeColor() ? std::optional<AnimatableValue>(*strokeColor()) : std::nullopt;
    if (key == "lineWidth") return AnimatableValue(lineWidth());
    if (key == "miterLimit") return AnimatableValue(miterLimit());
    if (key == "lineDashPattern") return AnimatableValue(lineDashPattern());
    if (key == "lineDashPhase") return AnimatableValue(lineDashPhase());
    if (key == "strokeStart") return AnimatableValue(strokeStart());
    if (key == "strokeEnd") return AnimatableValue(strokeEnd());
    return Layer::value(key);
}

bool ShapeLayer::setValue(std::string_view key, const std::optional<AnimatableValue>& value) {
    if (key == "path") {
        if (!value) {
            setPath(Path());
            return true;
        }
        std::shared_ptr<const Path> path = value->sharedPath();
        if (!path) {
            return false;
        }
        setSharedPath(std::move(path));
        return true;
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
