#include "Platform/Compositor/TransformDecomposition.h"

#include <algorithm>
#include <cmath>

namespace platform::compositor {

namespace {

using Vector = std::array<double, 3>;

double dot(const Vector& a, const Vector& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vector cross(const Vector& a, const Vector& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double length(const Vector& v) { return std::sqrt(dot(v, v)); }

Vector scaled(const Vector& v, double factor) { return {v[0] * factor, v[1] * factor, v[2] * factor}; }

Vector minus(const Vector& a, const Vector& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

// A unit vector at right angles to `v` (itself a unit vector).
Vector perpendicular(const Vector& v) {
    // Start from the axis least aligned with v.
    Vector axis{1, 0, 0};
    if (std::fabs(v[1]) < std::fabs(v[0]) && std::fabs(v[1]) <= std::fabs(v[2])) {
        axis = {0, 1, 0};
    } else if (std::fabs(v[2]) < std::fabs(v[0])) {
        axis = {0, 0, 1};
    }
    Vector result = minus(axis, scaled(v, dot(axis, v)));
    return scaled(result, 1 / length(result));
}

// An orthonormal, right-handed basis from the rows of U, in order, filling in rows
// that are zero (or dependent on earlier ones) so that the basis stays complete.
std::array<Vector, 3> orthonormalRows(const std::array<Vector, 3>& rows) {
    double largest = 0;
    for (const Vector& row : rows) {
        largest = std::max(largest, length(row));
    }
    const double tolerance = 1e-12 * std::max(1.0, largest);
    std::array<Vector, 3> basis{};
    std::array<bool, 3> found{false, false, false};
    for (int i = 0; i < 3; ++i) {
        Vector v = rows[i];
        for (int j = 0; j < i; ++j) {
            if (found[j]) {
                v = minus(v, scaled(basis[j], dot(v, basis[j])));
            }
        }
        const double size = length(v);
        if (size > tolerance && std::isfinite(size)) {
            basis[i] = scaled(v, 1 / size);
            found[i] = true;
        }
    }
    for (int pass = 0; pass < 3; ++pass) {
        for (int i = 0; i < 3; ++i) {
            if (found[i]) {
                continue;
            }
            const int next = (i + 1) % 3;
            const int last = (i + 2) % 3;
            if (found[next] && found[last]) {
                basis[i] = cross(basis[next], basis[last]);
                found[i] = true;
            } else if (pass > 0 && (found[next] || found[last])) {
                basis[i] = perpendicular(found[next] ? basis[next] : basis[last]);
                found[i] = true;
            } else if (pass == 2) {
                basis[i] = {0, 0, 0};
                basis[i][i] = 1;
                found[i] = true;
            }
        }
    }
    return basis;
}

std::array<double, 4> quaternionFromRows(const std::array<Vector, 3>& r) {
    // q holds the column-vector rotation matrix, the transpose of the row form.
    auto q = [&r](int row, int column) { return r[column][row]; };
    const double trace = q(0, 0) + q(1, 1) + q(2, 2);
    std::array<double, 4> result{};
    if (trace > 0) {
        const double s = std::sqrt(trace + 1) * 2;
        result = {(q(2, 1) - q(1, 2)) / s, (q(0, 2) - q(2, 0)) / s, (q(1, 0) - q(0, 1)) / s, s / 4};
    } else if (q(0, 0) > q(1, 1) && q(0, 0) > q(2, 2)) {
        const double s = std::sqrt(1 + q(0, 0) - q(1, 1) - q(2, 2)) * 2;
        result = {s / 4, (q(0, 1) + q(1, 0)) / s, (q(0, 2) + q(2, 0)) / s, (q(2, 1) - q(1, 2)) / s};
    } else if (q(1, 1) > q(2, 2)) {
        const double s = std::sqrt(1 + q(1, 1) - q(0, 0) - q(2, 2)) * 2;
        result = {(q(0, 1) + q(1, 0)) / s, s / 4, (q(1, 2) + q(2, 1)) / s, (q(0, 2) - q(2, 0)) / s};
    } else {
        const double s = std::sqrt(1 + q(2, 2) - q(0, 0) - q(1, 1)) * 2;
        result = {(q(0, 2) + q(2, 0)) / s, (q(1, 2) + q(2, 1)) / s, s / 4, (q(1, 0) - q(0, 1)) / s};
    }
    return result;
}

}  // namespace

TransformDecomposition TransformDecomposition::of(const graphics::Transform3D& m) {
    TransformDecomposition d;
    d.translation = {m.m41, m.m42, m.m43};
    d.perspective = {m.m14, m.m24, m.m34, m.m44};
    const std::array<Vector, 3> rows{Vector{m.m11, m.m12, m.m13}, Vector{m.m21, m.m22, m.m23},
                                     Vector{m.m31, m.m32, m.m33}};
    std::array<Vector, 3> basis = orthonormalRows(rows);
    if (dot(basis[0], cross(basis[1], basis[2])) < 0) {
        basis[0] = scaled(basis[0], -1);
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            d.scaleShear[i * 3 + j] = dot(rows[i], basis[j]);
        }
    }
    d.rotation = quaternionFromRows(basis);
    return d;
}

std::array<double, 9> TransformDecomposition::rotationMatrix() const {
    const auto [x, y, z, w] = rotation;
    // The column-vector matrix of the quaternion, transposed into row form.
    return {1 - 2 * (y * y + z * z), 2 * (x * y + z * w),     2 * (x * z - y * w),
            2 * (x * y - z * w),     1 - 2 * (x * x + z * z), 2 * (y * z + x * w),
            2 * (x * z + y * w),     2 * (y * z - x * w),     1 - 2 * (x * x + y * y)};
}

graphics::Transform3D TransformDecomposition::matrix() const {
    const std::array<double, 9> r = rotationMatrix();
    std::array<double, 9> upper{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            double sum = 0;
            for (int k = 0; k < 3; ++k) {
                sum += scaleShear[i * 3 + k] * r[k * 3 + j];
            }
            upper[i * 3 + j] = sum;
        }
    }
    return graphics::Transform3D::fromRows({upper[0], upper[1], upper[2], perspective[0],  //
                                            upper[3], upper[4], upper[5], perspective[1],  //
                                            upper[6], upper[7], upper[8], perspective[2],  //
                                            translation[0], translation[1], translation[2],
                                            perspective[3]});
}

TransformDecomposition TransformDecomposition::interpolate(const TransformDecomposition& from,
                                                           const TransformDecomposition& to,
                                                           double fraction) {
    auto mix = [fraction](double a, double b) { return a + (b - a) * fraction; };
    TransformDecomposition result;
    for (int i = 0; i < 3; ++i) {
        result.translation[i] = mix(from.translation[i], to.translation[i]);
    }
    for (int i = 0; i < 9; ++i) {
        result.scaleShear[i] = mix(from.scaleShear[i], to.scaleShear[i]);
    }
    for (int i = 0; i < 4; ++i) {
        result.perspective[i] = mix(from.perspective[i], to.perspective[i]);
    }
    std::array<double, 4> a = from.rotation;
    std::array<double, 4> b = to.rotation;
    double cosine = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    if (cosine < 0) {
        // q and -q are the same rotation; the shorter arc runs to the nearer one.
        for (double& component : b) {
            component = -component;
        }
        cosine = -cosine;
    }
    double weightA = 1 - fraction;
    double weightB = fraction;
    if (cosine < 0.9999999) {
        const double angle = std::acos(std::min(cosine, 1.0));
        const double sine = std::sin(angle);
        weightA = std::sin((1 - fraction) * angle) / sine;
        weightB = std::sin(fraction * angle) / sine;
    }
    double norm = 0;
    for (int i = 0; i < 4; ++i) {
        result.rotation[i] = a[i] * weightA + b[i] * weightB;
        norm += result.rotation[i] * result.rotation[i];
    }
    norm = std::sqrt(norm);
    if (norm > 0) {
        for (double& component : result.rotation) {
            component /= norm;
        }
    }
    return result;
}

std::array<double, 3> TransformDecomposition::eulerAngles() const {
    // With R = Rz x Ry x Rx in row form: R[2][0] = sin y, R[2][1] = -cos y sin x,
    // R[2][2] = cos y cos x, R[1][0] = -sin z cos y, R[0][0] = cos z cos y.
    const std::array<double, 9> r = rotationMatrix();
    const double sineY = std::clamp(r[6], -1.0, 1.0);
    const double y = std::asin(sineY);
    if (std::fabs(sineY) < 1 - 1e-12) {
        return {std::atan2(-r[7], r[8]), y, std::atan2(-r[3], r[0])};
    }
    // Turned a quarter about y: z and x turn about the same axis; give it all to x.
    return {std::atan2(r[5], r[4]), y, 0};
}

}  // namespace platform::compositor
