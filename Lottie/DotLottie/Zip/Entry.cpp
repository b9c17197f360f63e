#include "Lottie/DotLottie/Zip/Entry.h"

#include <sys/stat.h>

namespace lottie {

namespace {

// A 32-bit header field holds this marker when its value lives in the ZIP64
// block. The block then carries exactly the marked fields, so its value is the
// real one even when it is 0 (an empty file in an archive forced to ZIP64).
constexpr std::uint32_t zip64Saturated = 0xFFFFFFFF;

}  // namespace

Entry::Entry(CentralDirectoryStructure centralDirectoryStructure, LocalFileHeader localFileHeader,
             std::optional<DataDescriptor32> dataDescriptor, std::optional<DataDescriptor64> zip64DataDescriptor)
    : central_(std::move(centralDirectoryStructure))
    , local_(std::move(localFileHeader))
    , dataDescriptor_(std::move(dataDescriptor))
    , zip64DataDescriptor_(std::move(zip64DataDescriptor))
{
}

bool Entry::isZIP64() const
{
    return (central_.versionNeededToExtract & 0xFF) >= 45 || central_.zip64ExtendedInformation.has_value();
}

std::uint64_t Entry::effectiveRelativeOffsetOfLocalHeader() const
{
    const auto& info = central_.zip64ExtendedInformation;
    if (info && central_.relativeOffsetOfLocalHeader == zip64Saturated) {
        return info->relativeOffsetOfLocalHeader;
    }
    return central_.relativeOffsetOfLocalHeader;
}

std::uint64_t Entry::effectiveCompressedSize() const
{
    const auto& info = central_.zip64ExtendedInformation;
    if (info && central_.compressedSize == zip64Saturated) {
        return info->compressedSize;
    }
    return central_.compressedSize;
}

std::uint64_t Entry::effectiveUncompressedSize() const
{
    const auto& info = central_.zip64ExtendedInformation;
    if (info && central_.uncompressedSize == zip64Saturated) {
        return info->uncompressedSize;
    }
    return central_.uncompressedSize;
}

std::uint64_t Entry::uncompressedSize() const
{
    if (!isZIP64()) {
        return dataDescriptor_ ? dataDescriptor_->uncompressedSize : central_.uncompressedSize;
    }
    return zip64DataDescriptor_ ? zip64DataDescriptor_->uncompressedSize : effectiveUncompressedSize();
}

Entry::EntryType Entry::type() const
{
    const std::string path = decodedPath();
    const bool endsWithSlash = !path.empty() && path.back() == '/';
    const std::uint32_t attributes = central_.externalFileAttributes;
    switch (hostSystem()) {
    case hostMSDOS:
        return endsWithSlash || (attributes & ~std::uint32_t(0x0F)) == 0x10 ? EntryType::directory : EntryType::file;
    case hostUnix:
    case hostOSX: {
        const std::uint32_t mode = (attributes >> 16) & S_IFMT;
        if (mode == S_IFREG) {
            return EntryType::file;
        }
        if (mode == S_IFDIR) {
            return EntryType::directory;
        }
        if (mode == S_IFLNK) {
            return EntryType::symlink;
        }
        return endsWithSlash ? EntryType::directory : EntryType::file;
    }
    default:
        return endsWithSlash ? EntryType::directory : EntryType::file;
    }
}

std::string Entry::decodedPath() const
{
    const bool utf8 = (central_.generalPurposeBitFlag & 0x0800) != 0;
    return decodedPath(utf8 ? NameEncoding::utf8 : NameEncoding::codePage437);
}

std::string Entry::decodedPath(NameEncoding encoding) const
{
    return NameDecoder::decode(central_.fileNameData, encoding);
}

std::uint32_t Entry::expectedCRC32() const
{
    if (!hasDataDescriptorFlag()) {
        return central_.crc32;
    }
    if (zip64DataDescriptor_) {
        return zip64DataDescriptor_->crc32;
    }
    return dataDescriptor_ ? dataDescriptor_->crc32 : 0;
}

bool Entry::operator==(const Entry& other) const
{
    return decodedPath() == other.decodedPath() && local_.crc32 == other.local_.crc32
        && effectiveRelativeOffsetOfLocalHeader() == other.effectiveRelativeOffsetOfLocalHeader();
}

}  // namespace lottie
