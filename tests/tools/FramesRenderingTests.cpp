// The frame tool, run as a user would run it.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "Platform/Graphics/ImageDecoder.h"
#include "tests/Support/TestSupport.h"

namespace {

// Runs the built tool and returns its standard output (its error output when
// asked) and exit status.
std::pair<std::string, int> runTool(const std::string& arguments, bool errorOutput = false) {
    std::string command =
        std::string(LOTTIE_FRAMES_PATH) + " " + arguments + (errorOutput ? " 2>&1 >/dev/null" : " 2>/dev/null");
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
    int status = pclose(pipe.release());
    return {output, WEXITSTATUS(status)};
}

// 100 x 50, a red rectangle over the left half, from frame 0 to 20.
const char* const wideDocument =
    R"({"v":"5.7.0","fr":30,"ip":0,"op":20,"w":100,"h":50,"layers":[{"ty":4,"nm":"S","ind":1,"ip":0,"op":20,"st":0,"ks":{},)"
    R"("shapes":[{"ty":"rc","nm":"R","p":{"a":0,"k":[25,25]},"s":{"a":0,"k":[50,50]},"r":{"a":0,"k":0}},)"
    R"({"ty":"fl","nm":"F","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"r":1}]}]})";

std::uint32_t pixel(const std::filesystem::path& file, int x, int y) {
    auto image = platform::graphics::ImageDecoder::decode(testsupport::readFile(file));
    return image ? image->pixel(x, y) : 0xdeadbeef;
}

TEST(LottieFramesTool, ReportsInfoByBothStrategies) {
    auto example = testsupport::sourceDirectory() / "examples" / "bouncing-shapes.json";
    for (const char* strategy : {"dictionary", "codable"}) {
        auto [output, status] = runTool(example.string() + " --info --strategy " + strategy);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(output, "{\"width\":512,\"height\":512,\"frameRate\":30,\"startFrame\":0,\"endFrame\":90,"
                          "\"layers\":3,\"engine\":\"main-thread\"}\n");
    }
}

TEST(LottieFramesRendering, WritesFramesFittedAndCentred) {
    testsupport::TemporaryDirectory directory;
    const auto input = directory.path() / "wide.json";
    testsupport::writeFile(input, wideDocument);
    const auto out = directory.path() / "out";
    for (const char* engine : {"main-thread", "automatic"}) {
        auto [output, status] =
            runTool(input.string() + " --frames 0,12.5 --size 64x64 --engine " + engine + " --out " + out.string());
        ASSERT_EQ(status, 0) << engine;
        // Scaled by 0.64 to 64 x 32 and centred: rows 16 to 47 hold the animation.
        EXPECT_EQ(pixel(out / "frame-0.png", 10, 5), 0u);
        EXPECT_EQ(pixel(out / "frame-12.5.png", 10, 30), 0xffff0000u);
        EXPECT_EQ(pixel(out / "frame-0.png", 50, 30), 0u);
    }
    ASSERT_EQ(runTool(input.string() + " --frames 3 --size 64x64 --background 00ff00ff --out " + out.string()).second, 0);
    EXPECT_EQ(pixel(out / "frame-3.png", 10, 5), 0xff00ff00u);

    ASSERT_EQ(runTool(input.string() + " --frames all --size 8x8 --out " + (directory.path() / "all").string()).second, 0);
    for (int frame = 0; frame <= 20; ++frame) {
        EXPECT_TRUE(std::filesystem::exists(directory.path() / "all" / ("frame-" + std::to_string(frame) + ".png")));
    }
}

TEST(LottieFramesRendering, BenchReportsTimings) {
    testsupport::TemporaryDirectory directory;
    const auto input = directory.path() / "wide.json";
    testsupport::writeFile(input, wideDocument);
    auto [output, status] = runTool(input.string() + " --bench --size 32x32");
    ASSERT_EQ(status, 0);
    for (const char* key : {"\"frames\":21", "\"decodeMs\":", "\"buildMs\":", "\"renderMsMean\":", "\"renderMsP95\":",
                            "\"peakRssKb\":", "\"minorFaultsPerFrame\":", "\"minorFaultsPerFrameAfterWarmUp\":",
                            "\"minorFaultsPerFrameTimedPass\":"}) {
        EXPECT_NE(output.find(key), std::string::npos) << key << " in " << output;
    }
    // Forty-two renders leave plenty after the warm-up, so no figure may be missing.
    EXPECT_EQ(output.find("null"), std::string::npos) << output;
}

// Bad input ends with status 1, a bad command line with status 2.
TEST(LottieFramesTool, FailsCleanly) {
    testsupport::TemporaryDirectory directory;
    const auto folder = directory.path().string() + "/";
    testsupport::writeFile(folder + "wide.json", wideDocument);
    testsupport::writeFile(folder + "broken.json", "{\"v\":\"5\",");
    testsupport::writeFile(folder + "sizeless.json", R"({"v":"5","fr":30,"ip":0,"op":10,"w":0,"h":0,"layers":[]})");
    testsupport::writeFile(folder + "endless.json", R"({"v":"5","fr":30,"ip":0,"op":1e12,"w":10,"h":10,"layers":[]})");
    const std::pair<std::string, int> cases[] = {
        {"broken.json --info", 1},
        {"missing.json --info", 1},
        {"wide.json --bogus", 2},
        {"wide.json --frames nan --out " + folder + "out", 1},
        {"wide.json --frames 1 --engine core-animation --out " + folder + "out", 2},
        {"sizeless.json --frames 1 --out " + folder + "out", 1},
        {"endless.json --frames all --out " + folder + "out", 1},
    };
    for (const auto& [arguments, status] : cases) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(runTool(folder + arguments).second, status);
    }
}

TEST(LottieFramesTool, NamesWhereADocumentFailsToDecode) {
    testsupport::TemporaryDirectory directory;
    const auto path = directory.path() / "bad.json";
    testsupport::writeFile(path, R"({"v":"5","fr":30,"ip":0,"op":10,"w":9,"h":9,"layers":[{"ty":3,"ip":0,"op":10,"st":0},)"
                                 R"({"ty":4,"nm":"Shape Layer 1","ip":0,"op":10,"st":0,"shapes":[{"ty":"gr","it":[)"
                                 R"({"ty":"tr"},{"ty":"st","o":{"k":100},"w":{"k":1}}]}]}]})");
    for (const char* strategy : {"dictionary", "codable"}) {
        auto [errors, status] = runTool(path.string() + " --info --strategy " + strategy, true);
        EXPECT_EQ(status, 1);
        EXPECT_NE(errors.find(R"(: layers[1] "Shape Layer 1" > shapes[0] > it[1] > c: )"), std::string::npos) << errors;
    }
}

}  // namespace
