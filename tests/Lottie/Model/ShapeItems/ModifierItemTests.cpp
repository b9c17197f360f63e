#include <gtest/gtest.h>

#include "Lottie/Model/ShapeItems/CombinedShapeItem.h"
#include "Lottie/Model/ShapeItems/Merge.h"
#include "Lottie/Model/ShapeItems/Repeater.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;

namespace {

// An item of only its required keys equals the one that spells out every
// default its kind gives the keys left out.
TEST(ShapeItemDefaults, RequiredKeysAloneEqualEveryDefaultSpelledOut) {
    auto minimal = [](const std::string& name) {
        for (const Sample& sample : minimalSamples()) {
            if (sample.name == name) return sample.json;
        }
        return std::string();
    };
    auto with = [&](const std::string& name, const std::string& members) {
        const std::string item = minimal(name);
        return item.substr(0, item.size() - 1) + "," + members + "}";
    };
    const std::string strokeDefaults = R"("lc":2,"lj":2,"ml":4)";
    const std::pair<std::string, std::string> cases[] = {
        {minimal("ellipse"), with("ellipse", R"("d":1)")},
        {minimal("rectangle"), with("rectangle", R"("d":1)")},
        {minimal("star"), with("star", R"("d":1)")},
        {minimal("fill"), with("fill", R"("r":1)")},
        {minimal("gradientFill"), with("gradientFill", R"("r":1)")},
        {minimal("stroke"), with("stroke", strokeDefaults)},
        {minimal("gradientStroke"), with("gradientStroke", strokeDefaults)},
        {minimal("trim"), with("trim", R"("m":2)")},
        {R"({"ty":"rp","tr":{}})",
         R"({"ty":"rp","c":{"k":0},"o":{"k":0},"tr":{"so":{"k":100},"eo":{"k":100},"rx":{"k":0},"ry":{"k":0},)"
         R"("rz":{"k":0},"p":{"k":[0,0,0]},"a":{"k":[0,0,0]},"s":{"k":[100,100,100]}}})"},
        {R"({"ty":"tr"})",
         R"({"ty":"tr","a":{"k":[0,0,0]},"p":{"k":[0,0,0]},"s":{"k":[100,100,100]},"rx":{"k":0},"ry":{"k":0},)"
         R"("rz":{"k":0},"o":{"k":100},"sk":{"k":0},"sa":{"k":0}})"},
    };
    for (const auto& [bare, spelledOut] : cases) {
        SCOPED_TRACE(spelledOut);
        EXPECT_TRUE(*byDictionary(bare) == *byDictionary(spelledOut));
        EXPECT_TRUE(*byKeyed(bare) == *byKeyed(spelledOut));
        EXPECT_TRUE(*byKeyed(bare) == *byDictionary(bare));
    }
}

// Rotation comes from "r" before "rz", in whichever order they stand, and is
// written back under "rz" only.
TEST(ModifierItems, RotationIsReadFromROrRzAndWrittenAsRz) {
    struct Case {
        const char* rotation;
        double rotationZ;
    };
    const Case cases[] = {
        {R"("rz":{"k":40})", 40},
        {R"("r":{"k":30},"rz":{"k":40})", 30},
        {R"("rz":{"k":40},"r":{"k":30})", 30},
    };
    for (const Case& testCase : cases) {
        const std::string repeater = std::string(R"({"ty":"rp","c":{"k":4},"tr":{)") + testCase.rotation + "}}";
        const std::string transform = std::string(R"({"ty":"tr",)") + testCase.rotation + "}";
        const auto writtenRotation =
            platform::json::parse(R"({"k":)" + std::to_string(static_cast<int>(testCase.rotationZ)) + "}");
        for (const std::string& item : {repeater, transform}) {
            SCOPED_TRACE(item);
            for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
                auto asRepeater = std::dynamic_pointer_cast<const lottie::Repeater>(decoded);
                EXPECT_EQ(staticValue(asRepeater ? asRepeater->rotationZ()
                                                 : as<lottie::ShapeTransform>(decoded)->rotationZ()),
                          testCase.rotationZ);
                platform::json::Value encoded = encode(*decoded);
                const platform::json::Value& written = asRepeater ? *encoded.find("tr") : encoded;
                EXPECT_FALSE(written.find("r"));
                ASSERT_TRUE(written.find("rz"));
                EXPECT_EQ(*written.find("rz"), writtenRotation);
            }
        }
    }
}

TEST(ModifierItems, CombinedShapeItemsCompareTheirPaths) {
    lottie::BezierPath path = lottie::BezierPath::fromAny(platform::json::parse(sampleBezierPath));
    auto paths = [&](std::size_t count) {
        return lottie::staticGroup(std::vector<lottie::BezierPath>(count, path));
    };
    const lottie::CombinedShapeItem combined(paths(2), "Group 1");
    EXPECT_TRUE(combined == lottie::CombinedShapeItem(paths(2), "Group 1"));
    EXPECT_FALSE(combined == lottie::CombinedShapeItem(paths(1), "Group 1"));
    EXPECT_EQ(encode(combined), platform::json::parse(R"({"nm":"Group 1","ty":"sh","hd":false})"));
}

}  // namespace
