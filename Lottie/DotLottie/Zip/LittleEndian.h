#pragma once
// Little-endian reads and writes over byte buffers: every integer in a ZIP record
// is unsigned and little-endian. The reads do not check bounds; every caller has
// checked the record's length first.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lottie {

using ByteBuffer = std::vector<std::uint8_t>;

class LittleEndian {
public:
    static std::uint16_t read16(std::span<const std::uint8_t> bytes, std::size_t offset)
    {
        return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
    }

    static std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t offset)
    {
        return static_cast<std::uint32_t>(read16(bytes, offset))
            | (static_cast<std::uint32_t>(read16(bytes, offset + 2)) << 16);
    }

    static std::uint64_t read64(std::span<const std::uint8_t> bytes, std::size_t offset)
    {
        return static_cast<std::uint64_t>(read32(bytes, offset))
            | (static_cast<std::uint64_t>(read32(bytes, offset + 4)) << 32);
    }

    // Appends the low `width` bytes of `value`, least significant first.
    static void append(ByteBuffer& out, std::uint64_t value, int width)
    {
        for (int i = 0; i < width; ++i) {
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    }
};

}  // namespace lottie
