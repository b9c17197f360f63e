// The drawing rows of the feature matrix: each shape item filled and stroked,
// each style on a star, each modifier on a rectangle and an ellipse, and every
// one of them with its styles at 100 %, at 50 % and fading as it plays.

#include "tests/EngineComparison/FeatureMatrix.h"

#include <functional>

#include "tests/EngineComparison/Support/ShapeItems.h"

namespace enginematrix {

namespace {

constexpr double side = 100;
constexpr double endFrame = 30;

// The repeater row's copies: how many, how far apart, and their opacities.
constexpr int copies = 3;
constexpr PathPoint copyStep = {30, 0};
constexpr double firstCopyOpacity = 100;
constexpr double lastCopyOpacity = 40;

struct StyleOpacity {
    const char* suffix;
    Value value;
};

std::vector<StyleOpacity> styleOpacities() {
    return {{"opaque", fixed(100.0)},
            {"half", fixed(50.0)},
            {"fading", animated({{0, 100.0}, {endFrame, 20.0}})}};
}

Value red() { return fixed(numbers({0.85, 0.2, 0.15})); }
Value blue() { return fixed(numbers({0.1, 0.25, 0.8})); }

DocumentBuilder drawing(const std::string& name, Array items) {
    DocumentBuilder document(name, side, endFrame);
    document.layer(LayerBuilder::shapes("Drawing", {group(std::move(items), groupTransform({4, -3}, 10))}));
    return document;
}

// A shape item drawn by the rows; the style opacity is the row's.
struct Feature {
    std::string name;
    std::function<Array(const Value& opacity)> items;
};

std::vector<Feature> shapeFeatures() {
    const auto filledAndStroked = [](Value shape) {
        return [shape](const Value& opacity) {
            return Array{shape, fill(red(), opacity), stroke(blue(), 4, opacity)};
        };
    };
    const auto square = BezierShape::square({50, 50}, 28).json();
    const auto circle = BezierShape::circle({50, 50}, 32).json();
    return {
        {"rectangle", filledAndStroked(rectangle({50, 50}, 60, 40, fixed(0.0)))},
        {"rounded_rectangle", filledAndStroked(rectangle({50, 50}, 60, 40, fixed(12.0)))},
        // Narrower than its radius allows at each keyframe, wide enough halfway.
        {"rounded_rectangle_turning",
         filledAndStroked(withMember(rectangle({50, 50}, 60, 12, fixed(10.0)), "s",
                                     animated({{0, numbers({60, 12})}, {endFrame, numbers({12, 60})}})))},
        {"rectangle_rounding_from_square", filledAndStroked(rectangle({50, 50}, 60, 40, animated({{0, 0.0}, {endFrame, 15.0}})))},
        {"rectangle_rounding_less", filledAndStroked(rectangle({50, 50}, 60, 40, animated({{0, 60.0}, {endFrame, 10.0}})))},
        {"ellipse", filledAndStroked(ellipse({50, 50}, 60, 40))},
        {"star", filledAndStroked(star({50, 50}, 40, 18, fixed(0.0)))},
        {"rounded_star", filledAndStroked(star({50, 50}, 40, 18, fixed(40.0)))},
        {"polygon", filledAndStroked(polygon({50, 50}, 40, fixed(0.0)))},
        {"rounded_polygon", filledAndStroked(polygon({50, 50}, 40, fixed(40.0)))},
        // Real documents round their points by up to a few hundred percent.
        {"star_rounded_past_full", filledAndStroked(star({50, 50}, 40, 18, fixed(230.0)))},
        {"polygon_rounded_past_full", filledAndStroked(polygon({50, 50}, 40, fixed(190.0)))},
        {"path", filledAndStroked(path(fixed(BezierShape::zigzag({14, 30}, 12, 3).json())))},
        {"path_straight_to_curved", filledAndStroked(path(animated({{0, square}, {15, circle}, {endFrame, square}})))},
    };
}

std::vector<Feature> styleFeatures() {
    const Value shape = star({50, 50}, 40, 18, fixed(0.0));
    std::vector<Feature> features = {
        {"fill", [shape](const Value& opacity) { return Array{shape, fill(red(), opacity)}; }},
        {"stroke", [shape](const Value& opacity) { return Array{shape, stroke(blue(), 6, opacity)}; }},
    };
    // Each look of a gradient by name: linear or radial, with or without
    // opacity stops, with a highlight.
    const std::vector<std::pair<const char*, GradientLook>> looks = {
        {"linear", {false, false, false}},
        {"linear_opacity_stops", {false, true, false}},
        {"radial", {true, false, false}},
        {"radial_opacity_stops", {true, true, false}},
        {"radial_highlight", {true, false, true}},
    };
    for (bool stroked : {false, true}) {
        for (const auto& named : looks) {
            const GradientLook look = named.second;
            // A radial gradient centred off the star's centre, so that a ramp
            // placed in the wrong space shows.
            const PathPoint start = look.radial ? PathPoint{40, 42} : PathPoint{15, 15};
            const PathPoint end = look.radial ? PathPoint{80, 70} : PathPoint{85, 85};
            features.push_back({std::string(stroked ? "gradient_stroke_" : "gradient_fill_") + named.first,
                                [shape, stroked, look, start, end](const Value& opacity) {
                                    return Array{shape, stroked ? gradientStroke(look, start, end, 6, opacity)
                                                                : gradientFill(look, start, end, opacity)};
                                }});
        }
    }
    return features;
}

Array twoShapes() {
    return {rectangle({30, 50}, 36, 60, fixed(0.0)), ellipse({72, 50}, 36, 60)};
}

std::vector<Feature> modifierFeatures() {
    const auto trimmed = [](TrimMode mode) {
        return [mode](const Value& opacity) {
            Array items = twoShapes();
            items.push_back(trim(animated({{0, 0.0}, {endFrame, 30.0}}), fixed(75.0), 20, mode));
            items.push_back(stroke(blue(), 5, opacity));
            return items;
        };
    };
    return {
        {"trim_simultaneously", trimmed(TrimMode::simultaneously)},
        {"trim_individually", trimmed(TrimMode::individually)},
        {"rounded_corners",
         [](const Value& opacity) {
             return Array{rectangle({30, 50}, 36, 60, fixed(0.0)), path(fixed(BezierShape::square({72, 50}, 18).json())),
                          roundedCorners(animated({{0, 4.0}, {endFrame, 14.0}})), fill(red(), opacity),
                          stroke(blue(), 3, opacity)};
         }},
        {"rounded_corners_on_star",
         [](const Value& opacity) {
             return Array{star({50, 50}, 40, 18, fixed(0.0)), roundedCorners(fixed(8.0)), fill(red(), opacity)};
         }},
        {"repeater",
         [](const Value& opacity) {
             return Array{rectangle({20, 50}, 16, 40, fixed(0.0)), fill(red(), opacity),
                          repeater(copies, copyStep, firstCopyOpacity, lastCopyOpacity)};
         }},
        {"merge",
         [](const Value& opacity) {
             Array items = twoShapes();
             items.push_back(merge(1));
             items.push_back(fill(red(), opacity));
             return items;
         }},
    };
}

// The repeater row's copies written out as groups, for the engine that does
// not draw repeaters: each moved by one more step, their opacity stepping from
// the start opacity to the end opacity.
DocumentBuilder repeatedByHand(const std::string& name, const Value& opacity) {
    Array groups;
    for (int copy = 0; copy < copies; ++copy) {
        const double share = static_cast<double>(copy) / (copies - 1);
        groups.push_back(group({rectangle({20, 50}, 16, 40, fixed(0.0)), fill(red(), opacity)},
                               groupTransform({copyStep.x * copy, copyStep.y * copy}, 0,
                                              fixed(firstCopyOpacity + (lastCopyOpacity - firstCopyOpacity) * share))));
    }
    return drawing(name, std::move(groups));
}

}  // namespace

std::vector<MatrixRow> drawingRows() {
    std::vector<MatrixRow> rows;
    for (const auto& features : {shapeFeatures(), styleFeatures(), modifierFeatures()}) {
        for (const Feature& feature : features) {
            for (const StyleOpacity& opacity : styleOpacities()) {
                const std::string name = feature.name + "_" + opacity.suffix;
                MatrixRow row{name, drawing(name, feature.items(opacity.value))};
                if (feature.name == "repeater") row.mainThreadDocument = repeatedByHand(name, opacity.value);
                rows.push_back(std::move(row));
            }
        }
    }
    return rows;
}

std::vector<MatrixRow> featureMatrix() {
    std::vector<MatrixRow> rows = drawingRows();
    for (MatrixRow& row : layerRows()) rows.push_back(std::move(row));
    for (MatrixRow& row : combinationRows()) rows.push_back(std::move(row));
    for (MatrixRow& row : groupRows()) rows.push_back(std::move(row));
    for (MatrixRow& row : keyTimeRows()) rows.push_back(std::move(row));
    for (MatrixRow& row : providerRows()) rows.push_back(std::move(row));
    return rows;
}

}  // namespace enginematrix
