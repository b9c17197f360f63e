#include "Lottie/Model/Assets/Asset.h"

namespace lottie {

void Asset::readIdentifier(const Dictionary& dictionary) {
    if (const platform::json::Value* found = dictionary.find("id")) {
        if (const std::string* text = found->asString()) {
            id = *text;
            return;
        }
        if (auto number = found->asInteger()) {
            id = std::to_string(*number);
            return;
        }
    }
    throw InitializableError::invalidInput("Lottie/Asset", 30);
}

void Asset::readIdentifier(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    try {
        id = container.decode<std::string>("id");
    } catch (const platform::json::DecodingError&) {
        id = std::to_string(container.decode<std::int64_t>("id"));
    }
}

void Asset::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("id", id);
}

}  // namespace lottie
