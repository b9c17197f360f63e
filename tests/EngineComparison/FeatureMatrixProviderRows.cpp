// The value-provider rows of the feature matrix: providers of a group's
// position, rotation or scale where the group's paths are drawn by the fill of
// the level around it (as well as that level's own path, one group deep and
// two), a provider of the width of a stroke handed down into a group scaled
// 150 %, and of the scale of that group, and a provider of the position of a
// group a gradient is handed down into. Each row has a twin whose document
// holds the provider's value, drawn without it.

#include "tests/EngineComparison/FeatureMatrix.h"

#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Lottie/Playback/ValueProviders/PointValueProvider.h"
#include "Lottie/Playback/ValueProviders/SizeValueProvider.h"
#include "tests/EngineComparison/Support/ShapeItems.h"

namespace enginematrix {

namespace {

constexpr double side = 100;
constexpr double endFrame = 30;

Value red() { return fixed(numbers({0.85, 0.2, 0.15})); }
Value opaque() { return fixed(100.0); }

Value named(Value item, const char* name) { return withMember(std::move(item), "nm", Value(name)); }

// A group named `name` with a transform named "Transform", which both engines
// reach by "NAME.Transform".
Value namedGroup(const char* name, Array items, Value transform) {
    return named(group(std::move(items), named(std::move(transform), "Transform")), name);
}

// A part of a group's transform, as a provider gives it and as a document holds it.
struct Part {
    const char* name;
    // The key of the document's transform, and the provider's property name.
    const char* key;
    const char* property;
    Value documentValue;
    std::function<std::shared_ptr<lottie::AnyValueProvider>()> provider;
};

std::vector<Part> transformParts() {
    return {
        {"position", "p", "Position", fixed(numbers({14, -10})),
         [] { return std::make_shared<lottie::PointValueProvider>(platform::graphics::Point{14, -10}); }},
        {"rotation", "r", "Rotation", fixed(30.0), [] { return std::make_shared<lottie::FloatValueProvider>(30.0); }},
        {"scale", "s", "Scale", fixed(numbers({60, 60})),
         [] { return std::make_shared<lottie::SizeValueProvider>(platform::graphics::Size{60, 60}); }},
    };
}

DocumentBuilder shapes(const std::string& name, Array items) {
    DocumentBuilder document(name, side, endFrame);
    document.layer(LayerBuilder::shapes("Drawing", std::move(items)));
    return document;
}

// The row with `provider` at `keypath`, and its twin built by `build` with the value.
void addWithTwin(std::vector<MatrixRow>& rows, const std::string& name, const std::function<Array(bool)>& build,
                 const std::string& keypath, std::function<std::shared_ptr<lottie::AnyValueProvider>()> provider) {
    rows.push_back({name, shapes(name, build(false)), std::nullopt, {{keypath, std::move(provider)}}});
    const std::string twin = name + "_in_document";
    rows.push_back({twin, shapes(twin, build(true))});
}

}  // namespace

std::vector<MatrixRow> providerRows() {
    std::vector<MatrixRow> rows;
    const std::vector<Part> parts = transformParts();
    for (const Part& part : parts) {
        // [G [square, transform], rectangle, fill]: the fill draws both.
        addWithTwin(
            rows, std::string("group_") + part.name + "_provider_under_an_outer_fill",
            [&part](bool inDocument) {
                Value transform = groupTransform({0, 0}, 0);
                if (inDocument) transform = withMember(std::move(transform), part.key, part.documentValue);
                return Array{namedGroup("G", {rectangle({40, 40}, 24, 24, fixed(0.0))}, std::move(transform)),
                             rectangle({66, 64}, 30, 20, fixed(0.0)), fill(red(), opaque())};
            },
            std::string("Drawing.G.Transform.") + part.property, part.provider);
    }
    // [G1 [G2 [square, transform], rectangle, fill, transform], rectangle, fill]
    const Part& position = parts.front();
    addWithTwin(
        rows, "nested_group_position_provider_under_fills_at_each_level",
        [&position](bool inDocument) {
            Value inner = groupTransform({0, 0}, 0);
            if (inDocument) inner = withMember(std::move(inner), position.key, position.documentValue);
            Value outer = namedGroup("G1",
                                     {namedGroup("G2", {rectangle({36, 36}, 20, 20, fixed(0.0))}, std::move(inner)),
                                      rectangle({60, 40}, 16, 16, fixed(0.0)), fill(red(), opaque())},
                                     groupTransform({0, 0}, 0));
            return Array{std::move(outer), rectangle({50, 74}, 40, 12, fixed(0.0)), fill(red(), opaque())};
        },
        "Drawing.G1.G2.Transform.Position", position.provider);
    // A stroke of the layer handed down into a group scaled 150 %.
    const auto scaledGroupStroked = [](double strokeWidth, double scale) {
        Value transform = withMember(groupTransform({50, 50}, 0), "s", fixed(numbers({scale, scale})));
        return Array{namedGroup("G", {rectangle({0, 0}, 30, 24, fixed(0.0))}, std::move(transform)),
                     named(stroke(red(), strokeWidth, opaque()), "Stroke")};
    };
    addWithTwin(
        rows, "stroke_width_provider_handed_down_into_a_scaled_group",
        [&scaledGroupStroked](bool inDocument) { return scaledGroupStroked(inDocument ? 8 : 3, 150); },
        "Drawing.Stroke.Stroke Width", [] { return std::make_shared<lottie::FloatValueProvider>(8.0); });
    addWithTwin(
        rows, "group_scale_provider_under_a_stroke_handed_down",
        [&scaledGroupStroked](bool inDocument) { return scaledGroupStroked(6, inDocument ? 80 : 150); },
        "Drawing.G.Transform.Scale",
        [] { return std::make_shared<lottie::SizeValueProvider>(platform::graphics::Size{80, 80}); });
    // A gradient of the layer handed down into a moved group.
    addWithTwin(
        rows, "group_position_provider_under_a_gradient_handed_down",
        [](bool inDocument) {
            Value transform = groupTransform(inDocument ? PathPoint{64, 44} : PathPoint{50, 50}, 0);
            return Array{namedGroup("G", {rectangle({0, 0}, 40, 30, fixed(0.0))}, std::move(transform)),
                         gradientFill({}, {20, 20}, {80, 80}, opaque())};
        },
        "Drawing.G.Transform.Position",
        [] { return std::make_shared<lottie::PointValueProvider>(platform::graphics::Point{64, 44}); });
    return rows;
}

}  // namespace enginematrix
