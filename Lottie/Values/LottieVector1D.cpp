#include "Lottie/Values/LottieVector1D.h"

#include "Lottie/Model/InitializableError.h"
#include "Lottie/Values/JsonNumbers.h"

namespace lottie {

namespace {
constexpr const char* errorFile = "Lottie/VectorsExtensions";
constexpr unsigned unreadableLine = 57;
}  // namespace

LottieVector1D LottieVector1D::fromAny(const platform::json::Value& json) {
    if (const platform::json::Array* array = jsonnumbers::numberArray(json)) {
        if (!array->empty()) return LottieVector1D(jsonnumbers::numberAt(*array, 0));
    }
    if (auto number = json.asDouble()) return LottieVector1D(*number);
    throw InitializableError::invalidInput(errorFile, unreadableLine);
}

LottieVector1D LottieVector1D::decode(const platform::json::Decoder& decoder) {
    // Any failure of the array form (not an array, empty, not a number) is
    // forgotten; only the failure of the number form is reported.
    if (decoder.value().isArray()) {
        try {
            platform::json::UnkeyedDecodingContainer container = decoder.unkeyedContainer();
            return LottieVector1D(container.decode<double>());
        } catch (const platform::json::DecodingError&) {
        }
    }
    return LottieVector1D(decoder.singleValueContainer().decode<double>());
}

void LottieVector1D::encode(platform::json::Encoder& encoder) const { encoder.encode(value); }

}  // namespace lottie
