#pragma once
// The ZIP64 end record: the 64-bit entry count and central directory offset of a
// large archive. Its extensible data sector is never read. Held inside
// Zip64EndOfCentralDirectory.

#include "Lottie/DotLottie/Zip/LittleEndian.h"

#include <cstdint>
#include <optional>
#include <span>

namespace lottie {

struct Zip64EndOfCentralDirectoryRecord {
    static constexpr std::uint32_t signature = 0x06064b50;
    static constexpr std::size_t fixedSize = 56;
    static constexpr std::uint16_t minimumVersionNeeded = 45;

    std::uint32_t zip64EOCDRecordSignature = signature;
    std::uint64_t sizeOfZIP64EndOfCentralDirectoryRecord = 0;
    std::uint16_t versionMadeBy = 0;
    std::uint16_t versionNeededToExtract = 0;
    std::uint32_t numberOfDisk = 0;
    std::uint32_t numberOfDiskStart = 0;
    std::uint64_t totalNumberOfEntriesOnDisk = 0;
    std::uint64_t totalNumberOfEntriesInCentralDirectory = 0;
    std::uint64_t sizeOfCentralDirectory = 0;
    std::uint64_t offsetToStartOfCentralDirectory = 0;
    ByteBuffer zip64ExtensibleDataSector;

    static std::optional<Zip64EndOfCentralDirectoryRecord> parse(std::span<const std::uint8_t> data);

    bool operator==(const Zip64EndOfCentralDirectoryRecord&) const = default;
};

}  // namespace lottie
