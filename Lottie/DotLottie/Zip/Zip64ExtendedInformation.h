#pragma once
// The ZIP64 extended information block (header ID 1) of an extra field: the
// 64-bit values of the header fields that hold their saturated 32-bit markers.
// A header keeps at most one of these, found by `scan`.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lottie {

struct Zip64ExtendedInformation {
    // The values a block may carry, in the order they are stored.
    enum class Field { uncompressedSize, compressedSize, relativeOffsetOfLocalHeader, diskNumberStart };

    static constexpr std::uint16_t zip64HeaderID = 0x0001;

    std::uint16_t headerID = zip64HeaderID;
    std::uint16_t dataSize = 0;
    std::uint64_t uncompressedSize = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t relativeOffsetOfLocalHeader = 0;
    std::uint32_t diskNumberStart = 0;

    // Parses one whole block (its four header bytes included). The block must hold
    // exactly the fields listed, no more and no fewer.
    static std::optional<Zip64ExtendedInformation> parse(std::span<const std::uint8_t> block,
                                                         const std::vector<Field>& fields);

    // Finds the first block of ID 1 in a header's extra field and parses it; the
    // scan ends at that block whether or not it parses.
    static std::optional<Zip64ExtendedInformation> scan(std::span<const std::uint8_t> extraFieldData,
                                                        const std::vector<Field>& fields);

    bool operator==(const Zip64ExtendedInformation&) const = default;
};

}  // namespace lottie
