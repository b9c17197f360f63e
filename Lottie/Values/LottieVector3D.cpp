#include "Lottie/Values/LottieVector3D.h"

#include "Lottie/Model/InitializableError.h"
#include "Lottie/Values/JsonNumbers.h"

namespace lottie {

namespace {
constexpr const char* errorFile = "Lottie/VectorsExtensions";
constexpr unsigned unreadableLine = 216;
}  // namespace

LottieVector3D LottieVector3D::fromAny(const platform::json::Value& json) {
    const platform::json::Array* array = jsonnumbers::numberArray(json);
    if (!array) throw InitializableError::invalidInput(errorFile, unreadableLine);
    auto at = [array](std::size_t index) { return index < array->size() ? jsonnumbers::numberAt(*array, index) : 0.0; };
    return {at(0), at(1), at(2)};
}

LottieVector3D LottieVector3D::decode(const platform::json::Decoder& decoder) {
    platform::json::UnkeyedDecodingContainer container = decoder.unkeyedContainer();
    double x = container.isAtEnd() ? 0 : container.decode<double>();
    double y = container.isAtEnd() ? 0 : container.decode<double>();
    double z = container.isAtEnd() ? 0 : container.decode<double>();
    return {x, y, z};
}

void LottieVector3D::encode(platform::json::Encoder& encoder) const {
    platform::json::UnkeyedEncodingContainer container = encoder.unkeyedContainer();
    container.encode(x);
    container.encode(y);
    container.encode(z);
}

}  // namespace lottie
