#include "Lottie/Model/ShapeItems/Merge.h"

#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Merge";
constexpr unsigned modeLine = 32;
constexpr unsigned unknownModeLine = 34;

}  // namespace

Merge::Merge(const Dictionary& dictionary) : Merge(readMode(dictionary), dictionary) {}

Merge::Merge(const platform::json::Decoder& decoder) : Merge(decodeMode(decoder), decoder) {}

MergeMode Merge::readMode(const Dictionary& dictionary) {
    auto mode = enumerationFromRawValue<MergeMode>(value<std::int64_t>(dictionary, "mm", file, modeLine));
    if (!mode) throw InitializableError::invalidInput(file, unknownModeLine).at(dictionary, "mm", "unknown code");
    return *mode;
}

MergeMode Merge::decodeMode(const platform::json::Decoder& decoder) {
    return decodeEnumeration<MergeMode>(decoder.container(), "mm");
}

void Merge::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("mm", rawValue(mode_));
}

bool Merge::equals(const ShapeItem& other) const {
    return ShapeItem::equals(other) && mode_ == static_cast<const Merge&>(other).mode_;
}

}  // namespace lottie
