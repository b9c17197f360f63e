#include <gtest/gtest.h>

#include "Lottie/Model/Text/FontList.h"
#include "Lottie/Model/Text/Glyph.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::FontList;
using lottie::Glyph;
using Kind = platform::json::DecodingError::Kind;

namespace {

// A JSON object from key-value pairs, leaving out the one named `missing` and
// replacing the value of the one named `replaced`.
std::string object(std::initializer_list<std::pair<const char*, const char*>> members, const std::string& missing,
                   const std::string& replaced = "", const std::string& replacement = "") {
    std::string json = "{";
    for (const auto& [key, value] : members) {
        if (key == missing) continue;
        if (json.size() > 1) json += ",";
        json += std::string("\"") + key + "\":" + (key == replaced ? replacement : value);
    }
    return json + "}";
}

const std::initializer_list<std::pair<const char*, const char*>> fontMembers = {
    {"fName", R"("Roboto-Bold")"}, {"fFamily", R"("Roboto")"}, {"fStyle", R"("Bold")"}, {"ascent", "75"}};

const std::initializer_list<std::pair<const char*, const char*>> glyphMembers = {
    {"ch", R"("A")"}, {"size", "12"}, {"fFamily", R"("Roboto")"}, {"style", R"("Bold")"}, {"w", "58.5"}};

TEST(FontDecoding, EveryNameIsRequired) {
    const std::pair<const char*, unsigned> cases[] = {{"fName", 15}, {"fFamily", 16}, {"fStyle", 17}};
    for (const auto& [key, line] : cases) {
        SCOPED_TRACE(key);
        std::string missing = R"({"list":[)" + object(fontMembers, key) + "]}";
        std::string mistyped = R"({"list":[)" + object(fontMembers, "", key, "[]") + "]}";
        modeltest::expectInvalidInput([&] { modeltest::fromDictionary<FontList>(missing); }, "Lottie/Font", line);
        modeltest::expectInvalidInput([&] { modeltest::fromDictionary<FontList>(mistyped); }, "Lottie/Font", line);
        modeltest::expectDecodingError([&] { modeltest::fromContainer<FontList>(missing); }, Kind::keyNotFound);
        modeltest::expectDecodingError([&] { modeltest::fromContainer<FontList>(mistyped); }, Kind::typeMismatch);
    }
    // The list shares the font's file.
    for (const char* list : {"{}", R"({"list":{}})", R"({"list":[1]})", R"({"list":null})"}) {
        SCOPED_TRACE(list);
        modeltest::expectInvalidInput([&] { modeltest::fromDictionary<FontList>(list); }, "Lottie/Font", 47);
    }
    modeltest::expectDecodingError([] { modeltest::fromContainer<FontList>("{}"); }, Kind::keyNotFound);
}

TEST(FontDecoding, DecodesAndRoundTrips) {
    std::string json = R"({"list":[)" + object(fontMembers, "") + "]}";
    for (auto fonts : {modeltest::fromDictionary<FontList>(json), modeltest::fromContainer<FontList>(json)}) {
        ASSERT_EQ(fonts->fonts.size(), 1u);
        EXPECT_EQ(fonts->fonts[0]->ascent, 75);
        EXPECT_EQ(modeltest::encoded(*fonts), json);
    }
    EXPECT_TRUE(modeltest::fromDictionary<FontList>(R"({"list":[]})")->fonts.empty());
}

TEST(GlyphDecoding, MetricsAreRequired) {
    const std::pair<const char*, unsigned> cases[] = {{"ch", 32}, {"size", 33}, {"fFamily", 34}, {"style", 35}, {"w", 36}};
    for (const auto& [key, line] : cases) {
        SCOPED_TRACE(key);
        std::string missing = object(glyphMembers, key);
        bool isNumber = key == std::string("size") || key == std::string("w");
        std::string mistyped = object(glyphMembers, "", key, isNumber ? R"("1")" : "1");
        modeltest::expectInvalidInput([&] { modeltest::fromDictionary<Glyph>(missing); }, "Lottie/Glyph", line);
        modeltest::expectInvalidInput([&] { modeltest::fromDictionary<Glyph>(mistyped); }, "Lottie/Glyph", line);
        modeltest::expectDecodingError([&] { modeltest::fromContainer<Glyph>(missing); }, Kind::keyNotFound);
    }
}

TEST(GlyphDecoding, AnUnusableOutlineIsNoOutline) {
    for (const char* data : {"", R"(,"data":{})", R"(,"data":5)", R"(,"data":{"shapes":{}})", R"(,"data":null)"}) {
        SCOPED_TRACE(data);
        std::string json = object(glyphMembers, "");
        json.insert(json.size() - 1, data);
        EXPECT_TRUE(modeltest::fromDictionary<Glyph>(json)->shapes.empty());
        if (std::string(data).find("shapes") == std::string::npos) {
            EXPECT_TRUE(modeltest::fromContainer<Glyph>(json)->shapes.empty());
        }
    }
    // In the keyed decoder a present "shapes" must be a list.
    std::string json = object(glyphMembers, "");
    json.insert(json.size() - 1, R"(,"data":{"shapes":{}})");
    EXPECT_THROW(modeltest::fromContainer<Glyph>(json), platform::json::DecodingError);
}

}  // namespace
