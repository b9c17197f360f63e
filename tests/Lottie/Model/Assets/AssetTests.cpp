#include <gtest/gtest.h>

#include "Lottie/Model/Assets/AssetLibrary.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::AssetLibrary;
using lottie::ImageAsset;
using lottie::PrecompAsset;
using Kind = platform::json::DecodingError::Kind;

namespace {

const char* imageKeys = R"("p":"img_0.png","u":"images/","w":120,"h":80)";

std::string image(const std::string& id) { return std::string("{") + imageKeys + ",\"id\":" + id + "}"; }

TEST(ImageAssetDecoding, IdentifierIsTextOrAnIntegerAndEveryKeyIsChecked) {
    struct Case {
        std::string json;
        const char* id;  // nullptr: both decoders refuse it
        const char* file = "Lottie/Asset";
        unsigned line = 30;
    };
    const Case cases[] = {
        {image(R"("logo")"), "logo"}, {image("12"), "12"}, {image("12.0"), "12"}, {image("-3"), "-3"},
        {image("1.5"), nullptr},      {image("null"), nullptr}, {image("[1]"), nullptr},
        // Each of these also lacks "id", so the asset's own keys must be read first.
        {R"({"u":"","w":1,"h":1})", nullptr, "Lottie/ImageAsset", 33},
        {R"({"p":"a","w":1,"h":1})", nullptr, "Lottie/ImageAsset", 34},
        {R"({"p":"a","u":"","w":"1","h":1})", nullptr, "Lottie/ImageAsset", 35},
        {R"({"p":"a","u":"","w":1})", nullptr, "Lottie/ImageAsset", 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        if (c.id) {
            EXPECT_EQ(modeltest::fromDictionary<ImageAsset>(c.json)->id, c.id);
            EXPECT_EQ(modeltest::fromContainer<ImageAsset>(c.json)->id, c.id);
        } else {
            modeltest::expectInvalidInput([&] { modeltest::fromDictionary<ImageAsset>(c.json); }, c.file, c.line);
            EXPECT_THROW(modeltest::fromContainer<ImageAsset>(c.json), platform::json::DecodingError);
        }
    }
    EXPECT_EQ(modeltest::encoded(*modeltest::fromDictionary<ImageAsset>(image(R"("a")"))),
              R"({"id":"a","p":"img_0.png","u":"images/","w":120,"h":80})");
}

TEST(ImageAssetFiles, PathsThatCouldLeaveTheFolderAreRefused) {
    const std::filesystem::path folder = "/data/animation";
    struct Case {
        const char* name;
        const char* directory;
        const char* withDirectory;     // nullptr: refused
        const char* withoutDirectory;  // nullptr: refused
    };
    const Case cases[] = {
        {"img.png", "images/", "/data/animation/images/img.png", "/data/animation/img.png"},
        {"img.png", "", "/data/animation/img.png", "/data/animation/img.png"},
        {"sub/img.png", "images", "/data/animation/images/sub/img.png", "/data/animation/sub/img.png"},
        {"..img.png", "images", "/data/animation/images/..img.png", "/data/animation/..img.png"},
        {"../secret.png", "images/", nullptr, nullptr},
        {"a/../../secret.png", "", nullptr, nullptr},
        {"..", "", nullptr, nullptr},
        {"/etc/passwd", "", nullptr, nullptr},
        {"img.png", "../", nullptr, "/data/animation/img.png"},
        {"img.png", "/lottie-docs/static/", nullptr, "/data/animation/img.png"},
        {"", "images/", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.directory) + " + " + c.name);
        std::string json = std::string(R"({"id":"i","w":1,"h":1,"p":")") + c.name + R"(","u":")" + c.directory + "\"}";
        auto asset = modeltest::fromDictionary<ImageAsset>(json);
        auto both = asset->filePath(folder);
        auto nameOnly = asset->filePath(folder, false);
        ASSERT_EQ(both.has_value(), c.withDirectory != nullptr);
        ASSERT_EQ(nameOnly.has_value(), c.withoutDirectory != nullptr);
        if (both) { EXPECT_EQ(both->lexically_normal(), std::filesystem::path(c.withDirectory)); }
        if (nameOnly) { EXPECT_EQ(nameOnly->lexically_normal(), std::filesystem::path(c.withoutDirectory)); }
    }
    // A NUL byte would cut the name short where the file is opened.
    auto nul = modeltest::fromDictionary<ImageAsset>(R"({"id":"i","w":1,"h":1,"p":"a.png\u0000/../../x","u":""})");
    EXPECT_FALSE(nul->filePath(folder));
}

TEST(PrecompAssetDecoding, LayersMustBeAnArrayOfDictionaries) {
    for (const char* layers : {"{}", "[1]", "null", "\"x\""}) {
        SCOPED_TRACE(layers);
        std::string json = std::string(R"({"id":"p","layers":)") + layers + "}";
        modeltest::expectInvalidInput([&] { modeltest::fromDictionary<PrecompAsset>(json); }, "Lottie/PrecompAsset",
                                      21);
        EXPECT_THROW(modeltest::fromContainer<PrecompAsset>(json), platform::json::DecodingError);
    }
    const char* json = R"({"id":7,"layers":[{"ty":3,"ind":1,"ip":0,"op":10,"st":0}]})";
    for (auto asset : {modeltest::fromDictionary<PrecompAsset>(json), modeltest::fromContainer<PrecompAsset>(json)}) {
        EXPECT_EQ(asset->id, "7");
        ASSERT_EQ(asset->layers.size(), 1u);
        EXPECT_EQ(asset->layers[0]->index, 1);
    }
}

TEST(AssetLibraryDecoding, DictionaryDecoderSkipsBadImagesAndNeedsAnArray) {
    const char* json = R"([
        {"id":"a","p":"a.png","u":"","w":1,"h":1},
        {"id":"noDirectory","p":"b.png","w":1,"h":1},
        {"id":"comp","layers":[]},
        {"id":12,"p":"c.png","u":"","w":1,"h":1}])";
    auto library = modeltest::fromDictionary<AssetLibrary>(json);
    EXPECT_EQ(library->assets.size(), 3u);
    EXPECT_TRUE(library->imageAssets.count("12") && !library->assets.count("noDirectory"));
    // One object, shared by both maps.
    EXPECT_EQ(library->assets.at("comp").get(), library->precompAssets.at("comp").get());

    for (const char* notAnArray : {"{}", "[1]"}) {
        modeltest::expectInvalidInput([&] { modeltest::fromDictionary<AssetLibrary>(notAnArray); },
                                      "Lottie/AssetLibrary", 43);
    }
}

TEST(AssetLibraryDecoding, KeyedDecoderNeverFailsOnAnElement) {
    const char* json = R"([
        {"id":"brokenComp","layers":{},"p":"x.png","u":"","w":1,"h":1},
        {"id":"brokenAndNoImage","layers":7},
        {"id":"noDirectory","p":"b.png","w":1,"h":1},
        {"id":"comp","layers":[]},
        5,
        {"id":"afterTheStop","p":"c.png","u":"","w":1,"h":1}])";
    auto library = modeltest::fromContainer<AssetLibrary>(json);
    // The broken precomposition with image keys becomes an image; reading stops at the number.
    EXPECT_EQ(library->imageAssets.size() + library->precompAssets.size(), library->assets.size());
    EXPECT_TRUE(library->imageAssets.count("brokenComp") && library->precompAssets.count("comp"));
    EXPECT_EQ(library->assets.size(), 2u);
    modeltest::expectDecodingError([] { modeltest::fromContainer<AssetLibrary>("{}"); }, Kind::typeMismatch);
}

TEST(AssetLibraryDecoding, LaterAssetsReplaceEarlierOnesAndSurviveEncoding) {
    const char* json = R"([
        {"id":"x","layers":[]},
        {"id":"y","p":"first.png","u":"","w":1,"h":1},
        {"id":"y","p":"second.png","u":"","w":1,"h":1},
        {"id":"x","p":"shadow.png","u":"","w":1,"h":1}])";
    auto check = [](const AssetLibrary& library) {
        EXPECT_EQ(library.imageAssets.at("y")->name, "second.png");
        // "x" is an image in the whole map, and the precomposition is still in its own map.
        EXPECT_TRUE(dynamic_cast<const ImageAsset*>(library.assets.at("x").get()));
        EXPECT_TRUE(library.precompAssets.count("x"));
        EXPECT_EQ(library.imageAssets.at("x")->name, "shadow.png");
    };
    for (auto library : {modeltest::fromDictionary<AssetLibrary>(json), modeltest::fromContainer<AssetLibrary>(json)}) {
        check(*library);
        std::string text = modeltest::encoded(*library);
        // The replaced "first.png" is unreachable and not written.
        EXPECT_EQ(text.find("first.png"), std::string::npos);
        check(*modeltest::fromDictionary<AssetLibrary>(text));
        check(*modeltest::fromContainer<AssetLibrary>(text));
    }
    EXPECT_EQ(modeltest::encoded(*modeltest::fromDictionary<AssetLibrary>("[]")), "[]");
}

}  // namespace
