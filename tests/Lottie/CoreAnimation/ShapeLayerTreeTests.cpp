// How the shape items of a shape layer become layers on the Core Animation
// engine: render groups cut by fills and trims, fills and strokes shared or
// apart, merged paths, inherited items and their stroke widths, repeater
// copies, gradient sublayers, and the counts a repeater cannot have.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Lottie/CoreAnimation/RepeaterLayer.h"
#include "Lottie/CoreAnimation/ShapeGrouping.h"
#include "Lottie/CoreAnimation/ShapeItemLayer.h"
#include "Lottie/CoreAnimation/ShapeLevelLayout.h"
#include "Lottie/CoreAnimation/TrimmedPathAnimation.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"
#include "Lottie/Model/ShapeItems/CombinedShapeItem.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "Platform/Compositor/PathTrimmer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"
#include "tests/Lottie/CoreAnimation/ShapeLayerDump.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;

namespace {

std::string staticValue(const std::string& value) { return R"({"a":0,"k":)" + value + "}"; }

std::string path(const char* name) {
    return R"({"ty":"sh","nm":")" + std::string(name) +
           R"(","ks":{"a":0,"k":{"c":true,"v":[[0,0],[10,0],[10,10]],"i":[[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0]]}}})";
}
std::string rectangle(const char* name) {
    return R"({"ty":"rc","nm":")" + std::string(name) + R"(","p":{"a":0,"k":[5,5]},"s":{"a":0,"k":[10,10]},"r":{"a":0,"k":0}})";
}
std::string fill(const char* name, int opacity = 100) {
    return R"({"ty":"fl","nm":")" + std::string(name) + R"(","c":{"a":0,"k":[1,0,0,1]},"o":)" +
           staticValue(std::to_string(opacity)) + R"(,"r":1})";
}
std::string stroke(const char* name, int width = 4) {
    return R"({"ty":"st","nm":")" + std::string(name) + R"(","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":)" +
           staticValue(std::to_string(width)) + R"(,"lc":1,"lj":1,"ml":4})";
}
std::string trim(const char* name) {
    return R"({"ty":"tm","nm":")" + std::string(name) + R"(","s":{"a":0,"k":0},"e":{"a":0,"k":50},"o":{"a":0,"k":0},"m":1})";
}
// `stops` is the animatable value of the gradient's data.
std::string gradientFill(const char* name, const std::string& stops) {
    return R"({"ty":"gf","nm":")" + std::string(name) +
           R"(","o":{"a":0,"k":100},"r":1,"t":1,"s":{"a":0,"k":[0,0]},"e":{"a":0,"k":[10,0]},"g":{"p":2,"k":)" + stops +
           "}}";
}
std::string transform(const std::string& scale) {
    return R"({"ty":"tr","nm":"Transform","p":{"a":0,"k":[0,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":)" + scale +
           R"(},"r":{"a":0,"k":0},"o":{"a":0,"k":100}})";
}
std::string repeater(const std::string& copies) {
    return R"({"ty":"rp","nm":"Repeater","c":)" + copies +
           R"(,"o":{"a":0,"k":0},"m":1,"tr":{"ty":"tr","p":{"a":0,"k":[10,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":30},"so":{"a":0,"k":100},"eo":{"a":0,"k":100}}})";
}
std::string group(const char* name, const std::vector<std::string>& items) {
    std::string list;
    for (const std::string& item : items) list += (list.empty() ? "" : ",") + item;
    return R"({"ty":"gr","nm":")" + std::string(name) + R"(","it":[)" + list + "]}";
}

class ShapeLayerTreeTest : public ::testing::Test {
protected:
    // The dump of the shape layer's contents for these top-level items.
    std::string dump(const std::vector<std::string>& items, bool itemContents = false) {
        std::string list;
        for (const std::string& item : items) list += (list.empty() ? "" : ",") + item;
        const auto animation = emptyAnimation(
            0, 60, 30, R"({"ty":4,"nm":"Shapes","ind":1,"ip":0,"op":60,"st":0,"ks":{},"shapes":[)" + list + "]}");
        context.animation = animation;
        context.tracker = log.tracker();
        auto model = std::dynamic_pointer_cast<const ShapeLayerModel>(animation->layers.front());
        auto layer = ShapeLayer::make(model, context.forLayerNamed("Shapes"));
        std::string out;
        for (const auto& sublayer : layer->contentsLayer()->sublayers()) {
            dumpShapeLayer(*sublayer, 0, "", itemContents, out);
        }
        return out;
    }

    MessageLog log;
    LayerContext context;
};

TEST_F(ShapeLayerTreeTest, RegroupingEdgeCases) {
    struct Case {
        const char* name;
        std::vector<std::string> items;
        const char* expected;
    };
    const std::vector<Case> cases = {
        // The unnamed group around a level's loose items holds nothing of its
        // own without a transform: its layers take its place.
        {"top-level rectangle and fill", {rectangle("R"), fill("F")}, "ShapeItemLayer R: F\n"},
        {"top-level rectangle, fill and transform",
         {rectangle("R"), fill("F"),
          R"({"ty":"tr","p":{"a":0,"k":[5,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"o":{"a":0,"k":50}})"},
         "GroupLayer \"\"\n  ShapeItemLayer R: F\n"},
        {"two fills share the path without child groups", {group("G", {path("A"), fill("F1"), fill("F2")})},
         "GroupLayer \"G\"\n  ShapeItemLayer A: F2\n  ShapeItemLayer A: F1\n"},
        {"opaque stroke above fill: one layer", {group("G", {path("A"), stroke("S"), fill("F")})},
         "GroupLayer \"G\"\n  ShapeItemLayer A: S F\n"},
        {"translucent fill: the stroke on its own layer above",
         {group("G", {path("A"), stroke("S"), fill("F", 50)})},
         "GroupLayer \"G\"\n  ShapeItemLayer A: F\n  ShapeItemLayer A: S\n"},
        {"fill above stroke: the stroke below", {group("G", {path("A"), fill("F"), stroke("S")})},
         "GroupLayer \"G\"\n  ShapeItemLayer A: S\n  ShapeItemLayer A: F\n"},
        {"a trim cuts the paths before it off", {group("G", {path("A"), trim("T"), path("B"), stroke("S")})},
         "GroupLayer \"G\"\n  ShapeItemLayer B: S\n  ShapeItemLayer A: S T\n"},
        {"custom paths merged", {group("G", {path("A"), path("B"), path("C"), fill("F")})},
         "GroupLayer \"G\"\n  ShapeItemLayer G: F\n"},
        {"paths under a trim merged, the trim cutting each", {group("G", {path("A"), path("B"), trim("T"), stroke("S")})},
         "GroupLayer \"G\"\n  ShapeItemLayer G: S T\n"},
        {"a fill after still child groups draws their paths at its level",
         {group("G", {group("G1", {path("A")}), group("G2", {path("B")}), fill("F")})},
         "GroupLayer \"G\"\n  ShapeItemLayer G: F\n  GroupLayer \"G2\"\n  GroupLayer \"G1\"\n"},
        {"a repeater in a group draws its copies only",
         {group("G", {path("A"), fill("F"), repeater(staticValue("3"))})},
         "GroupLayer \"G\"\n  RepeaterLayer\n    ShapeItemLayer A: F\n  RepeaterLayer\n"
         "    ShapeItemLayer A: F\n  RepeaterLayer\n    ShapeItemLayer A: F\n"},
        {"items after a repeater are drawn once, above the copies",
         {group("G", {path("A"), fill("F"), repeater(staticValue("1")), rectangle("R"), fill("F2")})},
         "GroupLayer \"G\"\n  RepeaterLayer\n    ShapeItemLayer A: F\n  ShapeItemLayer R: F2\n"},
        {"a top-level repeater", {path("A"), fill("F"), repeater(staticValue("2"))},
         "RepeaterLayer\n  ShapeItemLayer A: F\nRepeaterLayer\n  ShapeItemLayer A: F\n"},
        {"paths without fill or stroke draw nothing", {group("G", {path("A")})}, "GroupLayer \"G\"\n"},
    };
    for (const Case& entry : cases) {
        EXPECT_EQ(dump(entry.items), entry.expected) << entry.name;
    }
}

TEST_F(ShapeLayerTreeTest, GradientFillsAndStrokesBuildTheirMaskedLayers) {
    // Opacity stops that move from keyframe to keyframe get an alpha layer.
    const std::string moving = R"({"a":1,"k":[{"t":0,"s":[0,1,0,0,1,0,0,1,0,1,1,0.5],"i":{"x":[1],"y":[1]},)"
                               R"("o":{"x":[0],"y":[0]}},{"t":10,"s":[0,1,0,0,1,0,0,1,0.5,1,1,0.5]}]})";
    EXPECT_EQ(dump({rectangle("R"), gradientFill("GF", moving), stroke("S")}, true),
              "ShapeItemLayer R: S\nShapeItemLayer R: GF\n  BaseAnimationLayer\n    GradientRenderLayer\n"
              "      mask: GradientRenderLayer\n    mask: CAShapeLayer\n");
    // Translucent opacity stops that stay put are merged into the colour layer's
    // stops, and opacity stops that are all opaque are left out: no alpha layer.
    EXPECT_EQ(dump({rectangle("R"), gradientFill("GF", staticValue("[0,1,0,0,1,0,0,1,0,1,1,0.5]"))}, true),
              "ShapeItemLayer R: GF\n  BaseAnimationLayer\n    GradientRenderLayer\n    mask: CAShapeLayer\n");
    EXPECT_EQ(dump({rectangle("R"), gradientFill("GF", staticValue("[0,1,0,0,1,0,0,1,0,1,1,1]"))}, true),
              "ShapeItemLayer R: GF\n  BaseAnimationLayer\n    GradientRenderLayer\n    mask: CAShapeLayer\n");
    // An opaque stroke over the gradient fill is drawn by the same item layer,
    // in a shape layer over the masked gradient; without one there is no such
    // layer, which would be an empty sublayer to every frame.
    EXPECT_EQ(dump({rectangle("R"), stroke("S"), gradientFill("GF", staticValue("[0,1,0,0,1,0,0,1,0,1,1,1]"))}, true),
              "ShapeItemLayer R: S GF\n  BaseAnimationLayer\n    GradientRenderLayer\n    mask: CAShapeLayer\n"
              "  CAShapeLayer\n");
}

TEST_F(ShapeLayerTreeTest, RepeaterCountsThatCannotBeCopiedGiveNoCopiesOrAreCapped) {
    struct Case {
        const char* name;
        std::string copies;
        int expected;
        std::size_t issues;
    };
    const std::vector<Case> cases = {
        {"three", staticValue("3"), 3, 0},
        {"truncated", staticValue("2.9"), 2, 0},
        {"zero", staticValue("0"), 0, 0},
        {"negative", staticValue("-4"), 0, 0},
        {"huge", staticValue("1e300"), ShapeGrouping::maximumCopies, 0},
        {"animated", R"({"a":1,"k":[{"t":0,"s":[2],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":10,"s":[5]}]})", 2, 1},
        {"no keyframes", R"({"a":1,"k":[]})", 0, 1},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        auto item = decodedItem<Repeater>(repeater(entry.copies));
        ASSERT_TRUE(item);
        EXPECT_EQ(ShapeGrouping::copyCount(*item), entry.expected);
        if (entry.expected > 10) continue;
        const std::string tree = dump({path("A"), fill("F"), repeater(entry.copies)});
        std::size_t copies = 0;
        for (std::size_t at = tree.find("RepeaterLayer"); at != std::string::npos; at = tree.find("RepeaterLayer", at + 1)) ++copies;
        EXPECT_EQ(copies, static_cast<std::size_t>(entry.expected));
        EXPECT_EQ(context.tracker->issues().size(), entry.issues);
    }
}

// A trim applied individually runs along the paths of the groups before it,
// which separate group layers cannot share: reported so that the main-thread
// engine draws it. One applied simultaneously, or one before the groups, is not.
TEST_F(ShapeLayerTreeTest, TrimsAppliedIndividuallyOverNestedGroupsAreIssues) {
    const auto individually = [](const char* name) {
        std::string json = trim(name);
        json.replace(json.find(R"("m":1)"), 5, R"("m":2)");
        return json;
    };
    struct Case {
        const char* name;
        std::vector<std::string> items;
        bool reported;
    };
    const std::vector<Case> cases = {
        {"individually after a group", {group("G", {path("A"), stroke("S")}), individually("T")}, true},
        {"individually after a group inside a group",
         {group("Outer", {group("Inner", {path("A"), stroke("S")}), path("B"), individually("T"), stroke("S2")})},
         true},
        {"individually over paths of its own level", {path("A"), path("B"), individually("T"), stroke("S")}, false},
        {"individually before the group", {individually("T"), group("G", {path("A"), stroke("S")})}, false},
        {"individually after a group without paths", {group("G", {stroke("S")}), path("A"), individually("T")}, false},
        {"simultaneously after a group", {group("G", {path("A"), stroke("S")}), trim("T")}, false},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        dump(entry.items);
        const auto& issues = context.tracker->issues();
        const bool reported = std::ranges::any_of(issues, [](const auto& issue) {
            return issue.message == ShapeGrouping::individualTrimOverGroupsIssue;
        });
        EXPECT_EQ(reported, entry.reported);
    }
}

TEST_F(ShapeLayerTreeTest, FillsAndStrokesDrawThePathsBeforeThemInTheirPlaceOrAreIssues) {
    const std::string moving =
        R"({"ty":"tr","p":{"a":1,"k":[{"t":0,"s":[0,0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":10,"s":[5,0]}]},)"
        R"("a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"o":{"a":0,"k":100}})";
    std::string fading = moving;
    fading.replace(fading.find(R"("o":{"a":0,"k":100})"), 19, R"("o":{"a":0,"k":50})");
    std::string individually = trim("T");
    individually.replace(individually.find(R"("m":1)"), 5, R"("m":2)");
    std::string whole = trim("T2");
    whole.replace(whole.find(R"("e":{"a":0,"k":50})"), 18, R"("e":{"a":0,"k":100})");
    const std::string rounded = R"({"ty":"rd","nm":"R","r":{"a":0,"k":4}})";
    std::string translucent = stroke("S");
    translucent.replace(translucent.find(R"("o":{"a":0,"k":100})"), 19, R"("o":{"a":0,"k":50})");
    struct Case {
        const char* name;
        std::vector<std::string> items;
        const char* expected;
        const char* issue;
    };
    const std::vector<Case> cases = {
        {"a stroke draws only the paths before it", {group("G", {path("A"), stroke("S1"), path("B"), stroke("S2")})},
         "GroupLayer \"G\"\n  ShapeItemLayer G: S2\n  ShapeItemLayer A: S1\n", nullptr},
        {"an opaque stroke after child groups is handed down to them",
         {group("G", {group("G1", {path("A")}), group("G2", {path("B")}), stroke("S")})},
         "GroupLayer \"G\"\n  GroupLayer \"G2\"\n    ShapeItemLayer B: S\n  GroupLayer \"G1\"\n    ShapeItemLayer A: S\n",
         nullptr},
        {"own paths and their fill lie below an earlier group",
         {group("G", {group("G1", {path("A"), fill("F1")}), path("B"), fill("F2")})},
         "GroupLayer \"G\"\n  ShapeItemLayer G: F2\n  GroupLayer \"G1\"\n    ShapeItemLayer A: F1\n", nullptr},
        {"a fill over own paths and a moving group",
         {group("G", {group("G1", {path("A"), moving}), path("B"), fill("F")})}, "GroupLayer \"G\"\n  GroupLayer \"G1\"\n",
         ShapeLevelLayout::pathsOfGroupsAndLevelIssue},
        {"a fill over a moving group that fades", {group("G", {group("G1", {path("A"), fading}), fill("F")})},
         "GroupLayer \"G\"\n  GroupLayer \"G1\"\n", ShapeLevelLayout::fadedGroupIssue},
        {"a translucent stroke over two groups, one moving",
         {group("G", {group("G1", {path("A"), moving}), group("G2", {path("B")}), translucent})},
         "GroupLayer \"G\"\n  GroupLayer \"G2\"\n  GroupLayer \"G1\"\n", ShapeLevelLayout::pathsOfSeveralGroupsIssue},
        {"a trim that cuts nothing after another",
         {group("G", {path("A"), trim("T1"), whole, stroke("S")})}, "GroupLayer \"G\"\n  ShapeItemLayer A: S T1 T2\n",
         nullptr},
        {"a fill over overlapping paths that rounded corners draw apart",
         {group("G", {rectangle("R"), path("A"), rounded, fill("F")})}, nullptr, ShapeLevelLayout::splitFillIssue},
        {"rounded corners after a trim", {group("G", {path("A"), trim("T"), rounded, stroke("S")})}, nullptr,
         ShapeLevelLayout::roundedAfterTrimIssue},
        {"a trim applied individually to paths that two strokes draw",
         {group("G", {path("A"), stroke("S1"), path("B"), individually, stroke("S2")})},
         "GroupLayer \"G\"\n  ShapeItemLayer G: S2 T\n",
         ShapeLevelLayout::partlyDrawnIndividualTrimIssue},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        const std::string out = dump(entry.items);
        if (entry.expected) {
            EXPECT_EQ(out, entry.expected);
        }
        const auto& issues = context.tracker->issues();
        EXPECT_EQ(std::ranges::any_of(issues, [&](const auto& issue) { return entry.issue && issue.message == entry.issue; }),
                  entry.issue != nullptr);
        if (!entry.issue) {
            EXPECT_TRUE(issues.empty());
        }
    }
}

// Each level of nested groups hands down what the groups below it draw with,
// not its own transform: the groups of any depth keep their own items and the
// few inherited ones, and no group takes its parent's transform for its own.
// A level's fill is drawn once, over the innermost square, in a layer of the
// groups below it that carries their transforms and not their opacity.
TEST_F(ShapeLayerTreeTest, NestedGroupsInheritWhatTheyDrawWithButNoTransform) {
    struct Case {
        const char* name;
        std::vector<std::string> extra;  // items after each level's inner group
        std::size_t fills;               // drawn over the innermost square
    };
    const Case cases[] = {
        {"transforms alone", {transform("[100,100]")}, 0},
        {"a fill at each level", {fill("F"), transform("[100,100]")}, 40},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::string items = group("Inner", {rectangle("R"), transform("[100,100]")});
        for (int level = 0; level < 40; ++level) {
            std::vector<std::string> list{items};
            list.insert(list.end(), test.extra.begin(), test.extra.end());
            items = group("G", list);
        }
        const auto animation =
            emptyAnimation(0, 60, 30, R"({"ty":4,"nm":"Shapes","ind":1,"ip":0,"op":60,"st":0,"ks":{},"shapes":[)" + items + "]}");
        context.animation = animation;
        context.tracker = log.tracker();
        auto layer = ShapeLayer::make(std::dynamic_pointer_cast<const ShapeLayerModel>(animation->layers.front()),
                                      context.forLayerNamed("Shapes"));
        std::vector<const GroupLayer*> innermost;
        std::vector<const platform::compositor::Layer*> pending{layer->contentsLayer()};
        while (!pending.empty()) {
            const platform::compositor::Layer* level = pending.back();
            pending.pop_back();
            for (const auto& sublayer : level->sublayers()) pending.push_back(sublayer.get());
            const auto* group = dynamic_cast<const GroupLayer*>(level);
            if (group && group->group().name() == "Inner") innermost.push_back(group);
        }
        ASSERT_FALSE(innermost.empty());
        std::size_t fills = 0;
        for (const GroupLayer* inner : innermost) {
            // Its rectangle and its own transform, then what it inherits.
            ASSERT_GE(inner->items().size(), 2u);
            EXPECT_EQ(inner->items()[1].item->type(), ShapeType::transform);
            EXPECT_TRUE(std::ranges::none_of(inner->items().begin() + 2, inner->items().end(), [](const auto& item) {
                return item.item->type() == ShapeType::transform;
            }));
            fills += static_cast<std::size_t>(inner->items().end() - inner->items().begin() - 2);
        }
        EXPECT_EQ(fills, test.fills);
    }
}

TEST_F(ShapeLayerTreeTest, InheritedStrokesTakeTheGroupsScale) {
    struct Case {
        const char* name;
        std::string scale;
        double width;
        std::size_t issues;
    };
    const std::vector<Case> cases = {
        {"doubled", "[200,200]", 2, 0},
        {"uneven", "[200,100]", 2, 1},
        {"scaled to nothing keeps a finite width", "[0,0]", 4, 0},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        context.tracker = log.tracker();
        auto strokeItem = shapetests::byDictionary(stroke("S"));
        const Group scaled({shapetests::byDictionary(transform(entry.scale))}, std::string("G"));
        const ShapeItemReference result = GroupLayer::scaledForGroup({strokeItem, ContextKeypath().adding("Outer")}, scaled, context);
        const auto& width = dynamic_cast<const Stroke&>(*result.item).width()->keyframes();
        ASSERT_EQ(width.size(), 1u);
        EXPECT_EQ(width.front().value().value, entry.width);
        EXPECT_EQ(result.groupNames(), std::vector<std::string>{"Outer"});
        ASSERT_EQ(context.tracker->issues().size(), entry.issues);
        if (entry.issues) {
            EXPECT_EQ(context.tracker->issues().front().message,
                      "The Core Animation rendering engine doesn't support applying separate x/y scale values (x: "
                      "200.0, y: 100.0) to this stroke item (S).");
        }
    }
}

TEST(RepeaterCopyTransform, PositionAndRotationGrowWithTheCopyScaleDoesNot) {
    auto item = decodedItem<Repeater>(repeater(staticValue("3")));
    ASSERT_TRUE(item);
    for (int index = 0; index < 3; ++index) {
        const RepeaterTransform copy(*item, index);
        EXPECT_EQ(copy.position()->keyframes().front().value().x, 10.0 * index);
        EXPECT_EQ(copy.rotationZ()->keyframes().front().value().value, 30.0 * index);
        EXPECT_EQ(copy.scale()->keyframes().front().value().x, 100);
    }
}

TEST(RepeaterCopyOpacity, StepsFromTheStartOpacityToTheEndOpacityOverTheCopies) {
    const std::string fading = R"({"a":1,"k":[{"t":0,"s":[0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":10,"s":[100]}]})";
    struct Case {
        std::string startOpacity;
        std::string endOpacity;
        int index;
        int copies;
        // The copy's opacity at each keyframe; none when the copy stays opaque.
        std::vector<double> expected;
    };
    const std::vector<Case> cases = {
        {staticValue("100"), staticValue("40"), 0, 3, {100}},
        {staticValue("100"), staticValue("40"), 1, 3, {70}},
        {staticValue("100"), staticValue("40"), 2, 3, {40}},
        {staticValue("20"), staticValue("80"), 3, 5, {65}},
        {staticValue("60"), staticValue("10"), 0, 1, {60}},
        {staticValue("100"), staticValue("100"), 1, 3, {}},
        {fading, staticValue("100"), 0, 2, {0, 100}},
        {fading, staticValue("50"), 1, 2, {50, 50}},
    };
    for (const Case& entry : cases) {
        std::string json = repeater(staticValue("3"));
        json.replace(json.find(R"("so":)") + 5, staticValue("100").size(), entry.startOpacity);
        json.replace(json.find(R"("eo":)") + 5, staticValue("100").size(), entry.endOpacity);
        const auto item = decodedItem<Repeater>(json);
        ASSERT_TRUE(item) << json;
        const auto opacity = RepeaterLayer::copyOpacity(*item, entry.index, entry.copies);
        std::vector<double> values;
        if (opacity) {
            for (const auto& keyframe : opacity->keyframes()) values.push_back(keyframe.value().value);
        }
        EXPECT_EQ(values, entry.expected) << json << " copy " << entry.index << " of " << entry.copies;
    }
}

class ShapeItemLayerChecks : public ClockTest {};

TEST_F(ShapeItemLayerChecks, ItemsThatAreNoPathAndTrimmedFillsAreIssues) {
    LayerContext context;
    context.tracker = log.tracker();
    const auto item = [](const std::string& json) { return ShapeItemReference{shapetests::byDictionary(json), {}}; };
    // A fill where the path should be, and a path among the styling items: each reported once.
    ShapeItemLayer::make(item(fill("F")), {item(path("A"))}, context);
    ASSERT_EQ(context.tracker->issues().size(), 2u);
    EXPECT_EQ(context.tracker->issues()[0].message, ShapeItemLayer::notOnePathMessage);

    // A trim that changes the path next to a fill is reported when the animations are installed; a
    // trim from 0 to 100 is not.
    const auto animation = emptyAnimation(0, 60, 30);
    for (const auto& [trimJson, issues] : std::vector<std::pair<std::string, std::size_t>>{
             {trim("T"), 1},
             {R"({"ty":"tm","nm":"T","s":{"a":0,"k":0},"e":{"a":0,"k":100},"o":{"a":0,"k":45},"m":1})", 0}}) {
        const LayerAnimationContext animationContext = rootContext(animation, log.logger(), 0, 60);
        auto layer = ShapeItemLayer::make(item(path("A")), {item(trimJson), item(fill("F"))}, context);
        layer->setupAnimations(animationContext);
        EXPECT_EQ(animationContext.tracker->issues().size(), issues) << trimJson;
        // The trim is cut into the path itself: half the triangle's outline, or all of it.
        const double outline = 20 + std::sqrt(200.0);
        const auto shown = presentedAtFrame(*layer->solidFillLayer(), "path", 30, 0, 60, 0, clock->now());
        const auto* path = shown ? shown->get<platform::graphics::Path>() : nullptr;
        ASSERT_TRUE(path) << trimJson;
        EXPECT_NEAR(platform::compositor::PathTrimmer::length(*path), issues == 1 ? outline / 2 : outline, 1e-6)
            << trimJson;
    }
}

// A trimmed path is sampled at every frame over its keyframes, which costs
// memory in proportion: a trim animated over a longer span than the samples
// allow is cut by the compositor instead, from stroke-start and stroke-end.
TEST_F(ShapeItemLayerChecks, TrimsAnimatedOverTooLongASpanAreCutByTheCompositor) {
    LayerContext context;
    context.tracker = log.tracker();
    const auto item = [](const std::string& json) { return ShapeItemReference{shapetests::byDictionary(json), {}}; };
    const double longest = double(TrimmedPathAnimation::maximumSamples);
    struct Case {
        const char* name;
        double lastKeyframe;
        bool sampled;
    };
    const std::vector<Case> cases = {
        {"a second", 30, true},
        {"at the limit", longest - 2, true},
        {"past the limit", longest + 10, false},
    };
    const auto animation = emptyAnimation(0, 60, 30);
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        const std::string trimJson =
            R"({"ty":"tm","nm":"T","s":{"a":0,"k":0},"o":{"a":0,"k":0},"m":1,"e":{"a":1,"k":[{"t":0,"s":[10],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":)" +
            std::to_string(entry.lastKeyframe) + R"(,"s":[90]}]}})";
        auto layer = ShapeItemLayer::make(item(path("A")), {item(trimJson), item(stroke("S"))}, context);
        // Every play and seek installs the animations again, from the paths cut the first time.
        for (int installation = 0; installation < 2; ++installation) {
            layer->solidFillLayer()->removeAllAnimations();
            layer->setupAnimations(rootContext(animation, log.logger(), 0, 60));
            EXPECT_EQ(layer->solidFillLayer()->animation("strokeEnd") == nullptr, entry.sampled);
            EXPECT_TRUE(layer->solidFillLayer()->animation("path"));
        }
        // Two paths merged into one: the compositor would trim them as one
        // length, where this trim cuts each path on its own.
        const ShapeItemReference a = item(path("A"));
        const ShapeItemReference b = item(path("B"));
        std::vector<BezierPath> both = {dynamic_cast<const Shape&>(*a.item).path()->keyframes().front().value(),
                                        dynamic_cast<const Shape&>(*b.item).path()->keyframes().front().value()};
        const ShapeItemReference merged{
            std::make_shared<const CombinedShapeItem>(
                std::make_shared<const KeyframeGroup<std::vector<BezierPath>>>(std::move(both)), "G"),
            {}};
        auto mergedLayer = ShapeItemLayer::make(merged, {item(trimJson), item(stroke("S"))}, context, {a, b});
        auto installContext = rootContext(animation, log.logger(), 0, 60);
        mergedLayer->setupAnimations(installContext);
        const auto& issues = installContext.tracker->issues();
        EXPECT_EQ(std::ranges::any_of(issues,
                                      [](const auto& issue) {
                                          return issue.message == ShapeItemLayer::mergedSimultaneousTrimMessage;
                                      }),
                  !entry.sampled);
    }
}

// A trim held still part way, then moving: every frame of the hold shows the
// held length, not a step towards where the trim goes next.
TEST_F(ShapeItemLayerChecks, ATrimHeldPartWayShowsTheHeldLengthUntilItMoves) {
    LayerContext context;
    context.tracker = log.tracker();
    const auto item = [](const std::string& json) { return ShapeItemReference{shapetests::byDictionary(json), {}}; };
    const std::string trimJson =
        R"({"ty":"tm","nm":"T","s":{"a":0,"k":0},"o":{"a":0,"k":0},"m":1,"e":{"a":1,"k":[)"
        R"({"t":0,"s":[50],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},)"
        R"({"t":10,"s":[50],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":20,"s":[100]}]}})";
    auto layer = ShapeItemLayer::make(item(path("A")), {item(trimJson), item(stroke("S"))}, context);
    const auto animation = emptyAnimation(0, 60, 30);
    layer->setupAnimations(rootContext(animation, log.logger(), 0, 60));
    const double outline = 20 + std::sqrt(200.0);
    const struct {
        double frame, shown;  // the fraction of the outline shown
    } cases[] = {{0, 0.5}, {3, 0.5}, {5, 0.5}, {10, 0.5}, {15, 0.75}, {20, 1}};
    for (const auto& c : cases) {
        const auto shown = presentedAtFrame(*layer->solidFillLayer(), "path", 30, 0, 60, c.frame, clock->now());
        const auto* path = shown ? shown->get<platform::graphics::Path>() : nullptr;
        ASSERT_TRUE(path) << c.frame;
        EXPECT_NEAR(platform::compositor::PathTrimmer::length(*path), c.shown * outline, 1e-6) << c.frame;
    }
}

class GroupLayerAnimations : public ClockTest {};

TEST_F(GroupLayerAnimations, AGroupCarriesItsTransformsSkewAndOpacity) {
    LayerContext context;
    context.tracker = log.tracker();
    const auto animation = emptyAnimation(0, 60, 30);
    struct Case {
        const char* name;
        std::string transform;
        bool matrix;
    };
    const std::vector<Case> cases = {
        {"skewed",
         R"({"ty":"tr","p":{"a":0,"k":[10,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"o":{"a":0,"k":50},"sk":{"a":0,"k":10},"sa":{"a":0,"k":0}})",
         true},
        {"plain", transform("[100,100]"), false},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        auto model = decodedItem<Group>(group("G", {rectangle("R"), fill("F"), entry.transform}));
        ASSERT_TRUE(model);
        auto layer = GroupLayer::make(model, {}, {}, context);
        layer->setupAnimations(rootContext(animation, log.logger(), 0, 60));
        // Static values go straight onto the layer: a skew shows in the matrix's
        // off-diagonal, a plain transform leaves it alone; the opacity applies either way.
        const auto matrix = layer->value("transform");
        ASSERT_TRUE(matrix && matrix->get<platform::graphics::Transform3D>());
        EXPECT_EQ(matrix->get<platform::graphics::Transform3D>()->m21 != 0, entry.matrix);
        EXPECT_EQ(layer->opacity(), entry.matrix ? 0.5 : 1);
    }
}

}  // namespace
