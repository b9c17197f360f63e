#include "Lottie/DotLottie/Zip/ArchiveError.h"

#include "Lottie/DotLottie/Zip/PrintableText.h"

namespace lottie {

namespace {

const char* describe(ArchiveError::Kind kind)
{
    using Kind = ArchiveError::Kind;
    switch (kind) {
    case Kind::unreadableArchive: return "the file cannot be read as a ZIP archive";
    case Kind::unwritableArchive: return "the archive cannot be written";
    case Kind::invalidEntryPath: return "the entry's path is not acceptable";
    case Kind::invalidCompressionMethod: return "the entry uses a compression method other than stored or deflated";
    case Kind::invalidCRC32: return "the entry's data does not match its recorded CRC-32";
    case Kind::cancelledOperation: return "the operation was cancelled";
    case Kind::invalidBufferSize: return "the buffer size must be at least 1";
    case Kind::invalidEntrySize: return "the entry's recorded size is not usable";
    case Kind::invalidLocalHeaderDataOffset: return "the entry's local header or data cannot be found";
    case Kind::invalidLocalHeaderSize: return "the entry's local header is malformed";
    case Kind::invalidCentralDirectoryOffset: return "the central directory holds an unreadable or malformed entry";
    case Kind::invalidCentralDirectorySize: return "the central directory's size is not usable";
    case Kind::invalidCentralDirectoryEntryCount: return "the central directory's entry count is not usable";
    case Kind::missingEndOfCentralDirectoryRecord: return "no end of central directory record was found";
    case Kind::encryptedEntry: return "the entry is encrypted";
    case Kind::uncompressedSizeLimitExceeded: return "the extracted data would exceed the allowed total size";
    case Kind::compressionRatioLimitExceeded: return "the archive inflates beyond the allowed compression ratio";
    case Kind::entryCountLimitExceeded: return "the archive lists more entries than allowed";
    case Kind::directoryCountLimitExceeded: return "the extraction would create more directories than allowed";
    case Kind::compressedSizeLimitExceeded:
        return "the entry's compressed data is longer than any compression of what it holds";
    case Kind::deadlinePassed: return "reading the entry passed its deadline";
    }
    return "unknown archive error";
}

}  // namespace

const char* ArchiveError::name(Kind kind)
{
    using Kind = ArchiveError::Kind;
    switch (kind) {
    case Kind::unreadableArchive: return "unreadableArchive";
    case Kind::unwritableArchive: return "unwritableArchive";
    case Kind::invalidEntryPath: return "invalidEntryPath";
    case Kind::invalidCompressionMethod: return "invalidCompressionMethod";
    case Kind::invalidCRC32: return "invalidCRC32";
    case Kind::cancelledOperation: return "cancelledOperation";
    case Kind::invalidBufferSize: return "invalidBufferSize";
    case Kind::invalidEntrySize: return "invalidEntrySize";
    case Kind::invalidLocalHeaderDataOffset: return "invalidLocalHeaderDataOffset";
    case Kind::invalidLocalHeaderSize: return "invalidLocalHeaderSize";
    case Kind::invalidCentralDirectoryOffset: return "invalidCentralDirectoryOffset";
    case Kind::invalidCentralDirectorySize: return "invalidCentralDirectorySize";
    case Kind::invalidCentralDirectoryEntryCount: return "invalidCentralDirectoryEntryCount";
    case Kind::missingEndOfCentralDirectoryRecord: return "missingEndOfCentralDirectoryRecord";
    case Kind::encryptedEntry: return "encryptedEntry";
    case Kind::uncompressedSizeLimitExceeded: return "uncompressedSizeLimitExceeded";
    case Kind::compressionRatioLimitExceeded: return "compressionRatioLimitExceeded";
    case Kind::entryCountLimitExceeded: return "entryCountLimitExceeded";
    case Kind::directoryCountLimitExceeded: return "directoryCountLimitExceeded";
    case Kind::compressedSizeLimitExceeded: return "compressedSizeLimitExceeded";
    case Kind::deadlinePassed: return "deadlinePassed";
    }
    return "unknown";
}

ArchiveError::ArchiveError(Kind kind, std::string entryPath, std::string detail)
    : kind_(kind), entryPath_(std::move(entryPath))
{
    message_ = std::string("ZIP archive error (") + name(kind) + "): " + describe(kind);
    if (!entryPath_.empty()) {
        message_ += " [entry \"" + entryPath_ + "\"]";
    }
    if (!detail.empty()) {
        message_ += ": " + detail;
    }
    message_ = printableText(message_);
}

}  // namespace lottie
