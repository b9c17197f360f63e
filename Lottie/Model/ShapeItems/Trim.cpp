#include "Lottie/Model/ShapeItems/Trim.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Trim";
constexpr unsigned startLine = 31;
constexpr unsigned endLine = 33;
constexpr unsigned offsetLine = 35;
constexpr unsigned trimTypeLine = 37;
constexpr unsigned unknownTrimTypeLine = 39;

}  // namespace

Trim::Trim(const Dictionary& dictionary) : Trim(readFields(dictionary), dictionary) {}

Trim::Trim(const platform::json::Decoder& decoder) : Trim(decodeFields(decoder), decoder) {}

Trim::Fields Trim::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.start = requiredGroup<LottieVector1D>(dictionary, "s", file, startLine);
    fields.end = requiredGroup<LottieVector1D>(dictionary, "e", file, endLine);
    fields.offset = requiredGroup<LottieVector1D>(dictionary, "o", file, offsetLine);
    if (auto raw = optionalValue<std::int64_t>(dictionary, "m", file, trimTypeLine)) {
        auto type = enumerationFromRawValue<TrimType>(*raw);
        if (!type) {
            throw InitializableError::invalidInput(file, unknownTrimTypeLine).at(dictionary, "m", "unknown code");
        }
        fields.trimType = *type;
    }
    return fields;
}

Trim::Fields Trim::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.start = decodeGroup<LottieVector1D>(container, "s");
    fields.end = decodeGroup<LottieVector1D>(container, "e");
    fields.offset = decodeGroup<LottieVector1D>(container, "o");
    fields.trimType = decodeEnumerationIfPresent<TrimType>(container, "m").value_or(TrimType::individually);
    return fields;
}

void Trim::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("s", fields_.start);
    container.encode("e", fields_.end);
    container.encode("o", fields_.offset);
    container.encode("m", rawValue(fields_.trimType));
}

bool Trim::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const Trim&>(other);
    return ShapeItem::equals(other) && sameGroup(fields_.start, that.fields_.start) &&
           sameGroup(fields_.end, that.fields_.end) && sameGroup(fields_.offset, that.fields_.offset) &&
           fields_.trimType == that.fields_.trimType;
}

}  // namespace lottie
