#pragma once
// One entry of a package manifest's "animations": the identifier that names the
// animation's document in the package, and the playback hints the package gives
// it. Only "id" is required; every other key is read when present and not null,
// and a present key of the wrong JSON type fails the whole manifest. Keys this
// type does not know are ignored. A plain value owned by its manifest.

#include <cstdint>
#include <optional>
#include <string>

#include "Lottie/DotLottie/DotLottieAnimationMode.h"
#include "Platform/Json/Decoder.h"
#include "Platform/Json/Encoder.h"

namespace lottie {

struct DotLottieAnimation {
    std::string id;
    std::optional<bool> loop;
    std::optional<double> speed;
    // 1 forward, -1 backward; multiplied into the speed.
    std::optional<std::int64_t> direction;
    std::optional<DotLottieAnimationMode> mode;

    static DotLottieAnimation decode(const platform::json::Decoder& decoder);
    // Writes "id" and only the hints that are present.
    void encode(platform::json::Encoder& encoder) const;

    bool operator==(const DotLottieAnimation&) const = default;
};

}  // namespace lottie
