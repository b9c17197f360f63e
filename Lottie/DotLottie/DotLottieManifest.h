#pragma once
// The "manifest.json" of a dotLottie package: the list of its animations, in
// order, and the format version that decides the names of the package's folders.
// "animations" is required (it may be empty); "version", "author" and
// "generator" are optional texts, carried but not otherwise used. Decoded by the
// package loader, which owns it for the length of one load.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Lottie/DotLottie/DotLottieAnimation.h"
#include "Platform/Json/Decoder.h"
#include "Platform/Json/Encoder.h"

namespace lottie {

struct DotLottieManifest {
    std::vector<DotLottieAnimation> animations;
    std::optional<std::string> version;
    std::optional<std::string> author;
    std::optional<std::string> generator;

    static DotLottieManifest decode(const platform::json::Decoder& decoder);
    // Writes "animations" always and the optional texts only when present.
    void encode(platform::json::Encoder& encoder) const;

    // Parses and decodes a whole manifest file. Throws the JSON parser's ParseError
    // or the decoder's DecodingError.
    static DotLottieManifest fromData(std::string_view json);

    // Whether the version, read as a signed decimal integer ("+2" and "3" count,
    // "2.0" and "2a" do not), is 2 or more: such packages keep their images in
    // "i" and their animations in "a" instead of "images" and "animations". No
    // version counts as "1".
    bool usesShortFolderNames() const;

    bool operator==(const DotLottieManifest&) const = default;
};

}  // namespace lottie
