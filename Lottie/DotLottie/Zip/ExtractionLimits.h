#pragma once
// How much an extraction may write and create, so that a small hostile archive
// can neither fill the disk nor flood it with entries and folders. A value the
// caller chooses; the defaults leave room for any real dotLottie package.

#include <cstdint>

namespace lottie {

struct ExtractionLimits {
    // Bytes written by one extraction (all entries of one unzip together).
    std::uint64_t maxTotalUncompressedSize = std::uint64_t(256) << 20;
    // Bytes the extraction may write per compressed byte it has read, counted
    // over all its entries together. Deflate cannot exceed about 1032:1, and real
    // documents stay far below this.
    std::uint64_t maxCompressionRatio = 250;
    // Output the whole extraction may reach before the ratio is enforced, so that
    // small, highly repetitive files are never refused. One allowance for the
    // archive, not one per entry: an archive of many small bombs shares it.
    std::uint64_t ratioAllowance = std::uint64_t(1) << 20;
    // Compressed bytes one entry may read past a quarter more than it has
    // written. Deflate stores what does not compress at 5 bytes per 64 KB,
    // and the worst choice of codes an encoder can make costs an eighth more;
    // but a stream may hold any number of empty blocks, which take input and
    // write nothing, and would make an entry of hundreds of megabytes cost
    // seconds for nothing.
    std::uint64_t compressedAllowance = std::uint64_t(1) << 20;
    // Entries the archive may list, whether they are extracted or not.
    std::uint64_t maxEntryCount = 10'000;
    // Directories the extraction may create: those the archive lists and those
    // made on the way to its entries.
    std::uint64_t maxDirectoryCount = 1'000;

    bool operator==(const ExtractionLimits&) const = default;
};

}  // namespace lottie
