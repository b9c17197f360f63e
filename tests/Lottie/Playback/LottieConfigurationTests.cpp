// The library-wide settings: rendering engine options, reduced motion, the shared
// configuration and the shared logger.

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/LottieLogger.h"
#include "tests/Support/RecordingLogger.h"

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
}

TEST(LottieConfiguration, EqualityAndTheSharedValue) {
    LottieConfiguration shared = LottieConfiguration::shared();
    // A colour space change alone makes the configurations unequal.
    LottieConfiguration grey = shared;
    grey.colorSpace = platform::graphics::ColorSpace::deviceGrey();
    EXPECT_FALSE(grey == shared);
    // The colour space the engines read without a lock follows the shared value.
    LottieConfiguration::setShared(grey);
    EXPECT_EQ(LottieConfiguration::sharedColorSpace(), platform::graphics::ColorSpace::deviceGrey());
    LottieConfiguration::setShared(shared);
    EXPECT_EQ(LottieConfiguration::sharedColorSpace(), platform::graphics::ColorSpace::deviceRGB());
}

TEST(LottieLogger, SharedLoggerDropsEverythingWithoutEvaluating) {
    int evaluated = 0;
    auto count = [&evaluated] {
        ++evaluated;
        return std::string("message");
    };
    auto logger = lottie::LottieLogger::shared();
    logger->assert_([&evaluated] { ++evaluated; return false; }, count, "Lottie/Test", 1);
    logger->assertionFailure(count, "Lottie/Test", 2);
    logger->warn(count, "Lottie/Test", 3);
    logger->info(count);
    EXPECT_EQ(evaluated, 0);
}

// Setting no shared logger brings back the silent one: every caller of shared()
// uses what it gets without a check.
TEST(LottieLogger, SettingNoSharedLoggerRestoresTheSilentOne) {
    const auto previous = lottie::LottieLogger::shared();
    int evaluated = 0;
    auto count = [&evaluated] {
        ++evaluated;
        return std::string("message");
    };
    lottie::LottieLogger::setShared(std::make_shared<lottie::LottieLogger>(
        [](const auto&, const auto& message, std::string_view, unsigned) { message(); },
        [](const auto& message, std::string_view, unsigned) { message(); },
        [](const auto& message, std::string_view, unsigned) { message(); }, [](const auto& message) { message(); }));
    lottie::LottieLogger::shared()->warn(count, "Lottie/Test", 1);
    EXPECT_EQ(evaluated, 1);
    lottie::LottieLogger::setShared(nullptr);
    const auto silent = lottie::LottieLogger::shared();
    ASSERT_NE(silent, nullptr);
    silent->warn(count, "Lottie/Test", 2);
    silent->assertionFailure(count, "Lottie/Test", 3);
    EXPECT_EQ(evaluated, 1);
    lottie::LottieLogger::setShared(previous);
}

// A scope lends its logger to the shared lookups of its own thread only, the
// innermost counting, until it ends; a logger that passes its reports on to
// shared() reaches the process-wide logger, also under its own scope.
TEST(LottieLogger, AScopeLendsItsLoggerToItsOwnThreadWhileItLives) {
    const testsupport::RecordingLogger processWide;
    testsupport::LogRecorder outer, inner;
    const auto warn = [](const char* text) {
        lottie::LottieLogger::shared()->warn([text] { return std::string(text); }, "Lottie/Test", 1);
    };
    const auto passingOn = std::make_shared<lottie::LottieLogger>(
        [](const auto&, const auto&, std::string_view, unsigned) {}, [](const auto&, std::string_view, unsigned) {},
        [](const auto& message, std::string_view file, unsigned line) {
            lottie::LottieLogger::shared()->warn([message] { return "passed on: " + message(); }, file, line);
        },
        [](const auto&) {});
    {
        const lottie::LottieLogger::Scope scope(outer.logger());
        warn("outer");
        std::thread([&warn] { warn("another thread"); }).join();
        {
            const lottie::LottieLogger::Scope nested(inner.logger());
            const lottie::LottieLogger::Scope none(nullptr);
            warn("inner");
        }
        warn("outer again");
        const lottie::LottieLogger::Scope forwarding(passingOn);
        warn("forwarded");
    }
    warn("after");
    EXPECT_EQ(outer.warnings, (std::vector<std::string>{"outer", "outer again"}));
    EXPECT_EQ(inner.warnings, (std::vector<std::string>{"inner"}));
    EXPECT_EQ(processWide.warnings, (std::vector<std::string>{"another thread", "passed on: forwarded", "after"}));
}

}  // namespace
