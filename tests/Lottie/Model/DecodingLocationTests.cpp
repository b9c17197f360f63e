// A document that fails to decode says where: both decoders' errors keep
// their values (file and line, kind and coding path) and lead their message
// with the place in the document, layers by position and name.

#include <gtest/gtest.h>

#include <string>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/TestSupport.h"

using lottie::DecodingStrategy;
using lottie::LottieAnimation;

namespace {

std::string document(const std::string& layers, const std::string& extra = "") {
    return R"({"v":"5","fr":30,"ip":0,"op":10,"w":100,"h":100)" + extra + R"(,"layers":[)" + layers + "]}";
}

const std::string nullLayer = R"({"ty":3,"nm":"Null 1","ind":1,"ip":0,"op":10,"st":0})";

std::string shapeLayer(const std::string& name, const std::string& shapes) {
    return R"({"ty":4,)" + name + R"("ind":2,"ip":0,"op":10,"st":0,"shapes":[)" + shapes + "]}";
}

struct Case {
    std::string json;
    // The dictionary decoder's place and error value.
    const char* location;
    const char* file;
    unsigned line;
    // The keyed decoder's place and its coding path with the key; none where it accepts the document.
    const char* keyedLocation;
    const char* keyedPath;
};

TEST(DecodingLocation, BothDecodersLeadTheirMessageWithThePlace) {
    const Case cases[] = {
        {document(nullLayer + "," +
                  shapeLayer(R"("nm":"Shape Layer 1",)",
                             R"({"ty":"gr","it":[{"ty":"rc","p":{"k":[0,0]},"s":{"k":[9,9]},"r":{"k":0}},)"
                             R"({"ty":"fl","o":{"k":100}}]})")),
         R"(layers[1] "Shape Layer 1" > shapes[0] > it[1] > c: key not found)", "Lottie/Fill", 33,
         R"(layers[1] "Shape Layer 1" > shapes[0] > it[1] > c: keyNotFound)", "layers[1].shapes[0].it[1].c"},
        // A layer without a name is told by its position alone.
        {document(shapeLayer("", R"({"ty":"sh","ks":{"k":"zz"}})")), "layers[0] > shapes[0] > ks > k: unreadable value",
         "Lottie/KeyframeGroup", 166, "layers[0] > shapes[0] > ks > k: typeMismatch", "layers[0].shapes[0].ks.k"},
        {R"({"v":"5","fr":30,"ip":0,"op":"10","w":100,"h":100,"layers":[]})", "op: expected a number, found a string",
         "Lottie/LottieAnimation", 64, "op: typeMismatch", "op"},
        // The keyed decoder skips a broken precomposition; the other names its layer.
        {document("", R"(,"assets":[{"id":"c","layers":[{"ty":4,"nm":"Inner","ip":0,"st":0,"shapes":[]}]}])"),
         R"(assets[0] > layers[0] "Inner" > op: key not found)", "Lottie/LayerModel", 120, nullptr, nullptr},
        // The dictionary decoder reads keyframe values quietly and reports the group.
        {document(R"({"ty":5,"nm":"Title","ip":0,"op":10,"st":0,)"
                  R"("t":{"d":{"k":[{"t":0,"s":{"t":"a","f":"F","s":9,"j":9}}]},"a":[]}})"),
         R"(layers[0] "Title" > t > d > k: missing or unreadable keyframe values)", "Lottie/KeyframeGroup", 175,
         R"(layers[0] "Title" > t > d > k[0] > s > j: dataCorrupted)", "layers[0].t.d.k[0].s.j"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        try {
            LottieAnimation::fromData(c.json, DecodingStrategy::dictionaryBased);
            ADD_FAILURE() << "the dictionary decoder accepted it";
        } catch (const lottie::InitializableError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.location, 0), 0u) << error.what();
            EXPECT_EQ(error.file(), c.file);
            EXPECT_EQ(error.line(), c.line);
        }
        if (!c.keyedLocation) {
            EXPECT_NO_THROW(LottieAnimation::fromData(c.json, DecodingStrategy::legacyCodable));
            continue;
        }
        try {
            LottieAnimation::fromData(c.json, DecodingStrategy::legacyCodable);
            ADD_FAILURE() << "the keyed decoder accepted it";
        } catch (const platform::json::DecodingError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.keyedLocation, 0), 0u) << error.what();
            auto path = error.codingPath();
            if (error.key()) path.push_back(*error.key());
            EXPECT_EQ(platform::json::describe(path), c.keyedPath);
        }
    }
}

TEST(DecodingLocation, TheLoadersLogThePlace) {
    testsupport::TemporaryDirectory directory;
    const auto path = directory.path() / "broken.json";
    testsupport::writeFile(path, document(shapeLayer(R"("nm":"Wheel",)", R"({"ty":"el","p":{"k":[0,0]}})")));
    const lottie::LottieConfiguration previous = lottie::LottieConfiguration::shared();
    for (DecodingStrategy strategy : {DecodingStrategy::dictionaryBased, DecodingStrategy::legacyCodable}) {
        lottie::LottieConfiguration configuration = previous;
        configuration.decodingStrategy = strategy;
        lottie::LottieConfiguration::setShared(configuration);
        testsupport::RecordingLogger logger;
        EXPECT_FALSE(LottieAnimation::loadFromFilepath(path.string()));
        EXPECT_EQ(logger.warnings.size(), 1u);
        const std::string warning = logger.warnings.empty() ? "" : logger.warnings[0];
        EXPECT_NE(warning.find(R"(layers[0] "Wheel" > shapes[0] > s: )"), std::string::npos) << warning;
    }
    lottie::LottieConfiguration::setShared(previous);
}

}  // namespace
