#include "Lottie/Values/Interpolatable.h"

#include "Lottie/Values/SpatialInterpolation.h"

namespace lottie {

namespace {

using platform::graphics::Point;

double lerp(double from, double to, double amount) { return Interpolation<double>::interpolate(from, to, amount); }

constexpr const char* arrayCountFile = "Lottie/Interpolatable";
constexpr unsigned arrayCountLine = 250;

}  // namespace

platform::graphics::Size Interpolation<platform::graphics::Size>::interpolate(platform::graphics::Size from,
                                                                              platform::graphics::Size to,
                                                                              double amount) {
    return {lerp(from.width, to.width, amount), lerp(from.height, to.height, amount)};
}

platform::graphics::Rect Interpolation<platform::graphics::Rect>::interpolate(const platform::graphics::Rect& from,
                                                                              const platform::graphics::Rect& to,
                                                                              double amount) {
    return {lerp(from.origin.x, to.origin.x, amount), lerp(from.origin.y, to.origin.y, amount),
            lerp(from.width(), to.width(), amount), lerp(from.height(), to.height(), amount)};
}

LottieColor Interpolation<LottieColor>::interpolate(const LottieColor& from, const LottieColor& to, double amount) {
    return {lerp(from.r, to.r, amount), lerp(from.g, to.g, amount), lerp(from.b, to.b, amount),
            lerp(from.a, to.a, amount)};
}

CurveVertex Interpolation<CurveVertex>::interpolate(const CurveVertex& from, const CurveVertex& to, double amount) {
    return {lerpPoint(from.point, to.point, amount), lerpPoint(from.inTangent, to.inTangent, amount),
            lerpPoint(from.outTangent, to.outTangent, amount)};
}

BezierPath Interpolation<BezierPath>::interpolate(const BezierPath& from, const BezierPath& to, double amount) {
    std::size_t count = std::min(from.elements().size(), to.elements().size());
    BezierPath result;
    result.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        result.appendVertex(Interpolation<CurveVertex>::interpolate(from.elements()[index].vertex,
                                                                    to.elements()[index].vertex, amount));
    }
    // A closed shape stays closed while it morphs: built open, its first
    // vertex would be stroked with two caps instead of a join. Closed paths of
    // other lengths blend without their closing elements, so the blend, whose
    // lengths would miss its closing segment, stays open.
    result.setClosed(from.closed() && to.closed() && from.elements().size() == to.elements().size());
    return result;
}

Point Interpolation<Point>::interpolate(Point from, Point to, double amount) { return lerpPoint(from, to, amount); }

Point Interpolation<Point>::interpolate(Point from, Point to, double amount, const std::optional<Point>& spatialOutTangent,
                                        const std::optional<Point>& spatialInTangent) {
    return interpolateAlongMotionPath(from, to, amount, spatialOutTangent, spatialInTangent);
}

LottieVector2D Interpolation<LottieVector2D>::interpolate(LottieVector2D from, LottieVector2D to, double amount) {
    return {lerp(from.x, to.x, amount), lerp(from.y, to.y, amount)};
}

LottieVector2D Interpolation<LottieVector2D>::interpolate(LottieVector2D from, LottieVector2D to, double amount,
                                                          const std::optional<Point>& spatialOutTangent,
                                                          const std::optional<Point>& spatialInTangent) {
    Point point =
        interpolateAlongMotionPath(from.pointValue(), to.pointValue(), amount, spatialOutTangent, spatialInTangent);
    return {point.x, point.y};
}

LottieVector3D Interpolation<LottieVector3D>::interpolate(const LottieVector3D& from, const LottieVector3D& to,
                                                          double amount) {
    return {lerp(from.x, to.x, amount), lerp(from.y, to.y, amount), lerp(from.z, to.z, amount)};
}

LottieVector3D Interpolation<LottieVector3D>::interpolate(const LottieVector3D& from, const LottieVector3D& to,
                                                          double amount, const std::optional<Point>& spatialOutTangent,
                                                          const std::optional<Point>& spatialInTangent) {
    Point point =
        interpolateAlongMotionPath(from.pointValue(), to.pointValue(), amount, spatialOutTangent, spatialInTangent);
    return {point.x, point.y, lerp(from.z, to.z, amount)};
}

void assertSameElementCount(std::size_t fromCount, std::size_t toCount) {
    LottieLogger::shared()->assert_(
        [fromCount, toCount] { return fromCount == toCount; },
        [] { return std::string("When interpolating Arrays, both array sound have the same element count."); },
        arrayCountFile, arrayCountLine);
}

}  // namespace lottie
