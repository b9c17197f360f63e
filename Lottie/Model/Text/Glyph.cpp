#include "Lottie/Model/Text/Glyph.h"

namespace lottie {

namespace {
constexpr std::string_view file = "Lottie/Glyph";
}

Glyph::Glyph(const Dictionary& dictionary)
    : character(value<std::string>(dictionary, "ch", file, 32)),
      fontSize(value<double>(dictionary, "size", file, 33)),
      fontFamily(value<std::string>(dictionary, "fFamily", file, 34)),
      fontStyle(value<std::string>(dictionary, "style", file, 35)),
      width(value<double>(dictionary, "w", file, 36)) {
    if (auto data = inlineValue<DictionaryRef>(dictionary, "data")) {
        if (auto items = inlineValue<DictionaryArray>(**data, "shapes")) shapes = ShapeItem::itemsFromDictionaries(*items);
    }
}

Glyph::Glyph(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    character = container.decode<std::string>("ch");
    fontSize = container.decode<double>("size");
    fontFamily = container.decode<std::string>("fFamily");
    fontStyle = container.decode<std::string>("style");
    width = container.decode<double>("w");
    if (!container.contains("data")) return;
    std::optional<platform::json::KeyedDecodingContainer> data;
    try {
        data = container.nestedContainer("data");
    } catch (const platform::json::DecodingError&) {
        return;  // An outline that isn't an object is no outline.
    }
    if (data->contains("shapes")) shapes = ShapeItem::decodeShapeItemFamily(*data, "shapes");
}

void Glyph::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("ch", character);
    container.encode("size", fontSize);
    container.encode("fFamily", fontFamily);
    container.encode("style", fontStyle);
    container.encode("w", width);
    auto data = container.nestedContainer("data");
    data.encode("shapes", shapes);
}

}  // namespace lottie
