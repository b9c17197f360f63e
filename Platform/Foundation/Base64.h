#pragma once
// Standard Base64 (the + and / alphabet) decoding for data URLs of embedded images.
//
// Strict, as the platform's decoder is: any character outside the alphabet,
// white space and line breaks included, rejects the whole text, and so does "="
// anywhere but at the end. The final padding may be left out ("YQ" reads as "YQ==");
// when present it must complete a group of four. A text of 4n+1 characters cannot
// be Base64 and is rejected. Unused low bits of the last character are ignored.

#include "Platform/Foundation/Data.h"

#include <optional>
#include <string_view>

namespace platform::foundation {

std::optional<Data> decodeBase64(std::string_view text);

}  // namespace platform::foundation
