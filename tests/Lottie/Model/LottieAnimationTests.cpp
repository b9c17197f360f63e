#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <string>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"
#include "tests/Lottie/Model/Assets/SharedDocuments.h"
#include "tests/Support/TestSupport.h"

using lottie::DecodingStrategy;
using lottie::InitializableError;
using lottie::LottieAnimation;
using platform::json::DecodingError;

namespace {

const char* minimalDocument = R"({"v":"5.7.4","fr":30,"ip":0,"op":60,"w":400,"h":300,"ddd":0,"layers":[
    {"ty":4,"nm":"shape","ind":1,"ip":0,"op":60,"st":0,"shapes":[]},
    {"ty":3,"ind":2,"ip":10,"op":50,"st":5,"parent":1,"sr":2,"hd":true}],
  "markers":[{"cm":"intro","tm":0,"dr":10},{"cm":"Reduced  Motion","tm":5,"dr":1},
             {"cm":"REDUCED_motion","tm":20,"dr":5},{"cm":"intro","tm":30,"dr":2}]})";

std::shared_ptr<const LottieAnimation> decode(const std::string& text, DecodingStrategy strategy) {
    return LottieAnimation::fromData(text, strategy);
}

// The document text with one top-level member removed or replaced.
std::string withMember(const std::string& key, const char* replacement) {
    platform::json::Value document = platform::json::parse(minimalDocument);
    auto& members = *document.asObject();
    for (auto it = members.begin(); it != members.end(); ++it) {
        if (it->key == key) {
            if (replacement) it->value = platform::json::parse(replacement);
            else members.erase(it);
            break;
        }
    }
    return platform::json::serialize(document);
}

TEST(LottieAnimationDecoding, ReadsTheRootByBothStrategies) {
    for (auto strategy : {DecodingStrategy::dictionaryBased, DecodingStrategy::legacyCodable}) {
        // The root's numbers are pinned by the encoding test below.
        auto animation = decode(minimalDocument, strategy);
        EXPECT_DOUBLE_EQ(animation->time(45), 1.5);
        EXPECT_DOUBLE_EQ(animation->frameTime(1.5), 90);  // not clamped
        ASSERT_EQ(animation->layers.size(), 2u);
        EXPECT_EQ(animation->layers[1]->timeStretch, 2);
        EXPECT_EQ(animation->markerNames(),
                  (std::vector<std::string>{"intro", "Reduced  Motion", "REDUCED_motion", "intro"}));
        // The later marker of a repeated name wins the map; both stay in the list.
        EXPECT_EQ(animation->markerMap->size(), 3u);
        EXPECT_EQ(animation->markerMap->at("intro")->frameTime, 30);
        // Two spaces don't make a reduced-motion name; letter case doesn't matter.
        ASSERT_TRUE(animation->markerForReducedMotion());
        EXPECT_EQ(animation->markerForReducedMotion()->frameTime, 20);
    }
}

TEST(LottieAnimationDecoding, DictionaryDecoderReportsTheFailingKeyByFileAndLine) {
    struct Case {
        const char* key;
        const char* replacement;
        unsigned line;
    };
    const Case cases[] = {
        {"v", "5", 54},         {"ip", nullptr, 63},  {"op", "null", 64},
        {"fr", "\"30\"", 65},     {"w", nullptr, 66},     {"h", "[1]", 67},     {"layers", nullptr, 68},
        {"layers", "{}", 68},     {"layers", "[1]", 68},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " -> " + (c.replacement ? c.replacement : "missing"));
        modeltest::expectInvalidInput(
            [&] { decode(withMember(c.key, c.replacement), DecodingStrategy::dictionaryBased); },
            "Lottie/LottieAnimation", c.line);
    }
}

TEST(LottieAnimationDecoding, KeyedDecoderThrowsPlatformErrorsWithPaths) {
    using K = DecodingError::Kind;
    struct Case {
        const char* key;
        const char* replacement;
        K kind;
        const char* path;
    };
    const Case cases[] = {
        {"ip", nullptr, K::keyNotFound, "(root)"},
        {"fr", "\"30\"", K::typeMismatch, "fr"},
        {"ddd", "2", K::dataCorrupted, "ddd"},
        {"layers", "{}", K::typeMismatch, "layers"},
        {"markers", R"([{"cm":"a","tm":1}])", K::keyNotFound, "markers[0]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        try {
            decode(withMember(c.key, c.replacement), DecodingStrategy::legacyCodable);
            ADD_FAILURE() << "decoded";
        } catch (const DecodingError& error) {
            EXPECT_EQ(error.kind(), c.kind) << error.what();
            EXPECT_EQ(platform::json::describe(error.codingPath()), c.path);
        }
    }
}

TEST(LottieAnimationDecoding, StrategiesDifferWhereTheFormatSaysSo) {
    // "ddd": 2 is 2-D for the dictionary decoder (the keyed one refuses it, above).
    EXPECT_EQ(decode(withMember("ddd", "2"), DecodingStrategy::dictionaryBased)->type, lottie::CoordinateSpace::type2d);
    EXPECT_EQ(decode(withMember("ddd", "1"), DecodingStrategy::legacyCodable)->type, lottie::CoordinateSpace::type3d);

    // Unknown layer codes: dropped by one decoder, kept as null layers by the other.
    const char* unknown = R"([{"ty":9,"ip":0,"op":1,"st":0},{"ty":6,"ip":0,"op":1,"st":0}])";
    auto dictionary = decode(withMember("layers", unknown), DecodingStrategy::dictionaryBased);
    ASSERT_EQ(dictionary->layers.size(), 1u);
    EXPECT_EQ(dictionary->layers[0]->type, lottie::LayerType::unknown);
    auto keyed = decode(withMember("layers", unknown), DecodingStrategy::legacyCodable);
    ASSERT_EQ(keyed->layers.size(), 2u);
    EXPECT_EQ(keyed->layers[0]->type, lottie::LayerType::null);

    // A top-level array is no document.
    modeltest::expectInvalidInput([] { decode("[]", DecodingStrategy::dictionaryBased); },
                                  "Lottie/LottieAnimationHelpers", 157);
    EXPECT_THROW(decode("[]", DecodingStrategy::legacyCodable), DecodingError);
    EXPECT_THROW(decode("{\"v\":", DecodingStrategy::dictionaryBased), platform::json::ParseError);
}

TEST(LottieAnimationDecoding, MarkersAbsentOrEmpty) {
    for (auto strategy : {DecodingStrategy::dictionaryBased, DecodingStrategy::legacyCodable}) {
        auto none = decode(withMember("markers", nullptr), strategy);
        EXPECT_FALSE(none->markers || none->markerMap || none->markerForReducedMotion());
        EXPECT_TRUE(none->markerNames().empty());
        auto empty = decode(withMember("markers", "[]"), strategy);
        ASSERT_TRUE(empty->markers && empty->markerMap);
        EXPECT_TRUE(empty->markers->empty() && empty->markerMap->empty());
    }
    // A marker array of the wrong type is ignored by the dictionary decoder.
    EXPECT_FALSE(decode(withMember("markers", "{}"), DecodingStrategy::dictionaryBased)->markers);
    modeltest::expectInvalidInput(
        [] { decode(withMember("markers", R"([{"cm":"a","tm":1}])"), DecodingStrategy::dictionaryBased); },
        "Lottie/Marker", 16);
}

TEST(LottieAnimationDecoding, ZeroFrameRateDividesAsFloatingPoint) {
    auto animation = decode(withMember("fr", "0"), DecodingStrategy::dictionaryBased);
    EXPECT_TRUE(std::isinf(animation->duration()));
    EXPECT_TRUE(std::isinf(animation->time(10)));
    EXPECT_TRUE(std::isnan(animation->time(0)));
}

TEST(LottieAnimationEncoding, RoundTripsAndWritesOnlyPresentOptionals) {
    for (auto strategy : {DecodingStrategy::dictionaryBased, DecodingStrategy::legacyCodable}) {
        auto animation = decode(minimalDocument, strategy);
        std::string text = platform::json::serialize(platform::json::encodeToValue(*animation));
        auto again = decode(text, strategy);
        EXPECT_EQ(platform::json::serialize(platform::json::encodeToValue(*again)), text);
        EXPECT_EQ(again->layers[0]->index, animation->layers[0]->index);
        EXPECT_EQ(text.rfind(R"({"v":"5.7.4","ddd":0,"ip":0,"op":60,"fr":30,"w":400,"h":300,"layers":[)", 0), 0u) << text;
    }
    auto bare = decode(withMember("markers", nullptr), DecodingStrategy::dictionaryBased);
    std::string text = platform::json::serialize(platform::json::encodeToValue(*bare));
    EXPECT_EQ(text.find("markers"), std::string::npos);
    // A layer without "ind" writes the random index it was given.
    EXPECT_NE(text.find(R"("nm":"Layer","ind":)"), std::string::npos);
}

// Every document of the corpus and of the real-world folder decodes by both
// strategies, except that the legacy one refuses the layers of a blend mode
// newer than the format's first sixteen, as it is specified to; those are
// counted and named.
TEST(LottieAnimationDecoding, EveryCorpusDocumentRootDecodes) {
    auto files = modeltest::sharedDocuments();
    std::size_t decoded = 0;
    std::vector<std::string> newerBlendModes;
    for (const auto& path : files) {
        if (path.string().find("lottie-schema") != std::string::npos) continue;
        if (path.string().find("/invalid/") != std::string::npos) continue;
        SCOPED_TRACE(path.string());
        std::string text = testsupport::readFile(path);
        // A dotLottie theme sits beside the animations; it has no layers.
        if (!platform::json::parse(text).find("layers")) continue;
        EXPECT_NO_THROW(decode(text, DecodingStrategy::dictionaryBased));
        try {
            decode(text, DecodingStrategy::legacyCodable);
        } catch (const DecodingError& error) {
            EXPECT_TRUE(modeltest::refusesNewerBlendMode(error)) << error.what();
            newerBlendModes.push_back(path.filename().string());
        }
        ++decoded;
    }
    if (files.empty()) GTEST_SKIP() << "no corpus beside the clone";
    EXPECT_GT(decoded, 50u);
    // Two real-world documents use blend mode 16; the corpus none.
    EXPECT_LE(newerBlendModes.size(), 2u) << testing::PrintToString(newerBlendModes);
    if (!newerBlendModes.empty()) {
        std::cout << "The legacy strategy refuses a blend mode newer than the first sixteen in: "
                  << testing::PrintToString(newerBlendModes) << "\n";
    }
}

}  // namespace
