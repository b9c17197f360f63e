#pragma once
// The interpolation contract of every animatable value type: the value at an
// amount of the way from one value to another (0 the start, 1 the end; the
// linear rules extrapolate outside 0...1, as overshooting easing asks).
//
// A type takes part by specialising Interpolation<T> with
//     static T interpolate(const T& from, const T& to, double amount);
// and, when it moves along motion paths, also with the spatial form
//     static T interpolate(const T& from, const T& to, double amount,
//                          const std::optional<Point>& spatialOutTangent,
//                          const std::optional<Point>& spatialInTangent);
// Keyframes always call the spatial form through interpolateWithTangents(),
// which drops the tangents for types without a spatial form.

#include <concepts>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Values/BezierPath.h"
#include "Lottie/Values/CurveVertex.h"
#include "Lottie/Values/Hold.h"
#include "Lottie/Values/LottieColor.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector2D.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/Size.h"

namespace lottie {

template <class T>
struct Interpolation;

template <class T>
concept Interpolatable = requires(const T& value, double amount) {
    { Interpolation<T>::interpolate(value, value, amount) } -> std::convertible_to<T>;
};

template <class T>
concept SpatialInterpolatable =
    Interpolatable<T> && requires(const T& value, double amount, const std::optional<platform::graphics::Point>& tangent) {
        { Interpolation<T>::interpolate(value, value, amount, tangent, tangent) } -> std::convertible_to<T>;
    };

template <Interpolatable T>
T interpolate(const T& from, const T& to, double amount) {
    return Interpolation<T>::interpolate(from, to, amount);
}

// The type-erased form keyframes use: spatial types see the tangents, the others ignore them.
template <Interpolatable T>
T interpolateWithTangents(const T& from, const T& to, double amount,
                          const std::optional<platform::graphics::Point>& spatialOutTangent,
                          const std::optional<platform::graphics::Point>& spatialInTangent) {
    if constexpr (SpatialInterpolatable<T>) {
        return Interpolation<T>::interpolate(from, to, amount, spatialOutTangent, spatialInTangent);
    } else {
        return Interpolation<T>::interpolate(from, to, amount);
    }
}

// ---- numbers ----

template <>
struct Interpolation<double> {
    static double interpolate(double from, double to, double amount) { return (to - from) * amount + from; }
};

template <>
struct Interpolation<float> {
    static float interpolate(float from, float to, double amount) {
        return (to - from) * static_cast<float>(amount) + from;
    }
};

template <std::floating_point T>
struct Interpolation<T> {
    static T interpolate(T from, T to, double amount) { return from + (to - from) * static_cast<T>(amount); }
};

template <>
struct Interpolation<LottieVector1D> {
    static LottieVector1D interpolate(LottieVector1D from, LottieVector1D to, double amount) {
        return LottieVector1D(Interpolation<double>::interpolate(from.value, to.value, amount));
    }
};

// ---- geometry and colours (Interpolatable.cpp) ----

template <>
struct Interpolation<platform::graphics::Size> {
    static platform::graphics::Size interpolate(platform::graphics::Size from, platform::graphics::Size to,
                                                double amount);
};

template <>
struct Interpolation<platform::graphics::Rect> {
    // Width and height blend as the rectangle reports them (never negative).
    static platform::graphics::Rect interpolate(const platform::graphics::Rect& from,
                                                const platform::graphics::Rect& to, double amount);
};

template <>
struct Interpolation<LottieColor> {
    // No clamping and no colour-space conversion.
    static LottieColor interpolate(const LottieColor& from, const LottieColor& to, double amount);
};

template <>
struct Interpolation<CurveVertex> {
    static CurveVertex interpolate(const CurveVertex& from, const CurveVertex& to, double amount);
};

template <>
struct Interpolation<BezierPath> {
    // Vertex by vertex over the vertices both paths have, measured again;
    // closed when both paths are closed and as long, open otherwise.
    static BezierPath interpolate(const BezierPath& from, const BezierPath& to, double amount);
};

// ---- spatial types ----

template <>
struct Interpolation<platform::graphics::Point> {
    using Point = platform::graphics::Point;
    static Point interpolate(Point from, Point to, double amount);
    static Point interpolate(Point from, Point to, double amount, const std::optional<Point>& spatialOutTangent,
                             const std::optional<Point>& spatialInTangent);
};

template <>
struct Interpolation<LottieVector2D> {
    using Point = platform::graphics::Point;
    static LottieVector2D interpolate(LottieVector2D from, LottieVector2D to, double amount);
    static LottieVector2D interpolate(LottieVector2D from, LottieVector2D to, double amount,
                                      const std::optional<Point>& spatialOutTangent,
                                      const std::optional<Point>& spatialInTangent);
};

template <>
struct Interpolation<LottieVector3D> {
    using Point = platform::graphics::Point;
    static LottieVector3D interpolate(const LottieVector3D& from, const LottieVector3D& to, double amount);
    // x and y along the motion path; z always linear.
    static LottieVector3D interpolate(const LottieVector3D& from, const LottieVector3D& to, double amount,
                                      const std::optional<Point>& spatialOutTangent,
                                      const std::optional<Point>& spatialInTangent);
};

// ---- wrappers ----

template <class T>
struct Interpolation<Hold<T>> {
    static Hold<T> interpolate(const Hold<T>& from, const Hold<T>& to, double amount) {
        return amount < 1.0 ? from : to;
    }
};

template <Interpolatable T>
struct Interpolation<std::optional<T>> {
    static std::optional<T> interpolate(const std::optional<T>& from, const std::optional<T>& to, double amount) {
        if (!from || !to) return std::nullopt;
        return Interpolation<T>::interpolate(*from, *to, amount);
    }
};

// Reports arrays of different lengths to the shared logger (the interpolation
// still goes on over the shorter length).
void assertSameElementCount(std::size_t fromCount, std::size_t toCount);

template <Interpolatable T>
struct Interpolation<std::vector<T>> {
    static std::vector<T> interpolate(const std::vector<T>& from, const std::vector<T>& to, double amount) {
        assertSameElementCount(from.size(), to.size());
        std::size_t count = from.size() < to.size() ? from.size() : to.size();
        std::vector<T> result;
        result.reserve(count);
        for (std::size_t index = 0; index < count; ++index) {
            result.push_back(Interpolation<T>::interpolate(from[index], to[index], amount));
        }
        return result;
    }
};

}  // namespace lottie
