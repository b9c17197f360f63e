#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Playback/Providers/CachedImageProvider.h"
#include "Platform/Json/JsonParser.h"

using lottie::CachedImageProvider;
using lottie::ImageAsset;
using platform::compositor::ContentsGravity;
using platform::graphics::Image;

namespace {

ImageAsset asset(const std::string& id, const std::string& name, const std::string& directory = "") {
    return ImageAsset(platform::json::parse(R"({"id":")" + id + R"(","w":1,"h":1,"p":")" + name + R"(","u":")" +
                                            directory + R"("})"));
}

// Serves an image per file name, a new one on every request, and counts requests.
class CountingProvider final : public lottie::AnimationImageProvider {
public:
    explicit CountingProvider(bool cacheable = true) : cacheable_(cacheable) {}
    bool mayBeCached() const override { return cacheable_; }
    std::shared_ptr<const Image> imageForAsset(const ImageAsset& asset) const override {
        ++requests;
        if (asset.name.empty()) return nullptr;
        const int width = static_cast<int>(asset.name.size() + asset.directory.size());
        return Image::fromStraightRGBA(width, 1, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * 4, 9));
    }
    ContentsGravity gravityForAsset(const ImageAsset&) const override { return ContentsGravity::bottomLeft; }

    mutable int requests = 0;

private:
    bool cacheable_;
};

class CachedImageProviderTest : public ::testing::Test {
protected:
    platform::foundation::NotificationCenter centre;
    std::shared_ptr<CountingProvider> counting = std::make_shared<CountingProvider>();
    CachedImageProvider cached{counting, centre};
};

TEST_F(CachedImageProviderTest, AsksOncePerAssetUntilAMemoryWarning) {
    const ImageAsset a = asset("image_0", "a.png");
    auto first = cached.imageForAsset(a);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cached.imageForAsset(a), first);
    EXPECT_EQ(counting->requests, 1);
    centre.post(lottie::kLRUCacheMemoryWarningNotification);
    EXPECT_NE(cached.imageForAsset(a), first);
    EXPECT_EQ(counting->requests, 2);
    EXPECT_EQ(cached.gravityForAsset(a), ContentsGravity::bottomLeft);
    EXPECT_FALSE(cached.mayBeCached());
}

// Assets that share an identifier are kept apart; what was missing is asked for again.
TEST_F(CachedImageProviderTest, KeysByTheWholeAssetAndKeepsNoMisses) {
    auto short1 = cached.imageForAsset(asset("image_0", "a.png"));
    auto longer = cached.imageForAsset(asset("image_0", "longer.png"));
    auto nested = cached.imageForAsset(asset("image_0", "a.png", "dir/"));
    ASSERT_TRUE(short1 && longer && nested);
    EXPECT_EQ(short1->width(), 5);
    EXPECT_EQ(longer->width(), 10);
    EXPECT_EQ(nested->width(), 9);
    EXPECT_EQ(cached.imageForAsset(asset("image_0", "a.png")), short1);
    EXPECT_EQ(cached.imageForAsset(asset("image_1", "")), nullptr);
    EXPECT_EQ(cached.imageForAsset(asset("image_1", "")), nullptr);
    EXPECT_EQ(counting->requests, 5);
    EXPECT_THROW(CachedImageProvider(nullptr, centre), std::invalid_argument);
}

TEST(CachedImageProvider, WrappingMakesANewCacheForCacheableProvidersOnly) {
    auto cacheable = std::make_shared<CountingProvider>(true);
    auto wrapped1 = lottie::wrappedInImageCache(cacheable);
    auto wrapped2 = lottie::wrappedInImageCache(cacheable);
    ASSERT_NE(std::dynamic_pointer_cast<CachedImageProvider>(wrapped1), nullptr);
    EXPECT_NE(wrapped1, wrapped2);
    const ImageAsset a = asset("image_0", "a.png");
    wrapped1->imageForAsset(a);
    wrapped2->imageForAsset(a);  // a new, empty cache asks again
    EXPECT_EQ(cacheable->requests, 2);

    auto uncacheable = std::make_shared<CountingProvider>(false);
    EXPECT_EQ(lottie::wrappedInImageCache(uncacheable), uncacheable);
    EXPECT_EQ(lottie::wrappedInImageCache(wrapped1), wrapped1);  // never a cache around a cache
    EXPECT_EQ(lottie::wrappedInImageCache(nullptr), nullptr);
}

}  // namespace
