#include "Lottie/DotLottie/Zip/Archive.h"

#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Lottie/DotLottie/Zip/RecordStream.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <limits>

namespace lottie {

namespace {

struct EndRecords {
    EndOfCentralDirectoryRecord endRecord;
    std::optional<Zip64EndOfCentralDirectory> zip64End;
    std::uint64_t offset = 0;
};

std::optional<Zip64EndOfCentralDirectory> findZip64EndRecord(std::FILE* file, std::uint64_t endRecordOffset)
{
    constexpr std::uint64_t locatorSize = Zip64EndOfCentralDirectoryLocator::fixedSize;
    constexpr std::uint64_t recordSize = Zip64EndOfCentralDirectoryRecord::fixedSize;
    // The ZIP64 end record is looked for only directly in front of the locator,
    // which itself sits directly in front of the end record.
    if (endRecordOffset < locatorSize + recordSize + 1) {
        return std::nullopt;
    }
    const std::uint64_t locatorOffset = endRecordOffset - locatorSize;
    auto locatorBytes = RecordStream::readAt(file, locatorOffset, locatorSize);
    if (!locatorBytes) {
        return std::nullopt;
    }
    auto locator = Zip64EndOfCentralDirectoryLocator::parse(*locatorBytes);
    if (!locator) {
        return std::nullopt;
    }
    auto recordBytes = RecordStream::readAt(file, locatorOffset - recordSize, recordSize);
    if (!recordBytes) {
        return std::nullopt;
    }
    auto record = Zip64EndOfCentralDirectoryRecord::parse(*recordBytes);
    if (!record) {
        return std::nullopt;
    }
    return Zip64EndOfCentralDirectory{*record, *locator};
}

// Looks for the end record only where it can be: its 22 bytes and a comment of at
// most 65,535 bytes, plus nothing else, at the end of the file. The candidate
// nearest the end that parses, comment included, wins; a signature inside a
// comment that does not form a whole record does not hide the real one.
std::optional<EndRecords> findEndRecord(std::FILE* file)
{
    if (fseeko(file, 0, SEEK_END) != 0) {
        return std::nullopt;
    }
    const off_t end = ftello(file);
    constexpr std::uint64_t fixedSize = EndOfCentralDirectoryRecord::fixedSize;
    if (end < static_cast<off_t>(fixedSize)) {
        return std::nullopt;
    }
    const auto length = static_cast<std::uint64_t>(end);
    const std::uint64_t window = std::min(length, Archive::endRecordSearchLimit);
    const std::uint64_t windowStart = length - window;
    auto tail = RecordStream::readAt(file, windowStart, static_cast<std::size_t>(window));
    if (!tail || tail->size() != window) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> bytes(*tail);
    for (std::uint64_t i = window - fixedSize + 1; i-- > 0;) {
        if (LittleEndian::read32(bytes, i) != EndOfCentralDirectoryRecord::signature) {
            continue;
        }
        if (!RecordStream::seek(file, windowStart + i + fixedSize)) {
            return std::nullopt;
        }
        auto record = EndOfCentralDirectoryRecord::parse(bytes.subspan(i, fixedSize), file);
        if (!record) {
            continue;
        }
        const std::uint64_t offset = windowStart + i;
        auto zip64End = findZip64EndRecord(file, offset);
        const std::uint64_t zip64Size =
            Zip64EndOfCentralDirectoryLocator::fixedSize + Zip64EndOfCentralDirectoryRecord::fixedSize;
        return EndRecords{std::move(*record), std::move(zip64End), zip64End ? offset - zip64Size : offset};
    }
    return std::nullopt;
}

bool writeEmptyArchive(const std::filesystem::path& url)
{
    const int fd = ::open(url.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const ByteBuffer bytes = EndOfCentralDirectoryRecord{}.data();
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return ::close(fd) == 0 && written;
}

}  // namespace

std::shared_ptr<Archive> Archive::open(const std::filesystem::path& url, AccessMode mode,
                                       std::optional<NameEncoding> preferredEncoding)
{
    if (mode == AccessMode::create && !writeEmptyArchive(url)) {
        return nullptr;
    }
    std::FILE* file = std::fopen(url.c_str(), mode == AccessMode::read ? "rb" : "rb+");
    if (file == nullptr) {
        return nullptr;
    }
    return openStream(file, url, mode, preferredEncoding);
}

std::shared_ptr<Archive> Archive::openBytes(std::span<const std::uint8_t> bytes, std::shared_ptr<const void> owner,
                                            const std::filesystem::path& name,
                                            std::optional<NameEncoding> preferredEncoding)
{
    if (bytes.empty()) {
        return nullptr;
    }
    // Opened for reading only: the stream never writes to the bytes.
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(bytes.data()), bytes.size(), "rb");
    if (file == nullptr) {
        return nullptr;
    }
    auto archive = openStream(file, name, AccessMode::read, preferredEncoding);
    if (archive) {
        archive->owner_ = std::move(owner);
    }
    return archive;
}

std::shared_ptr<Archive> Archive::openStream(std::FILE* file, const std::filesystem::path& url, AccessMode mode,
                                             std::optional<NameEncoding> preferredEncoding)
{
    auto records = findEndRecord(file);
    if (!records) {
        std::fclose(file);
        return nullptr;
    }
    if (mode != AccessMode::read) {
        fseeko(file, 0, SEEK_SET);
    }
    std::setvbuf(file, nullptr, _IOFBF, streamBufferSize);
    return std::shared_ptr<Archive>(new Archive(url, mode, preferredEncoding, file, std::move(records->endRecord),
                                                std::move(records->zip64End), records->offset));
}

Archive::Archive(std::filesystem::path url, AccessMode mode, std::optional<NameEncoding> encoding, std::FILE* file,
                 EndOfCentralDirectoryRecord endRecord, std::optional<Zip64EndOfCentralDirectory> zip64End,
                 std::uint64_t endRecordsOffset)
    : url_(std::move(url))
    , accessMode_(mode)
    , preferredEncoding_(encoding)
    , file_(file)
    , endRecord_(std::move(endRecord))
    , zip64End_(std::move(zip64End))
    , endRecordsOffset_(endRecordsOffset)
{
}

Archive::~Archive()
{
    std::fclose(file_);
}

Archive::EnumerationState Archive::startEnumeration() const
{
    EnumerationState state;
    if (zip64End_) {
        state.entryCount = zip64End_->record.totalNumberOfEntriesInCentralDirectory;
        state.directoryOffset = zip64End_->record.offsetToStartOfCentralDirectory;
    } else {
        state.entryCount = endRecord_.totalNumberOfEntriesInCentralDirectory;
        state.directoryOffset = endRecord_.offsetToStartOfCentralDirectory;
    }
    return state;
}

std::optional<Entry> Archive::nextEntry(EnumerationState& state)
{
    if (state.finished || static_cast<std::uint64_t>(state.index) >= state.entryCount) {
        state.finished = true;
        return std::nullopt;
    }
    // Whatever happens below, a failed step ends this enumeration.
    state.finished = true;
    const std::string position = "entry " + std::to_string(state.index) + " of the central directory";

    auto centralBytes = RecordStream::readAt(file_, state.directoryOffset, CentralDirectoryStructure::fixedSize);
    auto central = centralBytes ? CentralDirectoryStructure::parse(*centralBytes, file_) : std::nullopt;
    if (!central) {
        throw ArchiveError(ArchiveError::Kind::invalidCentralDirectoryOffset, {},
                           position + " at offset " + std::to_string(state.directoryOffset)
                               + " is missing, cut short or malformed");
    }
    // A record reaching into the end records has lost bytes: its tail was read
    // from what follows it.
    if (state.directoryOffset + central->recordSize() > endRecordsOffset_) {
        throw ArchiveError(ArchiveError::Kind::invalidCentralDirectorySize, {},
                           position + " runs into the end of central directory records");
    }
    Entry partial(*central, LocalFileHeader{}, std::nullopt, std::nullopt);
    const std::string path = partial.decodedPath();
    const std::uint64_t localOffset = partial.effectiveRelativeOffsetOfLocalHeader();

    auto localBytes = RecordStream::readAt(file_, localOffset, LocalFileHeader::fixedSize);
    auto local = localBytes ? LocalFileHeader::parse(*localBytes, file_) : std::nullopt;
    if (!local) {
        throw ArchiveError(ArchiveError::Kind::invalidLocalHeaderDataOffset, path,
                           "no valid local header at offset " + std::to_string(localOffset));
    }

    std::optional<DataDescriptor32> descriptor;
    std::optional<DataDescriptor64> zip64Descriptor;
    if (partial.hasDataDescriptorFlag()) {
        const std::uint64_t dataLength =
            central->compressionMethod == 0 ? partial.effectiveUncompressedSize() : partial.effectiveCompressedSize();
        const std::uint64_t header = LocalFileHeader::fixedSize + std::uint64_t(local->fileNameLength)
            + local->extraFieldLength;
        const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
        // An offset that would wrap leaves the entry without a descriptor.
        if (localOffset <= limit - header && dataLength <= limit - header - localOffset) {
            const std::uint64_t descriptorOffset = localOffset + header + dataLength;
            if (partial.isZIP64()) {
                if (auto bytes = RecordStream::readAt(file_, descriptorOffset, DataDescriptor64::fixedSize)) {
                    zip64Descriptor = DataDescriptor64::parse(*bytes);
                }
            } else if (auto bytes = RecordStream::readAt(file_, descriptorOffset, DataDescriptor32::fixedSize)) {
                descriptor = DataDescriptor32::parse(*bytes);
            }
        }
    }

    state.directoryOffset += central->recordSize();
    state.index += 1;
    if (partial.isEncrypted()) {
        throw ArchiveError(ArchiveError::Kind::encryptedEntry, path, position);
    }
    state.finished = false;
    return Entry(std::move(*central), std::move(*local), std::move(descriptor), std::move(zip64Descriptor));
}

std::vector<Entry> Archive::entries()
{
    EnumerationState state = startEnumeration();
    std::vector<Entry> result;
    result.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(state.entryCount, 1 << 16)));
    while (auto entry = nextEntry(state)) {
        result.push_back(std::move(*entry));
    }
    return result;
}

Archive::Iterator::Iterator(Archive* archive, std::shared_ptr<EnumerationState> state)
    : archive_(archive), state_(std::move(state))
{
    ++*this;
}

Archive::Iterator& Archive::Iterator::operator++()
{
    current_.reset();
    current_ = archive_->nextEntry(*state_);
    return *this;
}

Archive::Iterator Archive::begin()
{
    return Iterator(this, std::make_shared<EnumerationState>(startEnumeration()));
}

}  // namespace lottie
