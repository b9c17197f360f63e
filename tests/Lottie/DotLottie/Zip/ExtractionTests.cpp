// Extracting single entries: data to a consumer, items in the file system with
// their attributes, cancellation, and the failures that must leave nothing behind.

#include "Lottie/DotLottie/Zip/Archive.h"
#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Lottie/DotLottie/Zip/ExtractionBudget.h"
#include "Lottie/DotLottie/Zip/ZipProgress.h"

#include "tests/Lottie/DotLottie/Zip/TestZipWriter.h"
#include "tests/Lottie/DotLottie/Zip/ZipTestHelpers.h"
#include "tests/Support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using lottie::Archive;
using ziptest::Bytes;
using ziptest::TestEntry;
namespace fs = std::filesystem;

class ZipExtraction : public ::testing::Test {
protected:
    std::shared_ptr<Archive> openEntries(const std::vector<TestEntry>& entries)
    {
        const fs::path path = temp.path() / ("archive" + std::to_string(++count) + ".zip");
        ziptest::writeBytes(path, ziptest::writeTestArchive(entries).bytes);
        return Archive::open(path, Archive::AccessMode::read);
    }
    testsupport::TemporaryDirectory temp;
    int count = 0;
};

TEST_F(ZipExtraction, RefusedRequestsCreateNothing)
{
    TestEntry unknownMethod = TestEntry::file("method12", "data");
    unknownMethod.method = 12;
    auto archive = openEntries({TestEntry::file("a", "data"), unknownMethod});
    ASSERT_TRUE(archive);
    const auto entries = archive->entries();
    struct Case {
        const char* label;
        std::size_t entry;
        std::int64_t bufferSize;
        bool cancelled;
        std::string outcome;
    };
    const Case cases[] = {
        {"buffer size 0", 0, 0, false, "ArchiveError.invalidBufferSize"},
        {"compression method 12", 1, 16384, false, "ArchiveError.invalidCompressionMethod"},
        {"already cancelled", 0, 16384, true, "ArchiveError.cancelledOperation"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const fs::path target = temp.path() / "out" / "item";
        lottie::ExtractionSettings settings;
        settings.bufferSize = c.bufferSize;
        if (c.cancelled) {
            settings.progress = std::make_shared<lottie::ZipProgress>();
            settings.progress->cancel();
        }
        EXPECT_EQ(ziptest::outcomeOf([&] { archive->extractEntry(entries[c.entry], target, settings); }), c.outcome);
        EXPECT_FALSE(fs::exists(fs::symlink_status(target)));
    }
}

TEST_F(ZipExtraction, ItemsGetTheirPermissionsAndDates)
{
    TestEntry script = TestEntry::file("script", "#!/bin/sh\n");
    script.externalAttributes = 0104755u << 16;  // setuid must not survive
    script.dosTime = (14 << 11) | (40 << 5) | 28;
    script.dosDate = (45 << 9) | (1 << 5) | 1;
    TestEntry sticky = TestEntry::directory("shared/");
    sticky.externalAttributes = 041777u << 16;
    auto archive = openEntries({script, sticky});
    const auto entries = archive->entries();
    const std::pair<const char*, mode_t> cases[] = {{"script", 0755}, {"shared", 0777}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const fs::path target = temp.path() / "out" / cases[i].first;
        archive->extractEntry(entries[i], target);
        struct stat status {};
        ASSERT_EQ(stat(target.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, cases[i].second) << cases[i].first;
        EXPECT_TRUE(i != 0 || status.st_mtime == 1735742456) << status.st_mtime;
    }
}

TEST_F(ZipExtraction, LinkAttributesNeverReachTheTarget)
{
    TestEntry target = TestEntry::file("target.txt", "content");
    target.externalAttributes = 0100600u << 16;
    TestEntry link = TestEntry::symlink("link", "target.txt");
    link.dosDate = (45 << 9) | (1 << 5) | 1;
    auto archive = openEntries({target, link});
    const auto entries = archive->entries();
    const fs::path out = temp.path() / "out";
    archive->extractEntry(entries[0], out / "target.txt");
    archive->extractEntry(entries[1], out / "link");
    struct stat after {};
    ASSERT_EQ(stat((out / "target.txt").c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0600u);
    EXPECT_NE(after.st_mtime, 1735689600) << "the link's date reached its target";
    struct stat linkStatus {};
    ASSERT_EQ(lstat((out / "link").c_str(), &linkStatus), 0);
    EXPECT_EQ(linkStatus.st_mtime, 1735689600);
    EXPECT_EQ(fs::read_symlink(out / "link"), "target.txt");
}

TEST_F(ZipExtraction, ExistingItemsAreNeverReplacedOrFollowed)
{
    auto archive = openEntries({TestEntry::file("a", "new"), TestEntry::symlink("l", "a")});
    const auto entries = archive->entries();
    const fs::path out = temp.path() / "out";
    const fs::path outside = temp.path() / "outside.txt";
    testsupport::writeFile(outside, "precious");
    fs::create_directories(out);
    fs::create_symlink(outside, out / "a");
    testsupport::writeFile(out / "l", "old");
    EXPECT_EQ(ziptest::outcomeOf([&] { archive->extractEntry(entries[0], out / "a"); }),
              "ArchiveFileError.fileWriteFileExists");
    EXPECT_EQ(ziptest::outcomeOf([&] { archive->extractEntry(entries[1], out / "l"); }),
              "ArchiveFileError.fileWriteFileExists");
    EXPECT_EQ(testsupport::readFile(outside), "precious");
    EXPECT_EQ(testsupport::readFile(out / "l"), "old");
}

TEST_F(ZipExtraction, CorruptDataIsOnlyReportedInTheChecksum)
{
    // Data cut short is refused and leaves nothing (the damaged-archive sweep); a
    // single entry's extraction of corrupt data hands back the checksum it read,
    // and unzipping compares it.
    TestEntry entry = TestEntry::file("file", ziptest::sampleText(40000, 9));
    auto written = ziptest::writeTestArchive({entry});
    written.bytes[written.records[1].begin + 50] ^= 0x10;
    auto archive = Archive::open(ziptest::writeBytes(temp.path() / "corrupt.zip", written.bytes),
                                 Archive::AccessMode::read);
    ASSERT_TRUE(archive);
    const auto entries = archive->entries();
    EXPECT_NE(archive->extractEntry(entries[0], temp.path() / "out" / "file"), entries[0].expectedCRC32());
}

}  // namespace
