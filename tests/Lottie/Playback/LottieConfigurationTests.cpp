#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "Lottie/Playback/LottieConfiguration.h"

using namespace lottie;

namespace {

TEST(RenderingEngineOption, ReadsAndWritesExactlyItsThreeTexts) {
    EXPECT_TRUE(RenderingEngineOption::fromText("Automatic")->isAutomatic());
    EXPECT_EQ(RenderingEngineOption::fromText("Main Thread")->engine(), RenderingEngine::mainThread);
    EXPECT_EQ(RenderingEngineOption::fromText("Core Animation")->engine(), RenderingEngine::coreAnimation);
    for (const char* text : {"automatic", "", "Core animation", "Main Thread ", "mainThread"}) {
        EXPECT_FALSE(RenderingEngineOption::fromText(text)) << text;
    }
    EXPECT_FALSE(renderingEngineFromText("Automatic"));
}

class FixedProvider : public ReducedMotionOptionProvider {
public:
    explicit FixedProvider(ReducedMotionMode mode) : mode_(mode) {}
    ReducedMotionMode currentReducedMotionMode() const override { return mode_; }

private:
    ReducedMotionMode mode_;
};

TEST(ReducedMotionOption, ComparesByModeOrByIdentityValue) {
    auto a = ReducedMotionOption::dynamic(std::make_shared<FixedProvider>(ReducedMotionMode::reducedMotion),
                                          AnyHashable(std::string("id")));
    auto b = ReducedMotionOption::dynamic(std::make_shared<FixedProvider>(ReducedMotionMode::standardMotion),
                                          AnyHashable(std::string("id")));
    EXPECT_EQ(a, b);  // the providers themselves are not compared
    EXPECT_EQ(a.hash(), b.hash());
    EXPECT_EQ(a.currentReducedMotionMode(), ReducedMotionMode::reducedMotion);
    EXPECT_FALSE(a == ReducedMotionOption::dynamic(std::make_shared<FixedProvider>(ReducedMotionMode::reducedMotion),
                                                   AnyHashable(7)));
    EXPECT_FALSE(ReducedMotionOption::reducedMotion() == a);
    EXPECT_FALSE(ReducedMotionOption::reducedMotion() == ReducedMotionOption::standardMotion());
}

TEST(LottieConfiguration, EqualityAndTheSharedValue) {
    LottieConfiguration shared = LottieConfiguration::shared();
    LottieConfiguration changed = shared;
    changed.renderingEngine = RenderingEngineOption::mainThread();
    // A colour space change alone makes the configurations unequal too.
    LottieConfiguration grey = shared;
    grey.colorSpace = platform::graphics::ColorSpace::deviceGrey();
    EXPECT_FALSE(grey == shared);

    // Replacing the shared value reaches later readers, from any thread.
    LottieConfiguration::setShared(changed);
    std::vector<std::thread> readers;
    std::vector<int> seen(8);
    for (int i = 0; i < 8; ++i) {
        readers.emplace_back([&seen, &changed, i] { seen[i] = LottieConfiguration::shared() == changed; });
    }
    for (auto& reader : readers) reader.join();
    for (int s : seen) EXPECT_EQ(s, 1);
    // The colour space the engines read without a lock follows the shared value.
    LottieConfiguration::setShared(grey);
    EXPECT_EQ(LottieConfiguration::sharedColorSpace(), platform::graphics::ColorSpace::deviceGrey());
    LottieConfiguration::setShared(shared);
    EXPECT_EQ(LottieConfiguration::sharedColorSpace(), platform::graphics::ColorSpace::deviceRGB());
}

}  // namespace
