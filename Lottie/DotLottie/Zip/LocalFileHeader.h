#pragma once
// The header in front of each item's data. Extraction takes the compression method
// and the name and extra lengths (which place the data) from here; everything
// else comes from the central directory. Held by value inside an Entry.

#include "Lottie/DotLottie/Zip/LittleEndian.h"
#include "Lottie/DotLottie/Zip/Zip64ExtendedInformation.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <vector>

namespace lottie {

struct LocalFileHeader {
    static constexpr std::uint32_t signature = 0x04034b50;
    static constexpr std::size_t fixedSize = 30;

    std::uint32_t localFileHeaderSignature = signature;
    std::uint16_t versionNeededToExtract = 0;
    std::uint16_t generalPurposeBitFlag = 0;
    std::uint16_t compressionMethod = 0;
    std::uint16_t lastModFileTime = 0;
    std::uint16_t lastModFileDate = 0;
    std::uint32_t crc32 = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t fileNameLength = 0;
    std::uint16_t extraFieldLength = 0;
    ByteBuffer fileNameData;
    ByteBuffer extraFieldData;
    std::optional<Zip64ExtendedInformation> zip64ExtendedInformation;

    // `data` is the fixed part; name and extra field are read from `file`, which
    // stands directly behind it.
    static std::optional<LocalFileHeader> parse(std::span<const std::uint8_t> data, std::FILE* file);

    // Only the two sizes can be carried by a local header's ZIP64 block.
    std::vector<Zip64ExtendedInformation::Field> zip64FieldsNeeded() const;

    bool operator==(const LocalFileHeader&) const = default;
};

}  // namespace lottie
