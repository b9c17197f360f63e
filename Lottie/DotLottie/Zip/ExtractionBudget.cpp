#include "Lottie/DotLottie/Zip/ExtractionBudget.h"

#include "Lottie/DotLottie/Zip/ArchiveError.h"

#include <algorithm>
#include <limits>

namespace lottie {

namespace {

std::uint64_t saturatingMultiply(std::uint64_t a, std::uint64_t b)
{
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return a * b;
}

}  // namespace

ExtractionBudget::ExtractionBudget(ExtractionLimits limits) : limits_(limits) {}

void ExtractionBudget::checkRecordedSize(std::uint64_t size, const std::string& entryPath) const
{
    if (size > limits_.maxTotalUncompressedSize - std::min(totalWritten_, limits_.maxTotalUncompressedSize)) {
        throw ArchiveError(ArchiveError::Kind::uncompressedSizeLimitExceeded, entryPath,
                           "recorded size " + std::to_string(size) + " bytes, limit "
                               + std::to_string(limits_.maxTotalUncompressedSize) + " bytes in total");
    }
}

void ExtractionBudget::checkRecordedEntries(std::uint64_t uncompressed, std::uint64_t compressed,
                                            const std::string& entryPath) const
{
    checkRecordedSize(uncompressed, entryPath);
    const std::uint64_t written = totalWritten_ + uncompressed;
    const std::uint64_t read = totalCompressedRead_ + std::min(compressed, ~totalCompressedRead_);
    if (written > std::max(limits_.ratioAllowance, saturatingMultiply(read, limits_.maxCompressionRatio))) {
        throw ArchiveError(ArchiveError::Kind::compressionRatioLimitExceeded, entryPath,
                           "recorded sizes of " + std::to_string(written) + " bytes from " + std::to_string(read)
                               + " compressed bytes, more than " + std::to_string(limits_.maxCompressionRatio)
                               + " to 1");
    }
}

void ExtractionBudget::addEntry()
{
    if (++entries_ > limits_.maxEntryCount) {
        throw ArchiveError(ArchiveError::Kind::entryCountLimitExceeded, {},
                           "more than " + std::to_string(limits_.maxEntryCount) + " entries");
    }
}

void ExtractionBudget::addDirectory(const std::string& path)
{
    if (++directoriesCreated_ > limits_.maxDirectoryCount) {
        throw ArchiveError(ArchiveError::Kind::directoryCountLimitExceeded, path,
                           "more than " + std::to_string(limits_.maxDirectoryCount) + " directories");
    }
}

void ExtractionBudget::beginEntry(const std::string& entryPath)
{
    entryPath_ = entryPath;
    entryCompressedRead_ = 0;
    entryWritten_ = 0;
}

void ExtractionBudget::addCompressedRead(std::uint64_t count)
{
    const std::uint64_t allowed = entryWritten_ + entryWritten_ / 4 + limits_.compressedAllowance;
    if (entryCompressedRead_ > allowed) {
        throw ArchiveError(ArchiveError::Kind::compressedSizeLimitExceeded, entryPath_,
                           std::to_string(entryCompressedRead_) + " compressed bytes inflated to "
                               + std::to_string(entryWritten_));
    }
    entryCompressedRead_ += count;
    totalCompressedRead_ += count;
}

void ExtractionBudget::addWritten(std::uint64_t count)
{
    if (count > limits_.maxTotalUncompressedSize - totalWritten_) {
        throw ArchiveError(ArchiveError::Kind::uncompressedSizeLimitExceeded, entryPath_,
                           "more than " + std::to_string(limits_.maxTotalUncompressedSize) + " bytes in total");
    }
    // The ratio is judged on the whole extraction so far: an archive of many
    // entries, each small enough to pass on its own, is held to it as one.
    const std::uint64_t written = totalWritten_ + count;
    const std::uint64_t allowed =
        std::max(limits_.ratioAllowance, saturatingMultiply(totalCompressedRead_, limits_.maxCompressionRatio));
    if (written > allowed) {
        throw ArchiveError(ArchiveError::Kind::compressionRatioLimitExceeded, entryPath_,
                           std::to_string(written) + " bytes from " + std::to_string(totalCompressedRead_)
                               + " compressed bytes, more than " + std::to_string(limits_.maxCompressionRatio)
                               + " to 1");
    }
    totalWritten_ = written;
    entryWritten_ += count;
}

}  // namespace lottie
