#include "Lottie/DotLottie/PackageArchive.h"

#include <limits>
#include <set>

#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Lottie/DotLottie/Zip/ArchiveFileError.h"
#include "Lottie/DotLottie/Zip/EntryPath.h"

namespace lottie {

namespace {

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return b > std::numeric_limits<std::uint64_t>::max() - a ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

}  // namespace

PackageArchive::PackageArchive(platform::foundation::Data bytes, ExtractionLimits limits)
    : bytes_(std::make_shared<const platform::foundation::Data>(std::move(bytes))), budget_(limits) {
    archive_ = Archive::openBytes(*bytes_, bytes_, "package");
    if (!archive_) throw ArchiveError(ArchiveError::Kind::unreadableArchive, {}, "the package's bytes");
}

std::vector<PackageArchive::File> PackageArchive::filesIn(const std::filesystem::path& folder) {
    std::lock_guard guard(mutex_);
    std::vector<File> files;
    std::set<std::string> names;
    Archive::EnumerationState state = archive_->startEnumeration();
    while (auto entry = archive_->nextEntry(state)) {
        const std::string text = entry->decodedPath();
        const auto path = EntryPath::contained(text);
        if (!path || path->isRoot() || std::filesystem::path(path->text()).parent_path() != folder) continue;
        const std::string& name = path->components().back();
        if (entry->type() != Entry::EntryType::file || name.front() == '.') continue;
        if (!names.insert(name).second) {
            throw ArchiveFileError(ArchiveFileError::Code::fileWriteFileExists, folder / name);
        }
        files.push_back({name, std::move(*entry)});
    }
    return files;
}

void PackageArchive::checkRecordedSizes(const std::vector<File>& files) const {
    std::uint64_t uncompressed = 0;
    std::uint64_t compressed = 0;
    for (const File& file : files) {
        uncompressed = saturatingAdd(uncompressed, file.entry.uncompressedSize());
        compressed = saturatingAdd(compressed, file.entry.effectiveCompressedSize());
        budget_.checkRecordedEntries(uncompressed, compressed, file.entry.decodedPath());
    }
}

platform::foundation::Data PackageArchive::read(const Entry& entry) {
    std::lock_guard guard(mutex_);
    budget_.checkRecordedSize(entry.uncompressedSize(), entry.decodedPath());
    platform::foundation::Data data;
    ExtractionSettings settings;
    settings.budget = &budget_;
    const std::uint32_t checksum = archive_->extractEntryData(
        entry, settings, [&](std::span<const std::uint8_t> chunk) { data.insert(data.end(), chunk.begin(), chunk.end()); });
    if (checksum != entry.expectedCRC32()) throw ArchiveError(ArchiveError::Kind::invalidCRC32, entry.decodedPath());
    return data;
}

}  // namespace lottie
