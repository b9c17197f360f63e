#pragma once
// A named time range of the composition: playable by name, and the place
// where a reduced-motion alternative is looked up. Immutable once decoded.

#include <string>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

class Marker {
public:
    explicit Marker(const Dictionary& dictionary);
    explicit Marker(const platform::json::Decoder& decoder);
    Marker(std::string name, double frameTime, double durationFrameTime)
        : name(std::move(name)), frameTime(frameTime), durationFrameTime(durationFrameTime) {}

    void encode(platform::json::Encoder& encoder) const;

    std::string name;
    double frameTime = 0;
    double durationFrameTime = 0;
};

}  // namespace lottie
