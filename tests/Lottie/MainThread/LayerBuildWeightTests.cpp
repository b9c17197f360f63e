// What building a layer weighs against the cap on what an animation builds: a
// plain layer one, each mask one more and more by its path's vertices, a shape layer more by its items, the
// vertices of the largest keyframe of each of its paths (a star's as built),
// and the paths each fill and trim takes again, a text layer more by its
// characters and by the font size it is first shown at, when no text weighed
// before used it; and how each weight is taken from the cap.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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

// The vertices of a straight path of `count`, as a list.
std::string vertexList(int count) {
    std::string vertices;
    for (int index = 0; index < count; ++index) vertices += (index ? ",[" : "[") + std::to_string(index % 97) + ",0]";
    return "[" + vertices + "]";
}

std::string path(int count) { return R"({"ty":"sh","nm":"P","ks":{"a":0,"k":)" + pathValue(count) + "}}"; }

std::string animatedPath(int first, int second) {
    return R"({"ty":"sh","nm":"P","ks":{"a":1,"k":[{"t":0,"s":[)" + pathValue(first) + R"(]},{"t":10,"s":[)" +
           pathValue(second) + "]}]}}";
}

// A text layer of `characters` letters at 10 points, or changing to each of
// `sizes` in turn.
std::string textLayer(int characters, const std::vector<int>& sizes = {10}) {
    std::string keyframes;
    for (std::size_t index = 0; index < sizes.size(); ++index) {
        keyframes += (index ? "," : "") + std::string(R"({"s":{"t":")") + std::string(characters, 'x') + R"(","s":)" +
                     std::to_string(sizes[index]) + R"(,"f":"DejaVu Sans","j":0,"tr":0,"lh":12,"fc":[0,0,0]},"t":)" +
                     std::to_string(index * 10) + "}";
    }
    return R"({"ty":5,"nm":"T","ind":1,"ip":0,"op":100,"st":0,"ks":{},"t":{"d":{"k":[)" + keyframes +
           R"(]},"a":[],"p":{},"m":{}}})";
}

// `count` copies of `item`, separated by commas.
std::string list(int count, const std::string& item) {
    std::string items;
    for (int index = 0; index < count; ++index) items += (index ? "," : "") + item;
    return items;
}

// A star (type 1) or polygon (type 2) of `count` points.
std::string points(int type, double count) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", count);
    return R"({"ty":"sr","nm":"S","sy":)" + std::to_string(type) +
           R"(,"p":{"a":0,"k":[50,50]},"or":{"a":0,"k":40},"ir":{"a":0,"k":20},"os":{"a":0,"k":0},)"
           R"("is":{"a":0,"k":0},"pt":{"a":0,"k":)" + text + R"(},"r":{"a":0,"k":0}})";
}

TEST(LayerBuildWeight, CountsWhatALayerHolds) {
    constexpr int perLayer = static_cast<int>(LayerBuildWeight::verticesPerLayer);
    constexpr int perItem = static_cast<int>(LayerBuildWeight::verticesPerItem);
    const std::string square = featuretest::rect(50, 50, 10, 10) + "," + fill(1, 0, 0);
    const std::string twoMasks = R"(,"masksProperties":[)" + featuretest::mask("a", "[[0,0],[9,0],[9,9]]") + "," +
                                 featuretest::mask("a", "[[0,0],[9,0],[9,9]]") + "]";
    struct Case {
        const char* name;
        std::string layer;
        std::size_t weight;
        // Font sizes its texts are the first to use, which weigh only the
        // first time the layer is weighed in a build.
        std::size_t fontSizes = 0;
    };
    const Case cases[] = {
        // A rectangle and a fill, each an item, the fill taking the rectangle's vertices again.
        {"a rectangle", shapeLayer("[" + square + "]"), 1 + (2 * perItem + 2 * 9) / perLayer},
        {"a rectangle under two masks", shapeLayer("[" + square + "]", 1, twoMasks), 3 + (2 * perItem + 2 * 9) / perLayer},
        // A mask's path is clipped to every frame, whatever the layer holds.
        {"a rectangle under a mask of three layers' worth of vertices",
         shapeLayer("[" + square + "]", 1, R"(,"masksProperties":[)" + featuretest::mask("s", vertexList(3 * perLayer)) + "]"),
         5 + (2 * perItem + 2 * 9) / perLayer},
        {"a null layer under two masks of 600 vertices",
         R"({"ty":3,"nm":"N","ind":1,"ip":0,"op":100,"st":0,"ks":{},"masksProperties":[)" +
             featuretest::mask("a", vertexList(600)) + "," + featuretest::mask("i", vertexList(600)) + "]}",
         1 + 2 * (1 + 600 / perLayer)},
        {"a path just short of a layer's worth besides its item", shapeLayer("[" + path(perLayer - 1) + "]"),
         1 + perItem / perLayer},
        {"a path of three layers' worth", shapeLayer("[" + path(3 * perLayer) + "]"), 4 + perItem / perLayer},
        {"paths in nested groups add up",
         shapeLayer("[" + featuretest::group(path(perLayer) + "," + featuretest::group(path(perLayer))) + "]"),
         1 + (6 * perItem + 2 * perLayer) / perLayer},
        {"an animated path weighs its largest keyframe", shapeLayer("[" + animatedPath(perLayer, 5 * perLayer) + "]"),
         1 + (perItem + 5 * perLayer) / perLayer},
        // Items weigh what is built for them whatever their vertices.
        {"a hundred groups of a rectangle",
         shapeLayer("[" + list(100, featuretest::group(featuretest::rect(5, 5, 2, 2))) + "]"),
         1 + 100 * (3 * perItem + 9) / perLayer},
        {"a star of 5,000 points", shapeLayer("[" + points(1, 5000) + "]"), 1 + (perItem + 10'001) / perLayer},
        {"a polygon of a billion points, built with 5,000",
         shapeLayer("[" + points(2, 1e9) + "]"), 1 + (perItem + 5'001) / perLayer},
        // A fill holds, and a trim cuts, every path before it once more.
        {"a trim after two paths", shapeLayer("[" + path(perLayer) + "," + path(perLayer) + "," +
                                              featuretest::trim(10, 90, 0, 1) + "]"),
         1 + (3 * perItem + 4 * perLayer) / perLayer},
        {"a fill after paths in a group",
         shapeLayer("[" + featuretest::group(path(perLayer)) + "," + fill(1, 0, 0) + "]"),
         1 + (4 * perItem + 2 * perLayer) / perLayer},
        {"a fill in a group after another group: only the paths of its own",
         shapeLayer("[" + featuretest::group(path(perLayer)) + "," + featuretest::group(path(perLayer) + "," + fill(1, 0, 0)) +
                    "]"),
         1 + (7 * perItem + 3 * perLayer) / perLayer},
        {"a short text", textLayer(3), LayerBuildWeight::textLayerWeight, 1},
        {"a text of 64 characters", textLayer(64), LayerBuildWeight::textLayerWeight + 64 / LayerBuildWeight::charactersPerLayer,
         1},
        // Looking a font up at a size not used before costs milliseconds; a
        // set-up lays a text out at its first size, the others as frames
        // show them.
        {"a text at three sizes", textLayer(3, {10, 20, 30}), LayerBuildWeight::textLayerWeight, 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto animation = decode(document("[" + test.layer + "]"));
        ASSERT_TRUE(animation);
        ASSERT_EQ(animation->layers.size(), 1u);
        LayerBuildWeight::FontSizes fontSizes;
        EXPECT_EQ(LayerBuildWeight::of(*animation->layers.front(), fontSizes),
                  test.weight + test.fontSizes * LayerBuildWeight::fontSizeWeight);
        EXPECT_EQ(LayerBuildWeight::of(*animation->layers.front(), fontSizes), test.weight);
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
