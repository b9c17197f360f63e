#include "bench/PeerFeatures.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>

namespace peersbench {

namespace {

using platform::json::Array;
using platform::json::Value;

// In the order the summary names them.
enum Feature : std::size_t { text, effects, blendModes, roundedCorners, layerStyles, mattes, featureCount };

constexpr std::array<const char*, featureCount> featureNames = {
    "text layers", "layer effects", "blend modes", "rounded corners", "layer styles",
    "mattes with another source or mode"};

using Found = std::bitset<featureCount>;

constexpr std::int64_t textLayerType = 5;
// Alpha, inverted alpha, luma and inverted luma: the track matte modes the peer knows.
constexpr std::int64_t lastKnownMatteMode = 4;

std::int64_t integerOr(const Value& object, const char* key, std::int64_t fallback) {
    const Value* value = object.find(key);
    auto integer = value ? value->asInteger() : std::nullopt;
    return integer ? *integer : fallback;
}

bool hasEntries(const Value& object, const char* key) {
    const Value* value = object.find(key);
    return value && value->asArray() && !value->asArray()->empty();
}

const Array* arrayAt(const Value& object, const char* key) {
    const Value* value = object.find(key);
    return value ? value->asArray() : nullptr;
}

// Shape items nest through groups ("it"); blend modes may sit on any of them.
void scanShapes(const Array& shapes, Found& found) {
    for (const Value& shape : shapes) {
        const Value* type = shape.find("ty");
        if (type && type->asString() && *type->asString() == "rd") found.set(roundedCorners);
        if (integerOr(shape, "bm", 0) != 0) found.set(blendModes);
        if (const Array* items = arrayAt(shape, "it")) scanShapes(*items, found);
    }
}

// The peer takes the layer right above a matted layer as its matte source; a
// layer that names another source ("tp"), or uses a mode beyond the four it
// knows, is drawn with a different matte there.
bool matteDiffers(const Array& layers, std::size_t index) {
    const Value& layer = layers[index];
    const std::int64_t mode = integerOr(layer, "tt", 0);
    if (mode == 0) return false;
    if (mode < 0 || mode > lastKnownMatteMode || index == 0) return true;
    const Value* source = layer.find("tp");
    if (!source) return false;
    const Value* above = layers[index - 1].find("ind");
    return !above || source->asInteger() != above->asInteger();
}

void scanLayers(const Array& layers, Found& found) {
    for (std::size_t index = 0; index < layers.size(); ++index) {
        const Value& layer = layers[index];
        if (!layer.isObject()) continue;
        if (integerOr(layer, "ty", -1) == textLayerType) found.set(text);
        if (hasEntries(layer, "ef")) found.set(effects);
        if (integerOr(layer, "bm", 0) != 0) found.set(blendModes);
        if (hasEntries(layer, "sy")) found.set(layerStyles);
        if (matteDiffers(layers, index)) found.set(mattes);
        if (const Array* shapes = arrayAt(layer, "shapes")) scanShapes(*shapes, found);
    }
}

bool holdsRepeaters(const Array& shapes) {
    for (const Value& shape : shapes) {
        const Value* type = shape.find("ty");
        if (type && type->asString() && *type->asString() == "rp") return true;
        if (const Array* items = arrayAt(shape, "it"); items && holdsRepeaters(*items)) return true;
    }
    return false;
}

bool layersHoldRepeaters(const Array& layers) {
    for (const Value& layer : layers) {
        const Array* shapes = layer.isObject() ? arrayAt(layer, "shapes") : nullptr;
        if (shapes && holdsRepeaters(*shapes)) return true;
    }
    return false;
}

// The document's layers, then each asset's.
template <typename Visit>
void forEachLayerList(const Value& document, Visit&& visit) {
    if (const Array* layers = arrayAt(document, "layers")) visit(*layers);
    if (const Array* assets = arrayAt(document, "assets")) {
        for (const Value& asset : *assets) {
            if (const Array* layers = arrayAt(asset, "layers")) visit(*layers);
        }
    }
}

}  // namespace

std::vector<std::string> featuresTheMainThreadEngineSkips(const Value& document) {
    bool repeaters = false;
    forEachLayerList(document, [&repeaters](const Array& layers) {
        repeaters = repeaters || layersHoldRepeaters(layers);
    });
    if (repeaters) return {"repeaters"};
    return {};
}

std::vector<std::string> featuresThePeerSkips(const Value& document) {
    Found found;
    forEachLayerList(document, [&found](const Array& layers) { scanLayers(layers, found); });
    std::vector<std::string> names;
    for (std::size_t feature = 0; feature < featureCount; ++feature) {
        if (found.test(feature)) names.emplace_back(featureNames[feature]);
    }
    return names;
}

}  // namespace peersbench
