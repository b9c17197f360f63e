// Where the two decoders part ways on the same item: the dictionary decoder
// turns mistyped optional values into defaults, the keyed decoder throws.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "Lottie/Model/ShapeItems/Ellipse.h"
#include "Lottie/Model/ShapeItems/Fill.h"
#include "Lottie/Model/ShapeItems/GradientFill.h"
#include "Lottie/Model/ShapeItems/GradientStroke.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Model/ShapeItems/Repeater.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/Model/ShapeItems/Star.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using Kind = platform::json::DecodingError::Kind;

namespace {

const std::string ellipse = R"("ty":"el","p":{"k":[0,0]},"s":{"k":[1,1]})";
const std::string fill = R"("ty":"fl","o":{"k":100},"c":{"k":[1,1,1]})";
const std::string stroke = R"("ty":"st","o":{"k":100},"c":{"k":[1,1,1]},"w":{"k":2})";
const std::string gradientFill =
    R"("ty":"gf","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"g":)" + sampleGradientStops;
const std::string gradientStroke =
    R"("ty":"gs","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"w":{"k":1},"g":)" + sampleGradientStops;
const std::string star = R"("ty":"sr","p":{"k":[0,0]},"or":{"k":5},"os":{"k":0},"r":{"k":0},"pt":{"k":5},"sy":1)";
const std::string shape = R"("ty":"sh","ks":{"k":)" + sampleBezierPath + "}";

using Check = std::function<void(const ItemPtr&)>;

struct Difference {
    std::string item;
    Check dictionary;              // what the dictionary decoder makes of it
    std::optional<Kind> keyedError;  // the keyed decoder's error, when it fails
    Check keyed = nullptr;         // else what the keyed decoder makes of it
};

template <class T>
Check expect(std::function<void(const T&)> check) {
    return [check](const ItemPtr& item) {
        ASSERT_TRUE(item);
        auto cast = std::dynamic_pointer_cast<const T>(item);
        ASSERT_TRUE(cast);
        check(*cast);
    };
}

TEST(DecoderDifferences, SameInputSideBySide) {
    const Difference cases[] = {
        // Base keys.
        {object({fill, R"("nm":5)"}), expect<ShapeItem>([](const ShapeItem& item) { EXPECT_EQ(item.name(), "Layer"); }),
         Kind::typeMismatch},
        {object({fill, R"("nm":null)"}), expect<ShapeItem>([](const ShapeItem& item) { EXPECT_EQ(item.name(), "Layer"); }),
         std::nullopt, expect<ShapeItem>([](const ShapeItem& item) { EXPECT_EQ(item.name(), "Layer"); })},
        // A boolean from a number.
        {object({fill, R"("hd":1)"}), expect<ShapeItem>([](const ShapeItem& item) { EXPECT_TRUE(item.hidden()); }),
         Kind::typeMismatch},
        {object({fill, R"("hd":0)"}), expect<ShapeItem>([](const ShapeItem& item) { EXPECT_FALSE(item.hidden()); }),
         Kind::typeMismatch},
        {object({fill, R"("hd":2)"}), expect<ShapeItem>([](const ShapeItem& item) { EXPECT_FALSE(item.hidden()); }),
         Kind::typeMismatch},
        {object({fill, R"("hd":"true")"}), expect<ShapeItem>([](const ShapeItem& item) { EXPECT_FALSE(item.hidden()); }),
         Kind::typeMismatch},
        // Enumerations: a fallback case against the raw-value check.
        {object({ellipse, R"("d":0)"}),
         expect<lottie::Ellipse>([](const lottie::Ellipse& e) { EXPECT_EQ(e.direction(), lottie::PathDirection::clockwise); }),
         Kind::dataCorrupted},
        {object({ellipse, R"("d":7)"}),
         expect<lottie::Ellipse>([](const lottie::Ellipse& e) { EXPECT_EQ(e.direction(), lottie::PathDirection::clockwise); }),
         Kind::dataCorrupted},
        {object({ellipse, R"("d":"3")"}),
         expect<lottie::Ellipse>([](const lottie::Ellipse& e) { EXPECT_EQ(e.direction(), lottie::PathDirection::clockwise); }),
         Kind::typeMismatch},
        {object({shape, R"("d":4)"}), expect<lottie::Shape>([](const lottie::Shape& s) { EXPECT_FALSE(s.direction()); }),
         Kind::dataCorrupted},
        {object({fill, R"("r":5)"}),
         expect<lottie::Fill>([](const lottie::Fill& f) { EXPECT_EQ(f.fillRule(), lottie::FillRule::nonZeroWinding); }),
         Kind::dataCorrupted},
        {object({gradientFill, R"("r":true)"}),
         expect<lottie::GradientFill>(
             [](const lottie::GradientFill& f) { EXPECT_EQ(f.fillRule(), lottie::FillRule::nonZeroWinding); }),
         Kind::typeMismatch},
        {object({stroke, R"("lc":7)"}),
         expect<lottie::Stroke>([](const lottie::Stroke& s) { EXPECT_EQ(s.lineCap(), lottie::LineCap::round); }),
         Kind::dataCorrupted},
        {object({stroke, R"("lj":"bevel")"}),
         expect<lottie::Stroke>([](const lottie::Stroke& s) { EXPECT_EQ(s.lineJoin(), lottie::LineJoin::round); }),
         Kind::typeMismatch},
        {object({gradientStroke, R"("lc":-1)"}),
         expect<lottie::GradientStroke>([](const lottie::GradientStroke& s) { EXPECT_EQ(s.lineCap(), lottie::LineCap::round); }),
         Kind::dataCorrupted},
        // Numbers: the keyed decoder takes no boolean for a number.
        {object({stroke, R"("ml":"4")"}),
         expect<lottie::Stroke>([](const lottie::Stroke& s) { EXPECT_EQ(s.miterLimit(), 4); }), Kind::typeMismatch},
        {object({stroke, R"("ml":true)"}),
         expect<lottie::Stroke>([](const lottie::Stroke& s) { EXPECT_EQ(s.miterLimit(), 1); }), Kind::typeMismatch},
        {object({gradientStroke, R"("ml":[9])"}),
         expect<lottie::GradientStroke>([](const lottie::GradientStroke& s) { EXPECT_EQ(s.miterLimit(), 4); }),
         Kind::typeMismatch},
        // Dash patterns: one bad element loses the whole pattern, or fails.
        {object({stroke, R"("d":[{"n":"d","v":{"k":4}},{"n":"x","v":{"k":1}}])"}),
         expect<lottie::Stroke>([](const lottie::Stroke& s) { EXPECT_FALSE(s.dashPattern()); }), Kind::dataCorrupted},
        {object({stroke, R"("d":[{"n":"d"}])"}),
         expect<lottie::Stroke>([](const lottie::Stroke& s) { EXPECT_FALSE(s.dashPattern()); }), Kind::keyNotFound},
        {object({stroke, R"("d":{"n":"d","v":{"k":4}})"}),
         expect<lottie::Stroke>([](const lottie::Stroke& s) { EXPECT_FALSE(s.dashPattern()); }), Kind::typeMismatch},
        {object({gradientStroke, R"("d":[{"n":1,"v":{"k":1}}])"}),
         expect<lottie::GradientStroke>([](const lottie::GradientStroke& s) { EXPECT_FALSE(s.dashPattern()); }),
         Kind::typeMismatch},
        // Optional animated properties that fail to decode.
        {object({gradientFill, R"("h":{"k":"long"})"}),
         expect<lottie::GradientFill>([](const lottie::GradientFill& f) { EXPECT_FALSE(f.highlightLength()); }),
         Kind::typeMismatch},
        {object({gradientFill, R"("a":12)"}),
         expect<lottie::GradientFill>([](const lottie::GradientFill& f) { EXPECT_FALSE(f.highlightAngle()); }),
         Kind::typeMismatch},
        {object({gradientStroke, R"("h":{"k":[{"t":0}]})"}),
         expect<lottie::GradientStroke>([](const lottie::GradientStroke& s) { EXPECT_FALSE(s.highlightLength()); }),
         Kind::dataCorrupted},
        {object({star, R"("ir":5,"is":[1])"}),
         expect<lottie::Star>([](const lottie::Star& s) {
             EXPECT_FALSE(s.innerRadius());
             EXPECT_FALSE(s.innerRoundness());
         }),
         Kind::typeMismatch},
        {R"({"ty":"tr","o":{"k":"opaque"}})",
         expect<lottie::ShapeTransform>([](const lottie::ShapeTransform& t) { EXPECT_EQ(staticValue(t.opacity()), 100); }),
         Kind::typeMismatch},
        {R"({"ty":"tr","s":[50,50]})",
         expect<lottie::ShapeTransform>(
             [](const lottie::ShapeTransform& t) { EXPECT_EQ(staticVector(t.scale()), lottie::LottieVector3D(100, 100, 100)); }),
         Kind::typeMismatch},
        {R"({"ty":"tr","r":{"k":"x"},"rz":{"k":20}})",
         expect<lottie::ShapeTransform>([](const lottie::ShapeTransform& t) { EXPECT_EQ(staticValue(t.rotationZ()), 20); }),
         Kind::typeMismatch},
        {R"({"ty":"rp","c":3,"tr":{"so":50}})",
         expect<lottie::Repeater>([](const lottie::Repeater& r) {
             EXPECT_EQ(staticValue(r.copies()), 0);
             EXPECT_EQ(staticValue(r.startOpacity()), 100);
         }),
         Kind::typeMismatch},
        // "k" given as one keyframe entry rather than a list of them.
        {object({R"("ty":"fl","c":{"k":[1,1,1]},"o":{"k":{"t":5,"s":[40]}})"}),
         expect<lottie::Fill>([](const lottie::Fill& f) {
             ASSERT_EQ(f.opacity()->keyframes().size(), 1u);
             EXPECT_EQ(f.opacity()->keyframes().front().value(), lottie::LottieVector1D(40));
             EXPECT_EQ(f.opacity()->keyframes().front().time(), 5);
             EXPECT_FALSE(f.opacity()->keyframes().front().isHold());
         }),
         Kind::typeMismatch},
        // An unrecognised kind.
        {R"({"ty":"zz","nm":"later","hd":true})", [](const ItemPtr& item) { EXPECT_FALSE(item); }, std::nullopt,
         expect<ShapeItem>([](const ShapeItem& item) {
             EXPECT_EQ(item.type(), lottie::ShapeType::unknown);
             EXPECT_EQ(item.name(), "later");
             EXPECT_TRUE(item.hidden());
         })},
        {R"({"ty":"gr","it":[{"ty":"zz"},{"ty":"mm","mm":2}]})",
         expect<lottie::Group>([](const lottie::Group& g) { EXPECT_EQ(g.items().size(), 1u); }), std::nullopt,
         expect<lottie::Group>([](const lottie::Group& g) { EXPECT_EQ(g.items().size(), 2u); })},
    };
    for (const Difference& testCase : cases) {
        SCOPED_TRACE(testCase.item);
        ItemPtr dictionaryItem;
        ASSERT_NO_THROW(dictionaryItem = byDictionary(testCase.item));
        testCase.dictionary(dictionaryItem);
        if (testCase.keyedError) {
            EXPECT_EQ(keyedError(testCase.item).kind(), *testCase.keyedError);
        } else {
            ItemPtr keyedItem;
            ASSERT_NO_THROW(keyedItem = byKeyed(testCase.item));
            testCase.keyed(keyedItem);
        }
    }
}

}  // namespace
