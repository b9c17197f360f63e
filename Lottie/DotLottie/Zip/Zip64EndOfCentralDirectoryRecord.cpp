#include "Lottie/DotLottie/Zip/Zip64EndOfCentralDirectoryRecord.h"

namespace lottie {

std::optional<Zip64EndOfCentralDirectoryRecord> Zip64EndOfCentralDirectoryRecord::parse(
    std::span<const std::uint8_t> data)
{
    if (data.size() != fixedSize || LittleEndian::read32(data, 0) != signature) {
        return std::nullopt;
    }
    Zip64EndOfCentralDirectoryRecord record;
    record.sizeOfZIP64EndOfCentralDirectoryRecord = LittleEndian::read64(data, 4);
    record.versionMadeBy = LittleEndian::read16(data, 12);
    record.versionNeededToExtract = LittleEndian::read16(data, 14);
    if (record.versionNeededToExtract < minimumVersionNeeded) {
        return std::nullopt;
    }
    record.numberOfDisk = LittleEndian::read32(data, 16);
    record.numberOfDiskStart = LittleEndian::read32(data, 20);
    record.totalNumberOfEntriesOnDisk = LittleEndian::read64(data, 24);
    record.totalNumberOfEntriesInCentralDirectory = LittleEndian::read64(data, 32);
    record.sizeOfCentralDirectory = LittleEndian::read64(data, 40);
    record.offsetToStartOfCentralDirectory = LittleEndian::read64(data, 48);
    return record;
}

}  // namespace lottie
