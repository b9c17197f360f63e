#include "Lottie/Model/Effects/EffectValue.h"

#include "Lottie/Model/Effects/ColorEffectValue.h"
#include "Lottie/Model/Effects/Vector1DEffectValue.h"

namespace lottie {

void EffectValue::readBase(const Dictionary& dictionary) {
    if (auto code = inlineValue<std::int64_t>(dictionary, discriminatorKey)) {
        type = effectValueTypeFromCode(*code).value_or(EffectValueType::unknown);
    }
    name = inlineValue<std::string>(dictionary, "nm").value_or("Effect");
}

void EffectValue::readBase(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    type = effectValueTypeFromCode(container.decode<std::int64_t>(discriminatorKey)).value_or(EffectValueType::unknown);
    name = container.decode<std::string>("nm");
}

void EffectValue::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode(discriminatorKey, static_cast<int>(type));
    container.encode("nm", name);
}

std::vector<std::shared_ptr<const EffectValue>> EffectValue::effectValuesFromDictionaries(
    const DictionaryArray& dictionaries) {
    std::vector<std::shared_ptr<const EffectValue>> values;
    values.reserve(dictionaries.size());
    for (const Dictionary* dictionary : dictionaries) {
        auto code = inlineValue<std::int64_t>(*dictionary, discriminatorKey);
        if (!code) {
            values.push_back(std::make_shared<const EffectValue>(*dictionary));
            continue;
        }
        auto kind = effectValueTypeFromCode(*code);
        if (!kind) continue;
        switch (*kind) {
            case EffectValueType::slider:
            case EffectValueType::angle:
                values.push_back(std::make_shared<const Vector1DEffectValue>(*dictionary));
                break;
            case EffectValueType::color:
                values.push_back(std::make_shared<const ColorEffectValue>(*dictionary));
                break;
            case EffectValueType::unknown:
                values.push_back(std::make_shared<const EffectValue>(*dictionary));
                break;
        }
    }
    return values;
}

std::optional<std::vector<std::shared_ptr<const EffectValue>>> EffectValue::decodeEffectValueFamily(
    const platform::json::KeyedDecodingContainer& container, std::string_view key) {
    // Looked at before opening, so that the common case of a missing list
    // costs no exception.
    if (!container.contains(key)) return std::nullopt;
    platform::json::Decoder list = container.superDecoder(key);
    if (!list.value().isArray()) return std::nullopt;
    auto peek = list.unkeyedContainer();
    auto read = peek;
    std::vector<std::shared_ptr<const EffectValue>> values;
    while (!peek.isAtEnd()) {
        auto element = peek.nestedContainer();
        std::optional<std::int64_t> code;
        try {
            code = element.decodeIfPresent<std::int64_t>(discriminatorKey);
        } catch (const platform::json::DecodingError&) {
            // An unreadable type chooses the base class, whose own decoding reports it.
        }
        auto kind = code ? effectValueTypeFromCode(*code) : std::nullopt;
        platform::json::Decoder decoder = read.superDecoder();
        if (kind == EffectValueType::slider || kind == EffectValueType::angle) {
            values.push_back(std::make_shared<const Vector1DEffectValue>(decoder));
        } else if (kind == EffectValueType::color) {
            values.push_back(std::make_shared<const ColorEffectValue>(decoder));
        } else {
            values.push_back(std::make_shared<const EffectValue>(decoder));
        }
    }
    return values;
}

}  // namespace lottie
