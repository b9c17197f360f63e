#include "Lottie/DotLottie/Zip/Zip64EndOfCentralDirectoryLocator.h"

#include "Lottie/DotLottie/Zip/LittleEndian.h"

namespace lottie {

std::optional<Zip64EndOfCentralDirectoryLocator> Zip64EndOfCentralDirectoryLocator::parse(
    std::span<const std::uint8_t> data)
{
    if (data.size() != fixedSize || LittleEndian::read32(data, 0) != signature) {
        return std::nullopt;
    }
    Zip64EndOfCentralDirectoryLocator locator;
    locator.numberOfDiskWithZIP64EOCDRecordStart = LittleEndian::read32(data, 4);
    locator.relativeOffsetOfZIP64EOCDRecord = LittleEndian::read64(data, 8);
    locator.totalNumberOfDisk = LittleEndian::read32(data, 16);
    return locator;
}

}  // namespace lottie
