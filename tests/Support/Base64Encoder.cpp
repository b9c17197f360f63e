#include "tests/Support/Base64Encoder.h"

#include <algorithm>

namespace testsupport {

std::string encodeBase64(std::span<const std::uint8_t> bytes, bool pad) {
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group = (group << 8) | (k < n ? bytes[i + k] : 0u);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            if (k <= n) {
                text += alphabet[(group >> (18 - 6 * k)) & 63];
            } else if (pad) {
                text += '=';
            }
        }
    }
    return text;
}

std::string encodeBase64(std::string_view bytes, bool pad) {
    return encodeBase64(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), pad);
}

}  // namespace testsupport
