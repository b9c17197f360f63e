#include "Lottie/Values/LottieVector2D.h"

#include <optional>

#include "Lottie/Model/InitializableError.h"
#include "Lottie/Values/JsonNumbers.h"

namespace lottie {

namespace {

constexpr const char* errorFile = "Lottie/VectorsExtensions";
constexpr unsigned notDictionaryLine = 130;
constexpr unsigned xLine = 141;
constexpr unsigned yLine = 151;

// An array of numbers gives its first one; otherwise the value must be a number.
std::optional<double> component(const platform::json::Value* json) {
    if (!json) return std::nullopt;
    if (const platform::json::Array* array = jsonnumbers::numberArray(*json)) {
        if (!array->empty()) return jsonnumbers::numberAt(*array, 0);
    }
    return json->asDouble();
}

double decodeComponent(const platform::json::KeyedDecodingContainer& container, std::string_view key) {
    if (container.superDecoder(key).value().isArray()) {
        try {
            auto numbers = container.decode<std::vector<double>>(key);
            if (!numbers.empty()) return numbers.front();
        } catch (const platform::json::DecodingError&) {
        }
    }
    return container.decode<double>(key);
}

}  // namespace

LottieVector2D LottieVector2D::fromAny(const platform::json::Value& json) {
    if (!json.isObject()) throw InitializableError::invalidInput(errorFile, notDictionaryLine);
    auto x = component(json.find("x"));
    if (!x) throw InitializableError::invalidInput(errorFile, xLine);
    auto y = component(json.find("y"));
    if (!y) throw InitializableError::invalidInput(errorFile, yLine);
    return {*x, *y};
}

LottieVector2D LottieVector2D::decode(const platform::json::Decoder& decoder) {
    platform::json::KeyedDecodingContainer container = decoder.container();
    double x = decodeComponent(container, "x");
    double y = decodeComponent(container, "y");
    return {x, y};
}

void LottieVector2D::encode(platform::json::Encoder& encoder) const {
    platform::json::KeyedEncodingContainer container = encoder.container();
    container.encode("x", x);
    container.encode("y", y);
}

}  // namespace lottie
