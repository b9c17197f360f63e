#pragma once
// One named value of a layer effect (a slider, an angle, a colour), the base
// of the typed values. Owned by its LayerEffect; a value of a kind nothing
// renders is kept with its type and name only.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/Effects/EffectValueType.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

class EffectValue {
public:
    // Never fails: an unreadable type is "unknown", a missing name "Effect".
    explicit EffectValue(const Dictionary& dictionary) { readBase(dictionary); }
    // "ty" is required here; a missing name is "Effect", as above.
    explicit EffectValue(const platform::json::Decoder& decoder) { readBase(decoder); }
    virtual ~EffectValue() = default;

    virtual void encode(platform::json::Encoder& encoder) const;

    // The dictionary decoder's factory: each element as the class its "ty"
    // selects; an integer type code nobody knows drops the element.
    static std::vector<std::shared_ptr<const EffectValue>> effectValuesFromDictionaries(
        const DictionaryArray& dictionaries);
    // The keyed-container family: nothing when `key` is missing or not an
    // array; unknown codes are kept as plain values.
    static std::optional<std::vector<std::shared_ptr<const EffectValue>>> decodeEffectValueFamily(
        const platform::json::KeyedDecodingContainer& container, std::string_view key);

    EffectValueType type = EffectValueType::unknown;
    std::string name = "Effect";

protected:
    // Subclasses read their own value first, then these keys.
    EffectValue() = default;
    void readBase(const Dictionary& dictionary);
    void readBase(const platform::json::Decoder& decoder);
};

}  // namespace lottie
