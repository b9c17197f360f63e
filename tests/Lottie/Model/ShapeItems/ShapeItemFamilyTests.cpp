#include <gtest/gtest.h>

#include <typeindex>
#include <typeinfo>

#include "Lottie/Model/ShapeItems/Ellipse.h"
#include "Lottie/Model/ShapeItems/Fill.h"
#include "Lottie/Model/ShapeItems/GradientFill.h"
#include "Lottie/Model/ShapeItems/GradientStroke.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Model/ShapeItems/Merge.h"
#include "Lottie/Model/ShapeItems/Rectangle.h"
#include "Lottie/Model/ShapeItems/Repeater.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/Model/ShapeItems/Star.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using lottie::ShapeType;
using Kind = platform::json::DecodingError::Kind;

namespace {

TEST(ShapeItemFamily, EveryCodeSelectsItsClassInBothDecoders) {
    struct Case {
        const char* sample;
        ShapeType type;
        std::type_index expectedClass;
    };
    const Case cases[] = {
        {"ellipse", ShapeType::ellipse, typeid(lottie::Ellipse)},
        {"rectangle", ShapeType::rectangle, typeid(lottie::Rectangle)},
        {"star", ShapeType::star, typeid(lottie::Star)},
        {"shape", ShapeType::shape, typeid(lottie::Shape)},
        {"fill", ShapeType::fill, typeid(lottie::Fill)},
        {"stroke", ShapeType::stroke, typeid(lottie::Stroke)},
        {"gradientFill", ShapeType::gradientFill, typeid(lottie::GradientFill)},
        {"gradientStroke", ShapeType::gradientStroke, typeid(lottie::GradientStroke)},
        {"group", ShapeType::group, typeid(lottie::Group)},
        {"merge", ShapeType::merge, typeid(lottie::Merge)},
        {"roundedCorners", ShapeType::round, typeid(lottie::RoundedCorners)},
        {"trim", ShapeType::trim, typeid(lottie::Trim)},
        {"repeater", ShapeType::repeater, typeid(lottie::Repeater)},
        {"transform", ShapeType::transform, typeid(lottie::ShapeTransform)},
        {"unknown", ShapeType::unknown, typeid(lottie::ShapeItem)},
    };
    ASSERT_EQ(std::size(cases), minimalSamples().size());
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.sample);
        const Sample* sample = nullptr;
        for (const Sample& candidate : minimalSamples()) {
            if (candidate.name == testCase.sample) sample = &candidate;
        }
        ASSERT_TRUE(sample);
        for (const ItemPtr& item : {byDictionary(sample->json), byKeyed(sample->json)}) {
            ASSERT_TRUE(item);
            EXPECT_EQ(std::type_index(typeid(*item)), testCase.expectedClass);
            EXPECT_EQ(item->type(), testCase.type);
            EXPECT_EQ(item->name(), "Layer");
            EXPECT_FALSE(item->hidden());
        }
    }
}

TEST(ShapeItemFamily, CodesAreExactAndCaseSensitive) {
    EXPECT_EQ(lottie::shapeTypeFromRawValue("el"), ShapeType::ellipse);
    EXPECT_EQ(lottie::shapeTypeFromRawValue("unknown"), ShapeType::unknown);
    for (const char* text : {"EL", "el ", "", "ellipse", "Unknown"}) {
        EXPECT_FALSE(lottie::shapeTypeFromRawValue(text)) << text;
    }
    for (int index = 0; index <= static_cast<int>(ShapeType::unknown); ++index) {
        auto type = static_cast<ShapeType>(index);
        EXPECT_EQ(lottie::shapeTypeFromRawValue(lottie::rawValue(type)), type);
    }
}

TEST(ShapeItemFamily, UnrecognisedCodeIsDroppedByDictionaryAndKeptByKeyed) {
    const std::string list = R"([{"ty":"el","p":{"k":[0,0]},"s":{"k":[1,1]}},)"
                             R"({"ty":"xx","nm":"odd","hd":true,"whatever":5},)"
                             R"({"ty":"EL","nm":"shouting"},)"
                             R"({"ty":"fl","o":{"k":100},"c":{"k":[1,1,1]}}])";
    ShapeItemList dictionary = listByDictionary(list);
    ASSERT_EQ(dictionary.size(), 2u);
    EXPECT_EQ(dictionary[0]->type(), ShapeType::ellipse);
    EXPECT_EQ(dictionary[1]->type(), ShapeType::fill);

    ShapeItemList keyed = listByKeyed(list);
    ASSERT_EQ(keyed.size(), 4u);
    EXPECT_EQ(keyed[0]->type(), ShapeType::ellipse);
    EXPECT_EQ(typeid(*keyed[1]), typeid(ShapeItem));
    EXPECT_EQ(keyed[1]->type(), ShapeType::unknown);
    EXPECT_EQ(keyed[1]->name(), "odd");
    EXPECT_TRUE(keyed[1]->hidden());
    EXPECT_EQ(keyed[2]->type(), ShapeType::unknown);
    EXPECT_EQ(keyed[2]->name(), "shouting");
    EXPECT_EQ(keyed[3]->type(), ShapeType::fill);
}

TEST(ShapeItemFamily, AbsentOrNonTextCodeFailsBothDecoders) {
    struct Case {
        const char* item;
        Kind keyedKind;
    };
    const Case cases[] = {
        {R"({"nm":"no code"})", Kind::keyNotFound},
        {R"({"ty":4})", Kind::typeMismatch},
        {R"({"ty":["el"]})", Kind::typeMismatch},
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

TEST(ShapeItemFamily, ListsKeepDocumentOrderAndMayBeEmpty) {
    EXPECT_TRUE(listByDictionary("[]").empty());
    EXPECT_TRUE(listByKeyed("[]").empty());
    const std::string list = R"([{"ty":"mm","mm":1,"nm":"a"},{"ty":"mm","mm":2,"nm":"b"},{"ty":"mm","mm":3,"nm":"c"}])";
    for (const ShapeItemList& items : {listByDictionary(list), listByKeyed(list)}) {
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0]->name(), "a");
        EXPECT_EQ(items[1]->name(), "b");
        EXPECT_EQ(items[2]->name(), "c");
        EXPECT_EQ(as<lottie::Merge>(items[2])->mode(), lottie::MergeMode::subtract);
    }
}

TEST(ShapeItemFamily, KeyedListMustBeAnArrayOfObjects) {
    for (const char* list : {R"({"ty":"el"})", R"([1])", R"(["el"])", R"([null])"}) {
        SCOPED_TRACE(list);
        EXPECT_THROW(listByKeyed(list), platform::json::DecodingError);
    }
    platform::json::Value json = platform::json::parse(R"({"other":[]})");
    platform::json::Decoder decoder(json);
    try {
        ShapeItem::decodeShapeItemFamily(decoder.container(), "shapes");
        FAIL() << "a missing list was accepted";
    } catch (const platform::json::DecodingError& error) {
        EXPECT_EQ(error.kind(), Kind::keyNotFound);
    }
}

TEST(ShapeItemFamily, EncodingWritesBaseKeysFirstWithDefaults) {
    for (const ItemPtr& item : {byDictionary(R"({"ty":"unknown"})"), byKeyed(R"({"ty":"unknown"})")}) {
        ASSERT_TRUE(item);
        EXPECT_EQ(encode(*item), platform::json::parse(R"({"nm":"Layer","ty":"unknown","hd":false})"));
        EXPECT_EQ(keysOf(encode(*item)), (std::vector<std::string>{"nm", "ty", "hd"}));
    }
    ItemPtr merge = byDictionary(R"({"mm":4,"hd":true,"ty":"mm","nm":"m"})");
    EXPECT_EQ(keysOf(encode(*merge)), (std::vector<std::string>{"nm", "ty", "hd", "mm"}));
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

TEST(ShapeItemFamily, GroupsNestAndFailAsAWhole) {
    const std::string nested = R"({"ty":"gr","nm":"a","it":[{"ty":"gr","nm":"b","it":[{"ty":"gr","nm":"c","it":[
        {"ty":"rd","r":{"k":1}}]}]}]})";
    for (const ItemPtr& item : {byDictionary(nested), byKeyed(nested)}) {
        auto a = as<lottie::Group>(item);
        ASSERT_EQ(a->items().size(), 1u);
        auto b = as<lottie::Group>(a->items()[0]);
        ASSERT_EQ(b->items().size(), 1u);
        auto c = as<lottie::Group>(b->items()[0]);
        EXPECT_EQ(c->name(), "c");
        ASSERT_EQ(c->items().size(), 1u);
        EXPECT_EQ(c->items()[0]->type(), ShapeType::round);
    }
    // An error deep inside reaches the top.
    const std::string broken = R"({"ty":"gr","it":[{"ty":"gr","it":[{"ty":"rd","r":5}]}]})";
    EXPECT_EQ(dictionaryError(broken), lottie::InitializableError::invalidInput("Lottie/RoundedCorners", 25));
    EXPECT_EQ(keyedError(broken).kind(), Kind::typeMismatch);
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
