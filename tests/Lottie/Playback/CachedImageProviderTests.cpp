#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
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
// Each request spends a little work first, so that requests from several threads
// overlap.
class CountingProvider final : public lottie::AnimationImageProvider {
public:
    explicit CountingProvider(bool cacheable = true) : cacheable_(cacheable) {}
    CountingProvider(bool cacheable, std::string sharingKey) : cacheable_(cacheable), sharingKey_(std::move(sharingKey)) {}
    bool mayBeCached() const override { return cacheable_; }
    std::shared_ptr<const Image> imageForAsset(const ImageAsset& asset) const override {
        ++requests;
        for (int turn = 0; turn < 100; ++turn) std::this_thread::yield();
        if (asset.name.empty()) return nullptr;
        const int width = static_cast<int>(asset.name.size() + asset.directory.size());
        return Image::fromStraightRGBA(width, 1, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * 4, 9));
    }
    ContentsGravity gravityForAsset(const ImageAsset&) const override { return ContentsGravity::bottomLeft; }
    std::optional<std::string> sharingKey() const override { return sharingKey_; }

    mutable std::atomic<int> requests = 0;

private:
    bool cacheable_;
    std::optional<std::string> sharingKey_;
};

std::shared_ptr<const lottie::LottieAnimation> document() {
    return lottie::LottieAnimation::fromData(R"({"v":"5.7.0","fr":30,"ip":0,"op":60,"w":10,"h":10,"layers":[]})",
                                             lottie::DecodingStrategy::dictionaryBased);
}

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
    EXPECT_EQ(counting->requests.load(), 1);
    centre.post(lottie::kLRUCacheMemoryWarningNotification);
    EXPECT_NE(cached.imageForAsset(a), first);
    EXPECT_EQ(counting->requests.load(), 2);
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
    EXPECT_EQ(counting->requests.load(), 5);
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
    EXPECT_EQ(cacheable->requests.load(), 2);

    auto uncacheable = std::make_shared<CountingProvider>(false);
    EXPECT_EQ(lottie::wrappedInImageCache(uncacheable), uncacheable);
    EXPECT_EQ(lottie::wrappedInImageCache(wrapped1), wrapped1);  // never a cache around a cache
    EXPECT_EQ(lottie::wrappedInImageCache(nullptr), nullptr);
}

// The views of one document share what providers of one sharing key decode,
// within the budget each view draws with; providers of another key, or of none
// (a caller's own), and other documents keep theirs. The images go with the
// document.
TEST(CachedImageProvider, ViewsOfADocumentShareTheImagesOfProvidersWithOneSharingKey) {
    auto animation = document();
    ASSERT_TRUE(animation);
    const ImageAsset a = asset("image_0", "a.png");
    auto folder1 = std::make_shared<CountingProvider>(true, "folder");
    auto folder2 = std::make_shared<CountingProvider>(true, "folder");
    auto other = std::make_shared<CountingProvider>(true, "other folder");
    auto own = std::make_shared<CountingProvider>(true);
    auto first = lottie::wrappedInImageCache(folder1, animation)->imageForAsset(a);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(lottie::wrappedInImageCache(folder2, animation)->imageForAsset(a), first);
    EXPECT_EQ(folder1->requests.load() + folder2->requests.load(), 1);
    EXPECT_NE(lottie::wrappedInImageCache(other, animation)->imageForAsset(a), first);
    EXPECT_EQ(other->requests.load(), 1);
    EXPECT_NE(lottie::wrappedInImageCache(own, animation)->imageForAsset(a), first);
    EXPECT_NE(lottie::wrappedInImageCache(own, animation)->imageForAsset(a), first);
    EXPECT_EQ(own->requests.load(), 2);
    auto copy = std::make_shared<const lottie::LottieAnimation>(*animation);
    EXPECT_NE(lottie::wrappedInImageCache(folder2, copy)->imageForAsset(a), first);
    EXPECT_EQ(folder2->requests.load(), 1);

    // A shared image counts against each view's budget.
    auto view = lottie::wrappedInImageCache(folder2, animation);
    lottie::ImagePixelBudget roomy(first->width()), tight(first->width() - 1);
    EXPECT_EQ(view->imageForAssetWithinBudget(a, roomy), first);
    EXPECT_EQ(roomy.remaining(), 0u);
    EXPECT_EQ(view->imageForAssetWithinBudget(a, tight), nullptr);

    const std::weak_ptr<const Image> kept = first;
    first.reset();
    EXPECT_FALSE(kept.expired());
    view.reset();
    animation.reset();
    EXPECT_TRUE(kept.expired());
}

// Views drawn on several threads at once decode an image once between them.
TEST(CachedImageProvider, ViewsOnSeveralThreadsDecodeASharedImageOnce) {
    const auto animation = document();
    ASSERT_TRUE(animation);
    const ImageAsset a = asset("image_0", "a.png");
    auto provider = std::make_shared<CountingProvider>(true, "folder");
    std::vector<std::shared_ptr<const Image>> images(8);
    std::vector<std::thread> threads;
    for (auto& image : images) {
        threads.emplace_back([&] { image = lottie::wrappedInImageCache(provider, animation)->imageForAsset(a); });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(provider->requests.load(), 1);
    for (const auto& image : images) EXPECT_EQ(image, images.front());
}

}  // namespace
