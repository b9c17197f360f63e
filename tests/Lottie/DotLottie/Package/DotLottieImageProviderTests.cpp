// The images of a package: decoded once while it loads, found by the asset's
// file name alone, inline images first; files that are not images or claim too
// many pixels are left out without failing the load; each load's provider is
// its own.

#include <gtest/gtest.h>

#include <string>
#include <unordered_set>

#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/DotLottie/DotLottieImageProvider.h"
#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Playback/Providers/ImagePixelBudget.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonValue.h"
#include "Platform/Json/JsonWriter.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"
#include "tests/Platform/Graphics/ProfiledImageFiles.h"
#include "tests/Support/Base64Encoder.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/TestSupport.h"

using namespace lottie;
using namespace packagetest;
using ziptest::TestEntry;

namespace {

ImageAsset asset(const std::string& name, const std::string& directory = "") {
    const std::string json = R"({"id":"image_0","w":1,"h":1,"p":)" + platform::json::serialize(platform::json::Value(name)) +
                             R"(,"u":)" + platform::json::serialize(platform::json::Value(directory)) + "}";
    return ImageAsset(platform::json::parse(json));
}

class PackageImages : public ::testing::Test {
protected:
    std::shared_ptr<const DotLottieFile> load(const std::vector<TestEntry>& images, const std::string& version = "") {
        std::vector<TestEntry> entries{TestEntry::file("manifest.json", manifestJson({"a"}, version)),
                                       TestEntry::file((version == "2" ? "a/" : "animations/") + std::string("a.json"),
                                                       imageAnimationJson("img_0.png", 4, 4))};
        entries.insert(entries.end(), images.begin(), images.end());
        return DotLottieFile::load(zipped(entries), "clip.lottie", {temporary.path(), {}});
    }

    testsupport::TemporaryDirectory temporary;
};

// Each image's width tells which file answered.
TEST_F(PackageImages, AssetsFindImagesByFileNameAloneAndInlineImagesFirst) {
    const auto file = load({TestEntry::file("images/img_0.png", pngOf(3, 1, 0xff0000ff)),
                            TestEntry::file("images/.img_0.png", pngOf(9, 1, 0xff0000ff)),
                            TestEntry::file("images/sub/img_0.png", pngOf(7, 1, 0xff0000ff)),
                            TestEntry::file("images/photo.jpg.png", pngOf(5, 1, 0xff0000ff))});
    const auto& provider = *file->imageProvider();
    EXPECT_EQ(provider.imageNames(), (std::vector<std::string>{"img_0.png", "photo.jpg.png"}));
    const std::string inlinePng = "data:image/png;base64," + testsupport::encodeBase64(pngOf(6, 1, 0x00ff00ff));
    const struct {
        std::string name;
        std::string directory;
        int width;  // 0: no image
    } cases[] = {
        {"img_0.png", "", 3},
        {"img_0.png", "images/", 3},
        {"img_0.png", "/somewhere/else/", 3},
        {"img_0", "", 0},
        {".img_0.png", "", 0},
        {"sub/img_0.png", "", 0},
        {"photo.jpg.png", "", 5},
        {"IMG_0.PNG", "", 0},
        {inlinePng, "", 6},
        {"data:image/png;base64,bm90IGFuIGltYWdl", "", 0},
    };
    for (const auto& c : cases) {
        auto image = provider.imageForAsset(asset(c.name, c.directory));
        EXPECT_EQ(image ? image->width() : 0, c.width) << c.name << " in " << c.directory;
    }
    EXPECT_TRUE(provider.mayBeCached());
    EXPECT_EQ(provider.gravityForAsset(asset("img_0.png")), platform::compositor::ContentsGravity::resize);
    EXPECT_EQ(provider.filepath(), file->fileUrl() / "images");
}

// Undecodable images are skipped, said once with the file's name, and the
// animation still loads; a header that claims 60,000 x 60,000 pixels is
// refused before anything is decoded, a JPEG of more scans than the decoder
// reads as they come (the refusal is said by whoever keeps the budget).
TEST_F(PackageImages, ImagesThatCannotOrMayNotBeDecodedAreSkipped) {
    const std::string good = pngOf(4, 4, 0x0000ffff);
    const std::string leftOut = "Image asset \"image_0\" (img_0.png) is left out: ";
    const struct {
        std::string name;
        std::string bytes;
        std::string warning;  // none where a bound refused the image
    } cases[] = {
        {"text", "this is not an image", leftOut + "it is not a PNG, JPEG or WebP image"},
        {"empty", "", leftOut + "it is not a PNG, JPEG or WebP image"},
        {"a PNG cut short", good.substr(0, good.size() / 2), leftOut + "its PNG data could not be decoded"},
        {"a PNG claiming 60000 x 60000", testsupport::pngWithClaimedSize(good, 60000, 60000),
         leftOut + "its PNG data could not be decoded"},
        {"a PNG claiming 0 x 4", testsupport::pngWithClaimedSize(good, 0, 4), leftOut + "its PNG data could not be decoded"},
        // A few hundred bytes, each scan going over the whole image again.
        {"a progressive JPEG of 3,000 scans", profiledimages::progressiveJPEG(4000, 4000, 3000), ""},
        {"a WebP cut short", profiledimages::plainWebP(300, 300).substr(0, 30), leftOut + "its WebP data could not be decoded"},
    };
    for (const auto& c : cases) {
        for (const std::string version : {"1", "2"}) {
            const std::string folder = version == "2" ? "i/" : "images/";
            const auto file = load({TestEntry::file(folder + "img_0.png", c.bytes), TestEntry::file(folder + "ok.png", good)},
                                   version);
            ASSERT_EQ(file->animations().size(), 1u) << c.name;
            ASSERT_TRUE(file->imageProvider()) << c.name;
            testsupport::RecordingLogger logger;
            EXPECT_FALSE(file->imageProvider()->imageForAsset(asset("img_0.png"))) << c.name;
            EXPECT_FALSE(file->imageProvider()->imageForAsset(asset("img_0.png"))) << c.name;
            EXPECT_TRUE(file->imageProvider()->imageForAsset(asset("ok.png"))) << c.name;
            EXPECT_EQ(logger.warnings, c.warning.empty() ? std::vector<std::string>{}
                                                         : std::vector<std::string>{c.warning})
                << c.name;
            EXPECT_EQ(leftovers(temporary.path()), std::vector<std::string>{}) << c.name;
        }
    }
}

// Images are decoded when first drawn, once; a package may carry images no
// animation shows.
TEST_F(PackageImages, ImagesAreDecodedWhenFirstDrawn) {
    const auto file = load({TestEntry::file("images/img_0.png", pngOf(3, 1, 0xff0000ff)),
                            TestEntry::file("images/unused.png", pngOf(5, 1, 0xff0000ff))});
    const auto& provider = *file->imageProvider();
    EXPECT_EQ(provider.imageNames(), (std::vector<std::string>{"img_0.png", "unused.png"}));
    EXPECT_EQ(provider.decodedImageCount(), 0u);
    const auto first = provider.imageForAsset(asset("img_0.png"));
    ASSERT_TRUE(first);
    EXPECT_EQ(provider.decodedImageCount(), 1u);
    EXPECT_EQ(provider.imageForAsset(asset("img_0.png")), first);
    EXPECT_EQ(provider.decodedImageCount(), 1u);
}

// The package's images count against the budget of the animation that draws
// them, whether decoded for it or before.
TEST_F(PackageImages, PackageImagesCountAgainstTheAnimationsPixelBudget) {
    const auto file = load({TestEntry::file("images/img_0.png", pngOf(8, 8, 0xff0000ff)),
                            TestEntry::file("images/img_1.png", pngOf(8, 8, 0x00ff00ff))});
    const auto& provider = *file->imageProvider();
    const struct {
        const char* label;
        std::uint64_t pixels;
        std::vector<std::string> asked;
        std::vector<bool> drawn;
        std::uint64_t left;
    } cases[] = {
        {"room for both, decoded for it", 128, {"img_0.png", "img_1.png"}, {true, true}, 0},
        {"room for one, both decoded before", 100, {"img_0.png", "img_1.png"}, {true, false}, 36},
        {"room for none", 63, {"img_1.png", "img_0.png"}, {false, false}, 63},
        {"one image asked twice counts twice", 100, {"img_1.png", "img_1.png"}, {true, false}, 36},
    };
    for (const auto& c : cases) {
        ImagePixelBudget budget(c.pixels);
        for (std::size_t i = 0; i < c.asked.size(); ++i) {
            const bool drawn = provider.imageForAssetWithinBudget(asset(c.asked[i]), budget) != nullptr;
            EXPECT_EQ(drawn, c.drawn[i]) << c.label << ": " << c.asked[i];
        }
        EXPECT_EQ(budget.remaining(), c.left) << c.label;
    }
    // Refused for lack of room, an image is still drawn for an animation that has it.
    ImagePixelBudget none(0);
    const auto fresh = load({TestEntry::file("images/img_0.png", pngOf(8, 8, 0xff0000ff))});
    EXPECT_FALSE(fresh->imageProvider()->imageForAssetWithinBudget(asset("img_0.png"), none));
    ImagePixelBudget room(64);
    EXPECT_TRUE(fresh->imageProvider()->imageForAssetWithinBudget(asset("img_0.png"), room));
    EXPECT_EQ(room.remaining(), 0u);
}

// Two loads of the same bytes under the same name make two providers that an
// image cache must keep apart.
TEST_F(PackageImages, ProvidersOfTwoLoadsNeverCompareOrHashEqual) {
    const std::vector<TestEntry> images{TestEntry::file("images/img_0.png", pngOf(2, 2, 0xffffffff))};
    const auto first = load(images);
    const auto second = load(images);
    const auto& a = *first->imageProvider();
    const auto& b = *second->imageProvider();
    EXPECT_TRUE(a == a);
    EXPECT_FALSE(a == b);
    EXPECT_NE(std::hash<DotLottieImageProvider>{}(a), std::hash<DotLottieImageProvider>{}(b));
    EXPECT_EQ(std::hash<DotLottieImageProvider>{}(a), std::hash<DotLottieImageProvider>{}(a));
    // Even made from one folder path, two providers stay apart.
    testsupport::TemporaryDirectory folder;
    testsupport::writeFile(folder.path() / "x.png", pngOf(1, 1, 0xffffffff));
    const auto c = DotLottieImageProvider::make(folder.path(), ".");
    const auto d = DotLottieImageProvider::make(folder.path(), ".");
    ASSERT_TRUE(c && d);
    EXPECT_FALSE(*c == *d);
    EXPECT_FALSE(DotLottieImageProvider::make(folder.path(), "missing"));
}

}  // namespace
