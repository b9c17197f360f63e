// Loading packages from bytes: the two folder layouts, the manifest's versions,
// the private temporary folder and its removal on every path, and hostile
// packages built here (no manifest, bad JSON, ids that climb out, links, bombs,
// cut archives), each of which must fail with a stated error and leave nothing.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/DotLottie/DotLottieTemporaryFolder.h"
#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Lottie/DotLottie/Zip/ArchiveFileError.h"
#include "Lottie/Model/InitializableError.h"
#include "Platform/Foundation/FileError.h"
#include "Platform/Json/DecodingError.h"
#include "Platform/Json/ParseError.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/WithoutFileOverrides.h"

using namespace lottie;
using namespace packagetest;
using ziptest::TestEntry;
namespace fs = std::filesystem;

namespace {

// The class of what a load threw, in a word; "none" when it loaded.
std::string failureOf(const std::function<void()>& load) {
    try {
        load();
        return "none";
    } catch (const DotLottieError& error) {
        return "DotLottieError";
    } catch (const ArchiveError&) {
        return "ArchiveError";
    } catch (const ArchiveFileError&) {
        return "ArchiveFileError";
    } catch (const platform::foundation::FileError&) {
        return "FileError";
    } catch (const platform::json::ParseError&) {
        return "ParseError";
    } catch (const platform::json::DecodingError&) {
        return "DecodingError";
    } catch (const InitializableError&) {
        return "InitializableError";
    } catch (const fs::filesystem_error&) {
        return "filesystem_error";
    } catch (const std::exception& error) {
        return std::string("other: ") + error.what();
    }
}

// Bytes that do not compress.
std::string noise(std::size_t count) {
    std::string bytes;
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes += static_cast<char>(state >> 24);
    }
    return bytes;
}

class PackageLoading : public ::testing::Test {
protected:
    std::shared_ptr<const DotLottieFile> load(const platform::foundation::Data& data,
                                              const std::string& filename = "clip.lottie") {
        return DotLottieFile::load(data, filename, options);
    }
    std::string failureOfLoading(const platform::foundation::Data& data, const std::string& filename = "clip.lottie") {
        return failureOf([&] { load(data, filename); });
    }

    testsupport::TemporaryDirectory temporary;
    DotLottieFile::LoadOptions options{temporary.path(), {}};
};

TEST_F(PackageLoading, BothLayoutsLoadTheirAnimationsInManifestOrder) {
    const std::string png = pngOf(2, 2, 0xff0000ff);
    const struct {
        std::string name;
        std::string version;
        std::string animations;
        std::string images;
    } cases[] = {
        {"no version", "", "animations/", "images/"},
        {"version 1", "1", "animations/", "images/"},
        {"version 2.0", "2.0", "animations/", "images/"},
        {"version 2", "2", "a/", "i/"},
        {"version +2", "+2", "a/", "i/"},
        {"version 3", "3", "a/", "i/"},
    };
    for (const auto& c : cases) {
        const auto file = load(zipped({
            TestEntry::file("manifest.json", manifestJson({"second", "first"}, c.version)),
            TestEntry::file(c.animations + "first.json", animationJson(10, 20)),
            TestEntry::file(c.animations + "second.json", animationJson(30, 40)),
            TestEntry::file(c.images + "img_0.png", png),
        }));
        ASSERT_EQ(file->animations().size(), 2u) << c.name;
        EXPECT_EQ(file->animations()[0].configuration.id, "second") << c.name;
        EXPECT_EQ(file->animations()[0].animation()->width, 30) << c.name;
        EXPECT_EQ(file->animations()[1].animation()->height, 20) << c.name;
        ASSERT_TRUE(file->imageProvider()) << c.name;
        EXPECT_EQ(file->imageProvider()->imageNames(), std::vector<std::string>{"img_0.png"}) << c.name;
        // Every animation of the package shares the one provider.
        EXPECT_EQ(file->animations()[1].configuration.dotLottieImageProvider, file->imageProvider()) << c.name;
        EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{}) << c.name;
    }
}

TEST_F(PackageLoading, ImageProvidersComeOnlyFromVisibleImageFiles) {
    const std::string png = pngOf(1, 1, 0x00ff00ff);
    const struct {
        std::string name;
        std::vector<TestEntry> images;
        bool provider;
    } cases[] = {
        {"no image folder", {}, false},
        {"an empty image folder", {TestEntry::directory("images/")}, false},
        {"only a hidden file", {TestEntry::file("images/.DS_Store", png)}, false},
        {"an image beside a hidden file", {TestEntry::file("images/.x", png), TestEntry::file("images/b.png", png)}, true},
        {"a file that is not an image", {TestEntry::file("images/notes.txt", "hello")}, true},
    };
    for (const auto& c : cases) {
        std::vector<TestEntry> entries{TestEntry::file("manifest.json", manifestJson({"a"})),
                                       TestEntry::file("animations/a.json", animationJson())};
        entries.insert(entries.end(), c.images.begin(), c.images.end());
        const auto file = load(zipped(entries));
        EXPECT_EQ(bool(file->imageProvider()), c.provider) << c.name;
        EXPECT_EQ(bool(file->animations()[0].configuration.imageProvider()), c.provider) << c.name;
    }
}

TEST_F(PackageLoading, AnEmptyManifestLoadsWithItsImagesButNoAnimation) {
    const auto file = load(zipped({TestEntry::file("manifest.json", manifestJson({})),
                                   TestEntry::file("images/a.png", pngOf(1, 1, 0xffffffff))}));
    EXPECT_TRUE(file->animations().empty());
    EXPECT_TRUE(file->imageProvider());
    EXPECT_EQ(file->findAnimation(std::nullopt), nullptr);
    try {
        file->animation(std::nullopt);
        ADD_FAILURE() << "an empty package gave an animation";
    } catch (const DotLottieError& error) {
        EXPECT_EQ(error.kind(), DotLottieError::Kind::animationNotAvailable);
    }
}

TEST_F(PackageLoading, FindingAnimationsByIdentifier) {
    const auto file = load(packageOf({"intro", "loop", "intro2"}));
    EXPECT_EQ(file->findAnimation(std::nullopt), &file->animations()[0]);
    EXPECT_EQ(file->findAnimation("loop"), &file->animations()[1]);
    EXPECT_EQ(file->findAnimation("intro2"), &file->animations()[2]);
    for (const std::string missing : {"", "Loop", "intr", "missing"}) {
        EXPECT_EQ(file->findAnimation(missing), nullptr) << missing;
        try {
            file->animation(missing);
            ADD_FAILURE() << missing;
        } catch (const DotLottieError& error) {
            EXPECT_EQ(error.kind(), DotLottieError::Kind::animationNotAvailable);
            EXPECT_EQ(error.name(), missing);
            EXPECT_NE(std::string(error.what()).find("\"" + missing + "\""), std::string::npos) << error.what();
        }
    }
}

// The folder is made fresh under the temporary directory, named after the
// package, and is gone afterwards.
TEST_F(PackageLoading, UnpacksUnderTheSystemTemporaryFolderAndRemovesIt) {
    const auto file = DotLottieFile::load(packageOf({"a"}), "some/where/clip.lottie");
    EXPECT_EQ(file->fileUrl().filename(), "clip");
    EXPECT_EQ(file->fileUrl().parent_path().parent_path(), fs::temp_directory_path());
    EXPECT_FALSE(fs::exists(file->fileUrl().parent_path()));
}

TEST(DotLottieTemporaryFolder, IsPrivateFreshAndRemovedWithItsContents) {
    testsupport::TemporaryDirectory parent;
    fs::path first;
    {
        const DotLottieTemporaryFolder a(parent.path());
        const DotLottieTemporaryFolder b(parent.path());
        first = a.path();
        EXPECT_NE(a.path(), b.path());
        EXPECT_EQ(a.path().parent_path(), parent.path());
        struct stat status {};
        ASSERT_EQ(::stat(a.path().c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u);
        fs::create_directories(a.path() / "x" / "y");
        testsupport::writeFile(a.path() / "x" / "y" / "z", "z");
    }
    EXPECT_FALSE(fs::exists(first));
    EXPECT_EQ(leftovers(parent.path()), std::vector<std::string>{});
    EXPECT_THROW(DotLottieTemporaryFolder(parent.path() / "missing"), fs::filesystem_error);
}

TEST_F(PackageLoading, RefusesFileNamesWithoutABaseName) {
    // Something beside the private folders that a wrong name might have removed.
    testsupport::writeFile(temporary.path() / "keep", "keep");
    const std::string names[] = {"", ".", "..", "a/..", "a/.", "dir/", std::string("cl\0ip.lottie", 12), "...lottie"};
    for (const std::string& name : names) {
        try {
            load(packageOf({"a"}), name);
            ADD_FAILURE() << "loaded under " << name;
        } catch (const DotLottieError& error) {
            EXPECT_EQ(error.kind(), DotLottieError::Kind::invalidFileName) << name;
            EXPECT_EQ(error.name(), name);
        }
        EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{"keep"}) << name;
    }
    const struct {
        std::string filename;
        std::string base;
    } accepted[] = {{"lottie", "lottie"}, {"clip.lottie", "clip"}, {"a/b/clip.lottie", "clip"},
                    {"x.y.lottie", "x.y"}, {".lottie", ".lottie"}};
    for (const auto& c : accepted) EXPECT_EQ(DotLottieFile::baseName(c.filename), c.base) << c.filename;
}

TEST_F(PackageLoading, RefusesAnimationIdsThatAreNotPlainFileNames) {
    const std::string ids[] = {"", "../evil", "..", "a/b", "/etc/passwd", "a\\b", "..\\x", ".hidden", "a..b"};
    for (const std::string& id : ids) {
        // The manifest escapes the id as JSON would.
        std::string escaped;
        for (char c : id) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        const auto data = zipped({TestEntry::file("manifest.json", R"({"animations":[{"id":"ok"},{"id":")" + escaped + R"("}]})"),
                                  TestEntry::file("animations/ok.json", animationJson())});
        try {
            load(data);
            ADD_FAILURE() << "loaded the id " << id;
        } catch (const DotLottieError& error) {
            EXPECT_EQ(error.kind(), DotLottieError::Kind::invalidAnimationId) << id;
            EXPECT_EQ(error.name(), id);
        }
        EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{}) << id;
    }
    const auto withNul = zipped({TestEntry::file("manifest.json", R"({"animations":[{"id":"a\u0000b"}]})")});
    EXPECT_EQ(failureOfLoading(withNul), "DotLottieError");
    for (const std::string id : {"a", "clip-1", "A b", "x.y", "star-splosion"}) {
        EXPECT_NO_THROW(DotLottieFile::checkAnimationId(id)) << id;
    }
}

// Hostile and broken packages: each fails with the error its kind calls for and
// leaves nothing in the temporary folder.
TEST_F(PackageLoading, HostilePackagesFailWithAStatedErrorAndLeaveNothing) {
    const std::string manifest = manifestJson({"a"});
    const std::string bomb(64 << 20, '\0');
    std::vector<TestEntry> smallBombs{TestEntry::file("manifest.json", manifest),
                                      TestEntry::file("animations/a.json", animationJson())};
    for (int i = 0; i < 8; ++i) smallBombs.push_back(TestEntry::file("images/" + std::to_string(i), std::string(1 << 20, '\0')));
    std::vector<TestEntry> tooMany{TestEntry::file("manifest.json", manifest), TestEntry::file("animations/a.json", animationJson())};
    for (int i = 0; i < 10'000; ++i) tooMany.push_back(TestEntry::file("junk/" + std::to_string(i), ""));
    const struct {
        std::string name;
        platform::foundation::Data data;
        std::string failure;
    } cases[] = {
        {"not an archive", ziptest::bytesOf("this is no zip file"), "ArchiveError"},
        {"no bytes", {}, "ArchiveError"},
        {"no manifest", zipped({TestEntry::file("animations/a.json", animationJson())}), "FileError"},
        {"a manifest that is not JSON", zipped({TestEntry::file("manifest.json", "{animations:")}), "ParseError"},
        {"a manifest without animations", zipped({TestEntry::file("manifest.json", R"({"version":"1"})")}),
         "DecodingError"},
        {"a manifest whose version is a number",
         zipped({TestEntry::file("manifest.json", R"({"version":2,"animations":[]})")}), "DecodingError"},
        {"a manifest folder", zipped({TestEntry::directory("manifest.json/")}), "FileError"},
        {"an animation that is not JSON",
         zipped({TestEntry::file("manifest.json", manifest), TestEntry::file("animations/a.json", "<svg/>")}),
         "ParseError"},
        {"an animation that is a JSON array",
         zipped({TestEntry::file("manifest.json", manifest), TestEntry::file("animations/a.json", "[]")}),
         "InitializableError"},
        {"the second of three animations missing",
         zipped({TestEntry::file("manifest.json", manifestJson({"a", "b", "c"})),
                 TestEntry::file("animations/a.json", animationJson()),
                 TestEntry::file("animations/c.json", animationJson())}),
         "FileError"},
        {"an animation in the other layout's folder",
         zipped({TestEntry::file("manifest.json", manifest), TestEntry::file("a/a.json", animationJson())}), "FileError"},
        // The ZIP reader refuses links that leave the package; the package reader
        // follows no link at all, not even one that stays inside.
        {"an animation linked to a file outside",
         zipped({TestEntry::file("manifest.json", manifest), TestEntry::symlink("animations/a.json", "/etc/hostname")}),
         "ArchiveError"},
        {"an animation folder linked outside",
         zipped({TestEntry::file("manifest.json", manifest), TestEntry::symlink("animations", "../../../etc")}),
         "ArchiveError"},
        {"an animation linked inside the package",
         zipped({TestEntry::file("manifest.json", manifest), TestEntry::file("other.json", animationJson()),
                 TestEntry::symlink("animations/a.json", "../other.json")}),
         "FileError"},
        {"an animation folder linked inside the package",
         zipped({TestEntry::file("manifest.json", manifest), TestEntry::file("real/a.json", animationJson()),
                 TestEntry::symlink("animations", "real")}),
         "FileError"},
        {"a manifest linked inside the package",
         zipped({TestEntry::file("real.json", manifest), TestEntry::symlink("manifest.json", "real.json")}),
         "FileError"},
        {"an entry that climbs out", zipped({TestEntry::file("../escape.json", "x")}), "ArchiveFileError"},
        {"a zip bomb", zipped({TestEntry::file("manifest.json", manifest), TestEntry::file("animations/a.json", bomb)}),
         "ArchiveError"},
        // Small bombs, each within the allowance an entry once had alone, in the
        // image folder that is unpacked whole.
        {"many small bombs", zipped(smallBombs), "ArchiveError"},
        {"more entries than a package may list", zipped(tooMany), "ArchiveError"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failureOfLoading(c.data), c.failure) << c.name;
        EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{}) << c.name;
    }
}

TEST_F(PackageLoading, PackagesOverTheReadersLimitsFailWithItsError) {
    std::vector<TestEntry> entries{TestEntry::file("manifest.json", manifestJson({"a"})),
                                   TestEntry::file("animations/a.json", animationJson())};
    for (int i = 0; i < 40; ++i) entries.push_back(TestEntry::file("images/" + std::to_string(i) + ".png", pngOf(8, 8, 0x336699ff)));
    const auto data = zipped(entries);
    // A manifest padded to its size, stored as it is: the archive's own limits
    // (on the total and on the inflation ratio) all let it through.
    const auto manifestOf = [](std::uint64_t size) {
        std::string manifest = manifestJson({"a"});
        manifest.resize(size, ' ');
        return zipped({TestEntry::file("manifest.json", manifest), TestEntry::file("animations/a.json", animationJson())},
                      true);
    };
    const struct {
        const char* name;
        platform::foundation::Data data;
        std::uint64_t totalLimit;
    } cases[] = {
        {"images past a total of 1 KB", data, 1024},
        {"a manifest past its own limit", manifestOf(DotLottieFile::maxManifestSize + 1),
         ExtractionLimits{}.maxTotalUncompressedSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        options.limits.maxTotalUncompressedSize = c.totalLimit;
        try {
            load(c.data);
            ADD_FAILURE() << "loaded past the limit";
        } catch (const ArchiveError& error) {
            EXPECT_EQ(error.kind(), ArchiveError::Kind::uncompressedSizeLimitExceeded);
        }
        EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{});
    }
    options.limits = {};
    EXPECT_EQ(load(data)->imageProvider()->imageNames().size(), 40u);
    EXPECT_EQ(load(manifestOf(DotLottieFile::maxManifestSize))->animations().size(), 1u);
}

// Each id's document is read once and decoded when first asked for, however
// often the manifest lists it; only the first is decoded by the load itself.
TEST_F(PackageLoading, AnimationsAreDecodedOncePerIdWhenFirstAskedFor) {
    const auto file = load(zipped({TestEntry::file("manifest.json", manifestJson({"a", "b", "a", "c", "a", "b"})),
                                   TestEntry::file("animations/a.json", animationJson(10, 10)),
                                   TestEntry::file("animations/b.json", animationJson(20, 20)),
                                   TestEntry::file("animations/c.json", "{not json")}));
    const auto& animations = file->animations();
    ASSERT_EQ(animations.size(), 6u);
    std::set<const PackagedAnimation*> documents;
    for (const auto& entry : animations) documents.insert(entry.document.get());
    EXPECT_EQ(documents.size(), 3u);
    EXPECT_EQ(animations[0].document, animations[2].document);
    EXPECT_EQ(animations[1].document, animations[5].document);
    const struct {
        std::size_t index;
        bool decodedBefore;
        int width;  // 0: cannot be decoded
    } cases[] = {{0, true, 10}, {4, true, 10}, {1, false, 20}, {5, true, 20}, {3, false, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(animations[c.index].document->isDecoded(), c.decodedBefore) << c.index;
        const auto animation = animations[c.index].animation();
        EXPECT_EQ(animation ? animation->width : 0, c.width) << c.index;
        EXPECT_TRUE(animations[c.index].document->isDecoded()) << c.index;
    }
    // The same document for every entry of an id.
    EXPECT_EQ(animations[0].animation(), animations[2].animation());
    // A caller that needs the animation gets the decoder's error.
    EXPECT_EQ(failureOf([&] { file->animation("c").decodedAnimation(); }), "ParseError");
    EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{});
}

// Only what the package uses is unpacked: an entry nothing reads costs nothing
// and fails nothing, even one whose name no file system takes.
TEST_F(PackageLoading, EntriesNothingUsesAreSkipped) {
    std::vector<TestEntry> entries{TestEntry::file("manifest.json", manifestJson({"a"})),
                                   TestEntry::file("animations/a.json", animationJson()),
                                   TestEntry::file(std::string(300, 'x') + "\x1b[31m.json", "junk"),
                                   TestEntry::file("animations/unlisted.json", std::string(4 << 20, ' ')),
                                   TestEntry::file("images/sub/deeper.png", pngOf(1, 1, 0xffffffff)),
                                   TestEntry::file("elsewhere/x.bin", noise(1000))};
    for (int i = 0; i < 1'500; ++i) entries.push_back(TestEntry::directory("junk/" + std::to_string(i) + "/"));
    const auto file = load(zipped(entries));
    EXPECT_EQ(file->animations().size(), 1u);
    EXPECT_FALSE(file->imageProvider());
    EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{});
}

// The folders that loads of processes now gone left behind are removed by the
// next load, provided they are a day old; a live process's are kept, and so is
// whatever else the temporary folder holds.
TEST_F(PackageLoading, LeftoversOfProcessesThatAreGoneAreRemoved) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const std::string gone = "dotlottie-" + std::to_string(child) + "-";
    const std::string live = "dotlottie-" + std::to_string(::getpid()) + "-";
    const auto dayAndAHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(25);
    const struct {
        std::string name;
        bool old;
        bool removed;
    } cases[] = {
        {gone + "a1b2c3", true, true},
        {gone + "young1", false, false},
        {live + "a1b2c3", true, false},
        {"dotlottie-a1b2c3", true, false},
        {gone + "toolong", true, false},
        {"other-folder", true, false},
    };
    for (const auto& c : cases) {
        fs::create_directories(temporary.path() / c.name / "i" / "deep");
        testsupport::writeFile(temporary.path() / c.name / "i" / "deep" / "img.png", "x");
        // A leftover's own folders may be read-only, as its archive made them.
        fs::permissions(temporary.path() / c.name / "i", fs::perms::owner_read | fs::perms::owner_exec);
        if (c.old) fs::last_write_time(temporary.path() / c.name, dayAndAHourAgo);
    }
    fs::create_symlink(temporary.path() / "other-folder", temporary.path() / (gone + "linked"));
    fs::last_write_time(temporary.path() / "other-folder", dayAndAHourAgo);
    load(packageOf({"a"}));
    for (const auto& c : cases) EXPECT_EQ(!fs::exists(temporary.path() / c.name), c.removed) << c.name;
    EXPECT_TRUE(fs::is_symlink(temporary.path() / (gone + "linked")));
    EXPECT_TRUE(fs::exists(temporary.path() / "other-folder" / "i" / "deep" / "img.png"));
    for (const auto& c : cases) {
        if (fs::exists(temporary.path() / c.name)) fs::permissions(temporary.path() / c.name / "i", fs::perms::owner_all);
    }
}

// A read-only image folder listed after its subfolder: the folder gets its
// permissions only once its files are written, and the unpacked package is
// still removed whole.
TEST_F(PackageLoading, AReadOnlyFolderInThePackageLeavesNothingBehind) {
    TestEntry readOnly = TestEntry::directory("images/");
    readOnly.externalAttributes = 040555u << 16;
    const auto data = zipped({TestEntry::file("manifest.json", manifestJson({"a"})),
                              TestEntry::file("animations/a.json", animationJson()), TestEntry::directory("images/sub/"),
                              readOnly, TestEntry::file("images/img.png", pngOf(2, 2, 0xff0000ff))});
    testsupport::runWithoutFileOverrides([&] {
        std::shared_ptr<const DotLottieFile> file;
        EXPECT_EQ(failureOf([&] { file = load(data); }), "none");
        if (file) {
            EXPECT_EQ(file->imageProvider()->imageNames(), std::vector<std::string>{"img.png"});
        }
        EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{});
    });
}

// What cannot be removed is reported and left, and the removal goes on with
// the rest.
TEST(DotLottieTemporaryFolder, RemovalReportsWhatItCannotRemove) {
    testsupport::TemporaryDirectory parent;
    testsupport::RecordingLogger logger;
    testsupport::runWithoutFileOverrides([&] {
        fs::path kept;
        {
            const DotLottieTemporaryFolder folder(parent.path());
            kept = folder.path();
            fs::create_directories(folder.path() / "a" / "b");
            testsupport::writeFile(folder.path() / "a" / "b" / "c", "c");
            fs::permissions(folder.path() / "a", fs::perms::owner_read | fs::perms::owner_exec);
            // The folder itself cannot go while its parent is read-only.
            fs::permissions(parent.path(), fs::perms::owner_read | fs::perms::owner_exec);
        }
        fs::permissions(parent.path(), fs::perms::owner_all);
        EXPECT_EQ(leftovers(parent.path()), std::vector<std::string>{kept.filename().string()});
        ASSERT_EQ(logger.warnings.size(), 1u);
        EXPECT_NE(logger.warnings[0].find(kept.filename().string()), std::string::npos) << logger.warnings[0];
        const auto removal = DotLottieTemporaryFolder::removeTree(kept);
        EXPECT_TRUE(removal.complete()) << removal.firstLeft;
        EXPECT_EQ(leftovers(parent.path()), std::vector<std::string>{});
    });
}

// A package cut short anywhere fails (or, cut only in a part nothing reads, still
// loads) without crashing and without leaving files.
TEST_F(PackageLoading, PackagesCutAtEvery997thByteFailCleanly) {
    const auto whole = zipped({TestEntry::file("manifest.json", manifestJson({"a", "b"}, "2")),
                               TestEntry::file("a/a.json", animationJson()), TestEntry::file("a/b.json", animationJson()),
                               TestEntry::file("i/img.png", pngOf(4, 4, 0x123456ff)),
                               TestEntry::file("i/noise.bin", noise(6000))},
                              true);
    ASSERT_GT(whole.size(), 3 * 997u);
    for (std::size_t length = 997; length < whole.size(); length += 997) {
        const platform::foundation::Data cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        const std::string failure = failureOfLoading(cut);
        EXPECT_TRUE(failure == "ArchiveError" || failure == "ArchiveFileError") << length << ": " << failure;
        EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{}) << length;
    }
}

// Two loads at once of different packages under the same file name each see their
// own files only.
TEST_F(PackageLoading, ConcurrentLoadsUnderOneFileNameKeepApart) {
    const platform::foundation::Data packages[] = {packageOf({"left"}), packageOf({"right", "more"})};
    std::atomic<int> mismatches{0};
    std::atomic<int> failures{0};
    auto run = [&](int which) {
        for (int i = 0; i < 25; ++i) {
            try {
                const auto file = load(packages[which], "same.lottie");
                if (file->animations().size() != (which == 0 ? 1u : 2u)) ++mismatches;
                if (file->animations()[0].configuration.id != (which == 0 ? "left" : "right")) ++mismatches;
            } catch (const std::exception&) {
                ++failures;
            }
        }
    };
    std::thread left(run, 0);
    std::thread right(run, 1);
    left.join();
    right.join();
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{});
}

TEST(CorpusPackages, EveryPackageLoadsEveryAnimation) {
    const auto files = testsupport::corpusFiles(".lottie");
    if (files.empty()) {
        GTEST_SKIP() << "the corpus is absent";
    }
    const std::map<std::string, std::vector<std::string>> expected{
        {"image_v1.lottie", {"image_embedded"}},
        {"image_v2.lottie", {"image_embedded"}},
        {"multi_v2.lottie", {"trim_path", "bouncy_ball", "repeater", "star"}},
        {"precomp_v2.lottie", {"star-splosion", "matte", "repeater"}},
        {"single_v1.lottie", {"gradient"}},
        {"single_v2.lottie", {"bouncy_ball"}},
        {"slots_theme_v2.lottie", {"slots"}},
    };
    std::size_t checked = 0;
    for (const fs::path& path : files) {
        const std::string text = testsupport::readFile(path);
        const auto file = DotLottieFile::load(platform::foundation::Data(text.begin(), text.end()), path.string());
        std::vector<std::string> ids;
        for (const auto& animation : file->animations()) {
            EXPECT_TRUE(animation.animation()) << path;
            ids.push_back(animation.configuration.id);
        }
        auto found = expected.find(path.filename().string());
        if (found == expected.end()) continue;
        ++checked;
        EXPECT_EQ(ids, found->second) << path;
        const bool hasImages = path.filename().string().starts_with("image_");
        ASSERT_EQ(bool(file->imageProvider()), hasImages) << path;
        if (hasImages) {
            const auto names = file->imageProvider()->imageNames();
            EXPECT_NE(std::find(names.begin(), names.end(), "blep.png"), names.end()) << path;
        }
    }
    EXPECT_EQ(checked, expected.size());
}

}  // namespace
