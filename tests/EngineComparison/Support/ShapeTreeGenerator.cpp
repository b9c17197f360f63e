#include "tests/EngineComparison/Support/ShapeTreeGenerator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tests/EngineComparison/Support/ShapeItems.h"

namespace enginematrix {

namespace {

// The direction key of path items: 1 clockwise, 3 the other way round.
Value direction(bool reversed) { return Value::integer(reversed ? 3 : 1); }

}  // namespace

int ShapeTreeGenerator::below(int count) { return static_cast<int>(random_() % static_cast<std::uint32_t>(count)); }

double ShapeTreeGenerator::between(double low, double high) {
    return low + (high - low) * (static_cast<double>(random_()) / 4294967296.0);
}

bool ShapeTreeGenerator::chance(double probability) { return between(0, 1) < probability; }

DocumentBuilder ShapeTreeGenerator::next(int index) {
    // Decided for the whole tree before any rectangle is made.
    roundsCorners_ = chance(0.4);
    trims_ = false;
    const std::string name = "tree_" + std::to_string(index);
    DocumentBuilder document(name, side, endFrame);
    document.layer(LayerBuilder::shapes(name, items(0)));
    return document;
}

Array ShapeTreeGenerator::items(int depth) {
    Array list;
    const int count = 1 + below(depth == 0 ? 3 : 5);
    bool drawn = false;
    for (int item = 0; item < count; ++item) {
        const int kind = below(10);
        if (kind < 4) {
            list.push_back(pathItem());
        } else if (kind < 6 && depth < 3) {
            Array inner = items(depth + 1);
            Value placed = transform();
            list.push_back(group(std::move(inner), std::move(placed)));
        } else if (kind < 9) {
            list.push_back(drawingItem());
            drawn = true;
        } else {
            list.push_back(modifierItem());
        }
    }
    // Most levels draw something of their own.
    if (!drawn && chance(0.7)) list.push_back(drawingItem());
    return list;
}

Value ShapeTreeGenerator::freePath() {
    BezierShape shape;
    const int corners = 3 + below(3);
    const PathPoint centre = {between(25, 75), between(25, 75)};
    const double radius = between(10, 35);
    const double turn = between(0, 2 * std::numbers::pi);
    const bool curved = chance(0.5);
    for (int corner = 0; corner < corners; ++corner) {
        const double angle = turn + 2 * std::numbers::pi * corner / corners;
        const double reach = radius * between(0.6, 1.0);
        shape.vertices.push_back({centre.x + reach * std::cos(angle), centre.y + reach * std::sin(angle)});
        const double handle = curved ? radius * 0.3 : 0;
        shape.inTangents.push_back({handle * std::sin(angle), -handle * std::cos(angle)});
        shape.outTangents.push_back({-handle * std::sin(angle), handle * std::cos(angle)});
    }
    shape.closed = chance(0.85);
    if (chance(0.5)) {
        // Drawn the other way round: each segment's handles swap ends.
        std::reverse(shape.vertices.begin(), shape.vertices.end());
        std::reverse(shape.inTangents.begin(), shape.inTangents.end());
        std::reverse(shape.outTangents.begin(), shape.outTangents.end());
        std::swap(shape.inTangents, shape.outTangents);
    }
    if (!chance(0.3)) return path(fixed(shape.json()));
    // The same path moved, so that it morphs from one keyframe to the other.
    BezierShape moved = shape;
    const double dx = between(-15, 15);
    const double dy = between(-15, 15);
    for (PathPoint& vertex : moved.vertices) vertex = {vertex.x + dx, vertex.y + dy};
    return path(animated({{0, shape.json()}, {endFrame, moved.json()}}));
}

Value ShapeTreeGenerator::pathItem() {
    const PathPoint centre = {between(20, 80), between(20, 80)};
    const bool reversed = chance(0.5);
    switch (below(5)) {
        case 0: return freePath();
        case 1: {
            const double width = between(10, 60);
            const double height = between(10, 60);
            Value size = chance(0.3) ? animated({{0, numbers({width, height})}, {endFrame, numbers({height, width})}})
                                     : fixed(numbers({width, height}));
            const double roundness = chance(0.4) ? between(2, 12) : 0.0;
            Value item = rectangle(centre, width, height, fixed(roundness));
            item = withMember(std::move(item), "s", std::move(size));
            return withMember(std::move(item), "d", direction(reversed));
        }
        case 2: {
            const double width = between(10, 60);
            const double height = between(10, 60);
            Value item = ellipse(centre, width, height);
            if (chance(0.3)) {
                item = withMember(std::move(item), "p",
                                  animated({{0, numbers({centre.x, centre.y})},
                                            {endFrame, numbers({centre.x + between(-20, 20), centre.y})}}));
            }
            return withMember(std::move(item), "d", direction(reversed));
        }
        case 3: {
            const double outer = between(15, 40);
            const double inner = outer * between(0.3, 0.7);
            const double roundness = chance(0.3) ? between(10, 60) : 0.0;
            Value item = star(centre, outer, inner, fixed(roundness));
            const double turn = between(0, 72);
            item = withMember(std::move(item), "r",
                              chance(0.3) ? animated({{0, turn}, {endFrame, turn + between(-180, 180)}}) : fixed(turn));
            return withMember(std::move(item), "d", direction(reversed));
        }
        default: {
            const double radius = between(15, 40);
            Value item = polygon(centre, radius, fixed(0.0));
            item = withMember(std::move(item), "pt", fixed(static_cast<double>(3 + below(4))));
            return withMember(std::move(item), "d", direction(reversed));
        }
    }
}

Value ShapeTreeGenerator::colour() { return fixed(numbers({between(0, 1), between(0, 1), between(0, 1)})); }

Value ShapeTreeGenerator::styleOpacity() {
    switch (below(4)) {
        case 0: return fixed(65.0);
        case 1: return animated({{0, 100.0}, {endFrame, 30.0}});
        default: return fixed(100.0);
    }
}

Value ShapeTreeGenerator::drawingItem() {
    const PathPoint start = {between(0, 50), between(0, 100)};
    const PathPoint end = {between(50, 100), between(0, 100)};
    // Each number is drawn in its own statement: the order in which a call's
    // arguments are evaluated is the compiler's choice.
    const int kind = below(6);
    const Value paint = colour();
    const GradientLook look{chance(0.5), chance(0.3), false};
    const double width = between(1, 6);
    const Value rule = Value::integer(1 + below(2));
    const Value opacity = styleOpacity();
    switch (kind) {
        case 0:
        case 1: return withMember(fill(paint, opacity), "r", rule);
        case 2:
        case 3: return stroke(paint, width, opacity);
        case 4: return withMember(gradientFill(look, start, end, opacity), "r", rule);
        default: return gradientStroke(look, start, end, width + 1, opacity);
    }
}

Value ShapeTreeGenerator::modifierItem() {
    if ((!trims_ || chance(0.3)) && (!roundsCorners_ || chance(0.5))) {
        trims_ = true;
        const double start = between(0, 40);
        Value end = chance(0.5) ? animated({{0, between(50, 100)}, {endFrame, between(50, 100)}})
                                : fixed(between(50, 100));
        const double offset = between(0, 90);
        const TrimMode mode = chance(0.5) ? TrimMode::simultaneously : TrimMode::individually;
        return trim(fixed(start), std::move(end), offset, mode);
    }
    if (!roundsCorners_) return drawingItem();
    return roundedCorners(fixed(between(2, 10)));
}

Value ShapeTreeGenerator::transform() {
    const PathPoint position = {between(-15, 15), between(-15, 15)};
    Value opacity = chance(0.6) ? fixed(100.0) : chance(0.5) ? fixed(70.0) : animated({{0, 100.0}, {endFrame, 40.0}});
    const double rotation = chance(0.5) ? between(-30, 30) : 0.0;
    Value item = groupTransform(position, rotation, std::move(opacity));
    // Scaled about the document's centre, by the same amount each way.
    item = withMember(std::move(item), "a", fixed(numbers({50, 50})));
    item = withMember(std::move(item), "p", fixed(numbers({50 + position.x, 50 + position.y})));
    const double scale = chance(0.6) ? 100.0 : between(60, 130);
    // Mirrored now and then, and sometimes through zero.
    const double mirrored = chance(0.15) ? -scale : scale;
    item = withMember(std::move(item), "s",
                      chance(0.1) ? animated({{0, numbers({scale, scale})}, {endFrame, numbers({-scale, scale})}})
                                  : fixed(numbers({mirrored, scale})));
    if (chance(0.25)) {
        item = withMember(std::move(item), "r",
                          animated({{0, 0.0}, {endFrame, between(-45, 45)}}));
    }
    if (chance(0.25)) {
        item = withMember(std::move(item), "p",
                          animated({{0, numbers({50 + position.x, 50 + position.y})},
                                    {endFrame, numbers({50 - position.x, 50 + position.y})}}));
    }
    return item;
}

}  // namespace enginematrix
