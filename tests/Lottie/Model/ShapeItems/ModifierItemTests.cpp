#include <gtest/gtest.h>

#include "Lottie/Model/Protocols/RepeaterTransform.h"
#include "Lottie/Model/ShapeItems/CombinedShapeItem.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Model/ShapeItems/Merge.h"
#include "Lottie/Model/ShapeItems/Repeater.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using lottie::LottieVector1D;
using lottie::LottieVector3D;

namespace {

TEST(ModifierItems, GroupKeepsKnownItemsInOrder) {
    const std::string item = R"({"ty":"gr","it":[{"ty":"mm","mm":1,"nm":"first"},{"ty":"zz","nm":"odd"},)"
                             R"({"ty":"rd","r":{"k":2},"nm":"last"}]})";
    auto dictionary = as<lottie::Group>(byDictionary(item));
    ASSERT_EQ(dictionary->items().size(), 2u);
    EXPECT_EQ(dictionary->items()[0]->name(), "first");
    EXPECT_EQ(dictionary->items()[1]->name(), "last");
    auto keyed = as<lottie::Group>(byKeyed(item));
    ASSERT_EQ(keyed->items().size(), 3u);
    EXPECT_EQ(keyed->items()[1]->type(), lottie::ShapeType::unknown);
    // Every nested item writes its own keys.
    platform::json::Value encoded = encode(*dictionary);
    const auto& items = *encoded.find("it")->asArray();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(keysOf(items[1]), (std::vector<std::string>{"nm", "ty", "hd", "r"}));
}

TEST(ModifierItems, MergeModes) {
    for (int mode = 0; mode <= 5; ++mode) {
        const std::string item = R"({"ty":"mm","mm":)" + std::to_string(mode) + "}";
        for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
            EXPECT_EQ(static_cast<int>(as<lottie::Merge>(decoded)->mode()), mode);
        }
    }
}

TEST(ModifierItems, TrimTypeDefaultsToIndividually) {
    const std::string keys = R"("ty":"tm","s":{"k":10},"e":{"k":90},"o":{"k":180})";
    struct Case {
        const char* member;
        lottie::TrimType expected;
    };
    for (const Case& testCase : {Case{"", lottie::TrimType::individually}, Case{R"("m":null)", lottie::TrimType::individually},
                                 Case{R"("m":1)", lottie::TrimType::simultaneously},
                                 Case{R"("m":2)", lottie::TrimType::individually}}) {
        const std::string item = object({keys, testCase.member});
        SCOPED_TRACE(item);
        for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
            auto trim = as<lottie::Trim>(decoded);
            EXPECT_EQ(trim->trimType(), testCase.expected);
            EXPECT_EQ(staticValue(trim->start()), 10);
            EXPECT_EQ(staticValue(trim->end()), 90);
            EXPECT_EQ(staticValue(trim->offset()), 180);
            platform::json::Value encoded = encode(*trim);
            EXPECT_EQ(keysOf(encoded), (std::vector<std::string>{"nm", "ty", "hd", "s", "e", "o", "m"}));
            EXPECT_EQ(*encoded.find("m"), platform::json::Value::integer(static_cast<int>(testCase.expected)));
        }
    }
}

TEST(ModifierItems, RoundedCornersRadius) {
    const std::string item = R"({"ty":"rd","r":{"k":[{"t":0,"s":[0]},{"t":10,"s":[8]}]}})";
    for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
        auto corners = as<lottie::RoundedCorners>(decoded);
        ASSERT_EQ(corners->radius()->keyframes().size(), 2u);
        EXPECT_EQ(corners->radius()->keyframes()[1].value(), LottieVector1D(8));
    }
}

TEST(ModifierItems, RepeaterDefaultsAndRotationKeys) {
    for (const ItemPtr& decoded : {byDictionary(R"({"ty":"rp","tr":{}})"), byKeyed(R"({"ty":"rp","tr":{}})")}) {
        auto repeater = as<lottie::Repeater>(decoded);
        EXPECT_EQ(staticValue(repeater->copies()), 0);
        EXPECT_EQ(staticValue(repeater->offset()), 0);
        EXPECT_EQ(staticValue(repeater->startOpacity()), 100);
        EXPECT_EQ(staticValue(repeater->endOpacity()), 100);
        EXPECT_EQ(staticValue(repeater->rotationX()), 0);
        EXPECT_EQ(staticValue(repeater->rotationY()), 0);
        EXPECT_EQ(staticValue(repeater->rotationZ()), 0);
        EXPECT_EQ(staticVector(repeater->anchorPoint()), LottieVector3D(0, 0, 0));
        EXPECT_EQ(staticVector(repeater->position()), LottieVector3D(0, 0, 0));
        EXPECT_EQ(staticVector(repeater->scale()), LottieVector3D(100, 100, 100));
        EXPECT_EQ(keysOf(*encode(*repeater).find("tr")),
                  (std::vector<std::string>{"so", "eo", "rx", "ry", "rz", "p", "a", "s"}));
    }
    struct Case {
        const char* transform;
        double rotationZ;
    };
    for (const Case& testCase : {Case{R"({"r":{"k":30}})", 30}, Case{R"({"rz":{"k":40}})", 40},
                                 Case{R"({"r":{"k":30},"rz":{"k":40}})", 30}, Case{R"({"rz":{"k":40},"r":{"k":30}})", 30}}) {
        const std::string item = std::string(R"({"ty":"rp","c":{"k":4},"tr":)") + testCase.transform + "}";
        SCOPED_TRACE(item);
        for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
            auto repeater = as<lottie::Repeater>(decoded);
            EXPECT_EQ(staticValue(repeater->rotationZ()), testCase.rotationZ);
            EXPECT_EQ(staticValue(repeater->copies()), 4);
            // Written back under "rz" only.
            platform::json::Value transform = *encode(*repeater).find("tr");
            EXPECT_FALSE(transform.find("r"));
            EXPECT_EQ(staticValue(as<lottie::Repeater>(byKeyed(encodeText(*repeater)))->rotationZ()), testCase.rotationZ);
        }
    }
}

TEST(ModifierItems, RepeaterTransformSharesTheRepeatersGroups) {
    auto repeater = as<lottie::Repeater>(byDictionary(richSamples()[12].json));
    ASSERT_EQ(repeater->name(), "Layer");
    const lottie::RepeaterTransform transform(*repeater);
    const lottie::TransformModel& model = transform;
    EXPECT_EQ(model.anchorPoint(), repeater->anchorPoint());
    EXPECT_EQ(model.position(), repeater->position());
    EXPECT_EQ(model.scale(), repeater->scale());
    EXPECT_EQ(model.rotationX(), repeater->rotationX());
    EXPECT_EQ(model.rotationY(), repeater->rotationY());
    EXPECT_EQ(model.rotationZ(), repeater->rotationZ());
    EXPECT_EQ(staticValue(model.rotationZ()), 30);
    EXPECT_FALSE(model.positionX());
    EXPECT_FALSE(model.positionY());
    EXPECT_FALSE(model.skew());
    EXPECT_FALSE(model.skewAxis());
}

TEST(ModifierItems, ShapeTransformOfOnlyItsCodeHasEveryDefault) {
    for (const ItemPtr& decoded : {byDictionary(R"({"ty":"tr"})"), byKeyed(R"({"ty":"tr"})")}) {
        auto transform = as<lottie::ShapeTransform>(decoded);
        EXPECT_EQ(staticVector(transform->anchor()), LottieVector3D(0, 0, 0));
        EXPECT_EQ(staticVector(transform->position()), LottieVector3D(0, 0, 0));
        EXPECT_EQ(staticVector(transform->scale()), LottieVector3D(100, 100, 100));
        EXPECT_EQ(staticValue(transform->opacity()), 100);
        for (const auto& group : {transform->rotationX(), transform->rotationY(), transform->rotationZ(),
                                  transform->skew(), transform->skewAxis()}) {
            EXPECT_EQ(staticValue(group), 0);
        }
        EXPECT_EQ(keysOf(encode(*transform)),
                  (std::vector<std::string>{"nm", "ty", "hd", "a", "p", "s", "rx", "ry", "rz", "o", "sk", "sa"}));
    }
}

TEST(ModifierItems, ShapeTransformAnswersTheTransformProtocol) {
    const std::string item = richSamples()[13].json;
    for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
        auto transform = as<lottie::ShapeTransform>(decoded);
        const lottie::TransformModel& model = *transform;
        EXPECT_EQ(model.anchorPoint(), transform->anchor());
        EXPECT_EQ(staticVector(model.anchorPoint()), LottieVector3D(1, 2, 0));
        EXPECT_EQ(staticVector(model.position()), LottieVector3D(3, 4, 0));
        EXPECT_EQ(staticVector(model.scale()), LottieVector3D(50, 60, 0));
        EXPECT_FALSE(model.positionX());
        EXPECT_FALSE(model.positionY());
        EXPECT_EQ(staticValue(model.rotationZ()), 3);
        EXPECT_EQ(staticValue(model.skew()), 10);
        EXPECT_EQ(staticValue(model.skewAxis()), 20);
        const lottie::OpacityAnimationModel& opacity = *transform;
        EXPECT_EQ(staticValue(opacity.opacity()), 70);
        // Read from "r", written as "rz".
        platform::json::Value encoded = encode(*transform);
        EXPECT_FALSE(encoded.find("r"));
        EXPECT_EQ(*encoded.find("rz"), platform::json::parse(R"({"k":3})"));
    }
}

TEST(ModifierItems, CombinedShapeItemIsAPlainShapeOfItsGroup) {
    lottie::BezierPath path = lottie::BezierPath::fromAny(platform::json::parse(sampleBezierPath));
    auto shapes = lottie::staticGroup(std::vector<lottie::BezierPath>{path, path});
    const lottie::CombinedShapeItem combined(shapes, "Group 1");
    EXPECT_EQ(combined.name(), "Group 1");
    EXPECT_EQ(combined.type(), lottie::ShapeType::shape);
    EXPECT_FALSE(combined.hidden());
    EXPECT_EQ(combined.shapes(), shapes);
    EXPECT_TRUE(combined == lottie::CombinedShapeItem(lottie::staticGroup(std::vector<lottie::BezierPath>{path, path}),
                                                      "Group 1"));
    EXPECT_FALSE(combined == lottie::CombinedShapeItem(lottie::staticGroup(std::vector<lottie::BezierPath>{path}),
                                                       "Group 1"));
    EXPECT_EQ(encode(combined), platform::json::parse(R"({"nm":"Group 1","ty":"sh","hd":false})"));
}

}  // namespace
