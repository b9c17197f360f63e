// What an entry derives from its records: kind, path, ZIP64 status, effective
// sizes, the checksum to compare with, permissions and equality (dates are checked
// on extracted files).

#include "Lottie/DotLottie/Zip/Entry.h"
#include "Lottie/DotLottie/Zip/EntryAttributes.h"
#include "Lottie/DotLottie/Zip/EntryPath.h"

#include <gtest/gtest.h>

namespace {

using lottie::ByteBuffer;
using lottie::Entry;
using Type = lottie::Entry::EntryType;

Entry makeEntry(const ByteBuffer& name, std::uint16_t versionMadeBy, std::uint32_t attributes, std::uint16_t flags = 0)
{
    lottie::CentralDirectoryStructure central;
    central.fileNameData = name;
    central.fileNameLength = static_cast<std::uint16_t>(name.size());
    central.versionMadeBy = versionMadeBy;
    central.externalFileAttributes = attributes;
    central.generalPurposeBitFlag = flags;
    return Entry(central, {}, std::nullopt, std::nullopt);
}

ByteBuffer text(const std::string& s)
{
    return ByteBuffer(s.begin(), s.end());
}

TEST(ZipEntry, KindFollowsHostAttributesAndName)
{
    struct Case {
        const char* label;
        std::string name;
        std::uint16_t versionMadeBy;
        std::uint32_t attributes;
        std::uint16_t flags;
        Type expected;
    };
    const Case cases[] = {
        {"DOS directory attribute without slash", "d", 0x0014, 0x10, 0, Type::directory},
        {"DOS directory plus archive bit", "d", 0x0014, 0x30, 0, Type::file},
        {"DOS name with trailing slash", "d/", 0x0014, 0x00, 0, Type::directory},
        {"Unix regular file named like a directory", "d/", 0x0314, 0100644u << 16, 0, Type::file},
        {"Unix mode 0 with trailing slash", "d/", 0x0314, 0, 0, Type::directory},
        {"Unix symbolic link", "l/", 0x0314, 0120777u << 16, 0, Type::symlink},
        {"unknown host ignores attributes", "d", 0x0A14, 040755u << 16, 0, Type::file},
        {"invalid UTF-8 name falls back to file", "d\xFF/", 0x0014, 0, 0x0800, Type::file},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(makeEntry(text(c.name), c.versionMadeBy, c.attributes, c.flags).type(), c.expected);
    }
}

TEST(ZipEntry, PathDecodesUTF8OrCodePage437)
{
    struct Case {
        const char* label;
        ByteBuffer name;
        std::uint16_t flags;
        std::string expected;
    };
    const Case cases[] = {
        {"code page 437 box drawing and non-breaking space", {'a', 0xC9, 0xFF}, 0, "a\xE2\x95\x94\xC2\xA0"},
        {"UTF-8 flag", text("caf\xC3\xA9/\xE6\x97\xA5.json"), 0x0800, "caf\xC3\xA9/\xE6\x97\xA5.json"},
        {"UTF-8 flag, invalid continuation", {'a', 0xC3, 0x28}, 0x0800, ""},
        {"UTF-8 flag, overlong slash", {0xC0, 0xAF}, 0x0800, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(makeEntry(c.name, 0x0314, 0, c.flags).decodedPath(), c.expected);
    }
    EXPECT_EQ(makeEntry({0x81}, 0x0314, 0, 0x0800).decodedPath(lottie::NameEncoding::codePage437), "\xC3\xBC");
    EXPECT_EQ(makeEntry({0x81}, 0x0314, 0, 0).decodedPath(lottie::NameEncoding::utf8), "");
}

TEST(ZipEntry, Zip64StatusAndEffectiveSizes)
{
    lottie::CentralDirectoryStructure central;
    central.uncompressedSize = 0xFFFFFFFF;
    central.compressedSize = 0xFFFFFFFF;
    central.relativeOffsetOfLocalHeader = 0xFFFFFFFF;
    central.versionNeededToExtract = 0x2C00;  // only the low byte counts
    EXPECT_FALSE(Entry(central, {}, std::nullopt, std::nullopt).isZIP64());
    central.versionNeededToExtract = 0x032D;
    EXPECT_TRUE(Entry(central, {}, std::nullopt, std::nullopt).isZIP64());

    lottie::Zip64ExtendedInformation info;
    info.uncompressedSize = 0;  // a ZIP64 value of 0 never wins
    info.compressedSize = 5000000000ull;
    info.relativeOffsetOfLocalHeader = 7000000000ull;
    central.versionNeededToExtract = 20;
    central.uncompressedSize = 1234;
    central.zip64ExtendedInformation = info;
    Entry large(central, {}, std::nullopt, std::nullopt);
    EXPECT_TRUE(large.isZIP64());
    EXPECT_EQ(large.effectiveCompressedSize(), 5000000000ull);
    EXPECT_EQ(large.effectiveRelativeOffsetOfLocalHeader(), 7000000000ull);
    EXPECT_EQ(large.effectiveUncompressedSize(), 1234u);
    EXPECT_EQ(large.uncompressedSize(), 1234u);

    lottie::DataDescriptor64 descriptor64;
    descriptor64.uncompressedSize = 99;
    lottie::DataDescriptor32 descriptor32;
    descriptor32.uncompressedSize = 55;
    EXPECT_EQ(Entry(central, {}, descriptor32, descriptor64).uncompressedSize(), 99u);
    EXPECT_EQ(Entry(central, {}, descriptor32, std::nullopt).uncompressedSize(), 1234u);
    central.zip64ExtendedInformation.reset();
    EXPECT_EQ(Entry(central, {}, descriptor32, std::nullopt).uncompressedSize(), 55u);
}

TEST(ZipEntry, ExpectedChecksumFollowsFlagBit3)
{
    lottie::CentralDirectoryStructure central;
    central.crc32 = 0x11111111;
    lottie::DataDescriptor32 descriptor32;
    descriptor32.crc32 = 0x22222222;
    lottie::DataDescriptor64 descriptor64;
    descriptor64.crc32 = 0x33333333;
    EXPECT_EQ(Entry(central, {}, descriptor32, std::nullopt).expectedCRC32(), 0x11111111u);
    central.generalPurposeBitFlag = 0x0008;
    EXPECT_EQ(Entry(central, {}, descriptor32, std::nullopt).expectedCRC32(), 0x22222222u);
    EXPECT_EQ(Entry(central, {}, descriptor32, descriptor64).expectedCRC32(), 0x33333333u);
    EXPECT_EQ(Entry(central, {}, std::nullopt, std::nullopt).expectedCRC32(), 0u);
}

TEST(ZipEntry, PermissionsNeverCarrySpecialBits)
{
    struct Case {
        const char* label;
        std::uint32_t attributes;
        std::uint8_t host;
        Type type;
        std::uint16_t expected;
    };
    const Case cases[] = {
        {"Unix regular rw-r--r--", 0100644u << 16, 3, Type::file, 0644},
        {"Unix directory type bits only", 040000u << 16, 3, Type::directory, 0755},
        {"setuid executable", 0104755u << 16, 3, Type::file, 0755},
        {"setgid and sticky directory", 043777u << 16, 19, Type::directory, 0777},
        {"MS-DOS always default", 0100600u << 16, 0, Type::file, 0644},
        {"unknown host default", 0100600u << 16, 7, Type::file, 0644},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(lottie::EntryAttributes::permissions(c.attributes, c.host, c.type), c.expected);
    }
}

TEST(ZipEntry, NamesAreContainedOrRefused)
{
    struct Case {
        const char* label;
        std::string name;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"plain", "a/b.json", "a/b.json"},
        {"parent inside", "a/../b.txt", "b.txt"},
        {"absolute name stays inside", "/etc/passwd", "etc/passwd"},
        {"the destination itself", "a/..", ""},
        {"climbs out", "../outside.txt", std::nullopt},
        {"climbs out later", "a/../../x", std::nullopt},
        {"NUL byte", std::string("a\0b", 3), std::nullopt},
        {"backslashes are ordinary characters", "..\\x", "..\\x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto path = lottie::EntryPath::contained(c.name);
        ASSERT_EQ(path.has_value(), c.expected.has_value());
        if (path) {
            EXPECT_EQ(path->text(), *c.expected);
        }
    }
}

TEST(ZipEntry, LinkTargetsMustStayInside)
{
    struct Case {
        const char* link;
        std::string target;
        bool accepted;
    };
    const Case cases[] = {
        {"l", "file.txt", true},
        {"a/l", "../file.txt", true},
        {"a/b/l", "../../x/y", true},
        {"l", "../x", false},
        {"l", "/etc/passwd", false},
        {"l", "", false},
        {"l", "x/../y", false},  // through a link named x this could climb out
        {"l", std::string("a\0b", 3), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.link) + " -> " + c.target);
        EXPECT_EQ(lottie::EntryPath::isContainedLinkTarget(*lottie::EntryPath::contained(c.link), c.target),
                  c.accepted);
    }
}

}  // namespace
