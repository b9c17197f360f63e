#pragma once
// The JSON form of one entry of a keyframe array, every field optional:
// "s" start value, "e" end value, "t" time, "h" hold, "i"/"o" easing tangents,
// "ti"/"to" spatial tangents. An entry's "i" and "ti" describe the arrival at
// the next keyframe. A transient value made while decoding or encoding a
// KeyframeGroup.

#include <cstdint>
#include <optional>
#include <utility>

#include "Lottie/Model/InitializableError.h"
#include "Lottie/Values/AnyValueReader.h"
#include "Lottie/Values/LottieVector2D.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

template <class T>
struct KeyframeData {
    std::optional<T> startValue;
    std::optional<T> endValue;
    std::optional<double> time;
    std::optional<std::int64_t> hold;
    std::optional<LottieVector2D> inTangent;
    std::optional<LottieVector2D> outTangent;
    std::optional<LottieVector3D> spatialInTangent;
    std::optional<LottieVector3D> spatialOutTangent;

    // Only a positive "h" holds.
    bool isHold() const { return hold && *hold > 0; }

    // The keyed-container decoder: every present key must decode as its type.
    static KeyframeData decode(const platform::json::Decoder& decoder) {
        platform::json::KeyedDecodingContainer container = decoder.container();
        KeyframeData data;
        data.startValue = container.decodeIfPresent<T>("s");
        data.endValue = container.decodeIfPresent<T>("e");
        data.time = container.decodeIfPresent<double>("t");
        data.hold = container.decodeIfPresent<std::int64_t>("h");
        data.inTangent = container.decodeIfPresent<LottieVector2D>("i");
        data.outTangent = container.decodeIfPresent<LottieVector2D>("o");
        data.spatialInTangent = container.decodeIfPresent<LottieVector3D>("ti");
        data.spatialOutTangent = container.decodeIfPresent<LottieVector3D>("to");
        return data;
    }

    // The dictionary decoder never fails here: a key that is absent or cannot
    // be read is simply absent.
    static KeyframeData fromDictionary(const platform::json::Value& dictionary) {
        KeyframeData data;
        data.startValue = readQuietly<T>(dictionary, "s");
        data.endValue = readQuietly<T>(dictionary, "e");
        if (const platform::json::Value* found = dictionary.find("t")) data.time = found->asDouble();
        if (const platform::json::Value* found = dictionary.find("h")) data.hold = found->asInteger();
        data.inTangent = readQuietly<LottieVector2D>(dictionary, "i");
        data.outTangent = readQuietly<LottieVector2D>(dictionary, "o");
        data.spatialInTangent = readQuietly<LottieVector3D>(dictionary, "ti");
        data.spatialOutTangent = readQuietly<LottieVector3D>(dictionary, "to");
        return data;
    }

    void encode(platform::json::Encoder& encoder) const {
        platform::json::KeyedEncodingContainer container = encoder.container();
        container.encodeIfPresent("s", startValue);
        container.encodeIfPresent("e", endValue);
        container.encodeIfPresent("t", time);
        container.encodeIfPresent("h", hold);
        container.encodeIfPresent("i", inTangent);
        container.encodeIfPresent("o", outTangent);
        container.encodeIfPresent("ti", spatialInTangent);
        container.encodeIfPresent("to", spatialOutTangent);
    }

private:
    template <class V>
    static std::optional<V> readQuietly(const platform::json::Value& dictionary, std::string_view key) {
        const platform::json::Value* found = dictionary.find(key);
        if (!found) return std::nullopt;
        try {
            return AnyValueReader<V>::read(*found);
        } catch (const InitializableError&) {
            return std::nullopt;
        }
    }
};

}  // namespace lottie
