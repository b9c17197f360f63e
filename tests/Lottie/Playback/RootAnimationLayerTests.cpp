#include <gtest/gtest.h>

#include <memory>

#include "Lottie/Playback/Providers/DefaultTextProvider.h"
#include "Lottie/Playback/RootAnimationLayer.h"

namespace {

// The smallest engine root layer: keeps what it is given.
class StoringRootLayer final : public lottie::RootAnimationLayer {
public:
    double currentFrame() const override { return frame_; }
    void setCurrentFrame(double frame) override { frame_ = frame; }
    double renderScale() const override { return scale_; }
    void setRenderScale(double scale) override { scale_ = scale; }
    bool respectAnimationFrameRate() const override { return false; }
    void setRespectAnimationFrameRate(bool) override {}
    std::vector<std::shared_ptr<platform::compositor::Layer>> allAnimationLayers() const override { return {}; }
    std::shared_ptr<lottie::AnimationImageProvider> imageProvider() const override { return nullptr; }
    void setImageProvider(std::shared_ptr<lottie::AnimationImageProvider>) override {}
    std::shared_ptr<lottie::AnimationKeypathTextProvider> textProvider() const override { return text_; }
    void setTextProvider(std::shared_ptr<lottie::AnimationKeypathTextProvider> provider) override { text_ = provider; }
    std::shared_ptr<lottie::AnimationFontProvider> fontProvider() const override { return nullptr; }
    void setFontProvider(std::shared_ptr<lottie::AnimationFontProvider>) override {}
    std::optional<std::string> playbackAnimationKey() const override { return "progress"; }
    std::optional<bool> isAnimationPlayingIfKnown() const override { return std::nullopt; }
    void refreshImages() override {}
    void redrawCurrentFrame() override {}
    void logAllKeypaths() override {}
    std::vector<std::string> collectAllKeypaths() override { return {}; }
    void installValueProvider(std::shared_ptr<lottie::AnyValueProvider>, const lottie::AnimationKeypath&) override {}
    void uninstallValueProvider(const lottie::AnimationKeypath&) override {}
    std::any valueAtKeypath(const lottie::AnimationKeypath&, std::optional<double>) override { return {}; }
    std::any unoverriddenValueAtKeypath(const lottie::AnimationKeypath&, std::optional<double>) override { return {}; }
    std::shared_ptr<platform::compositor::Layer> layerForKeypath(const lottie::AnimationKeypath&) override {
        return nullptr;
    }
    std::optional<std::vector<std::shared_ptr<lottie::AnimatorNode>>> nodesAtKeypath(
        const lottie::AnimationKeypath&) override {
        return std::nullopt;
    }

private:
    double frame_ = 0;
    double scale_ = 1;
    std::shared_ptr<lottie::AnimationKeypathTextProvider> text_;
};

TEST(RootAnimationLayer, IsDrivenThroughOneReferenceAndIsALayer) {
    auto owner = platform::compositor::Layer::make();
    std::shared_ptr<lottie::RootAnimationLayer> root = std::make_shared<StoringRootLayer>();
    owner->addSublayer(root);
    EXPECT_EQ(root->superlayer(), owner);
    EXPECT_EQ(root->lottieAnimationLayer(), nullptr);
    root->setCurrentFrame(12);
    root->setRenderScale(2);
    auto text = std::make_shared<lottie::DefaultTextProvider>();
    root->setTextProvider(text);
    EXPECT_EQ(root->currentFrame(), 12);
    EXPECT_EQ(root->renderScale(), 2);
    EXPECT_EQ(root->textProvider(), text);
    EXPECT_EQ(root->playbackAnimationKey(), "progress");
    EXPECT_FALSE(root->valueAtKeypath(lottie::AnimationKeypath("a.b"), std::nullopt).has_value());
    root->removeFromSuperlayer();
    EXPECT_TRUE(owner->sublayers().empty());
}

}  // namespace
