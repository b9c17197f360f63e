#pragma once
// One entry of a stroke's dash pattern: a dash length, a gap length or the
// pattern's offset, each animated. Decoded with the stroke that lists it and
// shared, immutable, by the stroke and both rendering engines.

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

// In JSON the texts "o", "d" and "g".
enum class DashElementType { offset, dash, gap };

std::optional<DashElementType> dashElementTypeFromRawValue(std::string_view raw);
std::string_view rawValue(DashElementType type);

class DashElement;
// The entries in the order of the pattern.
using DashPattern = std::vector<std::shared_ptr<const DashElement>>;

class DashElement {
public:
    explicit DashElement(const Dictionary& dictionary);
    explicit DashElement(const platform::json::Decoder& decoder);
    DashElement(DashElementType type, KeyframeGroupPtr<LottieVector1D> value);

    void encode(platform::json::Encoder& encoder) const;

    DashElementType type() const { return type_; }
    KeyframeGroupPtr<LottieVector1D> value() const { return value_; }

    bool operator==(const DashElement& other) const;

    // A stroke's "d" by the dictionary decoder: nothing unless it is an array
    // of dictionaries, and nothing at all (not a shorter pattern) when any
    // entry fails to decode.
    static std::optional<DashPattern> patternFromDictionary(const Dictionary& stroke, std::string_view key);

private:
    DashElementType type_ = DashElementType::dash;
    KeyframeGroupPtr<LottieVector1D> value_;
};

// Element by element; two absent patterns are the same, an empty and an absent one are not.
bool samePattern(const std::optional<DashPattern>& first, const std::optional<DashPattern>& second);

}  // namespace lottie
