#include "Lottie/Values/LottieColor.h"

#include "Lottie/Model/InitializableError.h"
#include "Lottie/Values/JsonNumbers.h"

namespace lottie {

namespace {
constexpr const char* errorFile = "Lottie/ColorExtension";
constexpr unsigned unreadableLine = 72;
}  // namespace

LottieColor LottieColor::fromComponents(double red, double green, double blue) {
    // Documents written in bytes have every component above 1; a single
    // component at or below 1 means the whole colour is already in 0...1.
    if (red > 1 && green > 1 && blue > 1) {
        red /= 255;
        green /= 255;
        blue /= 255;
    }
    return {red, green, blue, 1};
}

LottieColor LottieColor::fromAny(const platform::json::Value& json) {
    const platform::json::Array* array = jsonnumbers::numberArray(json);
    if (!array) throw InitializableError::invalidInput(errorFile, unreadableLine);
    auto at = [array](std::size_t index) { return index < array->size() ? jsonnumbers::numberAt(*array, index) : 0.0; };
    return fromComponents(at(0), at(1), at(2));
}

LottieColor LottieColor::decode(const platform::json::Decoder& decoder) {
    platform::json::UnkeyedDecodingContainer container = decoder.unkeyedContainer();
    double red = container.isAtEnd() ? 0 : container.decode<double>();
    double green = container.isAtEnd() ? 0 : container.decode<double>();
    double blue = container.isAtEnd() ? 0 : container.decode<double>();
    return fromComponents(red, green, blue);
}

void LottieColor::encode(platform::json::Encoder& encoder) const {
    platform::json::UnkeyedEncodingContainer container = encoder.unkeyedContainer();
    container.encode(r);
    container.encode(g);
    container.encode(b);
    container.encode(a);
}

}  // namespace lottie
