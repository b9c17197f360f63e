// Broken documents built from the full hand-written one: every value
// replaced by null (which reaches the paths of absent keys), values of the
// wrong type, extreme numbers, non-finite numbers and deep nesting. Each must end in a clear error
// or a well-defined model, never a crash; what decodes must encode (or refuse
// a non-finite number) and decode again. Truncated text is the parser's.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "tests/Lottie/Model/Assets/FullDocument.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::DecodingStrategy;
using lottie::LottieAnimation;
using platform::json::Value;

namespace {

enum class Outcome { decoded, refused };

// Decodes a value tree by one strategy; a decoded model must encode and the
// encoding must decode again. Any exception other than the documented error
// types escapes and fails the test.
Outcome decodeTree(const Value& document, DecodingStrategy strategy) {
    std::shared_ptr<const LottieAnimation> animation;
    try {
        if (strategy == DecodingStrategy::dictionaryBased) {
            if (!document.isObject()) return Outcome::refused;
            animation = std::make_shared<const LottieAnimation>(document);
        } else {
            animation = std::make_shared<const LottieAnimation>(platform::json::Decoder(document));
        }
    } catch (const lottie::InitializableError&) {
        return Outcome::refused;
    } catch (const platform::json::DecodingError&) {
        return Outcome::refused;
    }
    Value encoded;
    try {
        encoded = platform::json::encodeToValue(*animation);
    } catch (const platform::json::EncodingError&) {
        return Outcome::decoded;  // a non-finite number: JSON can't hold it
    }
    if (strategy == DecodingStrategy::dictionaryBased) {
        EXPECT_NO_THROW(LottieAnimation{encoded}) << platform::json::serialize(encoded);
    } else {
        EXPECT_NO_THROW(LottieAnimation{platform::json::Decoder(encoded)}) << platform::json::serialize(encoded);
    }
    return Outcome::decoded;
}

// Calls `visit` with every value of the tree (the root included), except the
// numbers of number arrays: replacing a whole vector covers them, and the
// sanitizer build pays for every decode.
void everyValue(Value& value, const std::function<void(Value&)>& visit) {
    visit(value);
    if (auto* array = value.asArray()) {
        bool numbers = std::all_of(array->begin(), array->end(), [](const Value& element) { return element.isNumber(); });
        if (numbers) return;
        for (Value& element : *array) everyValue(element, visit);
    } else if (auto* object = value.asObject()) {
        for (auto& member : *object) everyValue(member.value, visit);
    }
}

// The document with the value number `target` (in visiting order) replaced.
Value replacingValue(std::size_t target, const Value& replacement) {
    Value document = platform::json::parse(modeltest::fullDocument);
    std::size_t index = 0;
    everyValue(document, [&](Value& value) {
        if (index++ == target) value = replacement;
    });
    return document;
}

Value nested(int depth, bool arrays) {
    Value value = Value::integer(1);
    for (int i = 0; i < depth; ++i) {
        if (arrays) value = Value(platform::json::Array{value});
        else value = Value(platform::json::Object{{"k", value}});
    }
    return value;
}

TEST(HostileDocuments, EveryValueReplacedByHostileValues) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const Value replacements[] = {
        Value(),
        Value::boolean(true),
        Value::integer(-1),
        Value(1.5),
        Value(1e308),
        Value::integer(std::numeric_limits<std::int64_t>::min()),
        Value(nan),
        Value(infinity),
        Value(""),
        Value(platform::json::Array{}),
        Value(platform::json::Array{Value(nan), Value(-infinity)}),
        Value(platform::json::Object{}),
        platform::json::parse(R"({"k": [{"t": 0}]})"),
        nested(20, true),
    };
    Value original = platform::json::parse(modeltest::fullDocument);
    std::size_t count = 0;
    everyValue(original, [&](Value&) { ++count; });
    std::size_t decoded = 0;
    std::size_t refused = 0;
    for (std::size_t target = 0; target < count; ++target) {
        for (const Value& replacement : replacements) {
            Value document = replacingValue(target, replacement);
            for (DecodingStrategy strategy : {DecodingStrategy::dictionaryBased, DecodingStrategy::legacyCodable}) {
                (decodeTree(document, strategy) == Outcome::decoded ? decoded : refused)++;
            }
        }
    }
    // Both outcomes occur: the set really reaches both tolerant and strict keys.
    EXPECT_GT(decoded, 0u);
    EXPECT_GT(refused, 0u);
}

}  // namespace
