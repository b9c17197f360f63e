#include "Lottie/Model/Marker.h"

namespace lottie {

namespace {
constexpr std::string_view file = "Lottie/Marker";
}

Marker::Marker(const Dictionary& dictionary)
    : name(value<std::string>(dictionary, "cm", file, 14)),
      frameTime(value<double>(dictionary, "tm", file, 15)),
      durationFrameTime(value<double>(dictionary, "dr", file, 16)) {}

Marker::Marker(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    name = container.decode<std::string>("cm");
    frameTime = container.decode<double>("tm");
    durationFrameTime = container.decode<double>("dr");
}

void Marker::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("cm", name);
    container.encode("tm", frameTime);
    container.encode("dr", durationFrameTime);
}

}  // namespace lottie
