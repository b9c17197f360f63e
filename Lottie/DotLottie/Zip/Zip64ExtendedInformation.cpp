#include "Lottie/DotLottie/Zip/Zip64ExtendedInformation.h"

#include "Lottie/DotLottie/Zip/LittleEndian.h"

#include <algorithm>

namespace lottie {

namespace {

bool contains(const std::vector<Zip64ExtendedInformation::Field>& fields, Zip64ExtendedInformation::Field field)
{
    return std::find(fields.begin(), fields.end(), field) != fields.end();
}

}  // namespace

std::optional<Zip64ExtendedInformation> Zip64ExtendedInformation::parse(std::span<const std::uint8_t> block,
                                                                        const std::vector<Field>& fields)
{
    std::size_t expected = 4;
    for (Field field : fields) {
        expected += field == Field::diskNumberStart ? 4 : 8;
    }
    if (block.size() != expected) {
        return std::nullopt;
    }
    Zip64ExtendedInformation info;
    info.dataSize = LittleEndian::read16(block, 2);
    std::size_t cursor = 4;
    // The length check above guarantees every listed field fits.
    if (contains(fields, Field::uncompressedSize)) {
        info.uncompressedSize = LittleEndian::read64(block, cursor);
        cursor += 8;
    }
    if (contains(fields, Field::compressedSize)) {
        info.compressedSize = LittleEndian::read64(block, cursor);
        cursor += 8;
    }
    if (contains(fields, Field::relativeOffsetOfLocalHeader)) {
        info.relativeOffsetOfLocalHeader = LittleEndian::read64(block, cursor);
        cursor += 8;
    }
    if (contains(fields, Field::diskNumberStart)) {
        info.diskNumberStart = LittleEndian::read32(block, cursor);
    }
    return info;
}

std::optional<Zip64ExtendedInformation> Zip64ExtendedInformation::scan(std::span<const std::uint8_t> extraFieldData,
                                                                       const std::vector<Field>& fields)
{
    const std::size_t length = extraFieldData.size();
    if (length <= 4) {
        return std::nullopt;
    }
    std::size_t position = 0;
    while (position < length - 4) {
        const std::uint16_t id = LittleEndian::read16(extraFieldData, position);
        const std::uint16_t size = LittleEndian::read16(extraFieldData, position + 2);
        const std::size_t next = position + 4 + size;
        if (next > length) {
            return std::nullopt;
        }
        if (id == zip64HeaderID) {
            return parse(extraFieldData.subspan(position, next - position), fields);
        }
        position = next;
    }
    return std::nullopt;
}

}  // namespace lottie
