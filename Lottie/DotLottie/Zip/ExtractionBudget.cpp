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

void ExtractionBudget::beginEntry(const std::string& entryPath)
{
    entryPath_ = entryPath;
    entryWritten_ = 0;
    entryCompressedRead_ = 0;
}

void ExtractionBudget::addCompressedRead(std::uint64_t count)
{
    entryCompressedRead_ += count;
}

void ExtractionBudget::addWritten(std::uint64_t count)
{
    if (count > limits_.maxTotalUncompressedSize - totalWritten_) {
        throw ArchiveError(ArchiveError::Kind::uncompressedSizeLimitExceeded, entryPath_,
                           "more than " + std::to_string(limits_.maxTotalUncompressedSize) + " bytes in total");
    }
    const std::uint64_t written = entryWritten_ + count;
    const std::uint64_t allowed =
        std::max(limits_.ratioAllowance, saturatingMultiply(entryCompressedRead_, limits_.maxCompressionRatio));
    if (written > allowed) {
        throw ArchiveError(ArchiveError::Kind::compressionRatioLimitExceeded, entryPath_,
                           std::to_string(written) + " bytes from " + std::to_string(entryCompressedRead_)
                               + " compressed bytes, more than " + std::to_string(limits_.maxCompressionRatio)
                               + " to 1");
    }
    entryWritten_ = written;
    totalWritten_ += count;
}

}  // namespace lottie
