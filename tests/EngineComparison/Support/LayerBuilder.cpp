#include "tests/EngineComparison/Support/LayerBuilder.h"

namespace enginematrix {

namespace {

// A value of a drop shadow effect: its kind (0 a number, 1 an angle, 2 a
// colour) and its value.
Value effectValue(const char* name, int kind, Value value) {
    return Object{{"ty", Value::integer(kind)}, {"nm", name}, {"v", fixed(std::move(value))}};
}

void append(Object& object, const char* key, Value item) {
    for (auto& member : object) {
        if (member.key == key) {
            member.value.asArray()->push_back(std::move(item));
            return;
        }
    }
    object.push_back({key, Array{std::move(item)}});
}

}  // namespace

LayerBuilder::LayerBuilder(int type, std::string name) : type_(type), name_(std::move(name)) {}

LayerBuilder LayerBuilder::shapes(std::string name, Array items) {
    LayerBuilder layer(4, std::move(name));
    layer.content_.push_back({"shapes", std::move(items)});
    return layer;
}

LayerBuilder LayerBuilder::solid(std::string name, const char* colour, double width, double height) {
    LayerBuilder layer(1, std::move(name));
    layer.content_ = {{"sc", colour}, {"sw", width}, {"sh", height}};
    return layer;
}

LayerBuilder LayerBuilder::precomposition(std::string name, std::string assetId, double width, double height) {
    LayerBuilder layer(0, std::move(name));
    layer.content_ = {{"refId", std::move(assetId)}, {"w", width}, {"h", height}};
    return layer;
}

LayerBuilder LayerBuilder::null(std::string name) { return LayerBuilder(3, std::move(name)); }

LayerBuilder& LayerBuilder::showing(double inFrame, double outFrame) {
    inFrame_ = inFrame;
    outFrame_ = outFrame;
    return *this;
}

LayerBuilder& LayerBuilder::timing(double startFrame, double stretch) {
    startFrame_ = startFrame;
    stretch_ = stretch;
    return *this;
}

LayerBuilder& LayerBuilder::timeRemap(Value seconds) {
    extras_.push_back({"tm", std::move(seconds)});
    return *this;
}

LayerBuilder& LayerBuilder::position(Value position) {
    position_ = std::move(position);
    return *this;
}

LayerBuilder& LayerBuilder::anchor(Value anchor) {
    anchor_ = std::move(anchor);
    return *this;
}

LayerBuilder& LayerBuilder::scale(Value percentages) {
    scale_ = std::move(percentages);
    return *this;
}

LayerBuilder& LayerBuilder::rotation(Value degrees) {
    rotation_ = std::move(degrees);
    return *this;
}

LayerBuilder& LayerBuilder::opacity(Value percentage) {
    opacity_ = std::move(percentage);
    return *this;
}

LayerBuilder& LayerBuilder::parent(int index) {
    extras_.push_back({"parent", Value::integer(index)});
    return *this;
}

LayerBuilder& LayerBuilder::mask(const char* mode, bool inverted, Value shape) {
    masks_.push_back(Object{{"mode", mode},
                            {"inv", Value::boolean(inverted)},
                            {"pt", std::move(shape)},
                            {"o", fixed(100.0)},
                            {"x", fixed(0.0)}});
    return *this;
}

LayerBuilder& LayerBuilder::matteSource() {
    extras_.push_back({"td", Value::integer(1)});
    return *this;
}

LayerBuilder& LayerBuilder::mattedBy(int matteType) {
    extras_.push_back({"tt", Value::integer(matteType)});
    return *this;
}

LayerBuilder& LayerBuilder::dropShadowEffect(double direction, double distance, double softness) {
    append(extras_, "ef",
           Object{{"ty", Value::integer(25)},
                  {"nm", "Drop Shadow"},
                  {"ef", Array{effectValue("Shadow Color", 2, numbers({0.1, 0.1, 0.4, 1})),
                               effectValue("Opacity", 0, 200.0), effectValue("Direction", 1, direction),
                               effectValue("Distance", 0, distance), effectValue("Softness", 0, softness)}}});
    return *this;
}

LayerBuilder& LayerBuilder::dropShadowStyle(double angle, double distance, double size) {
    append(extras_, "sy",
           Object{{"ty", Value::integer(1)},
                  {"nm", "Drop Shadow"},
                  {"c", fixed(numbers({0.1, 0.1, 0.4, 1}))},
                  {"o", fixed(80.0)},
                  {"a", fixed(angle)},
                  {"s", fixed(size)},
                  {"d", fixed(distance)}});
    return *this;
}

Value LayerBuilder::build(int index, double inFrame, double outFrame) const {
    Object layer{{"ty", Value::integer(type_)},
                 {"nm", name_},
                 {"ind", Value::integer(index)},
                 {"ip", inFrame_.value_or(inFrame)},
                 {"op", outFrame_.value_or(outFrame)},
                 {"st", startFrame_},
                 {"sr", stretch_},
                 {"ao", Value::integer(0)},
                 {"bm", Value::integer(0)},
                 {"ks", Object{{"a", anchor_}, {"p", position_}, {"s", scale_}, {"r", rotation_}, {"o", opacity_}}}};
    layer.insert(layer.end(), content_.begin(), content_.end());
    layer.insert(layer.end(), extras_.begin(), extras_.end());
    if (!masks_.empty()) {
        layer.push_back({"hasMask", Value::boolean(true)});
        layer.push_back({"masksProperties", masks_});
    }
    return layer;
}

}  // namespace enginematrix
