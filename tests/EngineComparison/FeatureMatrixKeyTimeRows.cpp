// The key time rows of the feature matrix: keyframes that fall between whole
// frames or on the last frame, and paths whose shape changes between them.
// Trims whose path turns between frames, whose offset is keyed every quarter
// frame or that change and come back within a frame; a precomposition whose
// time is remapped, up to the animation's last frame or onto the out frame of
// the layer inside; a closed path morphing
// under mitred joins; a star spinning fast under its easing. Each is compared
// at whole frames, between them, at the key times themselves and at the last
// frame.

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

// An open zigzag whose middle vertex swings from low to high and back.
Value zigzag(double middleY) {
    BezierShape shape;
    shape.closed = false;
    shape.vertices = {{10, 50}, {35, 30}, {50, middleY}, {65, 30}, {90, 50}};
    shape.inTangents.assign(5, {0, 0});
    shape.outTangents.assign(5, {0, 0});
    return shape.json();
}

// A closed triangle whose tip lies at the given height.
Value triangle(double tipY) {
    BezierShape shape;
    shape.vertices = {{22, 78}, {78, 78}, {50, tipY}};
    shape.inTangents.assign(3, {0, 0});
    shape.outTangents.assign(3, {0, 0});
    return shape.json();
}

std::vector<MatrixRow> trimRows() {
    std::vector<MatrixRow> rows;
    // The motion turns sharply at the middle keyframe, between frames 10 and 11.
    const Value turning = path(animated({{0.4, zigzag(75)}, {10.888, zigzag(15)}, {21.3, zigzag(75)}}, linear));
    rows.push_back({"trim_of_a_path_turning_between_frames",
                    drawing("trim_of_a_path_turning_between_frames",
                            {turning, trim(fixed(2.0), fixed(95.0), 0, TrimMode::simultaneously), mitredStroke(4)},
                            {10, 10.5, 10.888, 11, 11.5, 21.3})});
    // Forth and back every quarter frame: no whole frame sees it move.
    std::vector<Keyframe> quarters;
    for (int quarter = 0; quarter <= 8; ++quarter) quarters.push_back({10 + quarter * 0.25, quarter % 2 == 0 ? 0.0 : 120.0});
    rows.push_back({"trim_offset_keyed_every_quarter_frame",
                    drawing("trim_offset_keyed_every_quarter_frame",
                            {path(fixed(zigzag(75))),
                             withMember(trim(fixed(10.0), fixed(60.0), 0, TrimMode::simultaneously), "o", animated(quarters, linear)),
                             mitredStroke(4)},
                            {10, 10.25, 10.5, 10.75, 11, 11.75, 12})});
    // The end shortens and comes back between frames 14 and 15.
    rows.push_back({"trim_changing_and_back_within_a_frame",
                    drawing("trim_changing_and_back_within_a_frame",
                            {path(fixed(zigzag(75))),
                             trim(fixed(0.0), animated({{14.2, 95.0}, {14.5, 40.0}, {14.8, 95.0}}, linear), 0,
                                  TrimMode::simultaneously),
                             mitredStroke(4)},
                            {14, 14.2, 14.4, 14.5, 14.6, 14.8, 15})});
    return rows;
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

// A precomposition whose remapped time comes to the out frame of the bar in
// it ten frames before the end and stays there: the bar is hidden from then
// on, and shows again at the end frame alone, which the animation keeps
// showing once finished.
MatrixRow remappedOntoTheOutFrame() {
    const std::string name = "remapped_precomposition_onto_the_out_frame_inside";
    constexpr double outFrame = 20;
    DocumentBuilder document(name, side, endFrame);
    document
        .precomposition("bar", {LayerBuilder::shapes("Bar", {group({rectangle({0, 0}, 70, 10, fixed(0.0)), fill(blue(), fixed(100.0))},
                                                                  groupTransform())})
                                    .position(fixed(numbers({50, 50, 0})))
                                    .showing(0, outFrame)})
        .layer(LayerBuilder::precomposition("Remapped", "bar", side, side)
                   .timeRemap(animated({{0, 0.0}, {outFrame, outFrame / 30}}, linear)))
        .compareAlso({19, 19.5, outFrame, 25, 29, endFrame});
    return {name, std::move(document)};
}

// A closed triangle whose tip moves: its first vertex is a join like the others.
MatrixRow closedPathMorphing() {
    const std::string name = "closed_path_morphing_with_mitred_joins";
    return {name, drawing(name, {path(animated({{0, triangle(30)}, {12.5, triangle(12)}, {endFrame, triangle(40)}}, easeInOut)),
                                 mitredStroke(8)},
                          {6, 6.5, 12.5, 20.25})};
}

// A star spinning two turns under a strong easing, stroked with a radial
// gradient centred off the star: at its fastest it turns by more than ten
// degrees a tenth of a frame.
MatrixRow spinningStar() {
    const std::string name = "star_spinning_eased_with_a_radial_gradient_stroke";
    const Value spinning = withMember(star({50, 50}, 40, 18, fixed(0.0)), "r", animated({{2, 0.0}, {28, 720.0}}, {0.8, 0, 0.2, 1}));
    return {name, drawing(name, {spinning, gradientStroke({true, false, false}, {40, 42}, {80, 70}, 6, fixed(100.0))},
                          {2, 13.75, 14.25, 14.75, 15, 15.25, 15.75, 28})};
}

}  // namespace

std::vector<MatrixRow> keyTimeRows() {
    std::vector<MatrixRow> rows = trimRows();
    rows.push_back(remappedToTheLastFrame());
    rows.push_back(remappedOntoTheOutFrame());
    rows.push_back(closedPathMorphing());
    rows.push_back(spinningStar());
    return rows;
}

}  // namespace enginematrix
