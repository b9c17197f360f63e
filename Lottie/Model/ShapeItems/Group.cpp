#include "Lottie/Model/ShapeItems/Group.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Group";
constexpr unsigned itemsLine = 22;

}  // namespace

Group::Group(const Dictionary& dictionary) : Group(readItems(dictionary), dictionary) {}

Group::Group(const platform::json::Decoder& decoder) : Group(decodeItems(decoder), decoder) {}

Group::Group(ShapeItemList items, std::string name)
    : ShapeItem(std::move(name), ShapeType::group, false), items_(std::move(items)) {}

ShapeItemList Group::readItems(const Dictionary& dictionary) {
    return itemsFromDictionaries(value<DictionaryArray>(dictionary, "it", file, itemsLine));
}

ShapeItemList Group::decodeItems(const platform::json::Decoder& decoder) {
    return decodeShapeItemFamily(decoder.container(), "it");
}

void Group::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    // Each item writes its own keys through its own class.
    container.encode("it", items_);
}

bool Group::equals(const ShapeItem& other) const {
    return ShapeItem::equals(other) && sameItems(items_, static_cast<const Group&>(other).items_);
}

}  // namespace lottie
