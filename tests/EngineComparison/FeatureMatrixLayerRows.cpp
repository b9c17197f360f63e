// The layer rows of the feature matrix: masks of every mode, inverted and
// not, holding still or morphing between straight and curved; track mattes of
// every kind; precompositions stretched, late and remapped; drop shadow effects
// and styles at several angles; layers handing over at their in and out
// points, precompositions also between whole frames; parents that rotate and
// mirror their children.

#include "tests/EngineComparison/FeatureMatrix.h"

#include "tests/EngineComparison/Support/ShapeItems.h"

namespace enginematrix {

namespace {

constexpr double side = 100;
constexpr double endFrame = 30;

Value colour(double red, double green, double blue) { return fixed(numbers({red, green, blue})); }

std::vector<MatrixRow> maskRows() {
    const Value square = BezierShape::square({58, 56}, 26).json();
    const Value circle = BezierShape::circle({58, 56}, 30).json();
    const std::vector<std::pair<const char*, Value>> paths = {
        {"still", fixed(circle)},
        {"morphing", animated({{0, square}, {15, circle}, {endFrame, square}})},
    };
    const std::vector<std::pair<const char*, const char*>> modes = {
        {"add", "a"},     {"subtract", "s"},   {"intersect", "i"}, {"lighten", "l"},
        {"darken", "d"}, {"difference", "f"}, {"none", "n"},
    };
    std::vector<MatrixRow> rows;
    for (const auto& [modeName, mode] : modes) {
        for (bool inverted : {false, true}) {
            for (const auto& [pathName, shape] : paths) {
                const std::string name =
                    std::string("mask_") + modeName + (inverted ? "_inverted_" : "_") + pathName;
                DocumentBuilder document(name, side, endFrame);
                // A first mask for the tested one to combine with.
                document.layer(LayerBuilder::solid("Masked", "#2266cc", side, side)
                                   .mask("a", false, fixed(BezierShape::square({44, 44}, 34).json()))
                                   .mask(mode, inverted, shape));
                rows.push_back({name, std::move(document)});
            }
        }
    }
    return rows;
}

std::vector<MatrixRow> matteRows() {
    const std::vector<std::pair<const char*, int>> mattes = {
        {"alpha", 1}, {"alpha_inverted", 2}, {"luma", 3}, {"luma_inverted", 4}};
    std::vector<MatrixRow> rows;
    for (const auto& [matteName, matteType] : mattes) {
        const std::string name = std::string("matte_") + matteName;
        DocumentBuilder document(name, side, endFrame);
        // Light and half transparent on one side, dark and opaque on the other,
        // so that alpha and luma mattes cut different pictures.
        document.layer(LayerBuilder::shapes("Matte", {group({ellipse({36, 50}, 50, 70), fill(colour(0.9, 0.9, 0.9), fixed(60.0))},
                                                          groupTransform()),
                                                    group({ellipse({66, 50}, 40, 60), fill(colour(0.3, 0.3, 0.3), fixed(100.0))},
                                                          groupTransform())})
                           .position(animated({{0, numbers({-10, 0, 0})}, {endFrame, numbers({10, 0, 0})}}))
                           .matteSource());
        document.layer(LayerBuilder::solid("Matted", "#dd4422", side, side).mattedBy(matteType));
        rows.push_back({name, std::move(document)});
    }
    return rows;
}

std::vector<MatrixRow> precompositionRows() {
    const std::vector<LayerBuilder> inner = {
        LayerBuilder::shapes("Mover", {group({rectangle({0, 0}, 24, 24, fixed(4.0)), fill(colour(0.9, 0.5, 0.1), fixed(100.0))},
                                             groupTransform())})
            .position(animated({{0, numbers({20, 20, 0})}, {endFrame, numbers({80, 70, 0})}})),
        LayerBuilder::solid("Back", "#cccccc", 90, 90).position(fixed(numbers({5, 5, 0}))),
    };
    struct Timing {
        const char* name;
        std::function<void(LayerBuilder&)> apply;
    };
    const std::vector<Timing> timings = {
        {"plain", [](LayerBuilder&) {}},
        {"stretched", [](LayerBuilder& layer) { layer.timing(0, 2); }},
        {"compressed", [](LayerBuilder& layer) { layer.timing(0, 0.5); }},
        {"late", [](LayerBuilder& layer) { layer.timing(10, 1); }},
        {"remapped", [](LayerBuilder& layer) { layer.timeRemap(animated({{0, 0.9}, {endFrame, 0.1}})); }},
    };
    std::vector<MatrixRow> rows;
    for (const Timing& timing : timings) {
        const std::string name = std::string("precomposition_") + timing.name;
        LayerBuilder layer = LayerBuilder::precomposition("Inner", "inner", side, side);
        timing.apply(layer);
        DocumentBuilder document(name, side, endFrame);
        document.precomposition("inner", inner).layer(std::move(layer));
        rows.push_back({name, std::move(document)});
    }
    return rows;
}

// The shadowed layer: a solid, or a rotated shape layer.
LayerBuilder shadowed(bool shapes) {
    if (!shapes) {
        return LayerBuilder::solid("Shadowed", "#44aa66", 40, 40)
            .anchor(fixed(numbers({20, 20, 0})))
            .position(fixed(numbers({50, 50, 0})));
    }
    return LayerBuilder::shapes("Shadowed", {group({star({0, 0}, 24, 12, fixed(0.0)), fill(colour(0.3, 0.7, 0.4), fixed(100.0))},
                                                   groupTransform())})
        .position(fixed(numbers({50, 50, 0})))
        .rotation(animated({{0, 0.0}, {endFrame, 60.0}}));
}

std::vector<MatrixRow> dropShadowRows() {
    std::vector<MatrixRow> rows;
    for (double angle : {0.0, 45.0, 135.0, 270.0}) {
        for (bool effect : {true, false}) {
            for (bool shapes : {false, true}) {
                const std::string name = std::string("drop_shadow_") + (effect ? "effect_" : "style_") +
                                         std::to_string(static_cast<int>(angle)) + (shapes ? "_rotating_star" : "");
                LayerBuilder layer = shadowed(shapes);
                if (effect) {
                    layer.dropShadowEffect(angle, 10, 12);
                } else {
                    layer.dropShadowStyle(angle, 10, 6);
                }
                DocumentBuilder document(name, side, endFrame);
                document.layer(std::move(layer));
                rows.push_back({name, std::move(document)});
            }
        }
    }
    return rows;
}

// Two layers in one place, the second taking over at frame 15.
std::vector<LayerBuilder> handingOver(bool shapes) {
    const auto layer = [shapes](const char* name, double red, double blue) {
        return shapes ? LayerBuilder::shapes(name, {group({rectangle({50, 50}, 60, 60, fixed(0.0)),
                                                           fill(colour(red, 0.3, blue), fixed(100.0))},
                                                          groupTransform())})
                      : LayerBuilder::solid(name, red > blue ? "#cc4433" : "#3344cc", 60, 60)
                            .position(fixed(numbers({20, 20, 0})));
    };
    return {layer("First", 0.8, 0.2).showing(0, 15), layer("Second", 0.2, 0.8).showing(15, endFrame)};
}

std::vector<MatrixRow> handOverRows() {
    std::vector<MatrixRow> rows;
    for (bool shapes : {false, true}) {
        const std::string name = shapes ? "hand_over_shape_layers" : "hand_over_solid_layers";
        DocumentBuilder document(name, side, endFrame);
        for (LayerBuilder& layer : handingOver(shapes)) document.layer(std::move(layer));
        // A third layer shown for the middle of the animation only.
        document.layer(LayerBuilder::solid("Middle", "#eecc22", 30, 30).showing(5, 25));
        rows.push_back({name, std::move(document)});
    }
    DocumentBuilder nested("hand_over_in_precomposition", side, endFrame);
    nested.precomposition("handing", handingOver(false))
        .layer(LayerBuilder::precomposition("Nested", "handing", side, side).timing(3, 1))
        .compareAlso({17, 18});
    rows.push_back({"hand_over_in_precomposition", std::move(nested)});
    // Two precompositions of one square handing over between whole frames, as
    // a 29.97 fps export writes the edge: the second starts there, so on frame
    // 6 its square's own frame lies a rounding error before 0.
    constexpr double edge = 6.00000024;
    DocumentBuilder split("hand_over_of_precompositions_between_frames", side, endFrame);
    split.precomposition("square", {LayerBuilder::solid("Square", "#3388cc", 50, 50).position(fixed(numbers({25, 25, 0})))})
        .layer(LayerBuilder::precomposition("Before", "square", side, side).showing(0, edge))
        .layer(LayerBuilder::precomposition("After", "square", side, side).showing(edge, endFrame).timing(edge, 1))
        .compareAlso({5.5, 6, 6.5, 7, endFrame});
    rows.push_back({"hand_over_of_precompositions_between_frames", std::move(split)});
    return rows;
}

std::vector<MatrixRow> parentingRows() {
    const auto child = [](const char* name) {
        return LayerBuilder::shapes(name, {group({rectangle({18, 6}, 30, 16, fixed(3.0)),
                                                  fill(colour(0.8, 0.2, 0.5), fixed(100.0))},
                                                 groupTransform())});
    };
    DocumentBuilder mirrored("parent_rotating_and_mirroring", side, endFrame);
    mirrored.layer(LayerBuilder::null("Parent")
                       .position(fixed(numbers({50, 50, 0})))
                       .rotation(animated({{0, 0.0}, {endFrame, 90.0}}))
                       .scale(fixed(numbers({-100, 100, 100}))))
        .layer(child("Child").parent(1).position(fixed(numbers({10, 4, 0}))));
    // The child on top, its parent and grandparent below it.
    DocumentBuilder chain("parents_three_deep_mirrored", side, endFrame);
    chain.layer(child("Child").parent(2).rotation(fixed(15.0)))
        .layer(LayerBuilder::null("Parent")
                   .parent(3)
                   .position(fixed(numbers({25, 25, 0})))
                   .rotation(animated({{0, -20.0}, {endFrame, 60.0}}))
                   .scale(fixed(numbers({100, -100, 100}))))
        .layer(LayerBuilder::solid("Grandparent", "#dddddd", 50, 50)
                   .anchor(fixed(numbers({25, 25, 0})))
                   .position(fixed(numbers({50, 50, 0})))
                   .rotation(fixed(30.0))
                   .scale(fixed(numbers({-80, 60, 100}))));
    return {{"parent_rotating_and_mirroring", std::move(mirrored)}, {"parents_three_deep_mirrored", std::move(chain)}};
}

}  // namespace

std::vector<MatrixRow> layerRows() {
    std::vector<MatrixRow> rows;
    for (auto rowsOfKind : {maskRows(), matteRows(), precompositionRows(), dropShadowRows(), handOverRows(), parentingRows()}) {
        for (MatrixRow& row : rowsOfKind) rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace enginematrix
