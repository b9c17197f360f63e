#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/DotLottie/DotLottieImageProvider.h"
#include "Lottie/Playback/Providers/BundleImageProvider.h"
#include "Lottie/Playback/Providers/CachedImageProvider.h"
#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"
#include "tests/Lottie/Playback/PlaybackTestSupport.h"
#include "tests/Support/Base64Encoder.h"
#include "tests/Support/TestSupport.h"

using lottie::BundleImageProvider;
using lottie::FilepathImageProvider;
using lottie::ImageAsset;
using testsupport::RecordingLogger;
using platform::compositor::ContentsGravity;
using platform::graphics::Image;

namespace fs = std::filesystem;

namespace {

// PNG bytes of a 1-pixel-high image; the width tells which file was read.
std::string pngOfWidth(int width) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * 4, 200);
    return Image::fromStraightRGBA(width, 1, rgba)->encodePNG();
}

ImageAsset asset(const std::string& name, const std::string& directory = "") {
    std::string json = R"({"id":"image_0","w":1,"h":1,"p":)" + platform::json::serialize(name) + R"(,"u":)" +
                       platform::json::serialize(directory) + "}";
    return ImageAsset(platform::json::parse(json));
}

std::string dataURLOfWidth(int width) {
    return "data:image/png;base64," + testsupport::encodeBase64(pngOfWidth(width));
}

// The width of the image found, or 0 for none.
int widthOf(const std::shared_ptr<const Image>& image) { return image ? image->width() : 0; }

// Writes an image of each given width (0: a file that is no image) under the folder.
void writeImages(const fs::path& folder, const std::vector<std::pair<std::string, int>>& files) {
    for (const auto& [name, width] : files) {
        fs::create_directories((folder / name).parent_path());
        testsupport::writeFile(folder / name, width > 0 ? pngOfWidth(width) : "not an image");
    }
}

TEST(FilepathImageProvider, FindsImagesInsideItsFolderOnly) {
    testsupport::TemporaryDirectory temporary;
    const fs::path folder = temporary.path() / "images";
    writeImages(temporary.path(), {{"images/sub/nested.png", 2}, {"images/both.png", 3},
                                   {"images/sub/both.png", 4}, {"images/text.png", 0}, {"outside.png", 5}});
    struct Case {
        const char* label;
        std::string name;
        std::string directory;
        int width;
        bool warns;
        std::string message = {};  // when not the rule's below
    };
    // A WebP file's header and 600 KB of nothing after it.
    const std::string brokenWebPURL =
        "data:image/webp;base64," +
        testsupport::encodeBase64("RIFF" + std::string("\xf4\x5f\x09\0", 4) + "WEBPVP8L" + std::string(600 * 1024 - 20, '\0'));
    const std::vector<Case> cases = {
        {"in the asset's directory", "nested.png", "sub", 2, false},
        {"the folder before the directory", "both.png", "sub", 3, false},
        {"missing", "none.png", "sub", 0, true},
        {"not an image: said, naming the file", "text.png", "", 0, true},
        {"climbing out by name", "../outside.png", "", 0, true},
        {"climbing out by a longer directory", "outside.png", "sub/../..", 0, true},
        {"an absolute directory", "outside.png", temporary.path().string(), 0, true},
        {"an embedded image", dataURLOfWidth(6), "", 6, false},
        // An embedded image that gives no picture is said in one short line
        // that names the asset, however large its data address.
        {"a broken data URL", "data:image/png;base64,@@@", "", 0, true,
         "Image asset \"image_0\" (an embedded image) is left out: its data address could not be read"},
        {"a data URL that is no image", "data:,hello", "", 0, true,
         "Image asset \"image_0\" (an embedded image of 1 KB) is left out: it is not a PNG, JPEG or WebP image"},
        {"a large embedded WebP cut short", brokenWebPURL, "", 0, true,
         "Image asset \"image_0\" (an embedded image of 600 KB) is left out: its WebP data could not be decoded"},
    };
    FilepathImageProvider provider(folder, ContentsGravity::resizeAspect);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        playbacktest::RecordingLogger logger;
        EXPECT_EQ(widthOf(provider.imageForAsset(asset(c.name, c.directory))), c.width);
        EXPECT_EQ(logger.warnings.size(), c.warns ? 1u : 0u);
        if (c.warns && !logger.warnings.empty()) {
            const std::string expected = !c.message.empty()   ? c.message
                                         : c.name == "text.png"
                                             ? "Image \"text.png\" at " + (folder / "text.png").string() +
                                                   " is not an image that can be decoded; it is left out"
                                             : "Could not find image \"" + c.name + "\" in bundle";
            EXPECT_EQ(logger.warnings[0], expected);
        }
    }
    EXPECT_EQ(provider.gravityForAsset(asset("both.png")), ContentsGravity::resizeAspect);
    EXPECT_TRUE(provider.mayBeCached());

    // Given a logger of its own, it warns there and not through the shared one.
    testsupport::LogRecorder own;
    const FilepathImageProvider named(folder, ContentsGravity::resize, own.logger());
    playbacktest::RecordingLogger shared;
    for (const char* name : {"none.png", "text.png"}) EXPECT_EQ(named.imageForAsset(asset(name)), nullptr);
    EXPECT_EQ(own.warnings.size(), 2u);
    EXPECT_TRUE(shared.warnings.empty());
}

TEST(BundleImageProvider, SearchesFromTheDeepestFolderOutwards) {
    testsupport::TemporaryDirectory temporary;
    const fs::path root = temporary.path() / "bundle";
    writeImages(root, {{"search/dir/a.png", 1}, {"search/a.png", 2}, {"a.png", 3}, {"search/b.png", 4},
                       {"b.png", 5}, {"c.png", 6}, {"dir/c.png", 7}, {"../outside.png", 8}});
    const platform::foundation::Bundle bundle(root);
    struct Case {
        const char* label;
        std::optional<std::string> searchPath;
        std::string name;
        std::string directory;
        int width;
    };
    const std::vector<Case> cases = {
        {"search path and directory first", "search", "a.png", "dir", 1},
        {"then the search path", "search", "b.png", "dir", 4},
        {"then the top level", "search", "c.png", "dir", 6},
        {"without a search path, the directory first", std::nullopt, "c.png", "dir", 7},
        {"without a search path, then the top level", std::nullopt, "b.png", "dir", 5},
        {"missing", "search", "none.png", "dir", 0},
        {"climbing out by directory", std::nullopt, "outside.png", "..", 0},
        {"climbing out by search path", "..", "outside.png", "", 0},
        {"an embedded image with white space around", std::nullopt, dataURLOfWidth(10) + " \n", "", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        playbacktest::RecordingLogger logger;
        BundleImageProvider provider(bundle, c.searchPath, ContentsGravity::resize);
        EXPECT_EQ(widthOf(provider.imageForAsset(asset(c.name, c.directory))), c.width);
        EXPECT_EQ(logger.warnings.size(), c.width == 0 ? 1u : 0u);
    }
}

}  // namespace

namespace {

// Images share a budget in the order they are asked for; the one that would
// pass what is left is not decoded, and is not looked for as a file either.
TEST(ImagePixelBudget, ProvidersDecodeOnlyWhatFitsTheBudget) {
    // Budget, widths of 1-pixel-high images asked for in turn, widths found (0: refused).
    const struct {
        std::uint64_t budget;
        std::vector<int> widths, found;
    } cases[] = {{30, {10, 15, 5}, {10, 15, 5}}, {25, {10, 20, 5}, {10, 0, 5}}, {4, {5, 6}, {0, 0}}};
    testsupport::TemporaryDirectory folder;
    // A package's provider needs an image folder with a file in it.
    fs::create_directories(folder.path() / "i");
    testsupport::writeFile(folder.path() / "i" / "unused.png", pngOfWidth(1));
    const std::shared_ptr<lottie::AnimationImageProvider> providers[] = {
        lottie::DotLottieImageProvider::make(folder.path(), "i"),
        std::make_shared<FilepathImageProvider>(folder.path(), ContentsGravity::resize),
        std::make_shared<BundleImageProvider>(platform::foundation::Bundle(folder.path()), std::nullopt,
                                              ContentsGravity::resize),
        // Across the cases, images it remembers count as well.
        lottie::wrappedInImageCache(std::make_shared<FilepathImageProvider>(folder.path(), ContentsGravity::resize)),
    };
    for (const auto& provider : providers) {
        for (const auto& c : cases) {
            RecordingLogger logger;  // a refused image is not looked for as a file either
            lottie::ImagePixelBudget budget(c.budget);
            std::vector<int> found;
            for (int width : c.widths) {
                found.push_back(widthOf(provider->imageForAssetWithinBudget(asset(dataURLOfWidth(width)), budget)));
            }
            EXPECT_EQ(found, c.found);
            EXPECT_EQ(budget.refusals(), static_cast<std::size_t>(std::count(c.found.begin(), c.found.end(), 0)));
            EXPECT_TRUE(logger.warnings.empty());
        }
    }
}

}  // namespace
