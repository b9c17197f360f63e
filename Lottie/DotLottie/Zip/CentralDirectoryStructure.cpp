#include "Lottie/DotLottie/Zip/CentralDirectoryStructure.h"

#include "Lottie/DotLottie/Zip/RecordStream.h"

namespace lottie {

std::optional<CentralDirectoryStructure> CentralDirectoryStructure::parse(std::span<const std::uint8_t> data,
                                                                          std::FILE* file)
{
    if (data.size() != fixedSize || LittleEndian::read32(data, 0) != signature) {
        return std::nullopt;
    }
    CentralDirectoryStructure entry;
    entry.versionMadeBy = LittleEndian::read16(data, 4);
    entry.versionNeededToExtract = LittleEndian::read16(data, 6);
    entry.generalPurposeBitFlag = LittleEndian::read16(data, 8);
    entry.compressionMethod = LittleEndian::read16(data, 10);
    entry.lastModFileTime = LittleEndian::read16(data, 12);
    entry.lastModFileDate = LittleEndian::read16(data, 14);
    entry.crc32 = LittleEndian::read32(data, 16);
    entry.compressedSize = LittleEndian::read32(data, 20);
    entry.uncompressedSize = LittleEndian::read32(data, 24);
    entry.fileNameLength = LittleEndian::read16(data, 28);
    entry.extraFieldLength = LittleEndian::read16(data, 30);
    entry.fileCommentLength = LittleEndian::read16(data, 32);
    entry.diskNumberStart = LittleEndian::read16(data, 34);
    entry.internalFileAttributes = LittleEndian::read16(data, 36);
    entry.externalFileAttributes = LittleEndian::read32(data, 38);
    entry.relativeOffsetOfLocalHeader = LittleEndian::read32(data, 42);

    const std::size_t nameLength = entry.fileNameLength;
    const std::size_t extraLength = entry.extraFieldLength;
    auto tail = RecordStream::readTail(file, nameLength + extraLength + entry.fileCommentLength);
    if (!tail) {
        return std::nullopt;
    }
    const auto begin = tail->begin();
    entry.fileNameData.assign(begin, begin + nameLength);
    entry.extraFieldData.assign(begin + nameLength, begin + nameLength + extraLength);
    entry.fileCommentData.assign(begin + nameLength + extraLength, tail->end());
    entry.zip64ExtendedInformation = Zip64ExtendedInformation::scan(entry.extraFieldData, entry.zip64FieldsNeeded());
    return entry;
}

std::vector<Zip64ExtendedInformation::Field> CentralDirectoryStructure::zip64FieldsNeeded() const
{
    using Field = Zip64ExtendedInformation::Field;
    std::vector<Field> fields;
    if (uncompressedSize == 0xFFFFFFFF) {
        fields.push_back(Field::uncompressedSize);
    }
    if (compressedSize == 0xFFFFFFFF) {
        fields.push_back(Field::compressedSize);
    }
    if (relativeOffsetOfLocalHeader == 0xFFFFFFFF) {
        fields.push_back(Field::relativeOffsetOfLocalHeader);
    }
    if (diskNumberStart == 0xFFFF) {
        fields.push_back(Field::diskNumberStart);
    }
    return fields;
}

}  // namespace lottie
