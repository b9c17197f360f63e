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
                          "\"layers\":3,\"engine\":\"core-animation\"}\n");
    }
}

// The engine "--info" names is the one the option ends up on for the document:
// the automatic choice stays on the Core Animation engine for shape and solid
// layers and falls back for a mask with an expansion, which that engine reports
// as beyond it.
TEST(LottieFramesTool, InfoNamesTheEngineTheOptionEndsUpOn) {
    testsupport::TemporaryDirectory directory;
    const auto shapes = directory.path() / "shapes.json";
    testsupport::writeFile(shapes, wideDocument);
    const auto solid = directory.path() / "solid.json";
    testsupport::writeFile(solid, R"({"v":"5.7.0","fr":30,"ip":0,"op":20,"w":100,"h":50,"layers":[{"ty":1,"nm":"S",)"
                                  R"("ind":1,"ip":0,"op":20,"st":0,"ks":{},"sc":"#ff0000","sw":50,"sh":50}]})");
    struct Case {
        std::filesystem::path document;
        const char* option;
        const char* engine;
    };
    const auto expanded = directory.path() / "expanded.json";
    testsupport::writeFile(expanded, R"({"v":"5.7.0","fr":30,"ip":0,"op":20,"w":100,"h":50,"layers":[{"ty":1,"nm":"S",)"
                                     R"("ind":1,"ip":0,"op":20,"st":0,"ks":{},"sc":"#ff0000","sw":50,"sh":50,)"
                                     R"("hasMask":true,"masksProperties":[{"mode":"a","inv":false,"pt":{"a":0,"k":{"c":true,)"
                                     R"("v":[[0,0],[50,0],[50,50],[0,50]],"i":[[0,0],[0,0],[0,0],[0,0]],)"
                                     R"("o":[[0,0],[0,0],[0,0],[0,0]]}},"o":{"a":0,"k":100},"x":{"a":0,"k":3}}]}]})");
    for (const Case& item : {Case{solid, "automatic", "core-animation"}, Case{shapes, "automatic", "core-animation"},
                             Case{expanded, "automatic", "main-thread"},
                             Case{shapes, "core-animation", "core-animation"}, Case{solid, "main-thread", "main-thread"}}) {
        auto [output, status] = runTool(item.document.string() + " --info --engine " + item.option);
        EXPECT_EQ(status, 0) << item.option;
        EXPECT_NE(output.find(std::string("\"engine\":\"") + item.engine + "\""), std::string::npos)
            << item.document << " " << item.option << ": " << output;
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
        // The compositor-driven engine renders what it can and reports the rest.
        {"wide.json --frames 1 --engine core-animation --out " + folder + "out", 0},
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

// Packages: every animation of every corpus package reports and renders, chosen
// with --animation or the first of the manifest by default.
TEST(LottieFramesPackages, EveryAnimationOfEveryCorpusPackageRenders) {
    const auto packages = testsupport::corpusFiles(".lottie");
    if (packages.empty()) {
        GTEST_SKIP() << "the corpus is absent";
    }
    testsupport::TemporaryDirectory directory;
    for (const auto& package : packages) {
        auto [info, status] = runTool(package.string() + " --info");
        ASSERT_EQ(status, 0) << package;
        const auto start = info.find("\"animations\":[");
        ASSERT_NE(start, std::string::npos) << info;
        const std::string list = info.substr(start + 14, info.find(']', start) - start - 14);
        std::vector<std::string> ids;
        for (std::size_t quote = list.find('"'); quote != std::string::npos; quote = list.find('"', list.find('"', quote + 1) + 1)) {
            ids.push_back(list.substr(quote + 1, list.find('"', quote + 1) - quote - 1));
        }
        ASSERT_FALSE(ids.empty()) << info;
        // Without --animation, the first one.
        EXPECT_EQ(runTool(package.string() + " --info --animation " + ids.front()).first, info);
        for (const std::string& id : ids) {
            const auto out = directory.path() / (package.stem().string() + "-" + id);
            ASSERT_EQ(runTool(package.string() + " --animation " + id + " --frames 0,10 --size 32x32 --out " + out.string()).second, 0)
                << package << " " << id;
            EXPECT_TRUE(std::filesystem::exists(out / "frame-10.png")) << package << " " << id;
        }
        auto [bench, benchStatus] = runTool(package.string() + " --animation " + ids.back() + " --bench --size 16x16");
        EXPECT_EQ(benchStatus, 0) << package;
        EXPECT_NE(bench.find("\"renderMsMean\":"), std::string::npos) << bench;
    }
}

// The image packages show their image: at frame 0 (no rotation yet) each pixel
// of the frame is the pixel of the package's picture at the same place.
TEST(LottieFramesPackages, ImagePackagesShowThePackagesImage) {
    const auto corpus = testsupport::corpusDirectory();
    if (corpus.empty() || !std::filesystem::exists(corpus / "dotlottie" / "src" / "images" / "blep.png")) {
        GTEST_SKIP() << "the corpus is absent";
    }
    const auto picture = platform::graphics::ImageDecoder::decode(
        testsupport::readFile(corpus / "dotlottie" / "src" / "images" / "blep.png"));
    ASSERT_TRUE(picture);
    testsupport::TemporaryDirectory directory;
    for (const char* name : {"image_v1", "image_v2"}) {
        const auto out = directory.path() / name;
        ASSERT_EQ(runTool((corpus / "dotlottie" / (std::string(name) + ".lottie")).string() +
                          " --frames 0 --size 512x512 --out " + out.string()).second, 0);
        const std::pair<int, int> points[] = {{256, 256}, {280, 250}, {150, 120}, {370, 440}, {60, 60}};
        for (const auto& [x, y] : points) {
            const std::uint32_t expected = picture->pixel(x, y);
            const std::uint32_t drawn = pixel(out / "frame-0.png", x, y);
            for (int shift : {0, 8, 16, 24}) {
                const int difference = int((expected >> shift) & 0xff) - int((drawn >> shift) & 0xff);
                EXPECT_LE(std::abs(difference), 2) << name << " at " << x << "," << y << std::hex << ": " << drawn
                                                   << " for " << expected;
            }
        }
        // The centre is the picture's, not the transparent background.
        EXPECT_NE(pixel(out / "frame-0.png", 256, 256), 0u) << name;
    }
}

TEST(LottieFramesPackages, UnknownAnimationsAndMisplacedOptionsAreRefused) {
    testsupport::TemporaryDirectory directory;
    const auto json = directory.path() / "wide.json";
    testsupport::writeFile(json, wideDocument);
    const auto source = testsupport::corpusDirectory() / "dotlottie" / "multi_v2.lottie";
    if (testsupport::corpusDirectory().empty() || !std::filesystem::exists(source)) {
        GTEST_SKIP() << "the corpus is absent";
    }
    const auto package = directory.path() / "pack.lottie";
    testsupport::writeFile(package, testsupport::readFile(source));
    auto [errors, status] = runTool(package.string() + " --info --animation no_such_thing", true);
    EXPECT_EQ(status, 1);
    EXPECT_NE(errors.find("no animation \"no_such_thing\""), std::string::npos) << errors;
    EXPECT_EQ(runTool(json.string() + " --info --animation star").second, 2);
    const auto broken = directory.path() / "broken.lottie";
    testsupport::writeFile(broken, "PK\x03\x04 not really");
    EXPECT_EQ(runTool(broken.string() + " --info").second, 1);
}

}  // namespace
