#pragma once
// Keeps count of what an extraction has written against its ExtractionLimits and
// throws ArchiveError as soon as a limit would be passed. Unzipping owns one for
// all its entries; a single-entry extraction without one uses a fresh budget.

#include "Lottie/DotLottie/Zip/ExtractionLimits.h"

#include <cstdint>
#include <string>

namespace lottie {

class ExtractionBudget {
public:
    explicit ExtractionBudget(ExtractionLimits limits = {});

    const ExtractionLimits& limits() const { return limits_; }
    std::uint64_t totalWritten() const { return totalWritten_; }

    // Refuses an entry whose recorded size alone would pass the total.
    void checkRecordedSize(std::uint64_t size, const std::string& entryPath) const;

    // Starts counting a new entry's compressed input and output.
    void beginEntry(const std::string& entryPath);
    void addCompressedRead(std::uint64_t count);
    // Throws before the chunk is written when it would pass a limit.
    void addWritten(std::uint64_t count);

private:
    ExtractionLimits limits_;
    std::uint64_t totalWritten_ = 0;
    std::uint64_t entryWritten_ = 0;
    std::uint64_t entryCompressedRead_ = 0;
    std::string entryPath_;
};

}  // namespace lottie
