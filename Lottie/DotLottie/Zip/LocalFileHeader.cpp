#include "Lottie/DotLottie/Zip/LocalFileHeader.h"

#include "Lottie/DotLottie/Zip/RecordStream.h"

namespace lottie {

std::optional<LocalFileHeader> LocalFileHeader::parse(std::span<const std::uint8_t> data, std::FILE* file)
{
    if (data.size() != fixedSize || LittleEndian::read32(data, 0) != signature) {
        return std::nullopt;
    }
    LocalFileHeader header;
    header.versionNeededToExtract = LittleEndian::read16(data, 4);
    header.generalPurposeBitFlag = LittleEndian::read16(data, 6);
    header.compressionMethod = LittleEndian::read16(data, 8);
    header.lastModFileTime = LittleEndian::read16(data, 10);
    header.lastModFileDate = LittleEndian::read16(data, 12);
    header.crc32 = LittleEndian::read32(data, 14);
    header.compressedSize = LittleEndian::read32(data, 18);
    header.uncompressedSize = LittleEndian::read32(data, 22);
    header.fileNameLength = LittleEndian::read16(data, 26);
    header.extraFieldLength = LittleEndian::read16(data, 28);

    const std::size_t nameLength = header.fileNameLength;
    auto tail = RecordStream::readTail(file, nameLength + header.extraFieldLength);
    if (!tail) {
        return std::nullopt;
    }
    header.fileNameData.assign(tail->begin(), tail->begin() + nameLength);
    header.extraFieldData.assign(tail->begin() + nameLength, tail->end());
    header.zip64ExtendedInformation = Zip64ExtendedInformation::scan(header.extraFieldData, header.zip64FieldsNeeded());
    return header;
}

std::vector<Zip64ExtendedInformation::Field> LocalFileHeader::zip64FieldsNeeded() const
{
    using Field = Zip64ExtendedInformation::Field;
    std::vector<Field> fields;
    if (uncompressedSize == 0xFFFFFFFF) {
        fields.push_back(Field::uncompressedSize);
    }
    if (compressedSize == 0xFFFFFFFF) {
        fields.push_back(Field::compressedSize);
    }
    return fields;
}

}  // namespace lottie
