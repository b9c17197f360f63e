#pragma once
// Small random shape trees for comparing the two engines: groups nested a few
// deep holding free paths, rectangles, ellipses, stars and polygons drawn
// either way round (stars that turn, rectangles with their own radius);
// fills by either rule, strokes, gradient fills and strokes at several
// opacities; trims, one or two in a row, rounded corners; and group
// transforms that move, turn, scale (mirrored, or flipping through zero) and
// fade. The same seed gives the same trees on every run
// and every platform (the generator draws its numbers from the raw output of
// a Mersenne Twister). Owned by the test that asks for the trees.

#include <cstdint>
#include <random>
#include <string>

#include "tests/EngineComparison/Support/DocumentBuilder.h"

namespace enginematrix {

class ShapeTreeGenerator {
public:
    static constexpr double side = 100;
    static constexpr double endFrame = 30;

    explicit ShapeTreeGenerator(std::uint32_t seed) : random_(seed) {}

    // The next tree, as a document of one shape layer named after `index`.
    DocumentBuilder next(int index);

private:
    // One level of items; `depth` counts the groups around it.
    Array items(int depth);
    Value pathItem();
    Value drawingItem();
    Value modifierItem();
    Value transform();
    Value freePath();
    Value colour();
    Value styleOpacity();

    // 0 up to, not including, `count`.
    int below(int count);
    // Uniform in [low, high).
    double between(double low, double high);
    bool chance(double probability);

    std::mt19937 random_;
    // A tree that may hold rounded corners has only square-cornered
    // rectangles, and one trim a tree keeps paths from being trimmed twice.
    bool roundsCorners_ = false;
    bool trims_ = false;
};

}  // namespace enginematrix
