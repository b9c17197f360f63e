// Unpacking whole archives: what lands where, in which order, and how hostile
// archives (traversal, link escapes, bombs, bad checksums) are refused.

#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Lottie/DotLottie/Zip/ArchiveFileError.h"
#include "Lottie/DotLottie/Zip/PrintableText.h"
#include "Lottie/DotLottie/Zip/Unzipper.h"
#include "Lottie/DotLottie/Zip/ZipProgress.h"

#include "tests/Lottie/DotLottie/Zip/TestZipWriter.h"
#include "tests/Lottie/DotLottie/Zip/ZipTestHelpers.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/WithoutFileOverrides.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using lottie::Unzipper;
using ziptest::Bytes;
using ziptest::TestEntry;
using Snapshot = std::map<std::string, std::string>;
namespace fs = std::filesystem;

class ZipUnzip : public ::testing::Test {
protected:
    fs::path archiveOf(const std::vector<TestEntry>& entries)
    {
        return ziptest::writeBytes(temp.path() / "archive.zip", ziptest::writeTestArchive(entries).bytes);
    }
    std::string unzip(const fs::path& archive, const lottie::UnzipOptions& options = {})
    {
        return ziptest::outcomeOf([&] { Unzipper::extractArchive(archive, destination(), options); });
    }
    fs::path destination() const { return temp.path() / "root" / "out"; }
    // Everything under the scratch root except the destination and its contents.
    Snapshot outside() const
    {
        Snapshot items = ziptest::snapshot(temp.path() / "root");
        std::erase_if(items, [](const auto& item) { return item.first == "out" || item.first.rfind("out/", 0) == 0; });
        return items;
    }
    testsupport::TemporaryDirectory temp;
};

TEST_F(ZipUnzip, ArchivesOfTheZipProgramRoundTrip)
{
    const fs::path source = temp.path() / "src";
    const fs::path package = temp.path() / "package.zip";
    const std::string animation = ziptest::sampleText(100000, 1);
    fs::create_directories(source / "animations/empty-dir");
    testsupport::writeFile(source / "manifest.json", "{\"version\":\"1\"}");
    testsupport::writeFile(source / "animations/a.json", animation);
    testsupport::writeFile(source / "animations/empty", "");
    testsupport::writeFile(source / "animations/caf\xC3\xA9 \xE6\x97\xA5.json", "utf8");
    fs::create_symlink("a.json", source / "animations/alias.json");
    const Snapshot whole = ziptest::snapshot(source);
    struct Case {
        std::string command;
        Snapshot expected;
    };
    const Case cases[] = {
        // Forced ZIP64 records (an empty file among them: its ZIP64 size is a real 0),
        // and a file streamed from standard input whose sizes and checksum follow its
        // data in a descriptor.
        {"zip -q -fz ../package.zip animations/empty animations/a.json",
         {{"animations", "dir"}, {"animations/a.json", "file:" + animation}, {"animations/empty", "file:"}}},
        {"cat manifest.json | zip -q ../package.zip -", {{"-", "file:{\"version\":\"1\"}"}}},
        {"zip -q -r -y ../package.zip .", whole},
    };
    // The program stores UTF-8 names without flag bit 11; read as UTF-8 they round-trip.
    lottie::UnzipOptions utf8;
    utf8.preferredEncoding = lottie::NameEncoding::utf8;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        fs::remove(package);
        fs::remove_all(destination());
        ASSERT_EQ(ziptest::runIn(source, c.command), 0);
        EXPECT_EQ(unzip(package, utf8), "ok");
        EXPECT_EQ(ziptest::snapshot(destination()), c.expected);
    }
    // Without a preferred encoding an unflagged name is code page 437.
    fs::remove_all(destination());
    EXPECT_EQ(unzip(package), "ok");
    EXPECT_EQ(testsupport::readFile(destination() / "animations/caf\xE2\x94\x9C\xE2\x8C\x90 \xC2\xB5\xC3\xB9\xC3\x91.json"),
              "utf8");
}

TEST_F(ZipUnzip, EmptyMissingOrUnreadableSourcesCreateNothing)
{
    auto progress = std::make_shared<lottie::ZipProgress>(99);
    lottie::UnzipOptions options;
    options.progress = progress;
    EXPECT_EQ(unzip(archiveOf({}), options), "ok");
    EXPECT_EQ(progress->totalUnitCount(), 0);
    EXPECT_EQ(unzip(temp.path() / "missing.zip"), "ArchiveFileError.fileReadNoSuchFile");
    EXPECT_EQ(unzip(ziptest::writeBytes(temp.path() / "text.zip", ziptest::bytesOf("not an archive at all"))),
              "ArchiveError.unreadableArchive");
    EXPECT_FALSE(fs::exists(destination()));
}

TEST_F(ZipUnzip, NamesAndLinksAreKeptInsideTheDestination)
{
    struct Case {
        const char* label;
        std::vector<TestEntry> entries;
        std::string outcome;
        Snapshot inside;
    };
    const Case cases[] = {
        {"parent segment climbing out",
         {TestEntry::file("first.txt", "1"), TestEntry::file("../outside.txt", "x")},
         "ArchiveFileError.fileReadInvalidFileName",
         {{"first.txt", "file:1"}}},
        {"NUL inside the name", {TestEntry::file(std::string("a\0/../../x", 10), "n")},
         "ArchiveFileError.fileReadInvalidFileName", {}},
        {"name of the destination itself", {TestEntry::file("a/..", "x")}, "ArchiveFileError.fileWriteFileExists", {}},
        {"the same file twice", {TestEntry::file("f", "1"), TestEntry::file("f", "2")},
         "ArchiveFileError.fileWriteFileExists", {{"f", "file:1"}}},
        {"link then a file through it", {TestEntry::symlink("d", "../escape"), TestEntry::file("d/x.txt", "x")},
         "ArchiveError.invalidEntryPath", {{"d", "dir"}, {"d/x.txt", "file:x"}}},
        {"chained links that climb", {TestEntry::symlink("x", "."), TestEntry::symlink("y", "x/../outside")},
         "ArchiveError.invalidEntryPath", {{"x", "link:."}}},
        {"links inside, listed before their target",
         {TestEntry::symlink("a/l", "../t.txt"), TestEntry::file("t.txt", "t"), TestEntry::directory("a/")},
         "ok", {{"a", "dir"}, {"a/l", "link:../t.txt"}, {"t.txt", "file:t"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(temp.path() / "root");
        fs::create_directories(temp.path() / "root");
        testsupport::writeFile(temp.path() / "root" / "sibling.txt", "keep");
        EXPECT_EQ(unzip(archiveOf(c.entries)), c.outcome);
        EXPECT_EQ(outside(), (Snapshot{{"sibling.txt", "file:keep"}})) << "wrote outside";
        EXPECT_EQ(ziptest::snapshot(destination()), c.inside);
    }
}

TEST_F(ZipUnzip, LinksAlreadyInTheDestinationAreNotFollowed)
{
    const fs::path victim = temp.path() / "victim";
    fs::create_directories(victim);
    fs::create_directories(destination());
    fs::create_directory_symlink(victim, destination() / "d");
    EXPECT_EQ(unzip(archiveOf({TestEntry::file("d/x.txt", "x")})), "ArchiveFileError.fileReadInvalidFileName");
    EXPECT_TRUE(fs::is_empty(victim));
}

TEST_F(ZipUnzip, ChecksumMismatchLeavesNoFile)
{
    struct Case {
        const char* label;
        TestEntry entry;
        bool skipCRC;
        std::string outcome;
        Snapshot inside;
    };
    TestEntry badStored = TestEntry::file("bad.json", "{\"a\":1}");
    badStored.crcOverride = 0x12345678;
    TestEntry descriptorNoCRC = TestEntry::file("d", "data");
    descriptorNoCRC.flags = 0x0008;
    TestEntry dirWithCRC = TestEntry::directory("dir/");
    dirWithCRC.crcOverride = 5;
    const Case cases[] = {
        {"stored", badStored, false, "ArchiveError.invalidCRC32", {}},
        {"checks skipped", badStored, true, "ok", {{"bad.json", "file:{\"a\":1}"}}},
        {"checksum in a data descriptor", descriptorNoCRC, false, "ok", {{"d", "file:data"}}},
        {"directory with a recorded checksum", dirWithCRC, false, "ArchiveError.invalidCRC32", {{"dir", "dir"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(destination());
        lottie::UnzipOptions options;
        options.skipCRC32 = c.skipCRC;
        EXPECT_EQ(unzip(archiveOf({c.entry}), options), c.outcome);
        EXPECT_EQ(ziptest::snapshot(destination()), c.inside);
    }
}

TEST_F(ZipUnzip, BombsStopAtTheirLimits)
{
    TestEntry bomb = TestEntry::file("bomb.bin", std::string(40 << 20, '\0'), 8);
    std::vector<TestEntry> many;
    for (int i = 0; i < 20; ++i) {
        many.push_back(TestEntry::file("part" + std::to_string(i), std::string(900 << 10, 'z'), 8));
    }
    struct Case {
        const char* label;
        std::vector<TestEntry> entries;
        lottie::ExtractionLimits limits;
        std::string outcome;
    };
    lottie::ExtractionLimits small;
    small.maxTotalUncompressedSize = 8 << 20;
    small.maxCompressionRatio = 2000;
    // Deflate data may begin with any number of empty blocks, which take
    // input and write nothing: past the allowance they are refused as read.
    const auto afterEmptyBlocks = [](std::size_t bytes) {
        TestEntry entry = TestEntry::file("blocks.bin", std::string(100'000, 'b'), 8);
        entry.deflated = ziptest::emptyDeflateBlocks(bytes / 5);
        const ziptest::Bytes data = ziptest::deflateRaw(entry.data);
        entry.deflated->insert(entry.deflated->end(), data.begin(), data.end());
        return entry;
    };
    const Case cases[] = {
        {"one entry inflating a thousandfold", {bomb}, {}, "ArchiveError.compressionRatioLimitExceeded"},
        {"many entries each under the ratio allowance", many, small, "ArchiveError.uncompressedSizeLimitExceeded"},
        // One allowance serves the whole archive: entries each under it inflate a
        // thousandfold together.
        {"the same entries within a larger total", many, {}, "ArchiveError.compressionRatioLimitExceeded"},
        {"an entry of 8 MB of empty deflate blocks before its data", {afterEmptyBlocks(8 << 20)}, {},
         "ArchiveError.compressedSizeLimitExceeded"},
        {"an entry of 512 KB of empty deflate blocks before its data", {afterEmptyBlocks(512 << 10)}, {}, "ok"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(destination());
        lottie::UnzipOptions options;
        options.limits = c.limits;
        EXPECT_EQ(unzip(archiveOf(c.entries), options), c.outcome);
        std::uintmax_t written = 0;
        for (const auto& [name, item] : ziptest::snapshot(destination())) {
            written += item.size();
        }
        EXPECT_LE(written, c.limits.maxTotalUncompressedSize + 16384);
        // What is written never passes the ratio over the whole archive.
        const std::uintmax_t compressed = fs::file_size(temp.path() / "archive.zip");
        EXPECT_LE(written, std::max<std::uintmax_t>(c.limits.ratioAllowance, compressed * c.limits.maxCompressionRatio) + 16384);
    }
}

// Entries are counted as they are listed, directories as they are made (those
// the archive lists and those made on the way to an entry), and an archive over
// either count writes nothing more.
TEST_F(ZipUnzip, EntriesAndDirectoriesAreCounted)
{
    std::vector<TestEntry> files;
    for (int i = 0; i < 6; ++i) {
        files.push_back(TestEntry::file("f" + std::to_string(i), "x"));
    }
    const std::vector<TestEntry> directories{TestEntry::directory("a/"), TestEntry::directory("b/"),
                                             TestEntry::directory("c/"), TestEntry::directory("d/")};
    const std::vector<TestEntry> deep{TestEntry::file("a/b/c/d/deep.txt", "x")};
    struct Case {
        const char* label;
        std::vector<TestEntry> entries;
        std::uint64_t maxEntries;
        std::uint64_t maxDirectories;
        std::string outcome;
        std::size_t itemsLeft;
    };
    const Case cases[] = {
        {"as many entries as allowed", files, 6, 0, "ok", 6},
        {"one entry too many", files, 5, 100, "ArchiveError.entryCountLimitExceeded", 0},
        {"as many listed directories as allowed", directories, 10, 4, "ok", 4},
        {"one listed directory too many", directories, 10, 3, "ArchiveError.directoryCountLimitExceeded", 4},
        {"directories made on the way", deep, 10, 4, "ok", 5},
        {"one directory on the way too many", deep, 10, 3, "ArchiveError.directoryCountLimitExceeded", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(destination());
        lottie::UnzipOptions options;
        options.limits.maxEntryCount = c.maxEntries;
        options.limits.maxDirectoryCount = c.maxDirectories;
        EXPECT_EQ(unzip(archiveOf(c.entries), options), c.outcome);
        EXPECT_EQ(ziptest::snapshot(destination()).size(), c.itemsLeft);
    }
}

// Only the entries a filter accepts are written; the others cost nothing and,
// when they could not be written, fail nothing. Every name is still checked.
TEST_F(ZipUnzip, AFilterLeavesOtherEntriesUnwritten)
{
    const std::string tooLong(300, 'n');
    const std::vector<TestEntry> entries{TestEntry::file("keep/a.txt", "a"), TestEntry::file("skip/b.txt", "b"),
                                         TestEntry::directory("skip/c/"), TestEntry::file(tooLong, "x")};
    const auto onlyKeep = [](const fs::path& path) { return path == "keep" || path.parent_path() == "keep"; };
    struct Case {
        const char* label;
        std::vector<TestEntry> entries;
        std::function<bool(const fs::path&)> filter;
        std::string outcome;
        Snapshot inside;
    };
    std::vector<TestEntry> climbing = entries;
    climbing.push_back(TestEntry::file("../outside.txt", "x"));
    const Case cases[] = {
        {"the kept entries alone", entries, onlyKeep, "ok", {{"keep", "dir"}, {"keep/a.txt", "file:a"}}},
        {"names as the archive spells them", {TestEntry::file("./keep//a.txt", "a")}, onlyKeep, "ok",
         {{"keep", "dir"}, {"keep/a.txt", "file:a"}}},
        {"no filter: the name too long fails", entries, {}, "ArchiveFileError.fileNoSuchFile", {}},
        {"a name outside is refused, filter or not", climbing, onlyKeep, "ArchiveFileError.fileReadInvalidFileName",
         {{"keep", "dir"}, {"keep/a.txt", "file:a"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(destination());
        lottie::UnzipOptions options;
        options.entryFilter = c.filter;
        EXPECT_EQ(unzip(archiveOf(c.entries), options), c.outcome);
        if (c.filter) {
            EXPECT_EQ(ziptest::snapshot(destination()), c.inside);
        }
    }
}

// Names reach error messages with their control characters spelled out, so that
// printing a message never sends a terminal an escape sequence from an archive.
TEST_F(ZipUnzip, ErrorMessagesSpellOutControlCharactersOfNames)
{
    const std::string escape = "\\x1b[31m";
    TestEntry badChecksum = TestEntry::file("bad\x07\x1b[31m.json", "{}");
    badChecksum.crcOverride = 1;
    TestEntry c1 = TestEntry::file(std::string(300, 'n') + "\xc2\x9b" "31m", "x");
    c1.flags = 0x0800;
    const struct {
        const char* label;
        TestEntry entry;
        std::string outcome;
        std::string shown;
    } cases[] = {
        {"a name too long for the file system", TestEntry::file(std::string(300, 'n') + "\x1b[31m", "x"),
         "ArchiveFileError.fileNoSuchFile", escape},
        {"a checksum that does not match", badChecksum, "ArchiveError.invalidCRC32", "bad\\x07" + escape},
        {"a name that climbs out", TestEntry::file("../\x1b]0;title\x07", "x"), "ArchiveFileError.fileReadInvalidFileName",
         "\\x1b]0;title\\x07"},
        {"a C1 control in UTF-8", c1, "ArchiveFileError.fileNoSuchFile", "\\xc2\\x9b31m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(destination());
        std::string message;
        try {
            Unzipper::extractArchive(archiveOf({c.entry}), destination());
        } catch (const std::exception& error) {
            message = error.what();
        }
        fs::remove_all(destination());
        EXPECT_EQ(unzip(archiveOf({c.entry})), c.outcome);
        EXPECT_NE(message.find(c.shown), std::string::npos) << message;
        EXPECT_EQ(std::count_if(message.begin(), message.end(),
                                [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f; }),
                  0)
            << message;
    }
    EXPECT_EQ(lottie::printableText("caf\xc3\xa9 a\\b \x7f"), "caf\xc3\xa9 a\\\\b \\x7f");
}

// A directory made read-only by its entry gets its permissions only after what
// goes inside it is written, whatever the order of the entries.
TEST_F(ZipUnzip, ReadOnlyDirectoriesGetTheirPermissionsLast)
{
    TestEntry readOnly = TestEntry::directory("d/");
    readOnly.externalAttributes = 040555u << 16;
    const auto archive = archiveOf({TestEntry::directory("d/sub/"), readOnly, TestEntry::file("d/sub/f", "f"),
                                    TestEntry::file("d/g", "g")});
    testsupport::runWithoutFileOverrides([&] { EXPECT_EQ(unzip(archive), "ok"); });
    EXPECT_EQ(ziptest::snapshot(destination()),
              (Snapshot{{"d", "dir"}, {"d/g", "file:g"}, {"d/sub", "dir"}, {"d/sub/f", "file:f"}}));
    EXPECT_EQ(fs::status(destination() / "d").permissions() & fs::perms::all, static_cast<fs::perms>(0555));
    fs::permissions(destination() / "d", fs::perms::owner_all, fs::perm_options::add);
}

TEST_F(ZipUnzip, OverlappingEntriesCannotMultiplyTheirData)
{
    // Many central entries pointing at one local header: each is valid alone.
    TestEntry shared = TestEntry::file("x", std::string(1 << 20, 'q'), 8);
    std::vector<TestEntry> copies;
    for (int i = 0; i < 40; ++i) {
        TestEntry copy = shared;
        copy.name = ziptest::bytesOf("x" + std::to_string(i));
        copy.localOffsetOverride = 0;
        copies.push_back(copy);
    }
    ziptest::writeBytes(temp.path() / "overlap.zip", ziptest::writeTestArchive(copies).bytes);
    lottie::UnzipOptions options;
    options.limits.maxTotalUncompressedSize = 16 << 20;
    options.limits.maxCompressionRatio = 2000;
    EXPECT_EQ(unzip(temp.path() / "overlap.zip", options), "ArchiveError.uncompressedSizeLimitExceeded");
}

TEST_F(ZipUnzip, ProgressAddsUpEntriesAndCancels)
{
    const auto path = archiveOf({TestEntry::directory("d/"), TestEntry::file("d/a", std::string(40000, 'a'), 8),
                                 TestEntry::file("b", "bb")});
    auto progress = std::make_shared<lottie::ZipProgress>();
    lottie::UnzipOptions options;
    options.progress = progress;
    EXPECT_EQ(unzip(path, options), "ok");
    EXPECT_EQ(progress->totalUnitCount(), 1 + 40000 + 2);
    EXPECT_DOUBLE_EQ(progress->fractionCompleted(), 1.0);

    fs::remove_all(destination());
    auto cancelled = std::make_shared<lottie::ZipProgress>();
    cancelled->cancel();
    options.progress = cancelled;
    EXPECT_EQ(unzip(path, options), "ArchiveError.cancelledOperation");
    EXPECT_EQ(ziptest::snapshot(destination()), (Snapshot{{"d", "dir"}}));
}

}  // namespace
