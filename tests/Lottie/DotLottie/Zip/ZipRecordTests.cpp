// The record parsers: data descriptors with and without their signature, and the
// ZIP64 extra-field scan. Records cut short at every length are refused through
// the reader in DamagedArchiveTests; their tails are split by every archive read.

#include "Lottie/DotLottie/Zip/DataDescriptor.h"
#include "Lottie/DotLottie/Zip/Zip64ExtendedInformation.h"

#include "tests/Lottie/DotLottie/Zip/TestZipWriter.h"

#include <gtest/gtest.h>


namespace {

using lottie::ByteBuffer;
using Field = lottie::Zip64ExtendedInformation::Field;
using ziptest::putFields;

TEST(ZipRecords, Zip64BlockMustMatchTheSaturatedFieldsExactly)
{
    auto block = [](std::uint16_t dataSize, std::initializer_list<std::uint64_t> values) {
        ByteBuffer bytes;
        putFields(bytes, {{1, 2}, {dataSize, 2}});
        for (std::uint64_t value : values) {
            ziptest::put(bytes, value, 8);
        }
        return bytes;
    };
    struct Case {
        const char* label;
        ByteBuffer extra;
        std::vector<Field> fields;
        bool found;
        std::uint64_t compressed;
    };
    ByteBuffer malformedThenGood = block(8, {1});
    malformedThenGood[2] = 16;  // claims 16 bytes but the local header needs 8
    malformedThenGood.resize(4 + 16, 0);
    const ByteBuffer good = block(8, {77});
    malformedThenGood.insert(malformedThenGood.end(), good.begin(), good.end());
    ByteBuffer afterAnother;
    putFields(afterAnother, {{0x5455, 2}, {1, 2}, {7, 1}});
    afterAnother.insert(afterAnother.end(), good.begin(), good.end());
    ByteBuffer oversized = block(8, {1});
    oversized[2] = 200;
    const Case cases[] = {
        {"only compressed size saturated, 12-byte block", block(8, {77}), {Field::compressedSize}, true, 77},
        {"behind an unrelated block", afterAnother, {Field::compressedSize}, true, 77},
        {"only compressed size saturated, both sizes present", block(16, {5, 77}), {Field::compressedSize}, false, 0},
        {"nothing saturated but values present", block(16, {5, 77}), {}, false, 0},
        {"first ID-1 block malformed hides a later one", malformedThenGood, {Field::compressedSize}, false, 0},
        {"block longer than the extra field", oversized, {Field::compressedSize}, false, 0},
        {"both sizes", block(16, {5, 77}), {Field::uncompressedSize, Field::compressedSize}, true, 77},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto info = lottie::Zip64ExtendedInformation::scan(c.extra, c.fields);
        ASSERT_EQ(info.has_value(), c.found);
        if (info) {
            EXPECT_EQ(info->compressedSize, c.compressed);
        }
    }
}

TEST(ZipRecords, DataDescriptorsWithAndWithoutSignature)
{
    ByteBuffer signed32;
    putFields(signed32, {{0x08074b50, 4}, {0xAABBCCDD, 4}, {100, 4}, {200, 4}});
    ByteBuffer unsigned32;
    // Followed by the next record's signature, which is ignored.
    putFields(unsigned32, {{0xAABBCCDD, 4}, {100, 4}, {200, 4}, {0x04034b50, 4}});
    for (const ByteBuffer& bytes : {signed32, unsigned32}) {
        const auto descriptor = lottie::DataDescriptor32::parse(bytes);
        ASSERT_TRUE(descriptor);
        EXPECT_EQ(descriptor->dataDescriptorSignature, 0x08074b50u);
        EXPECT_EQ(descriptor->crc32, 0xAABBCCDDu);
        EXPECT_EQ(descriptor->compressedSize, 100u);
        EXPECT_EQ(descriptor->uncompressedSize, 200u);
    }
    ByteBuffer unsigned64;
    putFields(unsigned64, {{0x01020304, 4}, {5000000000ull, 8}, {6000000000ull, 8}, {0, 4}});
    const auto descriptor = lottie::DataDescriptor64::parse(unsigned64);
    ASSERT_TRUE(descriptor);
    EXPECT_EQ(descriptor->crc32, 0x01020304u);
    EXPECT_EQ(descriptor->compressedSize, 5000000000ull);
    EXPECT_EQ(descriptor->uncompressedSize, 6000000000ull);
    EXPECT_FALSE(lottie::DataDescriptor64::parse(signed32));
    EXPECT_FALSE(lottie::DataDescriptor32::parse(unsigned64));
}

}  // namespace
