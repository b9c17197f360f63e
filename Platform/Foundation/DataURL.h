#pragma once
// The bytes of a data URL ("data:[<media type>][;base64],<data>"), as an image
// asset embeds its picture. Anything malformed gives nothing; no error is raised or
// logged, because callers then try the text as a file name instead.
//
// The rules, in order:
// - the text must begin with "data:" exactly (leading white space is refused);
//   white space and line breaks at the end are ignored;
// - the rest must be a well-formed URL: printable ASCII of the URL character set,
//   "%" only before two hex digits, at most one "#"; so white space inside is refused;
// - there must be a comma; what precedes the first comma is the header, and the
//   media type in it is not examined;
// - a header ending in ";base64" (exactly, lower case) makes the data strict Base64
//   (see Base64.h);
// - otherwise the data is percent-decoded, up to a "#" fragment.

#include "Platform/Foundation/Data.h"

#include <optional>
#include <string_view>

namespace platform::foundation {

std::optional<Data> decodeDataURL(std::string_view text);

}  // namespace platform::foundation
