// Image layers: the image cache asking its provider once per asset; providers
// replaced at run time; an image drawn in pixels at the asset's size inside a
// moved precomposition; and layers whose asset is missing.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "Lottie/MainThread/CompositionLayers/ImageCompositionLayer.h"
#include "Lottie/Playback/Providers/CachedImageProvider.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/ImageDecoder.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;

// A 4 x 4 picture: the left half red, the right half blue.
std::string halfRedHalfBluePNG() {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool left = x < 2;
            rgba.insert(rgba.end(), {static_cast<std::uint8_t>(left ? 255 : 0), 0,
                                     static_cast<std::uint8_t>(left ? 0 : 255), 255});
        }
    }
    return platform::graphics::Image::fromStraightRGBA(4, 4, rgba)->encodePNG();
}

// An asset of 40 x 40 whose picture only the test's provider knows.
std::string imageAsset(const std::string& id) {
    return R"({"id":")" + id + R"(","w":40,"h":40,"u":"","p":"unused.png","e":0})";
}

std::string imageLayer(const std::string& referenceID, int index) {
    return R"({"ty":2,"nm":"Image","ind":)" + std::to_string(index) + R"(,"refId":")" + referenceID +
           R"(","ip":0,"op":100,"st":0,"ks":{}})";
}

// The picture stretched over (left, top) to 40 more each way: red on the left, blue on the right.
void expectPicture(const platform::graphics::Image& image, int left = 0, int top = 0) {
    expectProbes(image, {{left + 5, top + 20, red}, {left + 35, top + 20, blue}, {left + 20, top + 45, clear},
                         {left + 45, top + 20, clear}});
}

std::shared_ptr<lottie::MainThreadAnimationLayer> makeRoot(const std::string& json,
                                                           std::shared_ptr<lottie::AnimationImageProvider> provider) {
    auto root = lottie::MainThreadAnimationLayer::make(decode(json), lottie::wrappedInImageCache(std::move(provider)),
                                                       nullptr, nullptr, false, nullptr);
    root->setAnchorPoint({0, 0});
    root->setPosition({0, 0});
    return root;
}

// Counts how often it is asked; gives the picture or nothing.
class CountingProvider final : public lottie::AnimationImageProvider {
public:
    explicit CountingProvider(bool givesImage) : givesImage_(givesImage) {}
    bool mayBeCached() const override { return true; }
    std::shared_ptr<const platform::graphics::Image> imageForAsset(const lottie::ImageAsset&) const override {
        ++requests;
        if (!givesImage_) return nullptr;
        static const auto picture = platform::graphics::ImageDecoder::decode(halfRedHalfBluePNG());
        return picture;
    }
    mutable std::atomic<int> requests{0};

private:
    bool givesImage_;
};

// Two layers of one asset ask once; a new provider is asked again, and one
// without the picture clears it.
TEST(ImageLayer, CacheAsksItsProviderOncePerAssetAndAgainWhenReplaced) {
    const std::string json = document("[" + imageLayer("picture", 1) + "," + imageLayer("picture", 2) + "]", 100,
                                      100, 60, "[" + imageAsset("picture") + "]");
    auto provider = std::make_shared<CountingProvider>(true);
    auto root = makeRoot(json, provider);
    root->refreshImages();
    EXPECT_EQ(provider->requests.load(), 1);
    expectPicture(*renderFrame(*root, 0));

    auto empty = std::make_shared<CountingProvider>(false);
    root->setImageProvider(empty);
    EXPECT_GT(empty->requests.load(), 0);
    auto layer = std::dynamic_pointer_cast<lottie::ImageCompositionLayer>(root->animationLayers().at(0));
    ASSERT_TRUE(layer);
    EXPECT_FALSE(layer->image());
    EXPECT_TRUE(pixelIs(*renderFrame(*root, 0), 5, 20, clear));
}

// The picture follows the transform of the precomposition that holds it.
TEST(ImageLayer, ImageInsideAPrecompositionAndMissingAssets) {
    const std::string precompAsset =
        R"({"id":"comp","layers":[)" + imageLayer("picture", 1) + R"(,)" + imageLayer("absent", 2) + "]}";
    const std::string json =
        document(R"([{"ty":0,"nm":"Comp","ind":1,"refId":"comp","w":100,"h":100,"ip":0,"op":100,"st":0,)"
                 R"("ks":{"p":{"a":0,"k":[30,20]}}},)" +
                     imageLayer("absent", 2) + "]",
                 100, 100, 60, "[" + imageAsset("picture") + "," + precompAsset + "]");
    auto provider = std::make_shared<CountingProvider>(true);
    auto root = makeRoot(json, provider);
    EXPECT_FALSE(std::dynamic_pointer_cast<lottie::ImageCompositionLayer>(root->animationLayers().at(0)));
    EXPECT_EQ(provider->requests.load(), 1);
    const auto image = renderFrame(*root, 0);
    ASSERT_TRUE(image);
    expectPicture(*image, 30, 20);
    EXPECT_TRUE(pixelIs(*image, 10, 10, clear));
}

}  // namespace
