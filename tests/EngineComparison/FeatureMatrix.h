#pragma once
// The feature matrix of the engine comparison: one small document per feature
// and combination (every shape, style and modifier at three opacities; masks
// of each mode; mattes; precompositions; drop shadows; layers handing over;
// parenting), generated here rather than kept as files. The matrix tests own
// the rows for the run.

#include <optional>
#include <string>
#include <vector>

#include "tests/EngineComparison/Support/DocumentBuilder.h"

namespace enginematrix {

struct MatrixRow {
    // Unique; letters, digits and underscores, since tests are named after it.
    std::string name;
    DocumentBuilder document;
    // What the main-thread engine draws instead, when that engine does not draw
    // the row's feature: the same picture written without it.
    std::optional<DocumentBuilder> mainThreadDocument = std::nullopt;
};

// Shape items, styles and modifiers, each at a style opacity of 100 %, 50 % and animated.
std::vector<MatrixRow> drawingRows();
// Masks, mattes, precompositions, drop shadows, in and out points and parenting.
std::vector<MatrixRow> layerRows();
// Parameters that animate together, trims between whole frames and in a row,
// scales through zero and mirrored along motion paths, rounded corners on
// rounded rectangles and gradient points that meet, compared between frames.
std::vector<MatrixRow> combinationRows();
// What a group gives its items: the order of strokes and fills, one drawing over
// several shapes, fills and strokes reaching into child groups.
std::vector<MatrixRow> groupRows();
// Keyframes between whole frames and at the last frame: trims of paths that
// turn between frames, remapped time up to the end, closed paths that morph,
// a star spinning fast under a radial gradient stroke.
std::vector<MatrixRow> keyTimeRows();
// All of the above.
std::vector<MatrixRow> featureMatrix();

}  // namespace enginematrix
