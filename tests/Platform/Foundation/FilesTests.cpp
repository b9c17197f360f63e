#include "Platform/Foundation/FileError.h"
#include "Platform/Foundation/Files.h"

#include "tests/Support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::foundation {
namespace {

namespace fs = std::filesystem;
using testsupport::TemporaryDirectory;
using testsupport::writeFile;

TEST(FilesTest, ReadsWholeFilesOfAnySizeAndThroughLinks) {
    TemporaryDirectory folder;
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{65536}, std::size_t{200001}}) {
        SCOPED_TRACE(size);
        std::string contents(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            contents[i] = static_cast<char>(i * 7 + i / 251);
        }
        const auto path = folder.path() / ("file" + std::to_string(size) + ".bin");
        writeFile(path, contents);
        EXPECT_EQ(readFile(path), Data(contents.begin(), contents.end()));
        EXPECT_TRUE(fileExists(path));
    }
    // A symbolic link reads as its target.
    writeFile(folder.path() / "target.json", "{}");
    fs::create_symlink(folder.path() / "target.json", folder.path() / "link.json");
    EXPECT_EQ(readFile(folder.path() / "link.json"), (Data{'{', '}'}));
    EXPECT_TRUE(fileExists(folder.path() / "link.json"));
}

// Reading a document of a few hundred megabytes spent most of its time
// faulting in fresh pages one 4 KB page at a time; a large file's buffer is
// backed by huge pages where the kernel has them.
TEST(FilesTest, ALargeFileIsHeldInHugePages) {
    TemporaryDirectory folder;
    const auto path = folder.path() / "large.json";
    writeFile(path, std::string(std::size_t(24) << 20, ' '));
    const Data bytes = readFile(path, 64);
    ASSERT_EQ(bytes.size(), std::size_t(24) << 20);
    const auto huge = testsupport::hugePageBytesIn(bytes.data(), bytes.size());
    if (!huge) GTEST_SKIP() << "the kernel offers no huge pages";
    EXPECT_GE(*huge, std::size_t(16) << 20);
}

// Every failure names the path and says why.
TEST(FilesTest, FailuresNameThePathAndTheReason) {
    TemporaryDirectory folder;
    fs::create_directory(folder.path() / "a folder.json");
    writeFile(folder.path() / "plain.txt", "x");
    const fs::path fifo = folder.path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    struct Case {
        fs::path path;
        std::errc code;
        std::string reasonFragment;
    };
    const Case cases[] = {
        {folder.path() / "missing.json", std::errc::no_such_file_or_directory, "No such file"},
        {folder.path() / "a folder.json", std::errc::is_a_directory, "folder"},
        {folder.path() / "plain.txt" / "child", std::errc::not_a_directory, "Not a directory"},
        {fifo, std::errc::invalid_argument, "not a regular file"},
        {fs::path(), std::errc::no_such_file_or_directory, "empty"},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.path.string());
        try {
            (void)readFile(testCase.path);
            ADD_FAILURE() << "no error";
        } catch (const FileError& error) {
            EXPECT_EQ(error.path(), testCase.path);
            EXPECT_EQ(error.code(), std::make_error_code(testCase.code));
            const std::string message = error.what();
            EXPECT_NE(message.find(testCase.path.string()), std::string::npos) << message;
            EXPECT_NE(message.find(testCase.reasonFragment), std::string::npos) << message;
        }
        EXPECT_FALSE(fileExists(testCase.path));
    }
}

TEST(FilesTest, UnreadableFileReportsPermission) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    TemporaryDirectory folder;
    const auto path = folder.path() / "secret.json";
    writeFile(path, "{}");
    fs::permissions(path, fs::perms::none);
    try {
        (void)readFile(path);
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.code(), std::make_error_code(std::errc::permission_denied));
    }
}

}  // namespace
}  // namespace platform::foundation
