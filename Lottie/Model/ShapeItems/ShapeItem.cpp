#include "Lottie/Model/ShapeItems/ShapeItem.h"

#include <typeinfo>

#include "Lottie/Model/ShapeItems/Ellipse.h"
#include "Lottie/Model/ShapeItems/Fill.h"
#include "Lottie/Model/ShapeItems/GradientFill.h"
#include "Lottie/Model/ShapeItems/GradientStroke.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Model/ShapeItems/Merge.h"
#include "Lottie/Model/ShapeItems/Rectangle.h"
#include "Lottie/Model/ShapeItems/Repeater.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/Model/ShapeItems/Star.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "Lottie/Model/FamilyDecoding.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/ShapeItem";
constexpr unsigned typeLine = 90;

// The class each kind decodes as; both decoders choose the same one.
template <class Source>
std::shared_ptr<const ShapeItem> makeItem(ShapeType type, const Source& source) {
    switch (type) {
        case ShapeType::ellipse: return std::make_shared<Ellipse>(source);
        case ShapeType::fill: return std::make_shared<Fill>(source);
        case ShapeType::gradientFill: return std::make_shared<GradientFill>(source);
        case ShapeType::group: return std::make_shared<Group>(source);
        case ShapeType::gradientStroke: return std::make_shared<GradientStroke>(source);
        case ShapeType::merge: return std::make_shared<Merge>(source);
        case ShapeType::rectangle: return std::make_shared<Rectangle>(source);
        case ShapeType::repeater: return std::make_shared<Repeater>(source);
        case ShapeType::round: return std::make_shared<RoundedCorners>(source);
        case ShapeType::shape: return std::make_shared<Shape>(source);
        case ShapeType::star: return std::make_shared<Star>(source);
        case ShapeType::stroke: return std::make_shared<Stroke>(source);
        case ShapeType::trim: return std::make_shared<Trim>(source);
        case ShapeType::transform: return std::make_shared<ShapeTransform>(source);
        case ShapeType::unknown: break;
    }
    return std::make_shared<ShapeItem>(source);
}

}  // namespace

ShapeItem::ShapeItem(const Dictionary& dictionary) {
    if (auto name = inlineValue<std::string>(dictionary, "nm")) name_ = std::move(*name);
    type_ = shapeTypeFromRawValue(value<std::string>(dictionary, discriminatorKey, file, typeLine))
                .value_or(ShapeType::unknown);
    // Any value that converts to a boolean counts, the numbers 0 and 1 included.
    hidden_ = inlineValue<bool>(dictionary, "hd").value_or(false);
}

ShapeItem::ShapeItem(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    name_ = container.decodeIfPresent<std::string>("nm").value_or("Layer");
    type_ = shapeTypeFromRawValue(container.decode<std::string>(discriminatorKey)).value_or(ShapeType::unknown);
    hidden_ = container.decodeIfPresent<bool>("hd").value_or(false);
}

ShapeItem::ShapeItem(std::string name, ShapeType type, bool hidden)
    : name_(std::move(name)), type_(type), hidden_(hidden) {}

void ShapeItem::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("nm", name_);
    container.encode(discriminatorKey, std::string(rawValue(type_)));
    container.encode("hd", hidden_);
}

bool ShapeItem::equals(const ShapeItem& other) const {
    return name_ == other.name_ && type_ == other.type_ && hidden_ == other.hidden_;
}

bool operator==(const ShapeItem& first, const ShapeItem& second) {
    return typeid(first) == typeid(second) && first.equals(second);
}

bool sameItems(const ShapeItemList& first, const ShapeItemList& second) {
    if (first.size() != second.size()) return false;
    for (std::size_t index = 0; index < first.size(); ++index) {
        const auto& a = first[index];
        const auto& b = second[index];
        if (!a || !b) {
            if (a || b) return false;
        } else if (!(*a == *b)) {
            return false;
        }
    }
    return true;
}

std::shared_ptr<const ShapeItem> ShapeItem::itemFromDictionary(const Dictionary& dictionary) {
    // An absent or non-text code goes on as "unknown", so that the base
    // initialiser reports it; only an unrecognised text is dropped.
    std::string code = inlineValue<std::string>(dictionary, discriminatorKey).value_or("unknown");
    auto type = shapeTypeFromRawValue(code);
    if (!type) return nullptr;
    return makeItem(*type, dictionary);
}

ShapeItemList ShapeItem::itemsFromDictionaries(const DictionaryArray& dictionaries) {
    ShapeItemList items;
    items.reserve(dictionaries.size());
    for (const Dictionary* dictionary : dictionaries) {
        if (auto item = itemFromDictionary(*dictionary)) items.push_back(std::move(item));
    }
    return items;
}

ShapeItemList ShapeItem::decodeShapeItemFamily(const platform::json::KeyedDecodingContainer& container,
                                               std::string_view key) {
    return decodeFamilyElements<std::string>(
        container.nestedUnkeyedContainer(key), [](const platform::json::Decoder& decoder, std::optional<std::string> code) {
            return makeItem(code ? shapeTypeFromRawValue(*code).value_or(ShapeType::unknown) : ShapeType::unknown, decoder);
        });
}

}  // namespace lottie
