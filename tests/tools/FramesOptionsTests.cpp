#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "tests/Support/TestSupport.h"
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
    EXPECT_TRUE(parseOptions({"a.json", "--frames", "all", "--out", "d"}).allFrames);
    EXPECT_EQ(parseOptions({"a.json", "--bench"}).command, Command::bench);
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
        {"a.json", "--info", "--background", "fff"},
        {"a.json", "--info", "--strategy"},
        {"a.json", "--info", "--engine", "gpu"},
        {"a.json", "b.json", "--info"},
        {"a.json", "--info", "--verbose"},
    };
    for (const auto& arguments : bad) {
        EXPECT_THROW(parseOptions(arguments), std::invalid_argument);
    }
}

// Runs the built tool and returns its standard output (its error output when
// asked) and exit status.
std::pair<std::string, int> run(const std::string& arguments, bool errorOutput = false) {
    std::string command =
        std::string(LOTTIE_FRAMES_PATH) + " " + arguments + (errorOutput ? " 2>&1 >/dev/null" : " 2>/dev/null");
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
    int status = pclose(pipe.release());
    return {output, WEXITSTATUS(status)};
}

TEST(LottieFramesTool, ReportsInfoAndFailsCleanly) {
    auto example = testsupport::sourceDirectory() / "examples" / "bouncing-shapes.json";
    for (const char* strategy : {"dictionary", "codable"}) {
        auto [output, status] = run(example.string() + " --info --strategy " + strategy);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(output, "{\"width\":512,\"height\":512,\"frameRate\":30,\"startFrame\":0,\"endFrame\":90,"
                          "\"layers\":3,\"engine\":\"main-thread\"}\n");
    }
    testsupport::TemporaryDirectory directory;
    testsupport::writeFile(directory.path() / "broken.json", "{\"v\":\"5\",");
    EXPECT_EQ(run((directory.path() / "broken.json").string() + " --info").second, 1);
    EXPECT_EQ(run((directory.path() / "missing.json").string() + " --info").second, 1);
    EXPECT_EQ(run(example.string() + " --bogus").second, 2);
}

TEST(LottieFramesTool, NamesWhereADocumentFailsToDecode) {
    testsupport::TemporaryDirectory directory;
    const auto path = directory.path() / "bad.json";
    testsupport::writeFile(path, R"({"v":"5","fr":30,"ip":0,"op":10,"w":9,"h":9,"layers":[)"
                                 R"({"ty":3,"ip":0,"op":10,"st":0},{"ty":4,"nm":"Shape Layer 1","ip":0,"op":10,"st":0,"shapes":[{"ty":"gr","it":[)"
                                 R"({"ty":"tr"},{"ty":"st","o":{"k":100},"w":{"k":1}}]}]}]})");
    for (const char* strategy : {"dictionary", "codable"}) {
        auto [errors, status] = run(path.string() + " --info --strategy " + strategy, true);
        EXPECT_EQ(status, 1);
        EXPECT_NE(errors.find(R"(: layers[1] "Shape Layer 1" > shapes[0] > it[1] > c: )"), std::string::npos) << errors;
    }
}

}  // namespace
