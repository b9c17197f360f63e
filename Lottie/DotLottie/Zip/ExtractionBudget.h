#pragma once
// Keeps count of what an extraction has listed, created and written against its
// ExtractionLimits and throws ArchiveError as soon as a limit would be passed.
// Unzipping owns one for all its entries; a single-entry extraction without one
// uses a fresh budget.

#include "Lottie/DotLottie/Zip/ExtractionLimits.h"

#include <cstdint>
#include <string>

namespace lottie {

class ExtractionBudget {
public:
    explicit ExtractionBudget(ExtractionLimits limits = {});

    const ExtractionLimits& limits() const { return limits_; }
    std::uint64_t totalWritten() const { return totalWritten_; }

    // Counts one more entry of the archive; throws past the entry limit.
    void addEntry();
    // Counts one more directory made; throws past the directory limit.
    void addDirectory(const std::string& path);

    // Refuses an entry whose recorded size alone would pass the total.
    void checkRecordedSize(std::uint64_t size, const std::string& entryPath) const;
    // Refuses entries left to be extracted later when what their records say
    // (`uncompressed` bytes from `compressed` ones, all of them together), added
    // to what was counted so far, would pass the total or the compression ratio:
    // what extracting them would do when their records are true. `entryPath`
    // names the entry that takes them past.
    void checkRecordedEntries(std::uint64_t uncompressed, std::uint64_t compressed, const std::string& entryPath) const;

    // Names the entry whose input and output are counted next.
    void beginEntry(const std::string& entryPath);
    // Counts `count` compressed bytes about to be inflated. Throws when those
    // the entry read before them (all inflated by now) pass a quarter more
    // than it has written and the limits' compressedAllowance.
    void addCompressedRead(std::uint64_t count);
    // Throws before the chunk is written when it would pass the total or the
    // extraction's compression ratio.
    void addWritten(std::uint64_t count);

private:
    ExtractionLimits limits_;
    std::uint64_t totalWritten_ = 0;
    std::uint64_t totalCompressedRead_ = 0;
    std::uint64_t entries_ = 0;
    std::uint64_t directoriesCreated_ = 0;
    std::uint64_t entryCompressedRead_ = 0;
    std::uint64_t entryWritten_ = 0;
    std::string entryPath_;
};

}  // namespace lottie
