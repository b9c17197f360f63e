#pragma once
// A plain Base64 encoder for tests that build data URLs or check the library's
// decoder against an encoding made independently of it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace testsupport {

// The standard alphabet; `pad` adds the "=" that complete the last group.
std::string encodeBase64(std::span<const std::uint8_t> bytes, bool pad = true);
std::string encodeBase64(std::string_view bytes, bool pad = true);

}  // namespace testsupport
