#include "Platform/Graphics/DrawingCost.h"

#include <algorithm>

namespace platform::graphics {

namespace {

// Per unit of work, in WorkBudget's units.
constexpr double segmentCost = 40;
constexpr double edgeRowCost = 6;
constexpr double dashPieceCost = 1500;
constexpr double penVertexCost = 25;
constexpr double stopCost = 30;
// Shading a pixel costs one unit more for every this many stops of its ramp.
constexpr double stopsPerShadedPixelUnit = 90;
constexpr double sourcePixelCost = 2;

// The non-separable modes convert every pixel to and from hue, saturation and
// luminosity; the separable ones work per channel.
double blendFactor(BlendMode mode) {
    switch (mode) {
        case BlendMode::normal:
        case BlendMode::clear:
        case BlendMode::copy:
            return 1;
        case BlendMode::hue:
        case BlendMode::saturation:
        case BlendMode::color:
        case BlendMode::luminosity:
            return 16;
        default:
            return 4;
    }
}

double atLeastZero(double value) { return value > 0 ? value : 0; }

}  // namespace

double DrawingCost::pixels(double pixels, BlendMode mode) { return atLeastZero(pixels) * blendFactor(mode); }

double DrawingCost::fill(const Outline& outline) {
    return segmentCost * atLeastZero(outline.segments) +
           edgeRowCost * (atLeastZero(outline.edgeRows) + atLeastZero(outline.edgeColumns));
}

double DrawingCost::stroke(const Outline& outline, double dashPieces, double segmentPenVertices,
                           double piecePenVertices) {
    const double segments = atLeastZero(outline.segments), pieces = atLeastZero(dashPieces);
    // Both sides of every segment are edges of the stroke's outline.
    return (segments + pieces) * segmentCost + penVertexCost * (segments * atLeastZero(segmentPenVertices) +
                                                                pieces * atLeastZero(piecePenVertices)) +
           dashPieceCost * pieces + 2 * edgeRowCost * (atLeastZero(outline.edgeRows) + atLeastZero(outline.edgeColumns));
}

double DrawingCost::gradient(double stops, double pixels) {
    return stopCost * atLeastZero(stops) + atLeastZero(pixels) * atLeastZero(stops) / stopsPerShadedPixelUnit;
}

double DrawingCost::image(double sourcePixels) { return sourcePixelCost * atLeastZero(sourcePixels); }

}  // namespace platform::graphics
