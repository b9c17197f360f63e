#include "Platform/Compositor/LayerPainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/PathTrimmer.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/Gradient.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"

namespace platform::compositor {

using graphics::AffineTransform;
using graphics::Color;
using graphics::GraphicsContext;
using graphics::GradientDrawingOptions;
using graphics::Point;
using graphics::Rect;

namespace {

// Where an image of the given size (in points) goes in the bounds.
Rect placeByGravity(ContentsGravity gravity, const Rect& bounds, double width, double height) {
    const double minX = bounds.minX(), minY = bounds.minY(), maxX = bounds.maxX(), maxY = bounds.maxY();
    const double midX = bounds.midX(), midY = bounds.midY();
    switch (gravity) {
        case ContentsGravity::resize:
            return bounds;
        case ContentsGravity::resizeAspect:
        case ContentsGravity::resizeAspectFill: {
            if (width <= 0 || height <= 0) {
                return bounds;
            }
            const double sx = bounds.width() / width;
            const double sy = bounds.height() / height;
            const double scale = gravity == ContentsGravity::resizeAspect ? std::min(sx, sy) : std::max(sx, sy);
            return Rect(midX - width * scale / 2, midY - height * scale / 2, width * scale, height * scale);
        }
        case ContentsGravity::center:
            return Rect(midX - width / 2, midY - height / 2, width, height);
        case ContentsGravity::top:
            return Rect(midX - width / 2, minY, width, height);
        case ContentsGravity::bottom:
            return Rect(midX - width / 2, maxY - height, width, height);
        case ContentsGravity::left:
            return Rect(minX, midY - height / 2, width, height);
        case ContentsGravity::right:
            return Rect(maxX - width, midY - height / 2, width, height);
        case ContentsGravity::topLeft:
            return Rect(minX, minY, width, height);
        case ContentsGravity::topRight:
            return Rect(maxX - width, minY, width, height);
        case ContentsGravity::bottomLeft:
            return Rect(minX, maxY - height, width, height);
        case ContentsGravity::bottomRight:
            return Rect(maxX - width, maxY - height, width, height);
    }
    return bounds;
}

}  // namespace

void LayerPainter::paintBackground(const Layer& layer, GraphicsContext& context) {
    if (!layer.backgroundColor() || layer.bounds().isEmpty()) {
        return;
    }
    context.setFillColor(*layer.backgroundColor());
    context.fillRect(layer.bounds());
}

void LayerPainter::paintContents(const Layer& layer, GraphicsContext& context) {
    const Layer::ImageRef& image = layer.contents();
    if (!image) {
        return;
    }
    const double scale = layer.contentsScale() > 0 ? layer.contentsScale() : 1;
    const Rect rect = placeByGravity(layer.contentsGravity(), layer.bounds(), image->width() / scale,
                                     image->height() / scale);
    if (rect.isEmpty()) {
        return;
    }
    context.drawImage(*image, rect);
}

void LayerPainter::paintShape(const ShapeLayer& layer, GraphicsContext& context) {
    const graphics::Path& path = layer.path();
    if (path.isEmpty()) {
        return;
    }
    if (layer.fillColor()) {
        context.setFillColor(*layer.fillColor());
        context.beginPath();
        context.addPath(path);
        context.fillPath(layer.fillRule());
    }
    if (beginStroke(layer, context)) {
        context.setStrokeColor(*layer.strokeColor());
        context.strokePath();
    }
}

graphics::Path LayerPainter::strokedPath(const ShapeLayer& layer) {
    const graphics::Path& path = layer.path();
    if (path.isEmpty() || !layer.strokeColor() || !(layer.lineWidth() > 0)) {
        return {};
    }
    const double start = layer.strokeStart();
    const double end = layer.strokeEnd();
    return (start <= 0 && end >= 1) ? path : PathTrimmer::trimmed(path, start, end);
}

void LayerPainter::setLineStyle(const ShapeLayer& layer, double scale, GraphicsContext& context) {
    std::vector<double> dashes = layer.lineDashPattern();
    for (double& length : dashes) length *= scale;
    context.setLineWidth(layer.lineWidth() * scale);
    context.setMiterLimit(layer.miterLimit());
    context.setLineCap(layer.lineCap());
    context.setLineJoin(layer.lineJoin());
    context.setLineDash(layer.lineDashPhase() * scale, dashes);
}

bool LayerPainter::beginStroke(const ShapeLayer& layer, GraphicsContext& context) {
    const graphics::Path stroked = strokedPath(layer);
    if (stroked.isEmpty()) {
        return false;
    }
    setLineStyle(layer, 1, context);
    context.beginPath();
    context.addPath(stroked);
    return true;
}

void LayerPainter::paintGradient(const GradientLayer& layer, GraphicsContext& context) {
    drawGradient(layer, nullptr, graphics::FillRule::winding, context);
}

void LayerPainter::fillWithGradient(const GradientLayer& layer, const graphics::Path& path, graphics::FillRule rule,
                                    GraphicsContext& context) {
    drawGradient(layer, &path, rule, context);
}

bool LayerPainter::strokeWithGradient(const GradientLayer& layer, const ShapeLayer& shape,
                                      const AffineTransform& shapeToBounds, GraphicsContext& context) {
    // A turn and a uniform scale: both columns of one length, at right angles.
    const AffineTransform& m = shapeToBounds;
    const double columnX = std::hypot(m.a, m.b), columnY = std::hypot(m.c, m.d);
    const double scale = std::sqrt(std::fabs(m.determinant()));
    constexpr double tolerance = 1e-9;
    if (!(scale > 0) || !std::isfinite(scale) || std::fabs(columnX - columnY) > tolerance * scale ||
        std::fabs(m.a * m.c + m.b * m.d) > tolerance * scale * scale) {
        return false;
    }
    if (layer.type() != GradientLayer::Type::axial) {
        const Rect bounds = layer.bounds();
        const double rx = std::fabs(layer.endPoint().x - layer.startPoint().x) * bounds.width();
        const double ry = std::fabs(layer.endPoint().y - layer.startPoint().y) * bounds.height();
        if (rx > 0 && ry > 0 && std::fabs(rx - ry) > tolerance * std::max(rx, ry)) {
            return false;
        }
    }
    const graphics::Path stroked = strokedPath(shape);
    if (stroked.isEmpty()) {
        return true;  // the stroke lets nothing through
    }
    graphics::Path path;
    path.addPath(stroked, shapeToBounds);
    const Pen pen{shape, scale};
    drawGradient(layer, &path, graphics::FillRule::winding, context, &pen);
    return true;
}

void LayerPainter::applyPen(const Pen& pen, GraphicsContext& context) {
    setLineStyle(pen.shape, pen.scale, context);
    context.replacePathWithStrokedPath();
}

void LayerPainter::drawGradient(const GradientLayer& layer, const graphics::Path* path, graphics::FillRule rule,
                                GraphicsContext& context, const Pen* pen) {
    if (!layer.colors() || layer.colors()->empty() || layer.bounds().isEmpty()) {
        return;
    }
    const std::vector<Color>& colors = *layer.colors();
    const Rect bounds = layer.bounds();
    context.saveGState();
    context.clipToRect(bounds);
    // The path painted through, added before any transform of the gradient's
    // own, as paths are placed where they are added.
    // A stroke's pen is taken in the space the stroke is filled in.
    const auto addArea = [&](const Pen* strokedWith) {
        context.beginPath();
        context.addPath(*path);
        if (strokedWith) applyPen(*strokedWith, context);
    };
    const auto fillWith = [&](const Color& color) {
        context.setFillColor(color);
        if (path) {
            addArea(pen);
            context.fillPath(rule);
        } else {
            context.fillRect(bounds);
        }
    };
    if (colors.size() == 1) {
        fillWith(colors.front());
        context.restoreGState();
        return;
    }
    // Locations that do not match the colours are ignored: even spacing.
    std::vector<double> locations;
    if (layer.locations() && layer.locations()->size() == colors.size()) {
        locations = *layer.locations();
    }
    const auto gradient = graphics::Gradient::make(graphics::ColorSpace::deviceRGB(), colors, locations);
    if (!gradient) {
        context.restoreGState();
        return;
    }
    const Point start(bounds.minX() + layer.startPoint().x * bounds.width(),
                      bounds.minY() + layer.startPoint().y * bounds.height());
    const Point end(bounds.minX() + layer.endPoint().x * bounds.width(),
                    bounds.minY() + layer.endPoint().y * bounds.height());
    if (layer.type() == GradientLayer::Type::axial) {
        if (path) {
            addArea(pen);
            context.fillPathWithLinearGradient(*gradient, start, end, rule);
        } else {
            context.drawLinearGradient(*gradient, start, end, GradientDrawingOptions::extended());
        }
    } else {
        // An ellipse centred on the start point whose radii reach the end point's x and y.
        const double rx = std::fabs(end.x - start.x);
        const double ry = std::fabs(end.y - start.y);
        if (rx > 0 && ry > 0) {
            if (path) addArea(nullptr);
            context.concatenate(AffineTransform::makeScale(rx, ry).concatenating(
                AffineTransform::makeTranslation(start.x, start.y)));
            if (pen) {
                // Radii of one length: the pen scaled down with the space.
                const Pen scaled{pen->shape, pen->scale / rx};
                applyPen(scaled, context);
            }
            if (path) {
                context.fillPathWithRadialGradient(*gradient, Point(0, 0), 0, Point(0, 0), 1, rule);
            } else {
                context.drawRadialGradient(*gradient, Point(0, 0), 0, Point(0, 0), 1,
                                           GradientDrawingOptions::extended());
            }
        } else {
            // No radius: everything lies past the end.
            fillWith(colors.back());
        }
    }
    context.restoreGState();
}

}  // namespace platform::compositor
