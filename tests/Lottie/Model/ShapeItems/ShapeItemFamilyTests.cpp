#include <gtest/gtest.h>

#include "Lottie/Model/ShapeItems/Group.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using Kind = platform::json::DecodingError::Kind;

namespace {

TEST(ShapeItemFamily, AbsentOrNonTextCodeFailsBothDecoders) {
    struct Case {
        const char* item;
        Kind keyedKind;
    };
    const Case cases[] = {
        {R"({"nm":"no code"})", Kind::keyNotFound},
        {R"({"ty":4})", Kind::typeMismatch},
        {R"({"ty":null})", Kind::valueNotFound},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.item);
        EXPECT_EQ(dictionaryError(testCase.item), lottie::InitializableError::invalidInput("Lottie/ShapeItem", 90));
        EXPECT_EQ(keyedError(testCase.item).kind(), testCase.keyedKind);
    }
    // One bad element fails the whole list, wherever it is.
    const std::string list = R"([{"ty":"mm","mm":1},{"nm":"no code"}])";
    EXPECT_THROW(listByDictionary(list), lottie::InitializableError);
    EXPECT_THROW(listByKeyed(list), platform::json::DecodingError);
}

TEST(ShapeItemFamily, KeyedListMustBeAnArrayOfObjects) {
    for (const char* list : {R"({"ty":"el"})", R"([1])", R"(["el"])", R"([null])"}) {
        SCOPED_TRACE(list);
        EXPECT_THROW(listByKeyed(list), platform::json::DecodingError);
    }
    platform::json::Value json = platform::json::parse(R"({"other":[]})");
    auto missing = testsupport::thrown<platform::json::DecodingError>(
        [&] { ShapeItem::decodeShapeItemFamily(platform::json::Decoder(json).container(), "shapes"); });
    ASSERT_TRUE(missing) << "a missing list was accepted";
    EXPECT_EQ(missing->kind(), Kind::keyNotFound);
}

TEST(ShapeItemFamily, OwnKeysAreReadBeforeBaseKeys) {
    // A missing own key is reported, not the mistyped name.
    auto error = keyedError(R"({"ty":"el","nm":5,"s":{"k":[1,1]}})");
    EXPECT_EQ(error.kind(), Kind::keyNotFound);
    ASSERT_TRUE(error.key());
    EXPECT_EQ(error.key()->stringValue, "p");
    // With the own keys valid, the base keys are checked.
    EXPECT_EQ(keyedError(R"({"ty":"el","nm":5,"p":{"k":[0,0]},"s":{"k":[1,1]}})").kind(), Kind::typeMismatch);
}

// Nesting as deep as the parser allows must not exhaust the stack in either
// decoder or in the encoder.
TEST(ShapeItemFamily, DeeplyNestedGroupsDecodeAndEncode) {
    constexpr int depth = 500;  // two JSON levels per group, just under the parser's limit
    std::string text;
    for (int level = 0; level < depth; ++level) text += R"({"ty":"gr","it":[)";
    for (int level = 0; level < depth; ++level) text += "]}";
    for (const ItemPtr& item : {byDictionary(text), byKeyed(text)}) {
        ASSERT_TRUE(item);
        int levels = 0;
        for (ItemPtr current = item; current; ++levels) {
            auto group = std::dynamic_pointer_cast<const lottie::Group>(current);
            ASSERT_TRUE(group);
            current = group->items().empty() ? nullptr : group->items().front();
        }
        EXPECT_EQ(levels, depth);
        EXPECT_EQ(encode(*item), platform::json::parse(encodeText(*byDictionary(text))));
    }
}

}  // namespace
