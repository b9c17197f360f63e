#include "Platform/Graphics/AffineTransform.h"

#include <cmath>

namespace platform::graphics {

AffineTransform AffineTransform::makeRotation(double angle) {
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    return {cosine, sine, -sine, cosine, 0, 0};
}

AffineTransform AffineTransform::translatedBy(double x, double y) const {
    return makeTranslation(x, y).concatenating(*this);
}

AffineTransform AffineTransform::scaledBy(double sx, double sy) const {
    return makeScale(sx, sy).concatenating(*this);
}

AffineTransform AffineTransform::rotatedBy(double angle) const {
    return makeRotation(angle).concatenating(*this);
}

AffineTransform AffineTransform::concatenating(const AffineTransform& o) const {
    return {
        a * o.a + b * o.c,
        a * o.b + b * o.d,
        c * o.a + d * o.c,
        c * o.b + d * o.d,
        tx * o.a + ty * o.c + o.tx,
        tx * o.b + ty * o.d + o.ty,
    };
}

std::pair<double, double> AffineTransform::stretches() const {
    const double p = a * a + b * b, q = a * c + b * d, s = c * c + d * d;
    const double mean = (p + s) / 2, spread = std::hypot((p - s) / 2, q);
    const double largest = std::sqrt(mean + spread);
    return {largest, largest > 0 ? std::fabs(determinant()) / largest : 0};
}

bool AffineTransform::isInvertible() const {
    const double det = determinant();
    return det != 0 && std::isfinite(det) && std::isfinite(tx) && std::isfinite(ty);
}

std::optional<AffineTransform> AffineTransform::inverted() const {
    if (!isInvertible()) {
        return std::nullopt;
    }
    const double det = determinant();
    const double ia = d / det;
    const double ib = -b / det;
    const double ic = -c / det;
    const double id = a / det;
    return AffineTransform(ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id));
}

}  // namespace platform::graphics
