#pragma once
// The archive of one loaded dotLottie package, kept in memory so that the files
// the package reads late (its images, when first drawn) come straight from it
// instead of being unpacked at load time. Its budget is the one the load unpacks
// the rest of the package with, and every later read counts against it too, so
// that the package as a whole stays within its ExtractionLimits; each read must
// match its recorded checksum.
//
// Made by the package loader, which uses the budget on its own thread before it
// hands the archive to the package's image provider; from then on safe from any
// thread: one lock guards the archive's stream and the budget.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "Lottie/DotLottie/Zip/Archive.h"
#include "Lottie/DotLottie/Zip/ExtractionBudget.h"
#include "Platform/Foundation/Data.h"

namespace lottie {

class PackageArchive {
public:
    // A file of the archive read only when asked for: its name in its folder,
    // where its record lies in the central directory (all a reader keeps of it
    // until it reads it: a package may list ten thousand) and what the record says.
    struct File {
        std::string name;
        std::uint64_t recordOffset = 0;
        std::string path;
        std::uint64_t uncompressedSize = 0;
        std::uint64_t compressedSize = 0;
    };

    // Throws ArchiveError when the bytes are no ZIP archive.
    PackageArchive(platform::foundation::Data bytes, ExtractionLimits limits);
    PackageArchive(const PackageArchive&) = delete;
    PackageArchive& operator=(const PackageArchive&) = delete;

    // The visible (not dot-led) plain files directly in `folder`, in the order
    // the archive lists them. Two entries of one name there fail as unpacking
    // them both would, with ArchiveFileError; a damaged central directory
    // throws the ZIP reader's errors.
    std::vector<File> filesIn(const std::filesystem::path& folder);
    // Refuses, with ArchiveError, files whose recorded sizes, all of them
    // together, would pass what is left of the budget or its inflation ratio:
    // what reading them all would do when their records are true.
    void checkRecordedSizes(const std::vector<File>& files) const;
    // For the load's unpacking, before the archive is shared.
    ExtractionBudget& budget() { return budget_; }

    // The bytes of a file read, and what keeps them: the archive's own bytes
    // for a file stored uncompressed, which is read where it lies, so that a
    // large one is not held twice; a buffer of their own for a deflated one.
    struct FileBytes {
        std::shared_ptr<const platform::foundation::Data> holder;
        std::span<const std::uint8_t> bytes;
    };

    // The whole file whose record lies at `recordOffset`. Throws ArchiveError
    // past the budget or for a wrong checksum, and the ZIP reader's other errors
    // for damaged data. The calling thread's deadline, if any, is read as the
    // file is (ArchiveError, deadlinePassed, past it).
    FileBytes read(std::uint64_t recordOffset);

private:
    std::mutex mutex_;
    std::shared_ptr<const platform::foundation::Data> bytes_;
    std::shared_ptr<Archive> archive_;
    ExtractionBudget budget_;
};

}  // namespace lottie
