// Feeds arbitrary bytes to both document decoders and to the encoder: any
// input may be refused with an error, none may crash, leak or trip a sanitizer.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Json/Encoding.h"
#include "Platform/Json/JsonWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (auto strategy : {lottie::DecodingStrategy::dictionaryBased, lottie::DecodingStrategy::legacyCodable}) {
        try {
            auto animation = lottie::LottieAnimation::fromData(bytes, strategy);
            // What decodes must encode and decode again.
            std::string text = platform::json::serialize(platform::json::encodeToValue(*animation));
            lottie::LottieAnimation::fromData(text, strategy);
        } catch (const std::exception&) {
        }
    }
    return 0;
}
