#include "Platform/Graphics/Transform3D.h"

#include <cmath>

namespace platform::graphics {

Transform3D Transform3D::fromRows(const std::array<double, 16>& e) {
    Transform3D t;
    t.m11 = e[0], t.m12 = e[1], t.m13 = e[2], t.m14 = e[3];
    t.m21 = e[4], t.m22 = e[5], t.m23 = e[6], t.m24 = e[7];
    t.m31 = e[8], t.m32 = e[9], t.m33 = e[10], t.m34 = e[11];
    t.m41 = e[12], t.m42 = e[13], t.m43 = e[14], t.m44 = e[15];
    return t;
}

std::array<double, 16> Transform3D::rows() const {
    return {m11, m12, m13, m14, m21, m22, m23, m24, m31, m32, m33, m34, m41, m42, m43, m44};
}

Transform3D Transform3D::makeTranslation(double tx, double ty, double tz) {
    Transform3D t;
    t.m41 = tx;
    t.m42 = ty;
    t.m43 = tz;
    return t;
}

Transform3D Transform3D::makeScale(double sx, double sy, double sz) {
    Transform3D t;
    t.m11 = sx;
    t.m22 = sy;
    t.m33 = sz;
    return t;
}

Transform3D Transform3D::makeRotation(double angle, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0 || !std::isfinite(length)) {
        return identity();
    }
    x /= length;
    y /= length;
    z /= length;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double k = 1 - c;
    // The transpose of the usual column-vector rotation matrix, since points are rows.
    Transform3D t;
    t.m11 = c + k * x * x;
    t.m12 = k * x * y + s * z;
    t.m13 = k * x * z - s * y;
    t.m21 = k * x * y - s * z;
    t.m22 = c + k * y * y;
    t.m23 = k * y * z + s * x;
    t.m31 = k * x * z + s * y;
    t.m32 = k * y * z - s * x;
    t.m33 = c + k * z * z;
    return t;
}

Transform3D Transform3D::fromAffine(const AffineTransform& a) {
    Transform3D t;
    t.m11 = a.a;
    t.m12 = a.b;
    t.m21 = a.c;
    t.m22 = a.d;
    t.m41 = a.tx;
    t.m42 = a.ty;
    return t;
}

Transform3D Transform3D::concat(const Transform3D& a, const Transform3D& b) {
    const std::array<double, 16> x = a.rows();
    const std::array<double, 16> y = b.rows();
    std::array<double, 16> r{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += x[row * 4 + k] * y[k * 4 + column];
            }
            r[row * 4 + column] = sum;
        }
    }
    return fromRows(r);
}

Transform3D Transform3D::translate(double tx, double ty, double tz) const {
    return concat(makeTranslation(tx, ty, tz), *this);
}

Transform3D Transform3D::scale(double sx, double sy, double sz) const {
    return concat(makeScale(sx, sy, sz), *this);
}

Transform3D Transform3D::rotate(double angle, double x, double y, double z) const {
    return concat(makeRotation(angle, x, y, z), *this);
}

bool Transform3D::isAffine() const {
    return m13 == 0 && m14 == 0 && m23 == 0 && m24 == 0 && m31 == 0 && m32 == 0 && m33 == 1 &&
           m34 == 0 && m43 == 0 && m44 == 1;
}

AffineTransform Transform3D::affine() const { return {m11, m12, m21, m22, m41, m42}; }

Point Transform3D::apply(Point p) const {
    const double x = p.x * m11 + p.y * m21 + m41;
    const double y = p.x * m12 + p.y * m22 + m42;
    const double w = p.x * m14 + p.y * m24 + m44;
    if (w == 1 || w == 0) {
        return {x, y};
    }
    return {x / w, y / w};
}

}  // namespace platform::graphics
