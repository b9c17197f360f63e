#include "Lottie/DotLottie/DotLottieAnimation.h"

#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

DotLottieAnimation DotLottieAnimation::decode(const platform::json::Decoder& decoder) {
    const platform::json::KeyedDecodingContainer container = decoder.container();
    DotLottieAnimation animation;
    animation.id = container.decode<std::string>("id");
    animation.loop = container.decodeIfPresent<bool>("loop");
    animation.speed = container.decodeIfPresent<double>("speed");
    animation.direction = container.decodeIfPresent<std::int64_t>("direction");
    if (container.contains("mode") && !container.decodeNil("mode")) {
        animation.mode = decodeDotLottieAnimationMode(container.superDecoder("mode"));
    }
    return animation;
}

void DotLottieAnimation::encode(platform::json::Encoder& encoder) const {
    platform::json::KeyedEncodingContainer container = encoder.container();
    container.encode("id", id);
    container.encodeIfPresent("loop", loop);
    container.encodeIfPresent("speed", speed);
    container.encodeIfPresent("direction", direction);
    if (mode) encodeDotLottieAnimationMode(container.superEncoder("mode"), *mode);
}

}  // namespace lottie
