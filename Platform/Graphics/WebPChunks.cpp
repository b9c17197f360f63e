#include "Platform/Graphics/WebPChunks.h"

#include <algorithm>
#include <cstring>

namespace platform::graphics {

namespace {

constexpr std::size_t headerBytes = 8;  // a chunk's name and size

std::uint32_t littleEndian(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

bool named(const std::uint8_t* chunk, const char* name) { return std::memcmp(chunk, name, 4) == 0; }

}  // namespace

std::optional<WebPChunks> WebPChunks::of(std::span<const std::uint8_t> file) {
    constexpr std::size_t riffHeader = 12;
    if (file.size() < riffHeader + headerBytes) return std::nullopt;
    const std::size_t end = std::min<std::size_t>(file.size(), std::size_t{littleEndian(file.data() + 4, 4)} + 8);
    WebPChunks found;
    bool extended = false;
    bool flagsProfile = false;
    for (std::size_t offset = riffHeader; offset + headerBytes <= end;) {
        const std::uint8_t* chunk = file.data() + offset;
        const std::size_t size = littleEndian(chunk + 4, 4);
        if (size > end - offset - headerBytes) return std::nullopt;
        const std::span<const std::uint8_t> payload(chunk + headerBytes, size);
        if (offset == riffHeader && named(chunk, "VP8X")) {
            if (size < 10) return std::nullopt;
            extended = true;
            constexpr std::uint8_t animationFlag = 0x02, profileFlag = 0x20;
            if ((payload[0] & animationFlag) != 0) return std::nullopt;
            flagsProfile = (payload[0] & profileFlag) != 0;
            found.canvas_ = std::pair{static_cast<int>(littleEndian(&payload[4], 3)) + 1,
                                      static_cast<int>(littleEndian(&payload[7], 3)) + 1};
        } else if (named(chunk, "VP8 ") || named(chunk, "VP8L")) {
            found.image_ = file.first(offset + headerBytes + size);
            found.bitstreamOffset_ = offset + headerBytes;
            break;  // what follows the image says nothing about its pixels
        } else if (!extended) {
            return std::nullopt;  // a simple file starts with its image
        } else if (named(chunk, "ANIM") || named(chunk, "ANMF")) {
            return std::nullopt;
        } else if (named(chunk, "ICCP") && flagsProfile && found.profile_.empty()) {
            found.profile_ = payload;
        }
        offset += headerBytes + size + size % 2;
    }
    if (found.image_.empty()) return std::nullopt;
    return found;
}

}  // namespace platform::graphics
