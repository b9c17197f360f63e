#include "Lottie/Model/Effects/EffectValue.h"

#include "Lottie/Model/Effects/ColorEffectValue.h"
#include "Lottie/Model/Effects/Vector1DEffectValue.h"
#include "Lottie/Model/FamilyDecoding.h"

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
    name = container.decodeIfPresent<std::string>("nm").value_or("Effect");
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
    return decodeOptionalFamily<std::int64_t>(
        container, key,
        [](const platform::json::Decoder& decoder, std::optional<std::int64_t> code) -> std::shared_ptr<const EffectValue> {
            auto kind = code ? effectValueTypeFromCode(*code) : std::nullopt;
            if (kind == EffectValueType::slider || kind == EffectValueType::angle) {
                return std::make_shared<const Vector1DEffectValue>(decoder);
            }
            if (kind == EffectValueType::color) return std::make_shared<const ColorEffectValue>(decoder);
            return std::make_shared<const EffectValue>(decoder);
        });
}

}  // namespace lottie
