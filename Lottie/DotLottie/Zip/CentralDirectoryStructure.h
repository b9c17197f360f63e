#pragma once
// One entry of the central directory: the authoritative description of an
// archived item (name, sizes, checksum, attributes, where its local header is).
// Held by value inside an Entry.

#include "Lottie/DotLottie/Zip/LittleEndian.h"
#include "Lottie/DotLottie/Zip/Zip64ExtendedInformation.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <vector>

namespace lottie {

struct CentralDirectoryStructure {
    static constexpr std::uint32_t signature = 0x02014b50;
    static constexpr std::size_t fixedSize = 46;

    std::uint32_t centralDirectorySignature = signature;
    std::uint16_t versionMadeBy = 0;
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
    std::uint16_t fileCommentLength = 0;
    std::uint16_t diskNumberStart = 0;
    std::uint16_t internalFileAttributes = 0;
    std::uint32_t externalFileAttributes = 0;
    std::uint32_t relativeOffsetOfLocalHeader = 0;
    ByteBuffer fileNameData;
    ByteBuffer extraFieldData;
    ByteBuffer fileCommentData;
    // The ZIP64 block of the extra field, when one matching the saturated fields exists.
    std::optional<Zip64ExtendedInformation> zip64ExtendedInformation;

    // `data` is the fixed part; name, extra field and comment are read from `file`,
    // which stands directly behind it.
    static std::optional<CentralDirectoryStructure> parse(std::span<const std::uint8_t> data, std::FILE* file);

    // The ZIP64 values this entry needs, from its saturated 32- and 16-bit fields.
    std::vector<Zip64ExtendedInformation::Field> zip64FieldsNeeded() const;

    // The size of the whole record in the directory, tails included.
    std::uint64_t recordSize() const
    {
        return fixedSize + std::uint64_t(fileNameLength) + extraFieldLength + fileCommentLength;
    }

    bool operator==(const CentralDirectoryStructure&) const = default;
};

}  // namespace lottie
