// Loading an animation from its bytes by either decoding strategy.
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Json/JsonParser.h"

namespace lottie {

std::shared_ptr<const LottieAnimation> LottieAnimation::fromData(std::string_view data, DecodingStrategy strategy) {
    platform::json::Value document = platform::json::parse(data);
    if (strategy == DecodingStrategy::dictionaryBased) {
        if (!document.isObject()) throw InitializableError::invalidInput("Lottie/LottieAnimationHelpers", 157);
        return std::make_shared<const LottieAnimation>(document);
    }
    return std::make_shared<const LottieAnimation>(platform::json::Decoder(document));
}

}  // namespace lottie
