// Archive's extraction of single entries: the data of one entry to a consumer, or
// one entry recreated in the file system.

#include "Lottie/DotLottie/Zip/Archive.h"

#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Lottie/DotLottie/Zip/ArchiveFileError.h"
#include "Lottie/DotLottie/Zip/DataError.h"
#include "Lottie/DotLottie/Zip/DestinationDirectory.h"
#include "Lottie/DotLottie/Zip/EntryAttributes.h"
#include "Lottie/DotLottie/Zip/EntryPath.h"
#include "Lottie/DotLottie/Zip/ExtractionBudget.h"
#include "Lottie/DotLottie/Zip/RecordStream.h"
#include "Lottie/DotLottie/Zip/ZipProgress.h"

#include <limits>

namespace lottie {

namespace {

constexpr std::uint64_t largestOffset = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
// Longer link targets than the system accepts are refused before being read.
constexpr std::uint64_t maximumLinkTargetLength = 4096;
// Compressed, a link target takes at most an eighth more than itself and
// its blocks' headers.
constexpr std::uint64_t maximumCompressedLinkTargetLength = 2 * maximumLinkTargetLength;

std::int64_t unitCount(const Entry& entry)
{
    if (entry.type() == Entry::EntryType::directory) {
        return 1;
    }
    return static_cast<std::int64_t>(entry.uncompressedSize());
}

// Reads the next bytes of an entry's data from where the archive stream stands.
std::size_t readChunk(std::FILE* file, std::span<std::uint8_t> into)
{
    const std::size_t count = std::fread(into.data(), 1, into.size(), file);
    if (std::ferror(file)) {
        std::clearerr(file);
        throw DataError(DataError::Kind::unreadableFile);
    }
    return count;
}

}  // namespace

std::uint64_t Archive::dataOffset(const Entry& entry) const
{
    const auto& local = entry.localFileHeader();
    const std::uint64_t headerSize = LocalFileHeader::fixedSize + std::uint64_t(local.fileNameLength)
        + local.extraFieldLength;
    const std::uint64_t start = entry.effectiveRelativeOffsetOfLocalHeader();
    if (start > largestOffset - headerSize) {
        throw ArchiveError(ArchiveError::Kind::invalidLocalHeaderDataOffset, entry.decodedPath(),
                           "the data offset does not fit a file position");
    }
    return start + headerSize;
}

std::uint32_t Archive::extractEntryData(const Entry& entry, const ExtractionSettings& settings,
                                        const ChunkConsumer& consumer)
{
    if (settings.bufferSize < 1) {
        throw ArchiveError(ArchiveError::Kind::invalidBufferSize, {}, std::to_string(settings.bufferSize));
    }
    const std::string path = entry.decodedPath();
    if (entry.uncompressedSize() > largestOffset || entry.effectiveUncompressedSize() > largestOffset
        || entry.effectiveCompressedSize() > largestOffset) {
        throw ArchiveError(ArchiveError::Kind::invalidEntrySize, path, "a recorded size is 2^63 bytes or more");
    }
    ExtractionBudget ownBudget;
    ExtractionBudget& budget = settings.budget != nullptr ? *settings.budget : ownBudget;
    budget.beginEntry(path);
    if (!RecordStream::seek(file_, dataOffset(entry))) {
        throw DataError(DataError::Kind::unreadableFile, "cannot seek to the data of \"" + path + "\"");
    }
    const std::int64_t units = unitCount(entry);
    ZipProgress* progress = settings.progress.get();
    if (progress != nullptr) {
        progress->setTotalUnitCount(units);
    }

    switch (entry.type()) {
    case Entry::EntryType::directory:
        consumer({});
        if (progress != nullptr) {
            progress->setCompletedUnitCount(units);
        }
        return 0;
    case Entry::EntryType::symlink: {
        const ByteBuffer target = readSymlinkTarget(entry, settings, path);
        const std::uint32_t checksum = ChunkedData::crc32(target);
        consumer(target);
        if (progress != nullptr) {
            progress->setCompletedUnitCount(units);
        }
        return checksum;
    }
    case Entry::EntryType::file:
        break;
    }

    std::uint64_t delivered = 0;
    const ChunkProvider provider = [&](std::int64_t, std::span<std::uint8_t> into) {
        const std::size_t count = readChunk(file_, into);
        delivered += count;
        budget.addCompressedRead(count);
        return count;
    };
    // Each chunk, written or not (a block may take input and write nothing),
    // asks whether the work that reads the entry is past its deadline.
    const ChunkConsumer reporting = [&](std::span<const std::uint8_t> chunk) {
        if (progress != nullptr && progress->isCancelled()) {
            throw ArchiveError(ArchiveError::Kind::cancelledOperation, path);
        }
        if (settings.pastDeadline) {
            if (std::optional<std::string> late = settings.pastDeadline()) {
                throw ArchiveError(ArchiveError::Kind::deadlinePassed, path, std::move(*late));
            }
        }
        budget.addWritten(chunk.size());
        consumer(chunk);
        if (progress != nullptr) {
            progress->setCompletedUnitCount(progress->completedUnitCount() + static_cast<std::int64_t>(chunk.size()));
        }
    };
    const std::uint16_t method = entry.localFileHeader().compressionMethod;
    if (method == 0) {
        const auto size = static_cast<std::int64_t>(entry.effectiveUncompressedSize());
        const std::uint32_t checksum =
            ChunkedData::copyChunks(size, settings.bufferSize, settings.skipCRC32, provider, reporting);
        if (delivered < static_cast<std::uint64_t>(size)) {
            throw ArchiveError(ArchiveError::Kind::invalidEntrySize, path,
                               "the stored data ends after " + std::to_string(delivered) + " of "
                                   + std::to_string(size) + " bytes");
        }
        return checksum;
    }
    if (method == 8) {
        const auto size = static_cast<std::int64_t>(entry.effectiveCompressedSize());
        return ChunkedData::inflateData(size, settings.bufferSize, settings.skipCRC32, provider, reporting);
    }
    throw ArchiveError(ArchiveError::Kind::invalidCompressionMethod, path, "method " + std::to_string(method));
}

ByteBuffer Archive::readSymlinkTarget(const Entry& entry, const ExtractionSettings& settings, const std::string& path)
{
    const std::uint64_t size = entry.effectiveCompressedSize();
    const std::uint16_t method = entry.localFileHeader().compressionMethod;
    ByteBuffer target;
    if (method == 0) {
        if (size > maximumLinkTargetLength) {
            throw ArchiveError(ArchiveError::Kind::invalidEntryPath, path, "the link target is too long");
        }
        target.resize(size);
        if (readChunk(file_, target) != size) {
            throw ArchiveError(ArchiveError::Kind::invalidEntrySize, path, "the link target is cut short");
        }
        return target;
    }
    if (method == 8) {
        if (size > maximumCompressedLinkTargetLength) {
            throw ArchiveError(ArchiveError::Kind::invalidEntryPath, path, "the link target is too long");
        }
        const ChunkProvider provider = [&](std::int64_t, std::span<std::uint8_t> into) {
            return readChunk(file_, into);
        };
        ChunkedData::inflateData(static_cast<std::int64_t>(size), settings.bufferSize, true, provider,
                                 [&](std::span<const std::uint8_t> chunk) {
                                     if (target.size() + chunk.size() > maximumLinkTargetLength) {
                                         throw ArchiveError(ArchiveError::Kind::invalidEntryPath, path,
                                                            "the link target is too long");
                                     }
                                     target.insert(target.end(), chunk.begin(), chunk.end());
                                 });
        return target;
    }
    throw ArchiveError(ArchiveError::Kind::invalidCompressionMethod, path, "method " + std::to_string(method));
}

std::uint32_t Archive::extractEntry(const Entry& entry, const std::filesystem::path& url,
                                    const ExtractionSettings& settings)
{
    if (settings.bufferSize < 1) {
        throw ArchiveError(ArchiveError::Kind::invalidBufferSize, {}, std::to_string(settings.bufferSize));
    }
    const std::filesystem::path name = url.filename();
    auto path = EntryPath::contained(name.string());
    if (!path || path->components().size() != 1) {
        throw ArchiveFileError(ArchiveFileError::Code::fileReadInvalidFileName, url);
    }
    const std::filesystem::path parent = url.parent_path();
    DestinationDirectory destination(parent.empty() ? std::filesystem::path(".") : parent);
    return extractEntry(entry, destination, *path, settings);
}

std::uint32_t Archive::extractEntry(const Entry& entry, DestinationDirectory& destination, const EntryPath& path,
                                    const ExtractionSettings& settings)
{
    if (settings.bufferSize < 1) {
        throw ArchiveError(ArchiveError::Kind::invalidBufferSize, {}, std::to_string(settings.bufferSize));
    }
    const EntryAttributes attributes = EntryAttributes::of(entry);
    const std::filesystem::path fullPath = destination.fullPath(path);

    switch (entry.type()) {
    case Entry::EntryType::directory: {
        FileDescriptor directory;
        const std::uint32_t checksum = extractEntryData(
            entry, settings, [&](std::span<const std::uint8_t>) { directory = destination.createDirectory(path); });
        if (settings.pendingDirectories != nullptr) {
            settings.pendingDirectories->push_back({path, attributes});
        } else {
            attributes.apply(directory.get(), fullPath);
        }
        return checksum;
    }
    case Entry::EntryType::symlink: {
        bool created = false;
        try {
            const std::uint32_t checksum =
                extractEntryData(entry, settings, [&](std::span<const std::uint8_t> bytes) {
                    const std::string target(bytes.begin(), bytes.end());
                    if (!NameDecoder::isValidUTF8(bytes)) {
                        throw ArchiveError(ArchiveError::Kind::invalidEntryPath, entry.decodedPath(),
                                           "the link target is not UTF-8");
                    }
                    if (!EntryPath::isContainedLinkTarget(path, target)) {
                        throw ArchiveError(ArchiveError::Kind::invalidEntryPath, entry.decodedPath(),
                                           "the link target \"" + target + "\" leaves the destination");
                    }
                    destination.createSymlink(path, target);
                    created = true;
                });
            // Permissions of a link mean nothing here, and changing them would reach
            // its target; only the link's own date is set.
            destination.setSymlinkModificationTime(path, attributes.modificationDate);
            return checksum;
        } catch (...) {
            if (created) {
                destination.remove(path);
            }
            throw;
        }
    }
    case Entry::EntryType::file:
        break;
    }

    FileDescriptor descriptor = destination.createFile(path);
    std::FILE* output = fdopen(descriptor.get(), "wb");
    if (output == nullptr) {
        destination.remove(path);
        throw ArchiveFileError(ArchiveFileError::Code::fileNoSuchFile, std::nullopt, fullPath.string());
    }
    descriptor.release();
    try {
        const std::uint32_t checksum = extractEntryData(entry, settings, [&](std::span<const std::uint8_t> chunk) {
            if (!chunk.empty()) {
                std::fwrite(chunk.data(), 1, chunk.size(), output);
            }
            if (std::ferror(output)) {
                throw DataError(DataError::Kind::unwritableFile, fullPath.string());
            }
        });
        if (std::fflush(output) != 0) {
            throw DataError(DataError::Kind::unwritableFile, fullPath.string());
        }
        attributes.apply(fileno(output), fullPath);
        const bool closed = std::fclose(output) == 0;
        output = nullptr;
        if (!closed) {
            throw DataError(DataError::Kind::unwritableFile, fullPath.string());
        }
        return checksum;
    } catch (...) {
        // A file that failed part-way is removed rather than left looking whole.
        if (output != nullptr) {
            std::fclose(output);
        }
        destination.remove(path);
        throw;
    }
}

}  // namespace lottie
