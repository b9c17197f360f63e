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

void appendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A chunk's name, size, payload and padding, as the file holds them.
void appendChunk(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> chunk) {
    out.insert(out.end(), chunk.begin(), chunk.end());
    if (chunk.size() % 2 != 0) out.push_back(0);
}

}  // namespace

std::optional<WebPChunks> WebPChunks::of(std::span<const std::uint8_t> file) {
    constexpr std::size_t riffHeader = 12;
    if (file.size() < riffHeader + headerBytes) return std::nullopt;
    const std::size_t end = std::min<std::size_t>(file.size(), std::size_t{littleEndian(file.data() + 4, 4)} + 8);
    WebPChunks found;
    bool extended = false;
    bool flagsProfile = false;
    std::span<const std::uint8_t> alpha;  // the ALPH chunk, header and all
    std::span<const std::uint8_t> imageChunk;
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
            imageChunk = std::span(chunk, headerBytes + size);
            found.bitstream_ = payload;
            break;  // what follows the image says nothing about its pixels
        } else if (!extended) {
            return std::nullopt;  // a simple file starts with its image
        } else if (named(chunk, "ANIM") || named(chunk, "ANMF")) {
            return std::nullopt;
        } else if (named(chunk, "ICCP") && flagsProfile && found.profile_.empty()) {
            found.profile_ = payload;
        } else if (named(chunk, "ALPH") && alpha.empty()) {
            alpha = std::span(chunk, headerBytes + size);
        }
        offset += headerBytes + size + size % 2;
    }
    if (imageChunk.empty()) return std::nullopt;
    // A lossless bitstream carries its own alpha; a lossy one's stays in its
    // own chunk, which only a container can hand over with it.
    if (!alpha.empty() && named(imageChunk.data(), "VP8 ")) {
        std::vector<std::uint8_t>& out = found.container_;
        const std::uint32_t bodySize = static_cast<std::uint32_t>(
            4 + headerBytes + 10 + alpha.size() + alpha.size() % 2 + imageChunk.size() + imageChunk.size() % 2);
        out.reserve(8 + bodySize);
        out.insert(out.end(), {'R', 'I', 'F', 'F'});
        appendLittleEndian(out, bodySize, 4);
        out.insert(out.end(), {'W', 'E', 'B', 'P', 'V', 'P', '8', 'X'});
        appendLittleEndian(out, 10, 4);
        constexpr std::uint8_t alphaFlag = 0x10;
        appendLittleEndian(out, alphaFlag, 4);
        appendLittleEndian(out, static_cast<std::uint32_t>(found.canvas_->first - 1), 3);
        appendLittleEndian(out, static_cast<std::uint32_t>(found.canvas_->second - 1), 3);
        appendChunk(out, alpha);
        appendChunk(out, imageChunk);
    }
    return found;
}

std::span<const std::uint8_t> WebPChunks::image() const {
    return container_.empty() ? bitstream_ : std::span<const std::uint8_t>(container_);
}

}  // namespace platform::graphics
