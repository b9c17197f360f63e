#include "Lottie/Values/PointCoding.h"

#include "Lottie/Model/InitializableError.h"
#include "Lottie/Values/JsonNumbers.h"

namespace lottie {

namespace {
constexpr const char* errorFile = "Lottie/CGPointExtension";
constexpr unsigned missingXLine = 16;
constexpr unsigned missingYLine = 17;
constexpr unsigned unreadableLine = 25;

std::optional<double> member(const platform::json::Value& dictionary, std::string_view key) {
    const platform::json::Value* found = dictionary.find(key);
    return found ? found->asDouble() : std::nullopt;
}
}  // namespace

platform::graphics::Point pointFromAny(const platform::json::Value& json) {
    if (json.isObject()) {
        auto x = member(json, "x");
        if (!x) throw InitializableError::invalidInput(errorFile, missingXLine);
        auto y = member(json, "y");
        if (!y) throw InitializableError::invalidInput(errorFile, missingYLine);
        return {*x, *y};
    }
    if (const platform::json::Array* array = jsonnumbers::numberArray(json)) {
        if (array->size() >= 2) return {jsonnumbers::numberAt(*array, 0), jsonnumbers::numberAt(*array, 1)};
    }
    throw InitializableError::invalidInput(errorFile, unreadableLine);
}

platform::graphics::Point decodePoint(platform::json::UnkeyedDecodingContainer& container) {
    platform::json::UnkeyedDecodingContainer pair = container.nestedUnkeyedContainer();
    double x = pair.decode<double>();
    double y = pair.decode<double>();
    return {x, y};
}

void encodePoint(platform::json::UnkeyedEncodingContainer& container, platform::graphics::Point point) {
    platform::json::UnkeyedEncodingContainer pair = container.nestedUnkeyedContainer();
    pair.encode(point.x);
    pair.encode(point.y);
}

}  // namespace lottie
