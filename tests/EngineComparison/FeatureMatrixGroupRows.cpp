// The group-structure rows of the feature matrix: what a group gives its items
// beyond their own values. A stroke draws only the paths listed before it; one
// fill over several overlapping shapes of every kind is one drawing (at 65 %
// its overlaps are no darker) and cuts holes where a path runs the other way;
// a fill or stroke listed after child groups draws their paths too, below
// their own drawings; and a level's own fill, listed after a child group, lies
// below that group. Each structure holds still and, where groups move, is
// written with a moving group as well.

#include "tests/EngineComparison/FeatureMatrix.h"

#include <algorithm>

#include "tests/EngineComparison/Support/ShapeItems.h"

namespace enginematrix {

namespace {

constexpr double side = 100;
constexpr double endFrame = 30;

Value red() { return fixed(numbers({0.85, 0.2, 0.15})); }
Value blue() { return fixed(numbers({0.1, 0.25, 0.8})); }
Value green() { return fixed(numbers({0.2, 0.7, 0.3})); }
Value opaque() { return fixed(100.0); }

DocumentBuilder drawing(const std::string& name, Array items) {
    DocumentBuilder document(name, side, endFrame);
    document.layer(LayerBuilder::shapes("Drawing", {group(std::move(items), groupTransform({4, -3}, 10))}));
    // Between whole frames too, where moving groups are halfway.
    document.compareAlso({7.5, 21.25});
    return document;
}

// A square path drawn the other way round from BezierShape::square.
Value counterWoundSquare(PathPoint centre, double halfSide) {
    BezierShape shape = BezierShape::square(centre, halfSide);
    std::reverse(shape.vertices.begin(), shape.vertices.end());
    return path(fixed(shape.json()));
}

// A group holding still, or moving across the document as it plays.
Value placed(Array items, bool moving) {
    Value transform = groupTransform({0, 0}, 0);
    if (moving) transform = withMember(std::move(transform), "p", animated({{0, numbers({-6, 0})}, {endFrame, numbers({6, 4})}}));
    return group(std::move(items), std::move(transform));
}

Value reversed(Value item) { return withMember(std::move(item), "d", Value::integer(3)); }

}  // namespace

std::vector<MatrixRow> groupRows() {
    std::vector<MatrixRow> rows;
    const auto add = [&rows](const std::string& name, Array items) {
        rows.push_back({name, drawing(name, std::move(items))});
    };
    // Stroke A outlines the rectangle alone; stroke B both shapes.
    add("stroke_order", {rectangle({40, 45}, 44, 36, fixed(0.0)), stroke(red(), 4, opaque()),
                         ellipse({60, 58}, 40, 30), stroke(blue(), 2, opaque())});
    // Every kind of shape under one translucent fill, each overlapping the next.
    add("overlapping_shapes_under_translucent_fill",
        {rectangle({35, 40}, 40, 30, fixed(0.0)), star({55, 45}, 28, 12, fixed(0.0)), ellipse({45, 62}, 36, 24),
         polygon({62, 62}, 20, fixed(0.0)), path(fixed(BezierShape::square({40, 55}, 12).json())),
         fill(red(), fixed(65.0))});
    for (bool moving : {false, true}) {
        const std::string suffix = moving ? "_moving" : "";
        // A hole from one child group, a square sticking out from the other,
        // and the level's own square, all under the level's fill.
        add("fill_reaches_child_groups" + suffix,
            {placed({counterWoundSquare({50, 50}, 10)}, moving), placed({path(fixed(BezierShape::square({72, 50}, 12).json()))}, moving),
             path(fixed(BezierShape::square({50, 50}, 24).json())), fill(red(), opaque())});
        // The group's outline lies under both groups' fills.
        add("stroke_after_child_groups" + suffix,
            {placed({rectangle({40, 40}, 40, 40, fixed(0.0)), fill(red(), opaque())}, false),
             placed({ellipse({60, 60}, 40, 40), fill(blue(), opaque())}, moving), stroke(green(), 6, opaque())});
        // The level's own rectangle and fill lie below the group listed first.
        add("own_fill_below_earlier_group" + suffix,
            {placed({ellipse({45, 45}, 40, 40), fill(red(), opaque())}, moving), rectangle({60, 60}, 44, 44, fixed(0.0)),
             fill(blue(), opaque())});
    }
    // A free square inside a rectangle drawn the other way round: a hole,
    // whichever the fill rule.
    for (int rule : {1, 2}) {
        Value holed = withMember(fill(red(), opaque()), "r", Value::integer(rule));
        add(rule == 1 ? "free_path_hole_in_rectangle_nonzero" : "free_path_hole_in_rectangle_even_odd",
            {reversed(rectangle({50, 50}, 60, 60, fixed(0.0))), path(fixed(BezierShape::square({50, 50}, 14).json())),
             std::move(holed)});
    }
    return rows;
}

}  // namespace enginematrix
