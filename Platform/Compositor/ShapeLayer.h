#pragma once
// A layer that draws a path: filled (with the fill rule), then stroked, the stroke
// trimmed to the part between strokeStart and strokeEnd of the whole length of all
// subpaths together. Stands in for the platform's shape layer; held like any Layer.
//
// Defaults: no path, fill opaque black (none means no fill), winding rule, no
// stroke colour, line width 1, butt caps, miter joins, miter limit 10, no dash,
// stroke from 0 to 1.
//
// The path and the stroke's properties are held apart and shared with
// presentation copies until one of the two changes them, so that a copy of an
// animated shape carries neither again; a layer that does not stroke holds no
// stroke properties at all.

#include <memory>
#include <optional>
#include <vector>

#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/FillRule.h"
#include "Platform/Graphics/LineCap.h"
#include "Platform/Graphics/LineJoin.h"
#include "Platform/Graphics/Path.h"

namespace platform::compositor {

class ShapeLayer : public Layer {
public:
    ShapeLayer() = default;
    // The copy-from-layer constructor: a ShapeLayer copies its shape too; any other
    // layer gives its layer properties and the shape defaults.
    explicit ShapeLayer(const Layer& layer);
    ShapeLayer(const ShapeLayer& layer) : ShapeLayer(static_cast<const Layer&>(layer)) {}

    static std::shared_ptr<ShapeLayer> make() { return std::make_shared<ShapeLayer>(); }

    const graphics::Path& path() const;
    void setPath(graphics::Path path);
    const std::optional<graphics::Color>& fillColor() const { return fillColor_; }
    void setFillColor(std::optional<graphics::Color> color);
    graphics::FillRule fillRule() const { return fillRule_; }
    void setFillRule(graphics::FillRule rule);
    const std::optional<graphics::Color>& strokeColor() const { return strokeStyle().color; }
    void setStrokeColor(std::optional<graphics::Color> color);
    double lineWidth() const { return strokeStyle().lineWidth; }
    void setLineWidth(double width);
    double miterLimit() const { return strokeStyle().miterLimit; }
    void setMiterLimit(double limit);
    graphics::LineCap lineCap() const { return strokeStyle().lineCap; }
    void setLineCap(graphics::LineCap cap);
    graphics::LineJoin lineJoin() const { return strokeStyle().lineJoin; }
    void setLineJoin(graphics::LineJoin join);
    // Empty means a solid line.
    const std::vector<double>& lineDashPattern() const { return strokeStyle().lineDashPattern; }
    void setLineDashPattern(std::vector<double> pattern);
    double lineDashPhase() const { return strokeStyle().lineDashPhase; }
    void setLineDashPhase(double phase);
    double strokeStart() const { return strokeStyle().strokeStart; }
    void setStrokeStart(double start);
    double strokeEnd() const { return strokeStyle().strokeEnd; }
    void setStrokeEnd(double end);

    std::optional<AnimatableValue> value(std::string_view keyPath) const override;
    bool setValue(std::string_view keyPath, const std::optional<AnimatableValue>& value) override;
    std::shared_ptr<Layer> makePresentationCopy() const override { return std::make_shared<ShapeLayer>(*this); }
    const ShapeLayer* asShapeLayer() const override { return this; }

    // setPath() without a copy: the layer shares the path with whoever made
    // it, who must not change it afterwards. A path equal to the one shown is
    // taken in its place all the same, as no change, so that its maker and the
    // layer hold one copy between them; null stands for the empty path.
    void setSharedPath(std::shared_ptr<const graphics::Path> path);

private:
    struct StrokeStyle {
        std::optional<graphics::Color> color;
        double lineWidth = 1;
        double miterLimit = 10;
        graphics::LineCap lineCap = graphics::LineCap::butt;
        graphics::LineJoin lineJoin = graphics::LineJoin::miter;
        std::vector<double> lineDashPattern;
        double lineDashPhase = 0;
        double strokeStart = 0;
        double strokeEnd = 1;
    };
    const StrokeStyle& strokeStyle() const {
        static const StrokeStyle defaults;
        return stroke_ ? *stroke_ : defaults;
    }
    // This layer's own copy, made on the first change.
    StrokeStyle& editableStrokeStyle();
    // Takes a path that differs from the one held (none for the empty path).
    void holdPath(std::shared_ptr<const graphics::Path> path);

    // Null for the empty path.
    std::shared_ptr<const graphics::Path> path_;
    std::optional<graphics::Color> fillColor_ = graphics::Color::black();
    graphics::FillRule fillRule_ = graphics::FillRule::winding;
    // Null while every stroke property is at its default.
    std::shared_ptr<StrokeStyle> stroke_;
};

}  // namespace platform::compositor
