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
    throw InitializableError::invalidInput("Lottie/Asset", 30).at(dictionary, "id", "expected a string or an integer");
}

void Asset::readIdentifier(const platform::json::Decoder& decoder) {
    // Text first, else an integer whose error then stands; the type is
    // looked at first so that integer identifiers cost no exception.
    auto container = decoder.container();
    if (container.superDecoder("id").value().isString()) {
        id = container.decode<std::string>("id");
    } else {
        id = std::to_string(container.decode<std::int64_t>("id"));
    }
}

void Asset::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("id", id);
}

}  // namespace lottie
