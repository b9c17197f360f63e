// Archives with one record truncated, at every length: each must be
// read whole and correct, or refused with one of the reader's own errors. None
// may be reported as whole with wrong contents, and none may write outside.

#include "Lottie/DotLottie/Zip/Unzipper.h"

#include "tests/Lottie/DotLottie/Zip/TestZipWriter.h"
#include "tests/Lottie/DotLottie/Zip/ZipTestHelpers.h"
#include "tests/Support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using ziptest::Bytes;
using ziptest::TestEntry;
using Snapshot = std::map<std::string, std::string>;
namespace fs = std::filesystem;

std::uint64_t read(const Bytes& bytes, std::size_t at, int width)
{
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

void write(Bytes& bytes, std::size_t at, std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Removes the tail of one record from `keep` bytes on, and moves every offset
// that pointed behind the cut, so that the reader actually reaches the damage.
Bytes truncateRecord(const ziptest::TestArchive& archive, std::size_t recordIndex, std::size_t keep)
{
    const ziptest::RecordSpan& cut = archive.records[recordIndex];
    const std::size_t from = cut.begin + keep;
    const std::size_t removed = cut.end - from;
    Bytes bytes = archive.bytes;
    auto shift = [&](std::size_t at, int width) {
        const std::uint64_t value = read(bytes, at, width);
        if (value >= cut.end) {
            write(bytes, at, value - removed, width);
        }
    };
    for (const ziptest::RecordSpan& record : archive.records) {
        if (record.kind == "central") {
            const auto nameLength = static_cast<std::size_t>(read(bytes, record.begin + 28, 2));
            if (read(bytes, record.begin + 42, 4) == 0xFFFFFFFF) {
                shift(record.begin + 46 + nameLength + 4 + 16, 8);
            } else {
                shift(record.begin + 42, 4);
            }
        } else if (record.kind == "end") {
            shift(record.begin + 16, 4);
        } else if (record.kind == "zip64record") {
            shift(record.begin + 48, 8);
        } else if (record.kind == "zip64locator") {
            shift(record.begin + 8, 8);
        }
    }
    bytes.erase(bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(cut.end));
    return bytes;
}

class ZipDamagedArchive : public ::testing::Test {
protected:
    ZipDamagedArchive()
    {
        TestEntry described = TestEntry::file("dir/deflated.json", ziptest::sampleText(600, 8), 8);
        described.flags = 0x0008;
        TestEntry large = TestEntry::file("big.bin", ziptest::sampleText(400, 9), 8);
        large.zip64 = true;
        ziptest::TestArchiveOptions options;
        options.zip64EndRecord = true;
        options.comment = ziptest::bytesOf("a comment");
        archive = ziptest::writeTestArchive({TestEntry::directory("dir/"),
                                             TestEntry::file("dir/stored.txt", "stored content"), described, large,
                                             TestEntry::symlink("link", "dir/stored.txt")},
                                            options);
        whole = {{"dir", "dir"},
                 {"dir/stored.txt", "file:stored content"},
                 {"dir/deflated.json", "file:" + ziptest::sampleText(600, 8)},
                 {"big.bin", "file:" + ziptest::sampleText(400, 9)},
                 {"link", "link:dir/stored.txt"}};
    }

    // Unzips the bytes into a fresh destination and checks the rules every
    // damaged archive must follow; returns the outcome.
    std::string unzipChecked(const Bytes& bytes)
    {
        const fs::path root = temp.path() / "root";
        fs::remove_all(root);
        fs::create_directories(root);
        const fs::path source = ziptest::writeBytes(temp.path() / "damaged.zip", bytes);
        const std::string outcome =
            ziptest::outcomeOf([&] { lottie::Unzipper::extractArchive(source, root / "out"); });
        const Snapshot extracted = ziptest::snapshot(root / "out");
        if (outcome == "ok") {
            EXPECT_EQ(extracted, whole) << "a damaged archive was read as whole with other contents";
        } else {
            EXPECT_TRUE(outcome.rfind("ArchiveError.", 0) == 0 || outcome.rfind("CompressionError.", 0) == 0
                        || outcome.rfind("DataError.", 0) == 0 || outcome.rfind("ArchiveFileError.", 0) == 0)
                << outcome;
            // Whatever was extracted before the failure is correct.
            for (const auto& [path, item] : extracted) {
                const auto expected = whole.find(path);
                EXPECT_TRUE(expected != whole.end() && expected->second == item) << path;
            }
        }
        for (const auto& item : fs::directory_iterator(root)) {
            EXPECT_EQ(item.path().filename(), "out") << "wrote outside the destination";
        }
        return outcome;
    }

    testsupport::TemporaryDirectory temp;
    ziptest::TestArchive archive;
    Snapshot whole;
};

TEST_F(ZipDamagedArchive, EveryRecordTruncatedAtEveryLength)
{
    // One sweep: losing the end record, at any length, also stands for a file cut short.
    EXPECT_EQ(unzipChecked(archive.bytes), "ok");
    std::map<std::string, std::map<std::string, int>> outcomes;
    for (std::size_t index = 0; index < archive.records.size(); ++index) {
        const auto& record = archive.records[index];
        for (std::size_t keep = 0; keep < record.end - record.begin; ++keep) {
            SCOPED_TRACE(record.kind + " #" + std::to_string(index) + " keeping " + std::to_string(keep));
            const std::string outcome = unzipChecked(truncateRecord(archive, index, keep));
            outcomes[record.kind][outcome] += 1;
            if (record.kind == "end") {
                EXPECT_EQ(outcome, "ArchiveError.unreadableArchive");
            }
        }
    }
    // Losing the ZIP64 records leaves a valid classic archive behind.
    EXPECT_EQ(outcomes["zip64record"].size(), 1u);
    EXPECT_EQ(outcomes["zip64record"].begin()->first, "ok");
    EXPECT_EQ(outcomes["zip64locator"].begin()->first, "ok");
    // Data cut short is never read as whole, nor is a central entry missing bytes.
    EXPECT_EQ(outcomes["data"].count("ok"), 0u);
    EXPECT_EQ(outcomes["central"].count("ok"), 0u);
    EXPECT_GT(outcomes["central"]["ArchiveError.invalidCentralDirectorySize"], 0);
}

}  // namespace
