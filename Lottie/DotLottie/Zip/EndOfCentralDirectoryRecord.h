#pragma once
// The end of central directory record that closes every ZIP archive: where the
// central directory starts, how many entries it holds, and the archive comment.
// Held by value inside an open Archive.

#include "Lottie/DotLottie/Zip/LittleEndian.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>

namespace lottie {

struct EndOfCentralDirectoryRecord {
    static constexpr std::uint32_t signature = 0x06054b50;
    static constexpr std::size_t fixedSize = 22;

    std::uint32_t endOfCentralDirectorySignature = signature;
    std::uint16_t numberOfDisk = 0;
    std::uint16_t numberOfDiskStart = 0;
    std::uint16_t totalNumberOfEntriesOnDisk = 0;
    std::uint16_t totalNumberOfEntriesInCentralDirectory = 0;
    std::uint32_t sizeOfCentralDirectory = 0;
    std::uint32_t offsetToStartOfCentralDirectory = 0;
    std::uint16_t zipFileCommentLength = 0;
    ByteBuffer zipFileCommentData;

    // `data` is the fixed part; the comment is read from `file`, which stands
    // directly behind it. Nothing when the length, signature or comment is wrong.
    static std::optional<EndOfCentralDirectoryRecord> parse(std::span<const std::uint8_t> data, std::FILE* file);

    // The record as it is written to a file: fixed part, then comment.
    ByteBuffer data() const;

    bool operator==(const EndOfCentralDirectoryRecord&) const = default;
};

}  // namespace lottie
