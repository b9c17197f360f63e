#include "tests/EngineComparison/Support/ShapeItems.h"

namespace enginematrix {

namespace {

Value point(PathPoint at) { return fixed(numbers({at.x, at.y})); }

// Three colour stops, red to yellow to blue, and with opacity stops a ramp
// from opaque to a quarter through half.
Value gradientStops(const GradientLook& look) {
    Array stops = {0.0, 0.9, 0.1, 0.1, 0.5, 0.95, 0.8, 0.1, 1.0, 0.1, 0.3, 0.9};
    if (look.opacityStops) {
        for (double value : {0.0, 1.0, 0.6, 0.5, 1.0, 0.25}) stops.push_back(value);
    }
    return Object{{"p", Value::integer(3)}, {"k", fixed(std::move(stops))}};
}

Object gradient(const char* type, const GradientLook& look, PathPoint start, PathPoint end, Value opacity) {
    Object item{{"ty", type},
                {"o", std::move(opacity)},
                {"s", point(start)},
                {"e", point(end)},
                {"t", Value::integer(look.radial ? 2 : 1)},
                {"g", gradientStops(look)}};
    if (look.highlight) {
        item.push_back({"h", fixed(45.0)});
        item.push_back({"a", fixed(30.0)});
    }
    return item;
}

Object starItem(int type, PathPoint centre, double outerRadius, Value roundness) {
    return Object{{"ty", "sr"},
                  {"sy", Value::integer(type)},
                  {"d", Value::integer(1)},
                  {"p", point(centre)},
                  {"or", fixed(outerRadius)},
                  {"os", roundness},
                  {"r", fixed(0.0)},
                  {"pt", fixed(5.0)}};
}

}  // namespace

Value rectangle(PathPoint centre, double width, double height, Value roundness) {
    return Object{{"ty", "rc"},
                  {"d", Value::integer(1)},
                  {"p", point(centre)},
                  {"s", fixed(numbers({width, height}))},
                  {"r", std::move(roundness)}};
}

Value ellipse(PathPoint centre, double width, double height) {
    return Object{{"ty", "el"}, {"d", Value::integer(1)}, {"p", point(centre)}, {"s", fixed(numbers({width, height}))}};
}

Value star(PathPoint centre, double outerRadius, double innerRadius, Value roundness) {
    Object item = starItem(1, centre, outerRadius, roundness);
    item.push_back({"ir", fixed(innerRadius)});
    item.push_back({"is", std::move(roundness)});
    return item;
}

Value polygon(PathPoint centre, double radius, Value roundness) {
    return starItem(2, centre, radius, std::move(roundness));
}

Value path(Value shape) { return Object{{"ty", "sh"}, {"d", Value::integer(1)}, {"ks", std::move(shape)}}; }

Value fill(Value colour, Value opacity) {
    return Object{{"ty", "fl"}, {"c", std::move(colour)}, {"o", std::move(opacity)}, {"r", Value::integer(1)}};
}

Value stroke(Value colour, double width, Value opacity) {
    return Object{{"ty", "st"},
                  {"c", std::move(colour)},
                  {"o", std::move(opacity)},
                  {"w", fixed(width)},
                  {"lc", Value::integer(2)},
                  {"lj", Value::integer(2)},
                  {"ml", 4.0}};
}

Value gradientFill(const GradientLook& look, PathPoint start, PathPoint end, Value opacity) {
    Object item = gradient("gf", look, start, end, std::move(opacity));
    item.push_back({"r", Value::integer(1)});
    return item;
}

Value gradientStroke(const GradientLook& look, PathPoint start, PathPoint end, double width, Value opacity) {
    Object item = gradient("gs", look, start, end, std::move(opacity));
    item.push_back({"w", fixed(width)});
    item.push_back({"lc", Value::integer(2)});
    item.push_back({"lj", Value::integer(2)});
    item.push_back({"ml", 4.0});
    return item;
}

Value trim(Value start, Value end, double offset, TrimMode mode) {
    return Object{{"ty", "tm"},
                  {"s", std::move(start)},
                  {"e", std::move(end)},
                  {"o", fixed(offset)},
                  {"m", Value::integer(static_cast<int>(mode))}};
}

Value roundedCorners(Value radius) { return Object{{"ty", "rd"}, {"r", std::move(radius)}}; }

Value repeater(double copies, PathPoint step, double startOpacity, double endOpacity) {
    return Object{{"ty", "rp"},
                  {"c", fixed(copies)},
                  {"o", fixed(0.0)},
                  {"m", Value::integer(1)},
                  {"tr",
                   Object{{"ty", "tr"},
                          {"p", point(step)},
                          {"a", point({0, 0})},
                          {"s", fixed(numbers({100, 100}))},
                          {"r", fixed(0.0)},
                          {"so", fixed(startOpacity)},
                          {"eo", fixed(endOpacity)}}}};
}

Value merge(int mode) { return Object{{"ty", "mm"}, {"mm", Value::integer(mode)}}; }

Value withMember(Value item, const char* key, Value value) {
    for (auto& member : *item.asObject()) {
        if (member.key == key) {
            member.value = std::move(value);
            return item;
        }
    }
    item.asObject()->push_back({key, std::move(value)});
    return item;
}

Value group(Array items, Value transform) {
    items.push_back(std::move(transform));
    return Object{{"ty", "gr"}, {"it", std::move(items)}};
}

Value groupTransform(PathPoint position, double rotation, Value opacity) {
    return Object{{"ty", "tr"},
                  {"p", point(position)},
                  {"a", point({0, 0})},
                  {"s", fixed(numbers({100, 100}))},
                  {"r", fixed(rotation)},
                  {"o", std::move(opacity)}};
}

}  // namespace enginematrix
