// A frame looks the same whatever was drawn before it: a renderer reached
// through another one (a fill listed after a stroke) learns of a group's new
// transform as the first one does, and does not keep the earlier frame's path;
// and a picture kept of a layer on a frame drawn twice is not laid down on
// another frame (a group that fades out and stays out, drawn in several
// orders of two frames).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;

// A value going from `from` to `to` evenly over frames 0 to 60.
std::string ramp(const std::string& from, const std::string& to) {
    return R"({"a":1,"k":[{"t":0,"s":)" + from + R"(,"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":60,"s":)" + to +
           "}]}";
}

// A group of a 20 x 20 square round its origin, placed at (50, 50) at full
// size, with one member of its transform replaced by `animated`.
std::string squareGroup(const std::string& key, const std::string& animated) {
    std::string transform = R"({"ty":"tr","nm":"Transform","a":{"a":0,"k":[0,0]},"p":{"a":0,"k":[50,50]},)"
                            R"("s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"o":{"a":0,"k":100}})";
    const std::string member = "\"" + key + "\":";
    const std::size_t start = transform.find(member) + member.size();
    const std::size_t end = transform.find('}', start) + 1;
    transform.replace(start, end - start, animated);
    return R"({"ty":"gr","nm":"Group","it":[)" + featuretest::rect(0, 0, 20, 20) + "," + transform + "]}";
}

// How far apart two pictures of the same size are: the root mean square of
// their bytes' differences, each in 0...1.
double byteRmse(const std::vector<std::uint8_t>& picture, const std::vector<std::uint8_t>& reference) {
    if (picture.size() != reference.size() || picture.empty()) return 1;
    double sum = 0;
    for (std::size_t index = 0; index < picture.size(); ++index) {
        const double difference = (picture[index] - reference[index]) / 255.0;
        sum += difference * difference;
    }
    return std::sqrt(sum / static_cast<double>(picture.size()));
}

TEST(FrameOrder, AFrameDrawnAfterAnotherIsTheFrameDrawnFirst) {
    const std::string scale = squareGroup("s", ramp("[50,50]", "[250,250]"));
    const std::string moving = squareGroup("p", ramp("[25,50]", "[75,50]"));
    const std::string turning = squareGroup("r", ramp("[0]", "[90]"));
    // Rings in a group that fades out by frame 30 and stays out, beside a
    // filled square that keeps the layer drawing something.
    const std::string fadingRings =
        R"({"ty":"gr","nm":"Rings","it":[)" + featuretest::ellipse(0, 0, 40, 40) + "," +
        featuretest::ellipse(0, 0, 70, 70) + "," + featuretest::stroke(4) +
        R"(,{"ty":"tr","nm":"Transform","a":{"a":0,"k":[0,0]},"p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[100,100]},)"
        R"("r":{"a":0,"k":0},"o":{"a":1,"k":[{"t":0,"s":[100],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},)"
        R"({"t":30,"s":[0]}]}}]},)" +
        featuretest::rect(10, 10, 20, 20) + "," + fill(0, 0.5, 0);
    const std::string stroke = featuretest::stroke(4);
    const std::string redFill = fill(1, 0, 0);
    struct Case {
        const char* name;
        std::string items;
        std::vector<double> before;
        double frame;
    };
    const Case cases[] = {
        {"scaled group, stroke then fill, forwards", scale + "," + stroke + "," + redFill, {0}, 30},
        {"scaled group, stroke then fill, backwards", scale + "," + stroke + "," + redFill, {50}, 10},
        {"scaled group, stroke then fill, after several", scale + "," + stroke + "," + redFill, {5, 20, 40}, 25},
        {"scaled group, fill then stroke", scale + "," + redFill + "," + stroke, {0}, 30},
        {"moving group, stroke then fill", moving + "," + stroke + "," + redFill, {0}, 30},
        {"turning group, stroke then fill", turning + "," + stroke + "," + redFill, {0}, 30},
        {"fading rings, frames drawn twice", fadingRings, {22, 22, 50, 50}, 22},
        {"fading rings, the other frame drawn twice", fadingRings, {22, 50, 50}, 22},
        {"fading rings, the faded frame after", fadingRings, {50, 22, 22}, 50},
        {"scaled group, two strokes then fill",
         scale + "," + stroke + "," + featuretest::stroke(2, 0, 1, 0) + "," + redFill, {0}, 30},
    };
    for (const Case& test : cases) {
        const auto animation = decode(featuretest::shapeDocument(test.items));
        for (const lottie::RenderingEngineOption& option : engineOptions()) {
            SCOPED_TRACE(testing::Message() << test.name << ", engine " << option.description());
            std::vector<double> frames = test.before;
            frames.push_back(test.frame);
            const auto first = renderFrames(animation, option, {test.frame});
            const auto after = renderFrames(animation, option, frames);
            ASSERT_TRUE(first && after);
            // The earlier frame must look different, or the order could not matter.
            EXPECT_GT(byteRmse(pixelBytes(renderFrames(animation, option, test.before)), pixelBytes(first)), 0.01);
            EXPECT_TRUE(pixelBytes(after) == pixelBytes(first))
                << "RMSE " << byteRmse(pixelBytes(after), pixelBytes(first)) << " from the frame drawn first";
        }
    }
}

}  // namespace
