#pragma once
// An open ZIP archive: its C stream, its end records and the sequence of its
// entries, read from the central directory one at a time. Extraction of single
// entries lives here too. Held by shared_ptr; one thread uses an archive at a
// time, and each read seeks first, so enumerations and extractions may follow one
// another freely. The stream closes when the last reference goes.

#include "Lottie/DotLottie/Zip/ChunkedData.h"
#include "Lottie/DotLottie/Zip/EndOfCentralDirectoryRecord.h"
#include "Lottie/DotLottie/Zip/Entry.h"
#include "Lottie/DotLottie/Zip/EntryAttributes.h"
#include "Lottie/DotLottie/Zip/EntryPath.h"
#include "Lottie/DotLottie/Zip/Zip64EndOfCentralDirectory.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lottie {

class DestinationDirectory;
class ExtractionBudget;
class ZipProgress;

// A directory entry whose permissions and date wait until everything inside it
// has been written.
struct PendingDirectoryAttributes {
    EntryPath path;
    EntryAttributes attributes;
};

// How one entry is extracted; shared by every extraction call.
struct ExtractionSettings {
    std::int64_t bufferSize = 16384;
    bool skipCRC32 = false;
    std::shared_ptr<ZipProgress> progress;
    // Limits on what is written; when absent each call counts on its own with the
    // default limits.
    ExtractionBudget* budget = nullptr;
    // When given, a directory entry is made without its permissions and date,
    // which are added here for the caller to set once every file is written: a
    // read-only directory set at once would refuse the files meant for it, and
    // what was written inside could then not be removed.
    std::vector<PendingDirectoryAttributes>* pendingDirectories = nullptr;
    // Asked after each chunk of a file's data, written or not (a deflate block
    // may take input and write nothing): why the work reading it must stop
    // (the deadline it works for has passed), or nothing to go on. A reason
    // ends the extraction with ArchiveError (deadlinePassed) giving it.
    std::function<std::optional<std::string>()> pastDeadline;
};

class Archive {
public:
    enum class AccessMode { create, read, update };

    static constexpr std::size_t streamBufferSize = 16384;
    // The end record and the longest comment it can carry.
    static constexpr std::uint64_t endRecordSearchLimit = 22 + 65535;

    // Nothing when the file cannot be opened as a ZIP archive in that mode.
    static std::shared_ptr<Archive> open(const std::filesystem::path& url, AccessMode mode,
                                         std::optional<NameEncoding> preferredEncoding = std::nullopt);
    // Reads an archive held in memory, which `owner` keeps alive and unchanged
    // for as long as the archive is open; its url() is `name`. Nothing when the
    // bytes are no ZIP archive.
    static std::shared_ptr<Archive> openBytes(std::span<const std::uint8_t> bytes, std::shared_ptr<const void> owner,
                                              const std::filesystem::path& name,
                                              std::optional<NameEncoding> preferredEncoding = std::nullopt);

    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    const std::filesystem::path& url() const { return url_; }
    AccessMode accessMode() const { return accessMode_; }
    const std::optional<NameEncoding>& preferredEncoding() const { return preferredEncoding_; }
    const EndOfCentralDirectoryRecord& endOfCentralDirectoryRecord() const { return endRecord_; }
    const std::optional<Zip64EndOfCentralDirectory>& zip64EndOfCentralDirectory() const { return zip64End_; }
    std::FILE* archiveFile() const { return file_; }
    // Where the end records begin: the ZIP64 end record when present, else the
    // classic one. No central directory entry may reach into them.
    std::uint64_t endRecordsOffset() const { return endRecordsOffset_; }

    // Where an enumeration stands; shared between an iterator and its copies.
    struct EnumerationState {
        std::int64_t index = 0;
        std::uint64_t directoryOffset = 0;
        std::uint64_t entryCount = 0;
        bool finished = false;
    };

    // Starts an enumeration at the first central directory entry.
    EnumerationState startEnumeration() const;
    // The next entry, or nothing after the last one. Throws ArchiveError when an
    // entry cannot be read, is malformed or is encrypted, so that a damaged
    // directory is never mistaken for a complete one.
    std::optional<Entry> nextEntry(EnumerationState& state);
    // Every entry, in central directory order.
    std::vector<Entry> entries();

    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Entry;
        using difference_type = std::ptrdiff_t;
        using pointer = const Entry*;
        using reference = const Entry&;

        Iterator() = default;
        Iterator(Archive* archive, std::shared_ptr<EnumerationState> state);
        reference operator*() const { return *current_; }
        pointer operator->() const { return &*current_; }
        Iterator& operator++();
        void operator++(int) { ++*this; }
        bool operator==(std::default_sentinel_t) const { return !current_.has_value(); }

    private:
        Archive* archive_ = nullptr;
        std::shared_ptr<EnumerationState> state_;
        std::optional<Entry> current_;
    };
    Iterator begin();
    std::default_sentinel_t end() { return {}; }

    // Where the entry's data begins in the archive, past its local header.
    // Throws ArchiveError when that lies past any file position.
    std::uint64_t dataOffset(const Entry& entry) const;

    // Hands the entry's data to `consumer` chunk by chunk and returns the CRC-32 of
    // what it delivered.
    std::uint32_t extractEntryData(const Entry& entry, const ExtractionSettings& settings,
                                   const ChunkConsumer& consumer);

    // Recreates the entry at `url`: a file, a directory or a symbolic link, with
    // its permissions and modification date. The parent of `url` is trusted and
    // created when missing; the item itself is never written through a link.
    std::uint32_t extractEntry(const Entry& entry, const std::filesystem::path& url,
                               const ExtractionSettings& settings = {});

    // Recreates the entry at `path` inside `destination`; what unzipping uses. A
    // file whose extraction fails is removed again.
    std::uint32_t extractEntry(const Entry& entry, DestinationDirectory& destination, const EntryPath& path,
                               const ExtractionSettings& settings);

private:
    Archive(std::filesystem::path url, AccessMode mode, std::optional<NameEncoding> encoding, std::FILE* file,
            EndOfCentralDirectoryRecord endRecord, std::optional<Zip64EndOfCentralDirectory> zip64End,
            std::uint64_t endRecordsOffset);
    // Takes the open stream over (closing it when it is no archive).
    static std::shared_ptr<Archive> openStream(std::FILE* file, const std::filesystem::path& url, AccessMode mode,
                                               std::optional<NameEncoding> preferredEncoding);

    ByteBuffer readSymlinkTarget(const Entry& entry, const ExtractionSettings& settings, const std::string& path);

    std::filesystem::path url_;
    AccessMode accessMode_;
    std::optional<NameEncoding> preferredEncoding_;
    std::FILE* file_;
    EndOfCentralDirectoryRecord endRecord_;
    std::optional<Zip64EndOfCentralDirectory> zip64End_;
    std::uint64_t endRecordsOffset_;
    // What an archive read from memory reads.
    std::shared_ptr<const void> owner_;
};

}  // namespace lottie
