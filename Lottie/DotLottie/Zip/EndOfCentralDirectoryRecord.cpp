#include "Lottie/DotLottie/Zip/EndOfCentralDirectoryRecord.h"

#include "Lottie/DotLottie/Zip/RecordStream.h"

namespace lottie {

std::optional<EndOfCentralDirectoryRecord> EndOfCentralDirectoryRecord::parse(std::span<const std::uint8_t> data,
                                                                              std::FILE* file)
{
    if (data.size() != fixedSize || LittleEndian::read32(data, 0) != signature) {
        return std::nullopt;
    }
    EndOfCentralDirectoryRecord record;
    record.numberOfDisk = LittleEndian::read16(data, 4);
    record.numberOfDiskStart = LittleEndian::read16(data, 6);
    record.totalNumberOfEntriesOnDisk = LittleEndian::read16(data, 8);
    record.totalNumberOfEntriesInCentralDirectory = LittleEndian::read16(data, 10);
    record.sizeOfCentralDirectory = LittleEndian::read32(data, 12);
    record.offsetToStartOfCentralDirectory = LittleEndian::read32(data, 16);
    record.zipFileCommentLength = LittleEndian::read16(data, 20);
    auto comment = RecordStream::readTail(file, record.zipFileCommentLength);
    if (!comment) {
        return std::nullopt;
    }
    record.zipFileCommentData = std::move(*comment);
    return record;
}

ByteBuffer EndOfCentralDirectoryRecord::data() const
{
    ByteBuffer out;
    out.reserve(fixedSize + zipFileCommentData.size());
    LittleEndian::append(out, endOfCentralDirectorySignature, 4);
    LittleEndian::append(out, numberOfDisk, 2);
    LittleEndian::append(out, numberOfDiskStart, 2);
    LittleEndian::append(out, totalNumberOfEntriesOnDisk, 2);
    LittleEndian::append(out, totalNumberOfEntriesInCentralDirectory, 2);
    LittleEndian::append(out, sizeOfCentralDirectory, 4);
    LittleEndian::append(out, offsetToStartOfCentralDirectory, 4);
    LittleEndian::append(out, zipFileCommentLength, 2);
    out.insert(out.end(), zipFileCommentData.begin(), zipFileCommentData.end());
    return out;
}

}  // namespace lottie
