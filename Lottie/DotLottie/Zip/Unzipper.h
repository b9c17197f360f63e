#pragma once
// Unpacks a ZIP archive into a directory: the one entry point through which the
// rest of the library reaches the ZIP reader. Directories are made first, then
// files, then symbolic links, and the directories get their permissions last;
// every entry must land inside the destination and match its recorded CRC-32,
// and the whole extraction (entries listed, directories made, bytes written)
// stays within its ExtractionLimits. A caller that needs only some entries names
// them with a filter, and the others are never written. Stateless; each call
// opens and closes its own archive.

#include "Lottie/DotLottie/Zip/ExtractionLimits.h"
#include "Lottie/DotLottie/Zip/NameEncoding.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace lottie {

class ExtractionBudget;
class ZipProgress;

struct UnzipOptions {
    bool skipCRC32 = false;
    // Observes and may cancel the extraction; one child is added per entry.
    std::shared_ptr<ZipProgress> progress;
    // Overrides the names' own encoding flag.
    std::optional<NameEncoding> preferredEncoding;
    ExtractionLimits limits;
    // Given an entry's place inside the destination ("a/b.json" for the entry
    // "./a//b.json"), whether to unpack it; every entry when none. An entry left
    // out is still counted, but nothing of it is written, so one that could not
    // be written does not stop the others. A name that leaves the destination
    // is refused whatever the filter says.
    std::function<bool(const std::filesystem::path&)> entryFilter;
    // When given, the extraction counts against this budget, which goes on
    // counting after it (for entries the caller extracts later), instead of a
    // fresh one made from `limits`.
    ExtractionBudget* budget = nullptr;
};

class Unzipper {
public:
    static constexpr std::int64_t bufferSize = 16384;

    // Stops at the first failure and throws it; entries extracted before it stay,
    // but a file that failed or did not match its checksum is removed.
    static void extractArchive(const std::filesystem::path& source, const std::filesystem::path& destination,
                               const UnzipOptions& options = {});
};

}  // namespace lottie
