#pragma once
// Matching one key of a keypath against one element's name, the rule every keypath
// search uses at every level. Stateless; safe from any thread.
//
//   "*" and "**"      match any name
//   "Fill"            matches exactly "Fill" (case-sensitive)
//   "Fill*"           names starting with "Fill", "Fill" itself included
//   "*Color"          names ending with "Color"
//   "Stroke*Width"    names starting with "Stroke" and ending with "Width"; the two
//                     tests are independent, so they may overlap ("ab*ba" matches "aba")
//
// Only the first "*" of a key is special; a later one is compared as a plain
// character. Lengths and comparisons count user-perceived characters (grapheme
// clusters), so a prefix never matches half of a character: "e*" does not match a
// name that starts with "e" followed by a combining accent.

#include <string_view>

namespace lottie {

bool keyMatchesName(std::string_view name, std::string_view key);

}  // namespace lottie
