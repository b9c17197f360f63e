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
    ExtractionBudget ownBudget(options.limits);
    ExtractionBudget& budget = options.budget != nullptr ? *options.budget : ownBudget;
    // Every entry is counted as it is read, before any is kept, so that a central
    // directory of millions of entries is refused without being held.
    std::vector<Entry> entries;
    Archive::EnumerationState state = archive->startEnumeration();
    while (auto entry = archive->nextEntry(state)) {
        budget.addEntry();
        entries.push_back(std::move(*entry));
    }

    // Only the entries the filter accepts are kept, and every entry whose name
    // leaves the destination, which is refused when its turn comes. Types are
    // computed once, as each computation decodes the name.
    struct Selected {
        int rank;
        std::size_t index;
        std::string name;
        std::optional<EntryPath> path;
    };
    std::vector<Selected> selected;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        std::string name = options.preferredEncoding ? entry.decodedPath(*options.preferredEncoding) : entry.decodedPath();
        auto path = EntryPath::contained(name);
        if (path && options.entryFilter && !options.entryFilter(std::filesystem::path(path->text()))) {
            continue;
        }
        selected.push_back({typeRank(entry.type()), i, std::move(name), std::move(path)});
    }
    std::stable_sort(selected.begin(), selected.end(), [](const auto& a, const auto& b) { return a.rank < b.rank; });

    if (options.progress) {
        std::int64_t total = 0;
        for (const Selected& item : selected) {
            const std::int64_t units = unitCount(entries[item.index]);
            if (units > std::numeric_limits<std::int64_t>::max() - total) {
                throw ArchiveError(ArchiveError::Kind::invalidEntrySize, {}, "the sizes add up to 2^63 bytes or more");
            }
            total += units;
        }
        options.progress->setTotalUnitCount(total);
    }

    std::optional<DestinationDirectory> target;
    std::vector<PendingDirectoryAttributes> pendingDirectories;
    for (const Selected& item : selected) {
        const Entry& entry = entries[item.index];
        if (!item.path) {
            // The name is appended as text: an absolute name must not replace the destination.
            throw ArchiveFileError(ArchiveFileError::Code::fileReadInvalidFileName,
                                   std::filesystem::path(destination.string() + "/" + item.name),
                                   "the entry would be placed outside the destination");
        }
        if (item.rank != typeRank(Entry::EntryType::directory)) {
            budget.checkRecordedSize(entry.uncompressedSize(), item.name);
        }
        if (!target) {
            target.emplace(destination, &budget);
        }
        ExtractionSettings settings;
        settings.bufferSize = bufferSize;
        settings.skipCRC32 = options.skipCRC32;
        settings.budget = &budget;
        settings.pendingDirectories = &pendingDirectories;
        if (options.progress) {
            const std::int64_t units = unitCount(entry);
            settings.progress = std::make_shared<ZipProgress>(units);
            options.progress->addChild(settings.progress, units);
        }
        const std::uint32_t checksum = archive->extractEntry(entry, *target, *item.path, settings);
        if (!options.skipCRC32 && checksum != entry.expectedCRC32()) {
            if (item.rank != typeRank(Entry::EntryType::directory)) {
                target->remove(*item.path);
            }
            throw ArchiveError(ArchiveError::Kind::invalidCRC32, item.name);
        }
    }
    // Directories get their permissions last, deepest first, so that none of them
    // stands in the way of what is written inside it or below it.
    std::stable_sort(pendingDirectories.begin(), pendingDirectories.end(), [](const auto& a, const auto& b) {
        return a.path.components().size() > b.path.components().size();
    });
    for (const PendingDirectoryAttributes& pending : pendingDirectories) {
        const FileDescriptor directory = target->createDirectory(pending.path);
        pending.attributes.apply(directory.get(), target->fullPath(pending.path));
    }
}

}  // namespace lottie
