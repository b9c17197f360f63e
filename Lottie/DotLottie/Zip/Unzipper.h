#pragma once
// Unpacks a whole ZIP archive into a directory: the one entry point through which
// the rest of the library reaches the ZIP reader. Directories are made first,
// then files, then symbolic links; every entry must land inside the destination
// and match its recorded CRC-32, and the whole extraction stays within its
// ExtractionLimits. Stateless; each call opens and closes its own archive.

#include "Lottie/DotLottie/Zip/ExtractionLimits.h"
#include "Lottie/DotLottie/Zip/NameEncoding.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace lottie {

class ZipProgress;

struct UnzipOptions {
    bool skipCRC32 = false;
    // Observes and may cancel the extraction; one child is added per entry.
    std::shared_ptr<ZipProgress> progress;
    // Overrides the names' own encoding flag.
    std::optional<NameEncoding> preferredEncoding;
    ExtractionLimits limits;
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
