#include "Lottie/DotLottie/Zip/Unzipper.h"

#include "Lottie/DotLottie/Zip/Archive.h"
#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Lottie/DotLottie/Zip/ArchiveFileError.h"
#include "Lottie/DotLottie/Zip/DestinationDirectory.h"
#include "Lottie/DotLottie/Zip/EntryPath.h"
#include "Lottie/DotLottie/Zip/ExtractionBudget.h"
#include "Lottie/DotLottie/Zip/ZipProgress.h"

#include <algorithm>
#include <limits>

namespace lottie {

namespace {

int typeRank(Entry::EntryType type)
{
    switch (type) {
    case Entry::EntryType::directory: return 0;
    case Entry::EntryType::file: return 1;
    case Entry::EntryType::symlink: return 2;
    }
    return 1;
}

std::int64_t unitCount(const Entry& entry)
{
    if (entry.type() == Entry::EntryType::directory) {
        return 1;
    }
    if (entry.uncompressedSize() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        throw ArchiveError(ArchiveError::Kind::invalidEntrySize, entry.decodedPath(),
                           "the recorded size is 2^63 bytes or more");
    }
    return static_cast<std::int64_t>(entry.uncompressedSize());
}

}  // namespace

void Unzipper::extractArchive(const std::filesystem::path& source, const std::filesystem::path& destination,
                              const UnzipOptions& options)
{
    std::error_code error;
    if (!std::filesystem::exists(source, error) || error) {
        throw ArchiveFileError(ArchiveFileError::Code::fileReadNoSuchFile, source);
    }
    auto archive = Archive::open(source, Archive::AccessMode::read, options.preferredEncoding);
    if (!archive) {
        throw ArchiveError(ArchiveError::Kind::unreadableArchive, {}, source.string());
    }
    std::vector<Entry> entries = archive->entries();
    // Types are computed once; each computation decodes the name.
    std::vector<std::pair<int, std::size_t>> order;
    order.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order.emplace_back(typeRank(entries[i].type()), i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    if (options.progress) {
        std::int64_t total = 0;
        for (const Entry& entry : entries) {
            const std::int64_t units = unitCount(entry);
            if (units > std::numeric_limits<std::int64_t>::max() - total) {
                throw ArchiveError(ArchiveError::Kind::invalidEntrySize, {}, "the sizes add up to 2^63 bytes or more");
            }
            total += units;
        }
        options.progress->setTotalUnitCount(total);
    }

    ExtractionBudget budget(options.limits);
    std::optional<DestinationDirectory> target;
    for (const auto& [rank, index] : order) {
        const Entry& entry = entries[index];
        const std::string name =
            options.preferredEncoding ? entry.decodedPath(*options.preferredEncoding) : entry.decodedPath();
        const auto path = EntryPath::contained(name);
        if (!path) {
            // The name is appended as text: an absolute name must not replace the destination.
            throw ArchiveFileError(ArchiveFileError::Code::fileReadInvalidFileName,
                                   std::filesystem::path(destination.string() + "/" + name),
                                   "the entry would be placed outside the destination");
        }
        if (rank != typeRank(Entry::EntryType::directory)) {
            budget.checkRecordedSize(entry.uncompressedSize(), name);
        }
        if (!target) {
            target.emplace(destination);
        }
        ExtractionSettings settings;
        settings.bufferSize = bufferSize;
        settings.skipCRC32 = options.skipCRC32;
        settings.budget = &budget;
        if (options.progress) {
            const std::int64_t units = unitCount(entry);
            settings.progress = std::make_shared<ZipProgress>(units);
            options.progress->addChild(settings.progress, units);
        }
        const std::uint32_t checksum = archive->extractEntry(entry, *target, *path, settings);
        if (!options.skipCRC32 && checksum != entry.expectedCRC32()) {
            if (rank != typeRank(Entry::EntryType::directory)) {
                target->remove(*path);
            }
            throw ArchiveError(ArchiveError::Kind::invalidCRC32, name);
        }
    }
}

}  // namespace lottie
