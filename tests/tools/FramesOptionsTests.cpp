#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tools/lottie-frames/FramesOptions.h"

using namespace lottieframes;

namespace {

TEST(FramesOptions, ParsesEveryForm) {
    auto info = parseOptions({"a.json", "--info", "--strategy", "codable", "--engine", "main-thread"});
    EXPECT_EQ(info.command, Command::info);
    EXPECT_EQ(info.strategy, lottie::DecodingStrategy::legacyCodable);
    EXPECT_EQ(info.engine, lottie::RenderingEngineOption::mainThread());

    auto frames = parseOptions({"--frames", "0,12.5,30", "a.json", "--size", "640x360", "--out", "d", "--background",
                                "ff0000ff"});
    EXPECT_EQ(frames.frames, (std::vector<std::string>{"0", "12.5", "30"}));
    EXPECT_EQ(frames.width, 640);
    EXPECT_EQ(frames.height, 360);
    EXPECT_EQ(frames.background, 0xff0000ffu);
    // Each side up to the largest the refusal names, 16384.
    for (const auto& [size, width, height] : {std::tuple{"1x1", 1, 1}, std::tuple{"16384x16384", 16384, 16384},
                                              std::tuple{"16384x7", 16384, 7}}) {
        const auto sized = parseOptions({"a.json", "--bench", "--size", size});
        EXPECT_EQ(sized.width, width) << size;
        EXPECT_EQ(sized.height, height) << size;
    }
    EXPECT_TRUE(parseOptions({"a.json", "--frames", "all", "--out", "d"}).allFrames);
    EXPECT_EQ(parseOptions({"a.json", "--bench"}).command, Command::bench);
    EXPECT_FALSE(parseOptions({"a.lottie", "--info"}).animationId);
    EXPECT_EQ(parseOptions({"a.lottie", "--animation", "intro", "--bench"}).animationId, "intro");
}

TEST(FramesOptions, RefusesBadCommandLines) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"a.json"},
        {"a.json", "--info", "--bench"},
        {"a.json", "--frames", "1,x", "--out", "d"},
        {"a.json", "--frames", "1,,2", "--out", "d"},
        {"a.json", "--frames", "1"},
        {"a.json", "--info", "--size", "0x10"},
        {"a.json", "--info", "--size", "100"},
        {"a.json", "--info", "--size", "16385x16"},
        {"a.json", "--info", "--size", "16x16385"},
        {"a.json", "--info", "--background", "fff"},
        {"a.json", "--info", "--strategy"},
        {"a.json", "--info", "--engine", "gpu"},
        {"a.json", "b.json", "--info"},
        {"a.json", "--info", "--verbose"},
        {"a.lottie", "--info", "--animation"},
    };
    for (const auto& arguments : bad) {
        EXPECT_THROW(parseOptions(arguments), std::invalid_argument);
    }
}

}  // namespace
