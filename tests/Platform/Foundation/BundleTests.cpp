#include "Platform/Foundation/Bundle.h"

#include "tests/Support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace platform::foundation {
namespace {

namespace fs = std::filesystem;
using testsupport::TemporaryDirectory;
using testsupport::writeFile;

Data bytesOf(std::string_view text) {
    return Data(text.begin(), text.end());
}

// A bundle with a root resource, one in a subfolder, a folder that looks like a
// resource, data assets (one in a folder) and a file just outside the bundle.
class BundleTest : public testing::Test {
protected:
    void SetUp() override {
        root = folder.path() / "App";
        fs::create_directories(root / "Folder.json");
        const std::pair<const char*, const char*> files[] = {
            {"App/intro.json", "intro"}, {"App/Animations/loop.json", "loop"},
            {"App/Animations/Nested/deep.json", "deep"}, {"App/noextension", "bare"},
            {"App/Assets/splash", "splash bytes"}, {"App/Assets/animations/intro", "asset intro"},
            {"outside.json", "outside"}, {"Assets-outside", "outside asset"}};
        for (const auto& [name, text] : files) {
            fs::create_directories((folder.path() / name).parent_path());
            writeFile(folder.path() / name, text);
        }
    }

    TemporaryDirectory folder;
    fs::path root;
};

TEST_F(BundleTest, PathIsAbsoluteAndNormalised) {
    const Bundle withSlash(root.string() + "/");
    const Bundle withDots(root / "Animations" / ".." / ".");
    EXPECT_EQ(withSlash.bundlePath(), root);
    EXPECT_EQ(withDots.bundlePath(), root);
    EXPECT_TRUE(Bundle("relative/folder").bundlePath().is_absolute());
}

TEST_F(BundleTest, FindsResourcesByNameExtensionAndSubdirectory) {
    const Bundle bundle(root);
    struct Case {
        std::string name;
        std::string extension;
        std::optional<std::string> subdirectory;
        std::optional<fs::path> expected;  // relative to the bundle
    };
    const Case cases[] = {
        {"intro", ".json", std::nullopt, fs::path("intro.json")},
        {"intro", "json", "", fs::path("intro.json")},
        {"noextension", "", std::nullopt, fs::path("noextension")},
        {"loop", "json", "Animations/", fs::path("Animations/loop.json")},
        {"Nested/deep", "json", "Animations", fs::path("Animations/Nested/deep.json")},
        {"loop", "json", std::nullopt, std::nullopt},        // not at the top
        {"intro", "json", "Animations", std::nullopt},       // not in that folder
        {"Folder", "json", std::nullopt, std::nullopt},      // a folder, not a file
        {"", "", std::nullopt, std::nullopt},
        // Names that would leave the bundle are refused even though the file exists.
        {"Animations/../../outside", "json", std::nullopt, std::nullopt},
        {"outside", "json", "Animations/../..", std::nullopt},
        {"outside", "json", folder.path().string(), std::nullopt},
        {"intro", "json/../../outside", std::nullopt, std::nullopt},
        {std::string("intro\0x", 7), "json", std::nullopt, std::nullopt},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testing::Message() << '"' << testCase.name << "\" \"" << testCase.extension << "\" "
                                        << testCase.subdirectory.value_or("<none>"));
        const std::optional<std::string_view> subdirectory = testCase.subdirectory;
        const auto found = bundle.pathForResource(testCase.name, testCase.extension, subdirectory);
        if (testCase.expected) {
            ASSERT_TRUE(found.has_value());
            EXPECT_EQ(*found, root / *testCase.expected);
        } else {
            EXPECT_FALSE(found.has_value()) << *found;
        }
    }
}

TEST_F(BundleTest, ReadsDataAssetsAndRefusesNamesLeavingTheBundle) {
    const Bundle bundle(root);
    struct Case {
        std::string name;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"splash", "splash bytes"},
        {"animations/intro", "asset intro"},
        {"animations/../splash", std::nullopt},  // ".." is refused even inside
        {"", std::nullopt},
        {"../../Assets-outside", std::nullopt},
        {(root / "intro.json").string(), std::nullopt},
        {std::string("splash\0", 7), std::nullopt},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const auto data = bundle.dataAsset(testCase.name);
        if (testCase.expected) {
            ASSERT_TRUE(data.has_value());
            EXPECT_EQ(*data, bytesOf(*testCase.expected));
        } else {
            EXPECT_FALSE(data.has_value());
        }
    }
}

TEST(BundleMainTest, IsTheFolderOfTheRunningExecutable) {
    const auto& bundle = Bundle::main();
    const auto executable = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(bundle.bundlePath(), executable.parent_path());
    EXPECT_EQ(bundle.pathForResource(executable.filename().string(), ""), executable);
}

}  // namespace
}  // namespace platform::foundation
