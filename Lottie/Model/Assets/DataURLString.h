#pragma once
// The bytes of an image embedded in a document as a data URL, as image
// providers ask for them before trying the asset's name as a file. Anything
// unusable gives nothing, silently: the caller then looks for a file.
//
// The text must begin with "data:" exactly (leading white space defeats it);
// white space at either end is otherwise trimmed, and the rest must be a
// well-formed URL. When ";base64," occurs in it, what follows its first
// occurrence is decoded as strict Base64; otherwise (or when asked to bypass
// that step) the URL is handed to the platform's data-URL loader.

#include <cstdint>
#include <optional>
#include <string_view>

#include "Platform/Foundation/Data.h"

namespace lottie {

struct DataURLFlags {
    static constexpr std::uint8_t bypassBase64 = 1 << 0;
    std::uint8_t bits = 0;
    bool contains(std::uint8_t flag) const { return (bits & flag) != 0; }
};

std::optional<platform::foundation::Data> dataFromDataURLString(std::string_view text, DataURLFlags options = {});

}  // namespace lottie
