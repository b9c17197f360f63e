#include "Lottie/Model/LottieAnimation.h"

#include <algorithm>
#include <cctype>

namespace lottie {

namespace {
constexpr std::string_view file = "Lottie/LottieAnimation";
}

LottieAnimation::LottieAnimation(const Dictionary& dictionary) {
    version = optionalValue<std::string>(dictionary, "v", file, 54).value_or(std::string());
    if (inlineValue<std::int64_t>(dictionary, "ddd") == 1) type = CoordinateSpace::type3d;
    startFrame = value<double>(dictionary, "ip", file, 63);
    endFrame = value<double>(dictionary, "op", file, 64);
    framerate = value<double>(dictionary, "fr", file, 65);
    width = value<double>(dictionary, "w", file, 66);
    height = value<double>(dictionary, "h", file, 67);
    layers = LayerModel::layersFromDictionaries(value<DictionaryArray>(dictionary, "layers", file, 68));
    // The optional members are read only when they have the right shape; a
    // member of another shape is ignored, but errors inside one propagate.
    if (auto glyphDictionaries = inlineValue<DictionaryArray>(dictionary, "chars")) {
        glyphs.emplace();
        glyphs->reserve(glyphDictionaries->size());
        for (const Dictionary* glyph : *glyphDictionaries) glyphs->push_back(std::make_shared<const Glyph>(*glyph));
    }
    if (auto fontList = inlineValue<DictionaryRef>(dictionary, "fonts")) {
        fonts = std::make_shared<const FontList>(**fontList);
    }
    if (const platform::json::Value* assets = dictionary.find("assets");
        assets && DictionaryValue<DictionaryArray>::convert(*assets)) {
        assetLibrary = std::make_shared<const AssetLibrary>(*assets);
    }
    if (auto markerDictionaries = inlineValue<DictionaryArray>(dictionary, "markers")) {
        markers.emplace();
        markers->reserve(markerDictionaries->size());
        for (const Dictionary* marker : *markerDictionaries) markers->push_back(std::make_shared<Marker>(*marker));
    }
    buildMarkerMap();
}

LottieAnimation::LottieAnimation(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    version = container.decodeIfPresent<std::string>("v").value_or(std::string());
    if (auto code = container.decodeIfPresent<std::int64_t>("ddd")) {
        if (*code != 0 && *code != 1) {
            throw platform::json::DecodingError::dataCorrupted(
                platform::json::appending(container.codingPath(), platform::json::CodingKey::named("ddd")),
                "Cannot initialize CoordinateSpace from invalid value " + std::to_string(*code));
        }
        type = static_cast<CoordinateSpace>(*code);
    }
    startFrame = container.decode<double>("ip");
    endFrame = container.decode<double>("op");
    framerate = container.decode<double>("fr");
    width = container.decode<double>("w");
    height = container.decode<double>("h");
    layers = LayerModel::decodeLayerFamily(container, "layers");
    glyphs = container.decodeIfPresent<std::vector<std::shared_ptr<const Glyph>>>("chars");
    fonts = container.decodeIfPresent<std::shared_ptr<const FontList>>("fonts").value_or(nullptr);
    assetLibrary = container.decodeIfPresent<std::shared_ptr<const AssetLibrary>>("assets").value_or(nullptr);
    if (auto decoded = container.decodeIfPresent<std::vector<std::shared_ptr<const Marker>>>("markers")) {
        markers = std::move(decoded);
    }
    buildMarkerMap();
}

void LottieAnimation::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("v", version);
    container.encode("ddd", static_cast<int>(type));
    container.encode("ip", startFrame);
    container.encode("op", endFrame);
    container.encode("fr", framerate);
    container.encode("w", width);
    container.encode("h", height);
    container.encode("layers", layers);
    container.encodeIfPresent("chars", glyphs);
    container.encodeIfPresent("fonts", fonts);
    container.encodeIfPresent("assets", assetLibrary);
    container.encodeIfPresent("markers", markers);
}

void LottieAnimation::buildMarkerMap() {
    if (!markers) return;
    markerMap.emplace();
    for (const auto& marker : *markers) (*markerMap)[marker->name] = marker;
}

std::vector<std::string> LottieAnimation::markerNames() const {
    std::vector<std::string> names;
    if (!markers) return names;
    for (const auto& marker : *markers) names.push_back(marker->name);
    return names;
}

std::shared_ptr<const Marker> LottieAnimation::markerForReducedMotion() const {
    if (!markers) return nullptr;
    for (const auto& marker : *markers) {
        std::string lower = marker->name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower == "reduced motion" || lower == "reduced_motion" || lower == "reduced-motion" ||
            lower == "reducedmotion") {
            return marker;
        }
    }
    return nullptr;
}

}  // namespace lottie
