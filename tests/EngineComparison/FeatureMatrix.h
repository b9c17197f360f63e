#pragma once
// The feature matrix of the engine comparison: one small document per feature
// and combination (every shape, style and modifier at three opacities; masks
// of each mode; mattes; precompositions; drop shadows; layers handing over;
// parenting), generated here rather than kept as files. The matrix tests own
// the rows for the run.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"

#include "tests/EngineComparison/Support/DocumentBuilder.h"

namespace enginematrix {

// A value provider both engines' animation layers take before the row is drawn.
struct ProvidedValue {
    // Keys joined with ".".
    std::string keypath;
    std::function<std::shared_ptr<lottie::AnyValueProvider>()> make;
};

struct MatrixRow {
    // Unique; letters, digits and underscores, since tests are named after it.
    std::string name;
    DocumentBuilder document;
    // What the main-thread engine draws instead, when that engine does not draw
    // the row's feature: the same picture written without it.
    std::optional<DocumentBuilder> mainThreadDocument = std::nullopt;
    std::vector<ProvidedValue> providers = {};
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
// a star spinning fast under a radial gradient stroke, remapped time that
// stays on the out frame of the layer inside.
std::vector<MatrixRow> keyTimeRows();
// Value providers on groups whose transform the Core Animation engine takes in
// while it builds its layers (paths drawn by a fill of an outer level, strokes
// and gradients handed down into a group), each beside its twin whose
// document holds the provider's value.
std::vector<MatrixRow> providerRows();
// All of the above.
std::vector<MatrixRow> featureMatrix();

}  // namespace enginematrix
