#pragma once
// The ZIP reader's error. Extraction and unzipping throw it; opening reports a
// missing archive by returning nothing, which unzipping turns into
// `unreadableArchive`. The first fourteen cases keep their historical order; the
// cases after `missingEndOfCentralDirectoryRecord` report hostile or damaged
// archives that would otherwise have been read silently.

#include <exception>
#include <string>

namespace lottie {

class ArchiveError : public std::exception {
public:
    enum class Kind {
        unreadableArchive,
        unwritableArchive,
        invalidEntryPath,
        invalidCompressionMethod,
        invalidCRC32,
        cancelledOperation,
        invalidBufferSize,
        invalidEntrySize,
        invalidLocalHeaderDataOffset,
        invalidLocalHeaderSize,
        invalidCentralDirectoryOffset,
        invalidCentralDirectorySize,
        invalidCentralDirectoryEntryCount,
        missingEndOfCentralDirectoryRecord,
        // An entry protected by encryption, which this reader cannot decode.
        encryptedEntry,
        // More bytes would be written than the extraction's total allows.
        uncompressedSizeLimitExceeded,
        // The archive inflates far beyond what its compressed bytes plausibly hold.
        compressionRatioLimitExceeded,
        // The archive lists more entries than one extraction may handle.
        entryCountLimitExceeded,
        // The extraction would create more directories than it may.
        directoryCountLimitExceeded,
        // An entry's compressed data runs far past what it inflates to (a
        // deflate stream may hold any number of blocks that write nothing).
        compressedSizeLimitExceeded,
        // Reading the entry passed the deadline of the work that asked for it.
        deadlinePassed,
    };

    // `entryPath` names the entry concerned (empty when none); `detail` adds the reason.
    // The message shows both with their control characters spelled out
    // (printableText); entryPath() keeps the name as the archive gives it.
    explicit ArchiveError(Kind kind, std::string entryPath = {}, std::string detail = {});

    Kind kind() const noexcept { return kind_; }
    const std::string& entryPath() const noexcept { return entryPath_; }
    const char* what() const noexcept override { return message_.c_str(); }

    static const char* name(Kind kind);

private:
    Kind kind_;
    std::string entryPath_;
    std::string message_;
};

}  // namespace lottie
