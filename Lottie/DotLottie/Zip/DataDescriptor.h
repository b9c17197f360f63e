#pragma once
// The optional record behind an item's data that carries its checksum and sizes
// when the writer did not know them up front (flag bit 3). One layout over the
// width of the two sizes: 32-bit in plain archives, 64-bit for ZIP64 entries.
// Held by value inside an Entry.

#include "Lottie/DotLottie/Zip/LittleEndian.h"

#include <cstdint>
#include <optional>
#include <span>

namespace lottie {

template <typename SizeType>
struct DataDescriptor {
    static constexpr std::uint32_t signature = 0x08074b50;
    // The bytes read for the descriptor: signature, checksum and two sizes.
    static constexpr std::size_t fixedSize = 8 + 2 * sizeof(SizeType);

    ByteBuffer data;
    std::uint32_t dataDescriptorSignature = signature;
    std::uint32_t crc32 = 0;
    SizeType compressedSize = 0;
    SizeType uncompressedSize = 0;

    // The signature is optional in files; without it every field starts 4 bytes earlier.
    static std::optional<DataDescriptor> parse(std::span<const std::uint8_t> bytes)
    {
        if (bytes.size() != fixedSize) {
            return std::nullopt;
        }
        DataDescriptor descriptor;
        descriptor.data.assign(bytes.begin(), bytes.end());
        std::size_t offset = LittleEndian::read32(bytes, 0) == signature ? 4 : 0;
        descriptor.crc32 = LittleEndian::read32(bytes, offset);
        offset += 4;
        descriptor.compressedSize = readSize(bytes, offset);
        descriptor.uncompressedSize = readSize(bytes, offset + sizeof(SizeType));
        return descriptor;
    }

    bool operator==(const DataDescriptor&) const = default;

private:
    static SizeType readSize(std::span<const std::uint8_t> bytes, std::size_t offset)
    {
        if constexpr (sizeof(SizeType) == 8) {
            return LittleEndian::read64(bytes, offset);
        } else {
            return LittleEndian::read32(bytes, offset);
        }
    }
};

using DataDescriptor32 = DataDescriptor<std::uint32_t>;
using DataDescriptor64 = DataDescriptor<std::uint64_t>;

}  // namespace lottie
