// The manifest of a package and the configuration each entry gives its
// animation: what decodes, what is refused, what is written back, and how the
// hints turn into a loop mode and a speed.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Lottie/DotLottie/DotLottieConfiguration.h"
#include "Lottie/DotLottie/DotLottieConfigurationComponents.h"
#include "Lottie/DotLottie/DotLottieManifest.h"
#include "Platform/Json/DecodingError.h"
#include "Platform/Json/Encoding.h"
#include "Platform/Json/JsonWriter.h"
#include "Platform/Json/ParseError.h"

using namespace lottie;

namespace {

std::string entries(const std::string& entry) { return R"({"animations":[)" + entry + "]}"; }

TEST(DotLottieManifest, DecodesWhatIsPresentAndIgnoresUnknownKeys) {
    const DotLottieManifest manifest = DotLottieManifest::fromData(
        R"({"version":"2","author":"me","generator":"g","themes":[{"id":"t"}],"animations":[
            {"id":"a","loop":true,"speed":1.5,"direction":-1,"mode":"bounce","autoplay":true},
            {"id":"b","loop":null,"speed":null,"direction":null,"mode":null}]})");
    ASSERT_EQ(manifest.animations.size(), 2u);
    EXPECT_EQ(manifest.version, "2");
    EXPECT_EQ(manifest.author, "me");
    EXPECT_EQ(manifest.generator, "g");
    const DotLottieAnimation& a = manifest.animations[0];
    EXPECT_EQ(a.id, "a");
    EXPECT_EQ(a.loop, true);
    EXPECT_EQ(a.speed, 1.5);
    EXPECT_EQ(a.direction, -1);
    EXPECT_EQ(a.mode, DotLottieAnimationMode::bounce);
    DotLottieAnimation onlyId;
    onlyId.id = "b";
    EXPECT_EQ(manifest.animations[1], onlyId);

    const DotLottieManifest empty = DotLottieManifest::fromData(R"({"animations":[]})");
    EXPECT_TRUE(empty.animations.empty());
    EXPECT_FALSE(empty.version || empty.author || empty.generator);
}

TEST(DotLottieManifest, RefusesMissingKeysWrongTypesAndUnknownModes) {
    const struct {
        std::string json;
        platform::json::DecodingError::Kind kind;
    } cases[] = {
        {R"({"version":"1"})", platform::json::DecodingError::Kind::keyNotFound},
        {R"({"animations":{}})", platform::json::DecodingError::Kind::typeMismatch},
        {entries(R"({"loop":true})"), platform::json::DecodingError::Kind::keyNotFound},
        {entries(R"({"id":7})"), platform::json::DecodingError::Kind::typeMismatch},
        {entries(R"({"id":"a","loop":"yes"})"), platform::json::DecodingError::Kind::typeMismatch},
        {entries(R"({"id":"a","loop":1})"), platform::json::DecodingError::Kind::typeMismatch},
        {entries(R"({"id":"a","speed":"2"})"), platform::json::DecodingError::Kind::typeMismatch},
        {entries(R"({"id":"a","direction":1.5})"), platform::json::DecodingError::Kind::dataCorrupted},
        {entries(R"({"id":"a","mode":"Bounce"})"), platform::json::DecodingError::Kind::dataCorrupted},
        {entries(R"({"id":"a","mode":"reverse"})"), platform::json::DecodingError::Kind::dataCorrupted},
        {entries(R"({"id":"a","mode":1})"), platform::json::DecodingError::Kind::typeMismatch},
        {R"({"animations":[],"version":2})", platform::json::DecodingError::Kind::typeMismatch},
        {R"([])", platform::json::DecodingError::Kind::typeMismatch},
    };
    for (const auto& c : cases) {
        try {
            DotLottieManifest::fromData(c.json);
            ADD_FAILURE() << c.json << " decoded";
        } catch (const platform::json::DecodingError& error) {
            EXPECT_EQ(error.kind(), c.kind) << c.json << ": " << error.what();
        }
    }
    EXPECT_THROW(DotLottieManifest::fromData("{\"animations\":["), platform::json::ParseError);
}

TEST(DotLottieManifest, EncodesOnlyWhatIsPresentAndReadsBackTheSame) {
    const std::string cases[] = {
        R"({"animations":[]})",
        R"({"animations":[{"id":"a"}],"version":"1"})",
        R"({"animations":[{"id":"a","loop":false,"speed":0.5,"direction":1,"mode":"normal"},{"id":"b","mode":"bounce"}],"version":"2","author":"x","generator":"y"})",
    };
    for (const std::string& json : cases) {
        const DotLottieManifest manifest = DotLottieManifest::fromData(json);
        const std::string written = platform::json::serialize(platform::json::encodeToValue(manifest));
        EXPECT_EQ(written, json);
        EXPECT_EQ(DotLottieManifest::fromData(written), manifest);
    }
}

TEST(DotLottieManifest, VersionsOfTwoOrMoreUseShortFolderNames) {
    const struct {
        std::optional<std::string> version;
        bool shortNames;
    } cases[] = {
        {std::nullopt, false}, {"1", false}, {"2", true},   {"3", true},    {"+2", true},  {"10", true},
        {"2.0", false},        {"2a", false}, {"", false},  {"+", false},   {"-", false},  {"-2", false},
        {"+-2", false},        {" 2", false}, {"99999999999999999999", false}, {"0002", true},
    };
    for (const auto& c : cases) {
        DotLottieManifest manifest;
        manifest.version = c.version;
        EXPECT_EQ(manifest.usesShortFolderNames(), c.shortNames) << c.version.value_or("(none)");
    }
}

TEST(DotLottieConfiguration, LoopModeAndSpeedFollowTheHints) {
    const struct {
        std::string entry;
        LottieLoopMode loopMode;
        double speed;
    } cases[] = {
        {R"({"id":"a"})", LottieLoopMode::playOnce(), 1},
        {R"({"id":"a","loop":true})", LottieLoopMode::loop(), 1},
        {R"({"id":"a","loop":false})", LottieLoopMode::playOnce(), 1},
        {R"({"id":"a","loop":false,"mode":"bounce"})", LottieLoopMode::autoReverse(), 1},
        {R"({"id":"a","mode":"bounce"})", LottieLoopMode::autoReverse(), 1},
        {R"({"id":"a","loop":true,"mode":"normal","speed":1.5,"direction":-1})", LottieLoopMode::loop(), -1.5},
        {R"({"id":"a","speed":2,"direction":-1})", LottieLoopMode::playOnce(), -2},
        {R"({"id":"a","direction":1})", LottieLoopMode::playOnce(), 1},
        {R"({"id":"a","speed":0.5})", LottieLoopMode::playOnce(), 0.5},
        {R"({"id":"a","speed":3,"direction":0})", LottieLoopMode::playOnce(), 0},
    };
    for (const auto& c : cases) {
        const DotLottieManifest manifest = DotLottieManifest::fromData(entries(c.entry));
        const DotLottieConfiguration configuration = DotLottieConfiguration::make(manifest.animations[0], nullptr);
        EXPECT_EQ(configuration.id, "a");
        EXPECT_EQ(configuration.loopMode, c.loopMode) << c.entry;
        EXPECT_EQ(configuration.speed, c.speed) << c.entry;
        EXPECT_FALSE(configuration.imageProvider());
    }
}

TEST(DotLottieConfigurationComponents, SetOperationsOverTheRawValue) {
    using Components = DotLottieConfigurationComponents;
    EXPECT_EQ(Components::all().rawValue, 7);
    EXPECT_EQ(Components::imageProvider().unionWith(Components::loopMode()).unionWith(Components::animationSpeed()),
              Components::all());
    EXPECT_TRUE(Components::all().contains(Components::loopMode()));
    EXPECT_FALSE(Components::imageProvider().contains(Components::loopMode()));
    EXPECT_FALSE(Components::imageProvider().contains(Components::all()));
    EXPECT_TRUE(Components::none().contains(Components::none()));
    EXPECT_EQ(Components::all().intersection(Components{6}), Components{6});
    EXPECT_EQ(Components::imageProvider().intersection(Components::animationSpeed()), Components::none());
}

}  // namespace
