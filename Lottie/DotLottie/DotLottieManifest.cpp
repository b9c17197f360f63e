#include "Lottie/DotLottie/DotLottieManifest.h"

#include <charconv>

#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"
#include "Platform/Json/JsonParser.h"

namespace lottie {

namespace {

// A signed decimal integer within 64 bits: an optional sign, then digits only.
std::optional<std::int64_t> parseInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

DotLottieManifest DotLottieManifest::decode(const platform::json::Decoder& decoder) {
    const platform::json::KeyedDecodingContainer container = decoder.container();
    DotLottieManifest manifest;
    manifest.animations = container.decode<std::vector<DotLottieAnimation>>("animations");
    manifest.version = container.decodeIfPresent<std::string>("version");
    manifest.author = container.decodeIfPresent<std::string>("author");
    manifest.generator = container.decodeIfPresent<std::string>("generator");
    return manifest;
}

void DotLottieManifest::encode(platform::json::Encoder& encoder) const {
    platform::json::KeyedEncodingContainer container = encoder.container();
    container.encode("animations", animations);
    container.encodeIfPresent("version", version);
    container.encodeIfPresent("author", author);
    container.encodeIfPresent("generator", generator);
}

DotLottieManifest DotLottieManifest::fromData(std::string_view json) {
    const platform::json::Value document = platform::json::parse(json);
    return platform::json::Decoder(document).decode<DotLottieManifest>();
}

bool DotLottieManifest::usesShortFolderNames() const {
    const auto number = parseInteger(version.value_or("1"));
    return number && *number >= 2;
}

}  // namespace lottie
