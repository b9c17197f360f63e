#include "Lottie/Model/DashElement.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/DashPattern";
constexpr unsigned typeLine = 23;
constexpr unsigned unknownTypeLine = 25;
constexpr unsigned valueLine = 28;

}  // namespace

std::optional<DashElementType> dashElementTypeFromRawValue(std::string_view raw) {
    if (raw == "o") return DashElementType::offset;
    if (raw == "d") return DashElementType::dash;
    if (raw == "g") return DashElementType::gap;
    return std::nullopt;
}

std::string_view rawValue(DashElementType type) {
    switch (type) {
        case DashElementType::offset: return "o";
        case DashElementType::dash: return "d";
        case DashElementType::gap: return "g";
    }
    return "d";
}

DashElement::DashElement(const Dictionary& dictionary) {
    auto raw = lottie::value<std::string>(dictionary, "n", file, typeLine);
    auto type = dashElementTypeFromRawValue(raw);
    if (!type) throw InitializableError::invalidInput(file, unknownTypeLine).at(dictionary, "n", "unknown code");
    type_ = *type;
    value_ = std::make_shared<const KeyframeGroup<LottieVector1D>>(*lottie::value<DictionaryRef>(dictionary, "v", file, valueLine));
}

DashElement::DashElement(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    auto raw = container.decode<std::string>("n");
    auto type = dashElementTypeFromRawValue(raw);
    if (!type) {
        throw platform::json::DecodingError::dataCorrupted(
            platform::json::appending(container.codingPath(), platform::json::CodingKey::named("n")),
            "Cannot initialize DashElementType from invalid String value " + raw);
    }
    type_ = *type;
    value_ = container.decode<KeyframeGroupPtr<LottieVector1D>>("v");
}

DashElement::DashElement(DashElementType type, KeyframeGroupPtr<LottieVector1D> value)
    : type_(type), value_(std::move(value)) {}

void DashElement::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("n", std::string(rawValue(type_)));
    container.encode("v", value_);
}

bool DashElement::operator==(const DashElement& other) const {
    if (type_ != other.type_) return false;
    if (!value_ || !other.value_) return !value_ && !other.value_;
    return *value_ == *other.value_;
}

std::optional<DashPattern> DashElement::patternFromDictionary(const Dictionary& stroke, std::string_view key) {
    auto entries = inlineValue<DictionaryArray>(stroke, key);
    if (!entries) return std::nullopt;
    DashPattern pattern;
    pattern.reserve(entries->size());
    try {
        for (const Dictionary* entry : *entries) pattern.push_back(std::make_shared<const DashElement>(*entry));
    } catch (const InitializableError&) {
        return std::nullopt;
    }
    return pattern;
}

bool samePattern(const std::optional<DashPattern>& first, const std::optional<DashPattern>& second) {
    if (!first || !second) return !first && !second;
    if (first->size() != second->size()) return false;
    for (std::size_t index = 0; index < first->size(); ++index) {
        if (!(*(*first)[index] == *(*second)[index])) return false;
    }
    return true;
}

}  // namespace lottie
