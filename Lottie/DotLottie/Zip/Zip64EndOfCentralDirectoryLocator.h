#pragma once
// The ZIP64 locator that sits directly in front of the end record of an archive
// too large for the classic fields. Held inside Zip64EndOfCentralDirectory.

#include <cstdint>
#include <optional>
#include <span>

namespace lottie {

struct Zip64EndOfCentralDirectoryLocator {
    static constexpr std::uint32_t signature = 0x07064b50;
    static constexpr std::size_t fixedSize = 20;

    std::uint32_t zip64EOCDLocatorSignature = signature;
    std::uint32_t numberOfDiskWithZIP64EOCDRecordStart = 0;
    std::uint64_t relativeOffsetOfZIP64EOCDRecord = 0;
    std::uint32_t totalNumberOfDisk = 0;

    static std::optional<Zip64EndOfCentralDirectoryLocator> parse(std::span<const std::uint8_t> data);

    bool operator==(const Zip64EndOfCentralDirectoryLocator&) const = default;
};

}  // namespace lottie
