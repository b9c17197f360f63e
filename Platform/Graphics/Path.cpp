#include "Platform/Graphics/Path.h"

#include <algorithm>
#include <cmath>

#include "Platform/Graphics/PointBounds.h"

namespace platform::graphics {

namespace {

// The control distance that makes a cubic quarter arc hug the unit circle.
constexpr double kEllipseKappa = 0.5522847498307936;

// Grows [low, high] by the extremes of a 1-D cubic Bezier over 0 < t < 1.
void extendByCubicExtremes(double p0, double p1, double p2, double p3, double& low, double& high) {
    // The derivative divided by 3 is a t^2 + b t + c.
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    double roots[2];
    int count = 0;
    if (std::fabs(a) < 1e-12) {
        if (std::fabs(b) > 1e-12) {
            roots[count++] = -c / b;
        }
    } else {
        const double discriminant = b * b - 4 * a * c;
        if (discriminant >= 0) {
            const double root = std::sqrt(discriminant);
            roots[count++] = (-b + root) / (2 * a);
            roots[count++] = (-b - root) / (2 * a);
        }
    }
    for (int i = 0; i < count; ++i) {
        const double t = roots[i];
        if (t > 0 && t < 1) {
            const double u = 1 - t;
            const double value = u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
}

void extendByQuadExtremes(double p0, double p1, double p2, double& low, double& high) {
    const double denominator = p0 - 2 * p1 + p2;
    if (denominator == 0) {
        return;
    }
    const double t = (p0 - p1) / denominator;
    if (t > 0 && t < 1) {
        const double u = 1 - t;
        const double value = u * u * p0 + 2 * u * t * p1 + t * t * p2;
        low = std::min(low, value);
        high = std::max(high, value);
    }
}

}  // namespace

void Path::ensureSubpath(Point point) {
    if (elements_.empty()) {
        moveTo(point);
    }
}

void Path::moveTo(Point point) {
    elements_.push_back({PathElementType::moveTo, {point, Point(), Point()}});
    currentPoint_ = point;
    subpathStart_ = point;
}

void Path::lineTo(Point point) {
    ensureSubpath(point);
    elements_.push_back({PathElementType::lineTo, {point, Point(), Point()}});
    currentPoint_ = point;
}

void Path::quadCurveTo(Point control, Point end) {
    ensureSubpath(end);
    elements_.push_back({PathElementType::quadCurveTo, {control, end, Point()}});
    currentPoint_ = end;
}

void Path::curveTo(Point control1, Point control2, Point end) {
    ensureSubpath(end);
    elements_.push_back({PathElementType::curveTo, {control1, control2, end}});
    currentPoint_ = end;
}

void Path::closeSubpath() {
    if (elements_.empty() || elements_.back().type == PathElementType::closeSubpath) {
        return;
    }
    elements_.push_back({PathElementType::closeSubpath, {}});
    currentPoint_ = subpathStart_;
}

void Path::removeAll() {
    elements_.clear();
    currentPoint_ = Point();
    subpathStart_ = Point();
}

void Path::append(const PathElement& element) {
    switch (element.type) {
        case PathElementType::moveTo:
            moveTo(element.points[0]);
            break;
        case PathElementType::lineTo:
            lineTo(element.points[0]);
            break;
        case PathElementType::quadCurveTo:
            quadCurveTo(element.points[0], element.points[1]);
            break;
        case PathElementType::curveTo:
            curveTo(element.points[0], element.points[1], element.points[2]);
            break;
        case PathElementType::closeSubpath:
            closeSubpath();
            break;
    }
}

void Path::addRect(const Rect& rect, const AffineTransform& t) {
    if (rect.isNull()) {
        return;
    }
    moveTo(t.apply(Point(rect.minX(), rect.minY())));
    lineTo(t.apply(Point(rect.maxX(), rect.minY())));
    lineTo(t.apply(Point(rect.maxX(), rect.maxY())));
    lineTo(t.apply(Point(rect.minX(), rect.maxY())));
    closeSubpath();
}

void Path::addEllipse(const Rect& rect, const AffineTransform& t) {
    if (rect.isNull()) {
        return;
    }
    const double cx = rect.midX();
    const double cy = rect.midY();
    const double rx = rect.width() / 2;
    const double ry = rect.height() / 2;
    const double kx = rx * kEllipseKappa;
    const double ky = ry * kEllipseKappa;
    auto p = [&](double x, double y) { return t.apply(Point(x, y)); };
    moveTo(p(cx + rx, cy));
    curveTo(p(cx + rx, cy + ky), p(cx + kx, cy + ry), p(cx, cy + ry));
    curveTo(p(cx - kx, cy + ry), p(cx - rx, cy + ky), p(cx - rx, cy));
    curveTo(p(cx - rx, cy - ky), p(cx - kx, cy - ry), p(cx, cy - ry));
    curveTo(p(cx + kx, cy - ry), p(cx + rx, cy - ky), p(cx + rx, cy));
    closeSubpath();
}

void Path::addPath(const Path& other, const AffineTransform& transform) {
    if (&other == this) {
        const Path copy = other;
        addPath(copy, transform);
        return;
    }
    // Grown geometrically: reserving exactly what each call adds would copy the
    // whole path again on every call, so that a path built from a hundred
    // copies of another would cost the square of its size.
    const std::size_t needed = elements_.size() + other.elements_.size();
    if (needed > elements_.capacity()) elements_.reserve(std::max(needed, 2 * elements_.capacity()));
    const bool identity = transform.isIdentity();
    for (PathElement element : other.elements_) {
        if (!identity) {
            for (int i = 0; i < element.pointCount(); ++i) {
                element.points[i] = transform.apply(element.points[i]);
            }
        }
        append(element);
    }
}

Path Path::transformed(const AffineTransform& transform) const {
    Path result;
    result.addPath(*this, transform);
    return result;
}

Rect Path::boundingBox() const {
    PointBounds box;
    for (const PathElement& element : elements_) {
        for (int i = 0; i < element.pointCount(); ++i) box.add(element.points[i]);
    }
    return box.rect();
}

Rect Path::pathBoundingBox() const {
    if (elements_.empty()) {
        return Rect::null();
    }
    PointBounds box;
    Point current;
    Point start;
    for (const PathElement& e : elements_) {
        switch (e.type) {
            case PathElementType::moveTo:
                box.add(e.points[0]);
                current = start = e.points[0];
                break;
            case PathElementType::lineTo:
                box.add(e.points[0]);
                current = e.points[0];
                break;
            case PathElementType::quadCurveTo:
                box.add(e.points[1]);
                extendByQuadExtremes(current.x, e.points[0].x, e.points[1].x, box.minX, box.maxX);
                extendByQuadExtremes(current.y, e.points[0].y, e.points[1].y, box.minY, box.maxY);
                current = e.points[1];
                break;
            case PathElementType::curveTo:
                box.add(e.points[2]);
                extendByCubicExtremes(current.x, e.points[0].x, e.points[1].x, e.points[2].x, box.minX, box.maxX);
                extendByCubicExtremes(current.y, e.points[0].y, e.points[1].y, e.points[2].y, box.minY, box.maxY);
                current = e.points[2];
                break;
            case PathElementType::closeSubpath:
                current = start;
                break;
        }
    }
    return Rect(box.minX, box.minY, box.maxX - box.minX, box.maxY - box.minY);
}

}  // namespace platform::graphics
