#pragma once
// Helpers of the shape-item tests: decode one item or a list from JSON text by
// either decoder, catch the error each decoder reports, and encode back.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"
#include "tests/Support/Thrown.h"

namespace shapetests {

using lottie::ShapeItem;
using lottie::ShapeItemList;
using ItemPtr = std::shared_ptr<const ShapeItem>;

// "{a,b,c}" from JSON member texts.
inline std::string object(std::initializer_list<std::string_view> members) {
    std::string text = "{";
    for (std::string_view member : members) {
        if (member.empty()) continue;
        if (text.size() > 1) text += ",";
        text += member;
    }
    return text + "}";
}

// The dictionary decoder's family factory on one item; null when it drops it.
inline ItemPtr byDictionary(const std::string& item) {
    platform::json::Value json = platform::json::parse(item);
    return ShapeItem::itemFromDictionary(json);
}

inline ShapeItemList listByDictionary(const std::string& array) {
    platform::json::Value wrapper = platform::json::parse("{\"it\":" + array + "}");
    return ShapeItem::itemsFromDictionaries(lottie::value<lottie::DictionaryArray>(wrapper, "it", "test", 0));
}

// The keyed-container family decoder on the array under "shapes".
inline ShapeItemList listByKeyed(const std::string& array) {
    platform::json::Value json = platform::json::parse("{\"shapes\":" + array + "}");
    platform::json::Decoder decoder(json);
    return ShapeItem::decodeShapeItemFamily(decoder.container(), "shapes");
}

inline ItemPtr byKeyed(const std::string& item) {
    ShapeItemList items = listByKeyed("[" + item + "]");
    return items.size() == 1 ? items.front() : nullptr;
}

// The error each decoder throws; fails the test when none is thrown.
inline lottie::InitializableError dictionaryError(const std::string& item) {
    auto error = testsupport::thrown<lottie::InitializableError>([&] { byDictionary(item); });
    if (!error) ADD_FAILURE() << "the dictionary decoder accepted " << item;
    return error.value_or(lottie::InitializableError::invalidInput("(none)", 0));
}

inline platform::json::DecodingError keyedError(const std::string& item) {
    auto error = testsupport::thrown<platform::json::DecodingError>([&] { byKeyed(item); });
    if (!error) ADD_FAILURE() << "the keyed decoder accepted " << item;
    return error.value_or(platform::json::DecodingError::dataCorrupted({}, "(none)"));
}

inline platform::json::Value encode(const ShapeItem& item) { return platform::json::encodeToValue(item); }
inline std::string encodeText(const ShapeItem& item) { return platform::json::serialize(encode(item)); }

using modeltest::staticValue;

template <class T>
std::shared_ptr<const T> as(const ItemPtr& item) {
    auto cast = std::dynamic_pointer_cast<const T>(item);
    EXPECT_TRUE(cast) << "item of another class";
    return cast;
}

}  // namespace shapetests
