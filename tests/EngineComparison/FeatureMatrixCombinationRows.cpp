// The combination rows of the feature matrix: stars and polygons whose every
// parameter animates, alone and together, each with its own easing; trims
// eased across a corner and compared between whole frames, in a stretched
// precomposition and two in a row; layers and groups mirrored or scaled
// through zero while they move along curved motion paths, and flipping with a
// held keyframe, also in a late stretched precomposition; rounded corners on
// rectangles that round their own corners; gradients whose start and end
// points meet between keyframes; and gradients that an outer group hands to a
// group that skews, scales unevenly or mirrors what it draws. Each is compared at whole frames and at
// frames between them, where a value held from one keyframe to the next, or
// two paths blended point by point, shows.

#include "tests/EngineComparison/FeatureMatrix.h"

#include <functional>

#include "tests/EngineComparison/Support/ShapeItems.h"

namespace enginematrix {

namespace {

constexpr double side = 100;
constexpr double endFrame = 30;

// Frames between whole frames, where the compositor interpolates by itself.
const std::vector<double>& betweenFrames() {
    static const std::vector<double> frames = {5.3, 6.25, 6.5, 6.75, 10.4, 12, 15.5, 15.6, 19.25, 19.5, 19.75, 25.6};
    return frames;
}

constexpr Easing easeInOut = {0.333, 0, 0.667, 1};
constexpr Easing easeOut = {0.2, 0.6, 0.5, 1};
constexpr Easing overshoot = {0.4, 0, 0.3, 1.4};
constexpr Easing linear = {0, 0, 1, 1};

// Keyframes of a point that moves along curves: each leaves its point towards
// `out` and reaches the next from `in`.
Value curved(std::vector<Keyframe> keyframes, Easing easing, Value out, Value in) {
    const MotionTangents tangents{std::move(out), std::move(in)};
    return animated(std::move(keyframes), easing, &tangents);
}

// Sets the value of an item's member that the shape item builders hold still.
void replaceMember(Value& item, const char* key, Value value) {
    for (auto& member : *item.asObject()) {
        if (member.key == key) member.value = value;
    }
}

Value colour(double red, double green, double blue) { return fixed(numbers({red, green, blue})); }

DocumentBuilder compared(const std::string& name, double end = endFrame) {
    DocumentBuilder document(name, side, end);
    document.compareAlso(betweenFrames());
    return document;
}

DocumentBuilder drawing(const std::string& name, Array items, double end = endFrame) {
    DocumentBuilder document = compared(name, end);
    document.layer(LayerBuilder::shapes("Drawing", {group(std::move(items), groupTransform())}));
    return document;
}

// The parameters of a star or a polygon (the inner ones only for a star).
struct StarParameters {
    Value position = fixed(numbers({50, 50}));
    Value outerRadius = fixed(38.0);
    Value innerRadius = fixed(17.0);
    Value outerRoundness = fixed(0.0);
    Value innerRoundness = fixed(0.0);
    Value points = fixed(5.0);
    Value rotation = fixed(0.0);
};

Value starItem(bool polygon, const StarParameters& parameters) {
    Object item{{"ty", "sr"},
                {"sy", Value::integer(polygon ? 2 : 1)},
                {"d", Value::integer(1)},
                {"p", parameters.position},
                {"or", parameters.outerRadius},
                {"os", parameters.outerRoundness},
                {"pt", parameters.points},
                {"r", parameters.rotation}};
    if (!polygon) {
        item.push_back({"ir", parameters.innerRadius});
        item.push_back({"is", parameters.innerRoundness});
    }
    return item;
}

// One parameter of a star set by a row.
struct StarChange {
    const char* name;
    bool starOnly;
    std::function<void(StarParameters&)> apply;
};

std::vector<StarChange> starChanges() {
    return {
        {"rotation", false,
         [](StarParameters& p) { p.rotation = animated({{5, 0.0}, {25, 180.0}}, easeInOut); }},
        {"rotation_small", false,
         [](StarParameters& p) { p.rotation = animated({{5, 0.0}, {25, 36.0}}, easeOut); }},
        {"points", false, [](StarParameters& p) { p.points = animated({{5, 5.0}, {25, 8.0}}, easeInOut); }},
        {"position", false,
         [](StarParameters& p) {
             p.position = curved({{5, numbers({38, 40})}, {25, numbers({62, 60})}}, easeInOut, numbers({30, -10}), numbers({10, 25}));
         }},
        {"outer_radius", false,
         [](StarParameters& p) { p.outerRadius = animated({{5, 40.0}, {25, 26.0}}, easeInOut); }},
        {"inner_radius", true,
         [](StarParameters& p) { p.innerRadius = animated({{5, 20.0}, {25, 8.0}}, easeInOut); }},
        {"outer_roundness", false,
         [](StarParameters& p) { p.outerRoundness = animated({{5, 0.0}, {25, 70.0}}, easeInOut); }},
        {"inner_roundness", true,
         [](StarParameters& p) { p.innerRoundness = animated({{5, 0.0}, {25, 60.0}}, easeInOut); }},
    };
}

// Every parameter at once, each with keyframes and an easing of its own.
void changeEverything(StarParameters& p) {
    p.position = curved({{0, numbers({45, 48})}, {30, numbers({55, 52})}}, easeOut, numbers({8, -12}), numbers({-6, 10}));
    p.outerRadius = animated({{3, 36.0}, {21, 40.0}}, easeInOut);
    p.innerRadius = animated({{8, 14.0}, {28, 20.0}}, overshoot);
    p.outerRoundness = animated({{2, 10.0}, {27, 50.0}}, overshoot);
    p.innerRoundness = animated({{4, 30.0}, {17, 0.0}}, easeOut);
    p.points = animated({{6, 6.0}, {24, 4.0}}, easeOut);
    p.rotation = animated({{1, -20.0}, {29, 140.0}}, easeInOut);
}

std::vector<MatrixRow> starRows() {
    std::vector<MatrixRow> rows;
    for (bool polygon : {false, true}) {
        const std::string prefix = polygon ? "polygon_animating_" : "star_animating_";
        std::vector<std::pair<std::string, std::function<void(StarParameters&)>>> variants;
        for (const StarChange& change : starChanges()) {
            if (!polygon || !change.starOnly) variants.emplace_back(change.name, change.apply);
        }
        variants.emplace_back("everything", changeEverything);
        for (const auto& [name, apply] : variants) {
            StarParameters parameters;
            if (polygon) parameters.points = fixed(6.0);
            apply(parameters);
            const std::string rowName = prefix + name;
            rows.push_back({rowName, drawing(rowName, {starItem(polygon, parameters), fill(colour(0.85, 0.2, 0.15), fixed(100.0)),
                                                       stroke(colour(0.1, 0.25, 0.8), 3, fixed(100.0))})});
        }
    }
    return rows;
}

// Two straight segments at a right angle, open.
Value cornerPath() {
    BezierShape shape;
    shape.closed = false;
    shape.vertices = {{18, 20}, {80, 20}, {80, 82}};
    shape.inTangents.assign(3, {0, 0});
    shape.outTangents.assign(3, {0, 0});
    return path(fixed(shape.json()));
}

// The start of the trim eased from the path's end to its start, as a real
// document has it.
Array trimmedAcrossTheCorner() {
    return {cornerPath(), trim(animated({{6, 100.0}, {30, 0.0}}, easeInOut), fixed(100.0), 0, TrimMode::simultaneously),
            stroke(colour(0.1, 0.25, 0.8), 6, fixed(100.0))};
}

Value line() {
    BezierShape shape;
    shape.closed = false;
    shape.vertices = {{10, 50}, {90, 50}};
    shape.inTangents.assign(2, {0, 0});
    shape.outTangents.assign(2, {0, 0});
    return path(fixed(shape.json()));
}

std::vector<MatrixRow> trimRows() {
    std::vector<MatrixRow> rows;
    rows.push_back({"trim_eased_across_a_corner", drawing("trim_eased_across_a_corner", trimmedAcrossTheCorner(), 31)});

    // Stretched, the precomposition's frames fall between whole frames.
    DocumentBuilder stretched = compared("trim_eased_in_a_stretched_precomposition", 31);
    stretched.precomposition("trimmed", {LayerBuilder::shapes("Trimmed", {group(trimmedAcrossTheCorner(), groupTransform())})})
        .layer(LayerBuilder::precomposition("Stretched", "trimmed", side, side).timing(0, 0.8));
    rows.push_back({"trim_eased_in_a_stretched_precomposition", std::move(stretched)});

    // The second trim cuts what the first left: half of half the line.
    rows.push_back({"trims_in_a_row", drawing("trims_in_a_row", {line(), trim(fixed(0.0), fixed(50.0), 0, TrimMode::simultaneously),
                                                                  trim(fixed(0.0), fixed(50.0), 0, TrimMode::simultaneously),
                                                                  stroke(colour(0.1, 0.25, 0.8), 8, fixed(100.0))})});
    rows.push_back({"trims_in_a_row_animated",
                    drawing("trims_in_a_row_animated",
                            {cornerPath(), trim(fixed(10.0), animated({{0, 100.0}, {24, 40.0}}, easeInOut), 0, TrimMode::simultaneously),
                             trim(animated({{4, 0.0}, {28, 60.0}}, easeOut), fixed(90.0), 30, TrimMode::simultaneously),
                             stroke(colour(0.1, 0.25, 0.8), 6, fixed(100.0))})});
    return rows;
}

// An arrow-like drawing around the layer's origin, so that a mirror image or
// a half turn shows.
Array pointer() {
    return {group({rectangle({6, 0}, 28, 12, fixed(0.0)), rectangle({16, -8}, 8, 8, fixed(0.0)),
                   fill(colour(0.8, 0.3, 0.2), fixed(100.0))},
                  groupTransform())};
}

Value curvedPosition() {
    return curved({{0, numbers({25, 30, 0})}, {15, numbers({70, 40, 0})}, {30, numbers({40, 75, 0})}}, easeInOut,
                  numbers({30, -25, 0}), numbers({20, -30, 0}));
}

std::vector<MatrixRow> scaleRows() {
    struct Scaled {
        const char* name;
        Value scale;
        bool moves;
    };
    const std::vector<Scaled> scales = {
        {"mirrored_layer_on_a_motion_path", fixed(numbers({-100, 100, 100})), true},
        {"upside_down_layer_on_a_motion_path", fixed(numbers({-100, -100, 100})), true},
        {"layer_scaled_through_zero", animated({{0, numbers({130, 130, 100})}, {20, numbers({-1, -1, 100})}}, easeInOut),
         false},
        {"layer_mirroring_on_a_motion_path",
         animated({{2, numbers({100, 100, 100})}, {26, numbers({-100, 100, 100})}}, easeOut), true},
    };
    std::vector<MatrixRow> rows;
    for (const Scaled& scaled : scales) {
        DocumentBuilder document = compared(scaled.name);
        document.layer(LayerBuilder::shapes("Scaled", pointer())
                           .scale(scaled.scale)
                           .position(scaled.moves ? curvedPosition() : fixed(numbers({50, 50, 0}))));
        rows.push_back({scaled.name, std::move(document)});
    }
    // Flipping and turning, keyed at other times, the flip held from frame 8
    // to 17 and also compared in the tenth of a frame before 17, where the
    // held matrix must not yet blend into the next; and the same in a
    // precomposition that starts late and plays stretched, so that its
    // frames fall between the document's (its 16.94 at 15.55).
    Value flips = animated({{0, numbers({100, 100, 100})}, {8, numbers({-100, 100, 100})}, {17, numbers({-60, 90, 100})},
                            {26, numbers({100, 100, 100})}},
                           easeInOut);
    for (auto& member : *flips.asObject()) {
        if (member.key == "k") (*member.value.asArray())[1].asObject()->push_back({"h", 1.0});
    }
    const auto flipping = [&] {
        return LayerBuilder::shapes("Flipping", pointer())
            .scale(flips)
            .rotation(animated({{3, 0.0}, {27, 200.0}}, overshoot))
            .position(curvedPosition());
    };
    DocumentBuilder held = compared("layer_flipping_held_while_turning");
    held.layer(flipping()).compareAlso({16.95});
    rows.push_back({"layer_flipping_held_while_turning", std::move(held)});
    DocumentBuilder stretched = compared("layer_flipping_in_a_stretched_precomposition");
    stretched.precomposition("flipping", {flipping()})
        .layer(LayerBuilder::precomposition("Stretched", "flipping", side, side).timing(2, 0.8))
        .compareAlso({15.55});
    rows.push_back({"layer_flipping_in_a_stretched_precomposition", std::move(stretched)});
    // A group inside the layer scaled through zero on both axes.
    Value transform = groupTransform({50, 50});
    replaceMember(transform, "s", animated({{0, numbers({120, 120})}, {24, numbers({-60, -60})}}, easeInOut));
    rows.push_back({"group_scaled_through_zero", drawing("group_scaled_through_zero", {group(pointer(), transform)})});
    return rows;
}

std::vector<MatrixRow> roundedRectangleRows() {
    const auto rounded = [](const std::string& name, Value ownRadius, Value rounding) {
        return MatrixRow{name, drawing(name, {rectangle({50, 50}, 64, 44, std::move(ownRadius)), roundedCorners(std::move(rounding)),
                                              fill(colour(0.85, 0.2, 0.15), fixed(100.0)),
                                              stroke(colour(0.1, 0.25, 0.8), 3, fixed(100.0))})};
    };
    return {
        rounded("rounded_corners_on_a_rounded_rectangle", fixed(14.0), fixed(4.0)),
        rounded("rounding_corners_on_a_rounded_rectangle", fixed(6.0), animated({{0, 2.0}, {30, 20.0}}, easeInOut)),
        // Square at its first keyframe only, where the rounded corners show.
        rounded("rounded_corners_on_a_rectangle_rounding_from_square", animated({{0, 0.0}, {30, 16.0}}, easeOut), fixed(10.0)),
        rounded("rounded_corners_on_a_rectangle_squaring", animated({{0, 16.0}, {20, 0.0}}, easeInOut), fixed(10.0)),
    };
}

// A gradient item with its points animated instead of fixed.
Value withPoints(Value gradient, Value start, Value end) {
    replaceMember(gradient, "s", std::move(start));
    replaceMember(gradient, "e", std::move(end));
    return gradient;
}

std::vector<MatrixRow> gradientRows() {
    // The points meet at frame 12, two fifths of the way, which the numbers
    // reach only up to rounding.
    const Value start = animated({{0, numbers({20, 40})}, {30, numbers({80, 70})}}, linear);
    const Value end = animated({{0, numbers({80, 70})}, {30, numbers({-10, 25})}}, linear);
    const GradientLook linear = {false, false, false};
    const Value shape = rectangle({50, 50}, 70, 50, fixed(6.0));
    return {
        {"gradient_fill_points_meeting",
         drawing("gradient_fill_points_meeting", {shape, withPoints(gradientFill(linear, {0, 0}, {1, 1}, fixed(100.0)), start, end)})},
        {"gradient_stroke_points_meeting",
         drawing("gradient_stroke_points_meeting",
                 {shape, withPoints(gradientStroke(linear, {0, 0}, {1, 1}, 10, fixed(100.0)), start, end)})},
    };
}

// The transform of a group centred in the drawing that skews, scales or turns.
struct GroupShaping {
    const char* name;
    Value scale;
    Value skew;
    Value rotation;
};

std::vector<GroupShaping> groupShapings() {
    return {
        {"skewed", fixed(numbers({100, 100})), fixed(30.0), fixed(0.0)},
        {"skewing", fixed(numbers({100, 100})), animated({{0, 0.0}, {24, 40.0}}, easeInOut), fixed(0.0)},
        {"scaled_unevenly", fixed(numbers({150, 70})), fixed(0.0), fixed(0.0)},
        {"scaling_unevenly", animated({{0, numbers({100, 100})}, {24, numbers({160, 60})}}, easeInOut), fixed(0.0),
         fixed(0.0)},
        {"mirrored", fixed(numbers({-120, 120})), fixed(0.0), fixed(20.0)},
        {"mirrored_turning_and_growing", animated({{0, numbers({-80, 80})}, {24, numbers({-130, 130})}}, easeOut),
         fixed(0.0), animated({{0, -30.0}, {30, 60.0}}, easeInOut)},
    };
}

// A gradient fill in an outer group that colours the shape of an inner group:
// the gradient lies in the outer group's space, whatever the inner group does to
// its shape.
std::vector<MatrixRow> inheritedGradientRows() {
    std::vector<MatrixRow> rows;
    for (bool radial : {false, true}) {
        const GradientLook look = {radial, false, false};
        const Value gradient = radial ? gradientFill(look, {50, 50}, {80, 55}, fixed(100.0))
                                      : gradientFill(look, {28, 35}, {72, 62}, fixed(100.0));
        for (const GroupShaping& shaping : groupShapings()) {
            Value transform = groupTransform({50, 50});
            replaceMember(transform, "s", shaping.scale);
            replaceMember(transform, "r", shaping.rotation);
            transform.asObject()->push_back({"sk", shaping.skew});
            transform.asObject()->push_back({"sa", fixed(20.0)});
            const std::string name = std::string(radial ? "radial" : "linear") + "_gradient_inherited_by_a_group_" +
                                     shaping.name;
            rows.push_back({name, drawing(name, {group({rectangle({0, 0}, 44, 34, fixed(4.0))}, transform), gradient})});
        }
    }
    return rows;
}

}  // namespace

std::vector<MatrixRow> combinationRows() {
    std::vector<MatrixRow> rows;
    for (auto rowsOfKind : {starRows(), trimRows(), scaleRows(), roundedRectangleRows(), gradientRows(),
                             inheritedGradientRows()}) {
        for (MatrixRow& row : rowsOfKind) rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace enginematrix
