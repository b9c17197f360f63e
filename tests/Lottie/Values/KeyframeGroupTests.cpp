#include <gtest/gtest.h>

#include <any>

#include "Lottie/Values/KeyframeGroup.h"
#include "tests/Lottie/Values/ValuesTestSupport.h"

using namespace lottie;
using namespace valuestest;

namespace {

using Group1D = KeyframeGroup<LottieVector1D>;
using Site = std::optional<std::pair<std::string, unsigned>>;

Site at(unsigned line) { return std::make_pair(std::string("Lottie/KeyframeGroup"), line); }

Group1D fromDictionary(const std::string& text) { return Group1D(json(text)); }

// Both decoders, which must agree wherever both accept the input.
std::vector<Group1D> bothDecoders(const std::string& text) { return {fromDictionary(text), decodeKeyed<Group1D>(text)}; }

}  // namespace

TEST(KeyframeGroup, StaticValueIsOneHoldingKeyframe) {
    Keyframe<LottieVector1D> held(LottieVector1D(5), 0, true, {}, {}, {}, {});
    for (const Group1D& group : bothDecoders(R"({"k": 5})")) EXPECT_EQ(group.keyframes(), std::vector{held});
    for (const Group1D& group : bothDecoders(R"({"k": []})")) EXPECT_TRUE(group.keyframes().empty());
}

TEST(KeyframeGroup, BuildsKeyframesFromEntries) {
    const std::string text = R"j({"k": [
        {"t": 0, "s": [1], "e": [2], "i": {"x": [0.5], "y": [1]}, "o": {"x": 0.2, "y": 0}, "ti": [1, 2], "to": [3, 4]},
        {"t": 10, "h": 1, "i": {"x": 0.9, "y": 0.9}, "o": {"x": 0.1, "y": 0.1}},
        {"t": 20, "s": [7], "h": 0}
    ], "x": "wiggle(1, 2)"})j";
    // Values come from "s", else the previous entry's "e"; in-tangents from the
    // previous entry, so the first keyframe has none.
    using Key = Keyframe<LottieVector1D>;
    const std::vector<Key> expected{
        Key(LottieVector1D(1), 0, false, {}, LottieVector2D(0.2, 0), {}, LottieVector3D(3, 4, 0)),
        Key(LottieVector1D(2), 10, true, LottieVector2D(0.5, 1), LottieVector2D(0.1, 0.1), LottieVector3D(1, 2, 0),
            {}),
        Key(LottieVector1D(7), 20, false, LottieVector2D(0.9, 0.9), {}, {}, {})};
    for (const Group1D& group : bothDecoders(text)) {
        EXPECT_EQ(group.keyframes(), expected);
        EXPECT_EQ(group.unsupportedAfterEffectsExpression(), std::optional<std::string>("wiggle(1, 2)"));
    }
}

TEST(KeyframeGroup, HoldOnlyForPositiveH) {
    const std::pair<const char*, bool> cases[] = {
        {R"(, "h": 1)", true}, {R"(, "h": 2)", true}, {R"(, "h": 0)", false}, {R"(, "h": -1)", false}, {"", false}};
    for (const auto& [hold, expected] : cases) {
        SCOPED_TRACE(hold);
        std::string text = std::string(R"({"k": [{"t": 0, "s": [1])") + hold + R"(}, {"t": 5, "s": [2]}]})";
        for (const Group1D& group : bothDecoders(text)) EXPECT_EQ(group.keyframes()[0].isHold(), expected);
    }
}

TEST(KeyframeGroup, MissingValueOrTimeFailsInBothDecoders) {
    const char* const cases[] = {
        R"({"k": [{"t": 0, "s": [1]}, {"t": 10}]})",
        R"({"k": [{"t": 0, "e": [1]}, {"t": 10, "s": [2]}]})",
        R"({"k": [{"s": [1]}]})",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(initializableError([&] { fromDictionary(text); }), at(175));
        auto error = testsupport::thrown<platform::json::DecodingError>([&] { decodeKeyed<Group1D>(text); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind(), platform::json::DecodingError::Kind::dataCorrupted);
        EXPECT_EQ(error->debugDescription(), "Missing keyframe data.");
        EXPECT_EQ(error->codingPath().back().stringValue, "k");
    }
}

TEST(KeyframeGroup, UnreadableKFailsWithTheRightError) {
    using Kind = platform::json::DecodingError::Kind;
    const std::pair<const char*, Kind> cases[] = {
        {R"({})", Kind::keyNotFound},
        {R"({"k": "five"})", Kind::typeMismatch},
        {R"({"k": [{"t": 0, "s": [1]}, 3]})", Kind::typeMismatch},
        {R"({"k": null})", Kind::valueNotFound},
    };
    for (const auto& [text, kind] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(initializableError([&, text = text] { fromDictionary(text); }), at(166));
        EXPECT_EQ(decodingError([&, text = text] { decodeKeyed<Group1D>(text); }), kind);
    }
}

TEST(KeyframeGroup, DecodersDifferOnSingleEntriesAndMalformedTangents) {
    // A single entry dictionary: accepted by the dictionary decoder only.
    EXPECT_EQ(fromDictionary(R"({"k": {"t": 0, "s": [1]}})").keyframes(),
              std::vector{Keyframe<LottieVector1D>(LottieVector1D(1), 0, false, {}, {}, {}, {})});
    EXPECT_TRUE(decodingError([] { decodeKeyed<Group1D>(R"({"k": {"t": 0, "s": [1]}})"); }));

    // A malformed "i" drops the next keyframe's in-tangent in the dictionary decoder.
    const std::string text = R"({"k": [{"t": 0, "s": [1], "i": {"x": "a", "y": 1}}, {"t": 5, "s": [2]}]})";
    EXPECT_FALSE(fromDictionary(text).keyframes().at(1).inTangent());
    EXPECT_TRUE(decodingError([&] { decodeKeyed<Group1D>(text); }));

    // An expression that is not text is no expression, in both.
    for (const Group1D& group : bothDecoders(R"({"k": 1, "x": 3})")) {
        EXPECT_FALSE(group.unsupportedAfterEffectsExpression());
    }
    // Keyframes stay in file order, even when their times go backwards, in both.
    for (const Group1D& group : bothDecoders(R"({"k": [{"t": 10, "s": [1]}, {"t": 0, "s": [2]}]})")) {
        EXPECT_EQ(group.keyframes()[1].time(), 0);
    }
}

TEST(KeyframeGroup, DecodesPathsAndStopLists) {
    const std::string pathText = R"({"k": [{"t": 0, "s": [{"c": false, "v": [[0,0],[1,1]], "i": [[0,0],[0,0]], "o": [[0,0],[0,0]]}]},
                                          {"t": 9, "s": [{"c": false, "v": [[0,0],[3,3]], "i": [[0,0],[0,0]], "o": [[0,0],[0,0]]}]}]})";
    for (const auto& paths : {KeyframeGroup<BezierPath>(json(pathText)), decodeKeyed<KeyframeGroup<BezierPath>>(pathText)}) {
        ASSERT_EQ(paths.keyframes().size(), 2u);
        EXPECT_EQ(paths.keyframes()[1].value().elements()[1].vertex.point, platform::graphics::Point(3, 3));
    }
    // A static path is one dictionary, not a list: one holding keyframe.
    auto staticPath = KeyframeGroup<BezierPath>(json(R"({"k": {"c": true, "v": [[0,0]], "i": [[0,0]], "o": [[0,0]]}})"));
    ASSERT_EQ(staticPath.keyframes().size(), 1u);
    EXPECT_TRUE(staticPath.keyframes()[0].isHold());
    auto stops = KeyframeGroup<std::vector<double>>(json(R"({"k": [0, 1, 0.5, 0]})"));
    EXPECT_EQ(stops.keyframes()[0].value(), (std::vector<double>{0, 1, 0.5, 0}));
}

TEST(KeyframeGroup, EncodesEveryKeyframeAndTheBareStaticValue) {
    EXPECT_EQ(encodeToText(fromDictionary(R"({"k": 5, "x": "e"})")), R"({"k":5})");
    const std::string text = R"({"k": [{"t": 0, "s": [1], "h": 1, "o": {"x": 0.1, "y": 0.2}, "to": [1, 1, 0]},
                                       {"t": 5, "s": [2], "i": {"x": 0.3, "y": 0.4}, "o": {"x": 0.5, "y": 0.6}, "ti": [2, 0, 0]},
                                       {"t": 9, "s": [3]}]})";
    Group1D group = fromDictionary(text);
    // Each entry carries its own keyframe and, but the last, the arrival at the next one.
    EXPECT_EQ(encodeToText(group),
              R"({"k":[{"s":1,"e":2,"t":0,"h":1,"o":{"x":0.1,"y":0.2},"to":[1,1,0]},)"
              R"({"s":2,"e":3,"t":5,"i":{"x":0.3,"y":0.4},"o":{"x":0.5,"y":0.6},"ti":[2,0,0]},)"
              R"({"s":3,"t":9}]})");
    // Nothing is lost: the last keyframe and the spatial tangents read back.
    for (const Group1D& reread : {decodeKeyed<Group1D>(encodeToText(group)), fromDictionary(encodeToText(group))}) {
        ASSERT_EQ(reread.keyframes().size(), 3u);
        EXPECT_EQ(reread, group);
        EXPECT_EQ(reread.keyframes()[2].time(), 9);
        EXPECT_EQ(reread.keyframes()[0].spatialOutTangent(), group.keyframes()[0].spatialOutTangent());
    }
    EXPECT_EQ(encodeToText(Group1D(std::vector<Keyframe<LottieVector1D>>{})), R"({"k":[]})");
    EXPECT_TRUE(decodeKeyed<Group1D>(R"({"k":[]})").keyframes().empty());
}

TEST(KeyframeGroup, EqualityIgnoresTheExpression) {
    Group1D a = fromDictionary(R"({"k": [{"t": 0, "s": [1]}, {"t": 5, "s": [2]}], "x": "one"})");
    Group1D b = fromDictionary(R"({"k": [{"t": 0, "s": [1]}, {"t": 5, "s": [2]}], "x": "two"})");
    Group1D c = fromDictionary(R"({"k": [{"t": 0, "s": [1]}, {"t": 5, "s": [2], "h": 1}]})");
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<Group1D>{}(a), std::hash<Group1D>{}(b));
    EXPECT_FALSE(a == c);
    // Tangents live out of line: absent and present (even zero) tangents differ
    // both ways and in the hash, and each tangent counts.
    using Key = Keyframe<LottieVector1D>;
    Key without(LottieVector1D(1), 0, false, {}, {}, {}, {});
    Key with(LottieVector1D(1), 0, false, LottieVector2D(0, 0), {}, {}, {});
    Key spatial(LottieVector1D(1), 0, false, LottieVector2D(0, 0), {}, {}, LottieVector3D(1, 2, 3));
    EXPECT_FALSE(without == with || with == without || with == spatial);
    EXPECT_EQ(with, Key(LottieVector1D(1), 0, false, LottieVector2D(0, 0), {}, {}, {}));
    EXPECT_EQ(spatial.replacingValue(2.0).spatialOutTangent(), spatial.spatialOutTangent());
    EXPECT_NE(std::hash<Key>{}(without), std::hash<Key>{}(with));
    Key negativeZero(LottieVector1D(1), -0.0, false, {}, {}, {}, {});
    EXPECT_EQ(std::hash<Key>{}(negativeZero), std::hash<Key>{}(without));
}

TEST(KeyframeGroup, MapsValuesKeepingEverythingElse) {
    Group1D group = fromDictionary(R"({"k": [{"t": 0, "s": [255], "o": {"x": 0.1, "y": 0.2}}, {"t": 5, "s": [51], "h": 1}], "x": "e"})");
    auto percent = group.map([](const LottieVector1D& v) { return LottieVector1D(v.value / 255 * 100); });
    EXPECT_EQ(percent->keyframes(), (std::vector{group.keyframes()[0].replacingValue(LottieVector1D(100)),
                                                 group.keyframes()[1].replacingValue(LottieVector1D(20))}));
    EXPECT_EQ(percent->unsupportedAfterEffectsExpression(), std::optional<std::string>("e"));
    EXPECT_THROW(group.map([](const LottieVector1D&) -> double { throw std::runtime_error("stop"); }), std::runtime_error);
}

TEST(AnyKeyframeGroup, ErasesValuesAndMakesFreshInterpolators) {
    auto group = std::make_shared<const Group1D>(fromDictionary(R"({"k": [{"t": 0, "s": [0]}, {"t": 10, "s": [100]}], "x": "e"})"));
    const AnyKeyframeGroup& erased = *group;
    auto untyped = erased.untyped();
    ASSERT_EQ(untyped->keyframes().size(), 2u);
    EXPECT_EQ(std::any_cast<LottieVector1D>(untyped->keyframes()[1].value()), LottieVector1D(100));
    EXPECT_EQ(untyped->unsupportedAfterEffectsExpression(), std::optional<std::string>("e"));

    auto first = erased.interpolator();
    auto second = erased.interpolator();
    EXPECT_NE(first, second);
    EXPECT_EQ(first->valueType(), std::type_index(typeid(LottieVector1D)));
    EXPECT_EQ(std::any_cast<LottieVector1D>(first->anyValue(5)), LottieVector1D(50));
}
