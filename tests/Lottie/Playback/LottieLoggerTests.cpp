#include <gtest/gtest.h>

#include <string>

#include "Lottie/Playback/LottieLogger.h"

using lottie::LottieLogger;

namespace {

TEST(LottieLogger, SharedLoggerDropsEverythingWithoutEvaluating) {
    int evaluated = 0;
    auto count = [&evaluated] {
        ++evaluated;
        return std::string("message");
    };
    auto logger = LottieLogger::shared();
    logger->assert_([&evaluated] { ++evaluated; return false; }, count, "Lottie/Test", 1);
    logger->assertionFailure(count, "Lottie/Test", 2);
    logger->warn(count, "Lottie/Test", 3);
    logger->info(count);
    EXPECT_EQ(evaluated, 0);
}

TEST(LottieLogger, PrintingLoggerPrintsOnlyFailedAssertions) {
    auto logger = LottieLogger::printingLogger();
    testing::internal::CaptureStdout();
    logger->assert_([] { return true; }, [] { return std::string("held"); }, "f", 1);
    logger->assert_([] { return false; }, [] { return std::string("failed"); }, "f", 2);
    logger->assertionFailure([] { return std::string("failure"); }, "f", 3);
    logger->warn([] { return std::string("warning"); }, "f", 4);
    logger->info([] { return std::string("information"); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "failed\nfailure\n");
}

}  // namespace
