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

}  // namespace
