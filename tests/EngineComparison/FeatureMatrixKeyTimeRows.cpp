// The key time rows of the feature matrix: keyframes that fall between whole
// frames or on the last frame, and paths whose shape changes between them: a
// precomposition whose time is remapped, up to the animation's last frame; a
// closed path morphing under mitred joins. Each is compared at whole frames,
// between them, at the key times themselves and at the last frame.

#include "tests/EngineComparison/FeatureMatrix.h"

#include "tests/EngineComparison/Support/ShapeItems.h"

namespace enginematrix {

namespace {

constexpr double side = 100;
constexpr double endFrame = 30;

constexpr Easing easeInOut = {0.333, 0, 0.667, 1};
constexpr Easing linear = {0, 0, 1, 1};

Value blue() { return fixed(numbers({0.1, 0.25, 0.8})); }

DocumentBuilder drawing(const std::string& name, Array items, std::vector<double> frames) {
    DocumentBuilder document(name, side, endFrame);
    document.layer(LayerBuilder::shapes("Drawing", {group(std::move(items), groupTransform())}));
    frames.push_back(endFrame);
    document.compareAlso(std::move(frames));
    return document;
}

// A stroke with butt caps and mitred joins, whose corners show every join.
Value mitredStroke(double width) {
    return withMember(withMember(stroke(blue(), width, fixed(100.0)), "lc", Value::integer(1)), "lj", Value::integer(1));
}

// A closed triangle whose tip lies at the given height.
Value triangle(double tipY) {
    BezierShape shape;
    shape.vertices = {{22, 78}, {78, 78}, {50, tipY}};
    shape.inTangents.assign(3, {0, 0});
    shape.outTangents.assign(3, {0, 0});
    return shape.json();
}

// A precomposition whose time is remapped to the document's own, holding a
// bar that turns a quarter over the last ten frames.
MatrixRow remappedToTheLastFrame() {
    const std::string name = "remapped_precomposition_to_its_last_frame";
    DocumentBuilder document(name, side, endFrame);
    document
        .precomposition("bar", {LayerBuilder::shapes("Bar", {group({rectangle({0, 0}, 70, 10, fixed(0.0)), fill(blue(), fixed(100.0))},
                                                                  groupTransform())})
                                    .position(fixed(numbers({50, 50, 0})))
                                    .rotation(animated({{20, 0.0}, {endFrame, 90.0}}, linear))})
        .layer(LayerBuilder::precomposition("Remapped", "bar", side, side)
                   .timeRemap(animated({{0, 0.0}, {endFrame, endFrame / 30}}, linear)))
        .compareAlso({20, 25.5, 29, 29.5, endFrame});
    return {name, std::move(document)};
}

// A closed triangle whose tip moves: its first vertex is a join like the others.
MatrixRow closedPathMorphing() {
    const std::string name = "closed_path_morphing_with_mitred_joins";
    return {name, drawing(name, {path(animated({{0, triangle(30)}, {12.5, triangle(12)}, {endFrame, triangle(40)}}, easeInOut)),
                                 mitredStroke(8)},
                          {6, 6.5, 12.5, 20.25})};
}

}  // namespace

std::vector<MatrixRow> keyTimeRows() {
    return {remappedToTheLastFrame(), closedPathMorphing()};
}

}  // namespace enginematrix
