#pragma once
// One archived item as enumeration yields it: its central directory entry, its
// local header and its optional data descriptor, with the rules that derive its
// kind, path, ZIP64 status and sizes from them. A value; Archive hands out copies.

#include "Lottie/DotLottie/Zip/CentralDirectoryStructure.h"
#include "Lottie/DotLottie/Zip/DataDescriptor.h"
#include "Lottie/DotLottie/Zip/LocalFileHeader.h"
#include "Lottie/DotLottie/Zip/NameEncoding.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lottie {

class Entry {
public:
    enum class EntryType { file, directory, symlink };

    // Host systems named by the high byte of "version made by".
    static constexpr std::uint8_t hostMSDOS = 0;
    static constexpr std::uint8_t hostUnix = 3;
    static constexpr std::uint8_t hostOSX = 19;
    static constexpr std::uint8_t hostUnused = 20;

    Entry(CentralDirectoryStructure centralDirectoryStructure, LocalFileHeader localFileHeader,
          std::optional<DataDescriptor32> dataDescriptor, std::optional<DataDescriptor64> zip64DataDescriptor);

    const CentralDirectoryStructure& centralDirectoryStructure() const { return central_; }
    const LocalFileHeader& localFileHeader() const { return local_; }
    const std::optional<DataDescriptor32>& dataDescriptor() const { return dataDescriptor_; }
    const std::optional<DataDescriptor64>& zip64DataDescriptor() const { return zip64DataDescriptor_; }

    bool isZIP64() const;
    std::uint64_t effectiveRelativeOffsetOfLocalHeader() const;
    std::uint64_t effectiveCompressedSize() const;
    std::uint64_t effectiveUncompressedSize() const;
    // The size after extraction, preferring a data descriptor's size when present.
    std::uint64_t uncompressedSize() const;
    EntryType type() const;
    std::uint8_t hostSystem() const { return static_cast<std::uint8_t>(central_.versionMadeBy >> 8); }
    bool isEncrypted() const { return (central_.generalPurposeBitFlag & 0x0001) != 0; }
    bool hasDataDescriptorFlag() const { return (central_.generalPurposeBitFlag & 0x0008) != 0; }

    // The name as UTF-8 text, read with the entry's own encoding flag; empty when
    // the bytes do not decode.
    std::string decodedPath() const;
    std::string decodedPath(NameEncoding encoding) const;

    // The checksum the archive records for the data: the descriptor's when flag
    // bit 3 says one follows (0 when it could not be read), else the central one.
    std::uint32_t expectedCRC32() const;

    // Same name, same local header checksum, same local header offset.
    bool operator==(const Entry& other) const;

private:
    CentralDirectoryStructure central_;
    LocalFileHeader local_;
    std::optional<DataDescriptor32> dataDescriptor_;
    std::optional<DataDescriptor64> zip64DataDescriptor_;
};

}  // namespace lottie
