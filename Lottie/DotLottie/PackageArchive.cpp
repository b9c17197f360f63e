#include "Lottie/DotLottie/PackageArchive.h"

#include <limits>
#include <set>

#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Lottie/DotLottie/Zip/ArchiveFileError.h"
#include "Lottie/DotLottie/Zip/EntryPath.h"
#include "Platform/Foundation/HugePages.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace lottie {

namespace {

// What one chunk of a file read counts toward the deadline: a quarter of a
// reading of the clock, some tens of microseconds of inflating.
constexpr int unitsPerChunk = platform::graphics::ProcessorDeadline::unitsPerReading / 4;

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
    for (std::uint64_t recordOffset = state.directoryOffset; auto entry = archive_->nextEntry(state);
         recordOffset = state.directoryOffset) {
        const std::string text = entry->decodedPath();
        const auto path = EntryPath::contained(text);
        if (!path || path->isRoot() || std::filesystem::path(path->text()).parent_path() != folder) continue;
        const std::string& name = path->components().back();
        if (entry->type() != Entry::EntryType::file || name.front() == '.') continue;
        if (!names.insert(name).second) {
            throw ArchiveFileError(ArchiveFileError::Code::fileWriteFileExists, folder / name);
        }
        files.push_back({name, recordOffset, text, entry->uncompressedSize(), entry->effectiveCompressedSize()});
    }
    return files;
}

void PackageArchive::checkRecordedSizes(const std::vector<File>& files) const {
    std::uint64_t uncompressed = 0;
    std::uint64_t compressed = 0;
    for (const File& file : files) {
        uncompressed = saturatingAdd(uncompressed, file.uncompressedSize);
        compressed = saturatingAdd(compressed, file.compressedSize);
        budget_.checkRecordedEntries(uncompressed, compressed, file.path);
    }
}

PackageArchive::FileBytes PackageArchive::read(std::uint64_t recordOffset) {
    std::lock_guard guard(mutex_);
    // The one record, read again as the enumeration read it.
    Archive::EnumerationState state;
    state.directoryOffset = recordOffset;
    state.entryCount = 1;
    const std::optional<Entry> found = archive_->nextEntry(state);
    if (!found) {
        throw ArchiveError(ArchiveError::Kind::invalidCentralDirectoryOffset, {}, std::to_string(recordOffset));
    }
    const Entry& entry = *found;
    budget_.checkRecordedSize(entry.uncompressedSize(), entry.decodedPath());
    ExtractionSettings settings;
    settings.budget = &budget_;
    // Read for the work that draws the image: its deadline, if any, is read
    // between the chunks.
    settings.pastDeadline = []() -> std::optional<std::string> {
        using platform::graphics::ProcessorDeadline;
        if (!ProcessorDeadline::checkCurrent(unitsPerChunk)) return std::nullopt;
        return ProcessorDeadline::current()->limitDescription();
    };
    const bool stored = entry.localFileHeader().compressionMethod == 0 && entry.type() == Entry::EntryType::file;
    auto data = std::make_shared<platform::foundation::Data>();
    if (!stored) {
        // The recorded size is within the budget, and data past it is refused,
        // so the bytes are written once into their place rather than copied as
        // the buffer grows.
        data->reserve(static_cast<std::size_t>(entry.uncompressedSize()));
        platform::foundation::adviseHugePages(data->data(), data->capacity());
    }
    // A stored file is read through all the same (its sizes, its checksum, the
    // budget and the deadline), but kept where it lies.
    const ChunkConsumer append = [&](std::span<const std::uint8_t> chunk) {
        if (!stored) data->insert(data->end(), chunk.begin(), chunk.end());
    };
    const std::uint32_t checksum = archive_->extractEntryData(entry, settings, append);
    if (checksum != entry.expectedCRC32()) throw ArchiveError(ArchiveError::Kind::invalidCRC32, entry.decodedPath());
    if (stored) {
        // Read whole, so it lies within the archive's bytes.
        const std::span<const std::uint8_t> all(*bytes_);
        const std::uint64_t offset = archive_->dataOffset(entry);
        const std::uint64_t size = entry.effectiveUncompressedSize();
        if (offset > all.size() || size > all.size() - offset) {
            throw ArchiveError(ArchiveError::Kind::invalidEntrySize, entry.decodedPath(), "the stored data ends early");
        }
        return {bytes_, all.subspan(offset, size)};
    }
    return {data, std::span<const std::uint8_t>(*data)};
}

}  // namespace lottie
