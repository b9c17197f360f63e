// What building a layer weighs against the cap on what an animation builds: a
// plain layer one, each mask one more, a shape layer more by the vertices of
// the largest keyframe of each of its paths, a text layer more by its
// characters; and how each weight is taken from the cap.

#include <gtest/gtest.h>

#include <string>

#include "Lottie/Playback/Engine/LayerBuildWeight.h"
#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using lottie::LayerBuildWeight;

// An open path of `count` vertices.
std::string pathValue(int count) {
    std::string vertices, zeros;
    for (int index = 0; index < count; ++index) {
        vertices += (index ? "," : "") + std::string("[") + std::to_string(index) + ",0]";
        zeros += index ? ",[0,0]" : "[0,0]";
    }
    return R"({"c":false,"v":[)" + vertices + R"(],"i":[)" + zeros + R"(],"o":[)" + zeros + "]}";
}

std::string path(int count) { return R"({"ty":"sh","nm":"P","ks":{"a":0,"k":)" + pathValue(count) + "}}"; }

std::string animatedPath(int first, int second) {
    return R"({"ty":"sh","nm":"P","ks":{"a":1,"k":[{"t":0,"s":[)" + pathValue(first) + R"(]},{"t":10,"s":[)" +
           pathValue(second) + "]}]}}";
}

std::string textLayer(int characters) {
    return R"({"ty":5,"nm":"T","ind":1,"ip":0,"op":100,"st":0,"ks":{},"t":{"d":{"k":[{"s":{"t":")" +
           std::string(characters, 'x') + R"(","s":10,"f":"DejaVu Sans","j":0,"tr":0,"lh":12,"fc":[0,0,0]},"t":0}]},)"
           R"("a":[],"p":{},"m":{}}})";
}

TEST(LayerBuildWeight, CountsWhatALayerHolds) {
    constexpr int perLayer = static_cast<int>(LayerBuildWeight::verticesPerLayer);
    const std::string square = featuretest::rect(50, 50, 10, 10) + "," + fill(1, 0, 0);
    const std::string twoMasks = R"(,"masksProperties":[)" + featuretest::mask("a", "[[0,0],[9,0],[9,9]]") + "," +
                                 featuretest::mask("a", "[[0,0],[9,0],[9,9]]") + "]";
    struct Case {
        const char* name;
        std::string layer;
        std::size_t weight;
    };
    const Case cases[] = {
        {"a rectangle", shapeLayer("[" + square + "]"), 1},
        {"a rectangle under two masks", shapeLayer("[" + square + "]", 1, twoMasks), 3},
        {"a path just short of a layer's worth", shapeLayer("[" + path(perLayer - 1) + "]"), 1},
        {"a path of three layers' worth", shapeLayer("[" + path(3 * perLayer) + "]"), 4},
        {"paths in nested groups add up",
         shapeLayer("[" + featuretest::group(path(perLayer) + "," + featuretest::group(path(perLayer))) + "]"), 3},
        {"an animated path weighs its largest keyframe", shapeLayer("[" + animatedPath(perLayer, 5 * perLayer) + "]"),
         6},
        {"a short text", textLayer(3), LayerBuildWeight::textLayerWeight},
        {"a text of 64 characters", textLayer(64), LayerBuildWeight::textLayerWeight + 64 / LayerBuildWeight::charactersPerLayer},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto animation = decode(document("[" + test.layer + "]"));
        ASSERT_TRUE(animation);
        ASSERT_EQ(animation->layers.size(), 1u);
        EXPECT_EQ(LayerBuildWeight::of(*animation->layers.front()), test.weight);
    }
}

// Both engines take each layer's weight from one total: what fits is taken, up
// to the last unit; a layer that does not fit is left out on its own, and
// looking at it takes one while any is left.
TEST(LayerBuildWeight, TakesWhatFitsAndOneForALayerLeftOut) {
    constexpr std::size_t most = LayerBuildWeight::maximumWeight;
    struct Case {
        const char* name;
        std::size_t spent, weight;
        bool taken;
        std::size_t spentAfter;
    };
    const Case cases[] = {
        {"a layer into an empty build", 0, 5, true, 5},
        {"a layer that fills the build exactly", most - 5, 5, true, most},
        {"a layer one past the build", most - 5, 6, false, most - 4},
        {"a light layer after a heavy one", most - 4, 3, true, most - 1},
        {"a layer into a full build", most, 1, false, most},
        {"a layer of no weight into a full build", most, 0, true, most},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::size_t spent = test.spent;
        EXPECT_EQ(LayerBuildWeight::take(spent, test.weight), test.taken);
        EXPECT_EQ(spent, test.spentAfter);
    }
}

}  // namespace
