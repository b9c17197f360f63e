#pragma once
// How much an extraction may write, so that a small hostile archive cannot fill
// the disk. A value the caller chooses; the defaults leave room for any real
// dotLottie package.

#include <cstdint>

namespace lottie {

struct ExtractionLimits {
    // Bytes written by one extraction (all entries of one unzip together).
    std::uint64_t maxTotalUncompressedSize = std::uint64_t(1) << 30;
    // Bytes an entry may inflate to per compressed byte read. Deflate cannot
    // exceed about 1032:1, and real documents stay far below this.
    std::uint64_t maxCompressionRatio = 250;
    // Output every entry may reach before the ratio is enforced, so that small,
    // highly repetitive files are never refused.
    std::uint64_t ratioAllowance = std::uint64_t(1) << 20;

    bool operator==(const ExtractionLimits&) const = default;
};

}  // namespace lottie
