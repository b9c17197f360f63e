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

double DrawingCost::fill(const Outline& outline, double pixels, BlendMode mode) {
    return segmentCost * atLeastZero(outline.segments) + edgeRowCost * atLeastZero(outline.edgeRows) +
           DrawingCost::pixels(pixels, mode);
}

double DrawingCost::stroke(const Outline& outline, double dashPieces, double penVertices, double pixels,
                           BlendMode mode) {
    const double pieces = atLeastZero(outline.segments) + atLeastZero(dashPieces);
    // Both sides of every segment are edges of the stroke's outline.
    return pieces * (segmentCost + penVertexCost * atLeastZero(penVertices)) + dashPieceCost * atLeastZero(dashPieces) +
           2 * edgeRowCost * atLeastZero(outline.edgeRows) + DrawingCost::pixels(pixels, mode);
}

double DrawingCost::gradient(double stops, double pixels, BlendMode mode) {
    // A gradient pixel is computed before it is laid down.
    return stopCost * atLeastZero(stops) + 2 * DrawingCost::pixels(pixels, mode);
}

double DrawingCost::image(double sourcePixels, double pixels, BlendMode mode) {
    return sourcePixelCost * atLeastZero(sourcePixels) + 2 * DrawingCost::pixels(pixels, mode);
}

}  // namespace platform::graphics
