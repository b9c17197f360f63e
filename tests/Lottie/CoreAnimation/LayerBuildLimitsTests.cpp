// The limits the Core Animation engine keeps while it builds its layer tree, the
// same as the main-thread engine's: precompositions 100 deep, a build weight of
// 30,000 that counts every layer made (parent transforms, matte containers and
// repeater copies included), and no layer deeper than the compositor draws.
// Parent transforms are shared by consecutive layers; the masks of one layer
// nest a few levels, and past 16 of them the rest are left out. Past a limit, the abort mode (the
// automatic engine choice) stops at once and the track mode says it once and
// builds what fits.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/CoreAnimation/MaskCompositionLayer.h"
#include "Lottie/CoreAnimation/RepeaterLayer.h"
#include "Lottie/CoreAnimation/TransformLayer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using Mode = CompatibilityTracker::Mode;
using platform::compositor::Layer;

namespace {

std::string document(const std::string& layers, const std::string& assets = "[]") {
    return R"({"v":"5.7.0","fr":30,"ip":0,"op":60,"w":100,"h":100,"assets":)" + assets + R"(,"layers":[)" + layers +
           "]}";
}

std::string solid(int index, const std::string& extra = "") {
    return R"({"ty":1,"nm":"S","ind":)" + std::to_string(index) +
           R"(,"ip":0,"op":60,"st":0,"ks":{},"sc":"#ff0000","sw":10,"sh":10)" + extra + "}";
}

std::string precomposition(const std::string& asset, int index) {
    return R"({"ty":0,"nm":"P","refId":")" + asset + R"(","ind":)" + std::to_string(index) +
           R"(,"w":100,"h":100,"ip":0,"op":60,"st":0,"ks":{}})";
}

std::string listOf(int count, const std::function<std::string(int)>& item) {
    std::string list;
    for (int index = 1; index <= count; ++index) list += (index > 1 ? "," : "") + item(index);
    return list;
}

// `count` solids, each the parent of the next; `extra` goes on every parent.
std::string parentChain(int count, const std::string& extra = "") {
    return listOf(count, [&](int index) {
        return solid(index, (index > 1 ? R"(,"parent":)" + std::to_string(index - 1) : std::string()) +
                                (index < count ? extra : std::string()));
    });
}

// A solid named "Deepest" under `parents` parents, matted by the solid before
// it: its layer nests 2 x parents + 2 deep.
std::string mattedUnderParents(int parents) {
    std::string deepest = solid(parents + 2, R"(,"parent":)" + std::to_string(parents) + R"(,"tt":1)");
    deepest.replace(deepest.find(R"("S")"), 3, R"("Deepest")");
    return document(parentChain(parents) + "," + solid(parents + 1) + "," + deepest);
}

// Precompositions `levels` deep over one solid.
std::string deepPrecompositions(int levels) {
    std::string assets;
    for (int level = 0; level < levels; ++level) {
        assets += R"({"id":"p)" + std::to_string(level) + R"(","layers":[)" +
                  (level + 1 < levels ? precomposition("p" + std::to_string(level + 1), 1) : solid(1)) + "]},";
    }
    assets.pop_back();
    return document(precomposition("p0", 1), "[" + assets + "]");
}

std::string maskList(int count, const std::function<const char*(int)>& mode) {
    return listOf(count, [&](int index) {
        return R"({"mode":")" + std::string(mode(index)) +
               R"(","pt":{"k":{"c":true,"v":[[0,0],[10,0],[10,10]],"i":[[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0]]}},"o":{"k":100}})";
    });
}

// A shape layer with a rectangle repeated `inner` times, all of it `outer` times.
std::string nestedRepeaters(int outer, int inner) {
    const auto repeater = [](int copies) {
        return R"({"ty":"rp","nm":"R","c":{"a":0,"k":)" + std::to_string(copies) +
               R"(},"o":{"a":0,"k":0},"m":1,"tr":{"ty":"tr","p":{"a":0,"k":[1,0]},"a":{"a":0,"k":[0,0]},)"
               R"("s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"so":{"a":0,"k":100},"eo":{"a":0,"k":100}}})";
    };
    const std::string rect =
        R"({"ty":"rc","nm":"B","p":{"a":0,"k":[5,5]},"s":{"a":0,"k":[2,2]},"r":{"a":0,"k":0}},)"
        R"({"ty":"fl","nm":"F","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"r":1})";
    const std::string group = R"({"ty":"gr","nm":"G","it":[)" + rect + "," + repeater(inner) +
                              R"(,{"ty":"tr","p":{"a":0,"k":[0,0]}}]})";
    return document(R"({"ty":4,"nm":"Shape","ind":1,"ip":0,"op":60,"st":0,"ks":{},"shapes":[)" + group + "," +
                    repeater(outer) + "]}");
}

struct TreeFacts {
    std::size_t layers = 0;
    std::size_t depth = 0;  // of the deepest layer below the root, masks counted as a level
    std::size_t transformLayers = 0;
    std::size_t repeaterCopies = 0;
    std::size_t maskLayers = 0;
    std::set<std::string> names;
};

TreeFacts factsOf(const Layer& root) {
    TreeFacts facts;
    std::vector<std::pair<const Layer*, std::size_t>> pending{{&root, 0}};
    while (!pending.empty()) {
        const auto [layer, depth] = pending.back();
        pending.pop_back();
        facts.layers += 1;
        facts.depth = std::max(facts.depth, depth);
        facts.names.insert(layer->name());
        if (dynamic_cast<const TransformLayer*>(layer)) ++facts.transformLayers;
        if (dynamic_cast<const RepeaterLayer*>(layer)) ++facts.repeaterCopies;
        if (dynamic_cast<const MaskCompositionLayer::MaskLayer*>(layer)) ++facts.maskLayers;
        for (const auto& sublayer : layer->sublayers()) pending.emplace_back(sublayer.get(), depth + 1);
        if (layer->mask()) pending.emplace_back(layer->mask().get(), depth + 1);
    }
    return facts;
}

TEST(LayerBuildLimits, DocumentsPastALimitStopOrBuildWhatFitsAndSaySoOnce) {
    struct Case {
        const char* name;
        std::string json;
        const char* issue;  // a distinctive part of the one issue; none within the limits
        std::function<void(const TreeFacts&)> check;
    };
    const Case cases[] = {
        {"a parent chain of 250", document(parentChain(250)), nullptr,
         [](const TreeFacts& facts) { EXPECT_EQ(facts.transformLayers, 249u); }},
        // A parent that blends is blended with each child on its own.
        {"blending parents are not shared", document(parentChain(3, R"(,"bm":1)")), nullptr,
         [](const TreeFacts& facts) { EXPECT_EQ(facts.transformLayers, 3u); }},
        // A drop shadow falls outside every transform of its layer's chain,
        // which is then its own.
        {"a shadowed layer and its sibling under one parent",
         document(solid(1) + "," +
                  solid(3, R"(,"parent":1,"sy":[{"ty":1,"nm":"Style","c":{"k":[1,0,0,1]},"o":{"k":75},"a":{"k":0},)"
                           R"("s":{"k":10},"d":{"k":5}}])") +
                  "," + solid(2, R"(,"parent":1)")),
         nullptr, [](const TreeFacts& facts) { EXPECT_EQ(facts.transformLayers, 2u); }},
        {"a parent chain of 4,000", document(parentChain(4000)), "nest more than 560 deep",
         [](const TreeFacts& facts) {
             EXPECT_LE(facts.depth, 600u);
             EXPECT_LE(facts.transformLayers, 300u);
         }},
        // At the deepest depth built, and one level past it.
        {"a matted layer under 279 parents", mattedUnderParents(279), nullptr,
         [](const TreeFacts& facts) { EXPECT_EQ(facts.names.count("Deepest"), 1u); }},
        {"a layer under 280 parents", document(parentChain(281)), "nest more than 560 deep",
         [](const TreeFacts& facts) { EXPECT_EQ(facts.transformLayers, 279u); }},
        {"precompositions 100 deep", deepPrecompositions(100), nullptr,
         [](const TreeFacts& facts) { EXPECT_GT(facts.depth, 100u); }},
        {"precompositions 6,000 deep", deepPrecompositions(6000), "nest more than 100 levels",
         [](const TreeFacts& facts) { EXPECT_LE(facts.depth, 300u); }},
        {"200 solids referenced 200 times",
         document(listOf(200, [](int index) { return precomposition("many", index); }),
                  R"([{"id":"many","layers":[)" + listOf(200, [](int index) { return solid(index); }) + "]}]"),
         "more than 30000 layers", [](const TreeFacts& facts) { EXPECT_LE(facts.layers, 4u * 30'000); }},
        {"repeaters 300 x 300", nestedRepeaters(300, 300), "more than 30000 layers",
         [](const TreeFacts& facts) { EXPECT_LE(facts.repeaterCopies, 30'000u); }},
        // Cutting masks mask each other by halves.
        {"16 subtracting masks",
         document(solid(1, R"(,"hasMask":true,"masksProperties":[)" +
                               maskList(16, [](int index) { return index == 1 ? "a" : "s"; }) + "]")),
         nullptr,
         [](const TreeFacts& facts) {
             EXPECT_EQ(facts.maskLayers, 16u);
             EXPECT_LE(facts.depth, 14u);
         }},
        {"25,000 subtracting masks",
         document(solid(1, R"(,"hasMask":true,"masksProperties":[)" +
                               maskList(25'000, [](int index) { return index == 1 ? "a" : "s"; }) + "]")),
         "more masks than", [](const TreeFacts& facts) { EXPECT_EQ(facts.maskLayers, 16u); }},
        {"masks that switch between adding and cutting 100 times",
         document(solid(1, R"(,"hasMask":true,"masksProperties":[)" +
                               maskList(200, [](int index) { return index % 2 ? "a" : "s"; }) + "]")),
         "more masks than", [](const TreeFacts& facts) {
             EXPECT_EQ(facts.maskLayers, 16u);
             EXPECT_LE(facts.depth, 30u);
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto animation = LottieAnimation::fromData(test.json, DecodingStrategy::dictionaryBased);
        ASSERT_TRUE(animation);
        MessageLog log;
        if (test.issue) {
            EXPECT_THROW(rootLayer(animation, log.tracker(Mode::abort), log), CompatibilityTracker::Error);
        }
        const auto tracker = log.tracker(Mode::track);
        const auto root = rootLayer(animation, tracker, log);
        std::vector<std::string> issues;
        for (const auto& issue : tracker->issues()) issues.push_back(issue.message);
        if (test.issue) {
            ASSERT_EQ(issues.size(), 1u);
            EXPECT_NE(issues[0].find(test.issue), std::string::npos) << issues[0];
        } else {
            EXPECT_TRUE(issues.empty()) << (issues.empty() ? "" : issues[0]);
        }
        test.check(factsOf(*root));
        // Installing the animations walks the whole tree.
        root->setCurrentFrame(10);
        root->displayIfNeeded();
    }
}

}  // namespace
