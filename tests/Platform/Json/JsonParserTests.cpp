#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"
#include "tests/Support/Thrown.h"

using namespace platform::json;

namespace {

TEST(JsonConversion, FollowsThePlatformRules) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> integer;
        std::optional<bool> boolean;
        std::optional<double> number;
        bool isText;
    };
    const Case cases[] = {
        {"1.0", 1, true, 1.0, false},
        {"1", 1, true, 1.0, false},
        {"1.5", std::nullopt, std::nullopt, 1.5, false},
        {"true", 1, true, 1.0, false},
        {"false", 0, false, 0.0, false},
        {"2", 2, std::nullopt, 2.0, false},
        {"0", 0, false, 0.0, false},
        {"-3e2", -300, std::nullopt, -300.0, false},
        {"1e300", std::nullopt, std::nullopt, 1e300, false},
        // Integers beyond 64 bits are read as doubles; numbers below the smallest double as zero.
        {"123456789012345678901234567890", std::nullopt, std::nullopt, 1.2345678901234568e29, false},
        {"1e-400", 0, false, 0.0, false},
        {"null", std::nullopt, std::nullopt, std::nullopt, false},
        {"\"1\"", std::nullopt, std::nullopt, std::nullopt, true},
        {"[1]", std::nullopt, std::nullopt, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Value value = parse(c.text);
        EXPECT_EQ(value.asInteger(), c.integer);
        EXPECT_EQ(value.asBool(), c.boolean);
        EXPECT_EQ(value.asDouble(), c.number);
        EXPECT_EQ(value.asString() != nullptr, c.isText);
    }
}

TEST(JsonConversion, IntegralTypesCheckTheirRange) {
    EXPECT_EQ(parse("255").asIntegral<std::uint8_t>(), std::optional<std::uint8_t>(255));
    EXPECT_FALSE(parse("256").asIntegral<std::uint8_t>());
    EXPECT_FALSE(parse("-1").asIntegral<std::uint32_t>());
    EXPECT_EQ(parse("-2147483648").asIntegral<int>(), std::optional<int>(-2147483648));
    EXPECT_FALSE(parse("2147483648").asIntegral<int>());
}

TEST(JsonParser, KeepsDictionaryOrderAndTheLastOfRepeatedKeys) {
    Value value = parse(R"({"z":1,"a":2,"m":{"y":true,"b":null},"a":3})");
    ASSERT_TRUE(value.isObject());
    std::vector<std::string> keys;
    for (const Member& member : *value.asObject()) keys.push_back(member.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"z", "a", "m", "a"}));
    EXPECT_EQ(value.find("a")->asInteger(), 3);
    EXPECT_EQ(serialize(parse(R"({"z":1,"a":[1,2.5,"x"],"m":{"y":true,"b":null}})")),
              R"({"z":1,"a":[1,2.5,"x"],"m":{"y":true,"b":null}})");
}

TEST(JsonParser, NumbersSurviveWritingAndReadingBack) {
    const double doubles[] = {0.1, 1e300, -0.0, 9007199254740993.0, 5e-324, 1.7976931348623157e308,
                              -123.456, 1.0 / 3.0, 100.0, 2.5e-7};
    for (double d : doubles) {
        SCOPED_TRACE(d);
        Value written(d);
        Value read = parse(serialize(written));
        ASSERT_TRUE(read.asDouble());
        EXPECT_EQ(*read.asDouble(), d);
        EXPECT_EQ(std::signbit(*read.asDouble()), std::signbit(d));
    }
    // 2^53 + 1 written as an integer stays exact.
    Value big = parse("9007199254740993");
    EXPECT_EQ(big.asInteger(), 9007199254740993LL);
    EXPECT_EQ(serialize(big), "9007199254740993");
    EXPECT_EQ(parse(serialize(big)).asInteger(), 9007199254740993LL);
}

TEST(JsonParser, DecodesEscapesAndSkipsAByteOrderMark) {
    Value value = parse("\xEF\xBB\xBF{\"t\":\"a\\u00e9\\n\\ud83d\\ude00\\\"\"}");
    EXPECT_EQ(*value.find("t")->asString(), "a\xC3\xA9\n\xF0\x9F\x98\x80\"");
    EXPECT_EQ(parse(serialize(value)), value);
    // The mark skipped adds nothing to what may be read after the text: a
    // buffer one byte short of the parser's padding is copied, not read past
    // (the sanitizer build sees a read past it).
    const std::string text = "\xEF\xBB\xBF[1,2]";
    std::vector<char> tight(text.size() + parserPadding - 1);
    std::copy(text.begin(), text.end(), tight.begin());
    EXPECT_EQ(parse(std::string_view(tight.data(), text.size()), parserPadding - 1).asArray()->size(), 2u);
}

TEST(JsonParser, MalformedTextSaysWhere) {
    struct Case {
        std::string text;
        std::size_t line;
        std::size_t column;
    };
    const Case cases[] = {
        {"{\"a\": 1,\n \"b\": }", 2, 7},
        {"[1, 2", 1, 6},
        {"{\"a\" 1}", 1, 6},
        {"", 1, 1},
        {"[1,]", 1, 4},
        {"{\"a\":tru}", 1, 6},
        {"\"unterminated", 1, 1},
        {"[1] x", 1, 5},
        {"[01]", 1, 3},
        {"{\"a\":1e999}", 1, 6},
        // Numbers JSON can't hold, spelled or beyond the range of a double.
        {"[NaN]", 1, 2},
        {"[Infinity]", 1, 2},
        {"[-Infinity]", 1, 2},
        {"[-1e400]", 1, 2},
        {"[\"\xFF\"]", 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto error = testsupport::thrown<ParseError>([&] { parse(c.text); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->line(), c.line) << error->what();
        EXPECT_EQ(error->column(), c.column) << error->what();
        EXPECT_NE(std::string(error->what()).find("line"), std::string::npos);
    }
}

TEST(JsonParser, RefusesNestingDeeperThanItsLimitWithoutCrashing) {
    std::string deep(100000, '[');
    EXPECT_THROW(parse(deep + std::string(100000, ']')), ParseError);
    std::string fine(500, '[');
    EXPECT_NO_THROW(parse(fine + std::string(500, ']')));
}

// A document of more values than the limit is refused, saying why, by either
// parser (an integer too large for 64 bits sends the text to the exact one);
// one of exactly as many is read.
TEST(JsonParser, RefusesMoreValuesThanItsLimit) {
    const auto zeros = [](std::size_t count, const std::string& last) {
        std::string text = "[";
        text.reserve(2 * count + last.size());
        for (std::size_t index = 1; index < count; ++index) text += "0,";
        return text + last + "]";
    };
    // The array itself is one of the values.
    const std::size_t elements = maximumValueCount - 1;
    for (const std::string& last : {std::string("0"), std::string("18446744073709551616")}) {
        SCOPED_TRACE(last);
        const Value read = parse(zeros(elements, last));
        ASSERT_TRUE(read.asArray());
        EXPECT_EQ(read.asArray()->size(), elements);
        try {
            parse(zeros(elements + 1, last));
            ADD_FAILURE() << "read";
        } catch (const ParseError& error) {
            EXPECT_EQ(error.reason(), tooManyValuesReason());
            EXPECT_NE(std::string(error.what()).find("too large"), std::string::npos) << error.what();
        }
    }
    // Among them the documents of a few million short values, which took
    // seconds to read and decode.
    EXPECT_THROW(parse(zeros(3'900'000, "0")), ParseError);

    // A document is refused, too, by what decoding it would cost, counted
    // before it is parsed: its numbers' characters, its escapes and its
    // strings' bytes as well as its values. The largest within the count of
    // values above, 2 million short numbers, is within it (just); these are
    // past it, each by about a third.
    const auto repeated = [](std::size_t count, const std::string& value) {
        std::string text = "[" + value;
        text.reserve(count * (value.size() + 1) + 2);
        for (std::size_t index = 1; index < count; ++index) text += "," + value;
        return text + "]";
    };
    const std::pair<const char*, std::string> costly[] = {
        {"650,000 numbers of 110 digits", repeated(650'000, "1." + std::string(109, '7'))},
        {"500,000 strings of 20 escapes", repeated(500'000, "\"" + [] {
             std::string escapes;
             for (int index = 0; index < 20; ++index) escapes += "\\u00e9";
             return escapes;
         }() + "\"")},
        {"a string of 80 MB", "[\"" + std::string(80 << 20, 'a') + "\"]"},
        // What lies between the values is indexed too, before any is read:
        // two values, and four bytes of index for each character after them.
        {"64 MB of commas after a value", "[1" + std::string(64 << 20, ',') + "]"},
        {"64 MB of colons, brackets and braces after a value", "[1" + [] {
             std::string separators;
             separators.reserve(64 << 20);
             while (separators.size() < (64 << 20)) separators += ":]}";
             return separators;
         }()},
        // Numbers between two doubles near the smallest, read on the slow
        // path at some 50 ns a digit: 1 s for these, were they read.
        {"20,000 decimals of 1,050 digits near the smallest double",
         repeated(20'000, [] {
             std::string number = "0." + std::string(320, '0') + "2470328229206232720882538124";
             return number + std::string(1049 - number.size(), '0') + "1";
         }())},
    };
    for (const auto& [name, text] : costly) {
        SCOPED_TRACE(name);
        try {
            parse(text);
            ADD_FAILURE() << "read";
        } catch (const ParseError& error) {
            EXPECT_NE(error.reason().find("decoding the document would take more than 1 s of processor time or 512 MB"),
                      std::string::npos)
                << error.what();
        }
    }
    // A number the exact parser refuses is found by it alone, where it is.
    const auto outOfRange = testsupport::thrown<ParseError>([&] { parse(zeros(600'000, "1e400")); });
    ASSERT_TRUE(outOfRange);
    EXPECT_EQ(outOfRange->reason(), "number out of range");
    EXPECT_EQ(outOfRange->column(), 1'200'000u);
}

// The most memory the process held at once while `work` ran, past what it
// held before, in bytes; none where the system cannot say.
std::optional<long> peakGrowthDuring(const std::function<void()>& work) {
    const auto kilobytes = [](const char* field) -> long {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
        }
        return -1;
    };
    // Writing 5 there starts the peak anew from what is held now.
    if (!(std::ofstream("/proc/self/clear_refs") << "5")) return std::nullopt;
    const long before = kilobytes("VmRSS:");
    if (before < 0 || kilobytes("VmHWM:") > before + 1024) return std::nullopt;
    work();
    return (kilobytes("VmHWM:") - before) * 1024;
}

// A long text is read by one parser only: one holding a number the fast
// parser cannot hold goes to the exact parser alone (the fast one would copy
// the text, which cannot be read past its end, before it refuses it), and a
// refused one is explained by the exact parser without building what it holds
// (a string copied a megabyte at a time, the strings of 60 MB would take
// more again). Either holds less than the text's own size more at its peak.
TEST(JsonParser, ReadsALongTextWithinItsOwnSizeAgain) {
    const std::size_t size = 60 << 20;
    struct Case {
        const char* name;
        std::string text;
        std::size_t readableAfter;
        // Where the refusal is said, or none for a text that is read.
        std::size_t errorColumn = 0;
    };
    std::string spaced(size, ' ');
    spaced.replace(size / 2, 27, "[1234567890123456789012345]");
    std::string strings = "[";
    while (strings.size() < size) strings += "\"" + std::string(1'100'000, 'a') + "\",";
    const std::size_t column = strings.size() + 2;
    strings += "\"\xFF\"]";
    strings.reserve(strings.size() + parserPadding);
    const Case cases[] = {
        {"a 25-digit integer among 60 MB of spaces", spaced, 0},
        {"strings of 60 MB, the last of invalid UTF-8", strings, parserPadding, column},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::optional<Value> read;
        std::optional<ParseError> refused;
        const auto peak = peakGrowthDuring([&] {
            refused = testsupport::thrown<ParseError>([&] { read = parse(test.text, test.readableAfter); });
        });
        if (test.errorColumn) {
            ASSERT_TRUE(refused);
            EXPECT_EQ(refused->column(), test.errorColumn) << refused->what();
        } else {
            ASSERT_TRUE(read && read->asArray());
            EXPECT_EQ(read->asArray()->front().asDouble().value_or(0), 1234567890123456789012345.0);
        }
        if (!peak) GTEST_SKIP() << "the system does not say what the process held at its peak";
        EXPECT_LT(*peak, static_cast<long>(test.text.size()));
    }
}

// An array of integers whose text is at least the given number of bytes.
std::string arrayOfAbout(std::size_t bytes, std::size_t& count) {
    std::string text = "[";
    count = 0;
    while (text.size() < bytes) {
        if (count > 0) text += ',';
        text += std::to_string(count % 1000);
        ++count;
    }
    return text + "]";
}

TEST(JsonParser, KeepsBuffersForSmallDocumentsOnlyAcrossParses) {
    // Read in this order on one thread: what the kept parser has room for
    // afterwards is bounded, and the small documents still find room in it.
    const std::size_t sizes[] = {2'000, keptParserCapacity - 16, keptParserCapacity + 16, 3'000'000, 1'000, 900'000};
    std::size_t largestKept = 0;
    for (std::size_t bytes : sizes) {
        SCOPED_TRACE(bytes);
        std::size_t count = 0;
        const std::string text = arrayOfAbout(bytes, count);
        Value value = parse(text);
        ASSERT_TRUE(value.isArray());
        EXPECT_EQ(value.asArray()->size(), count);
        EXPECT_EQ(value.asArray()->back().asInteger(), static_cast<std::int64_t>((count - 1) % 1000));
        if (text.size() <= keptParserCapacity) largestKept = std::max(largestKept, text.size());
        EXPECT_LE(keptParserRoom(), keptParserCapacity);
        EXPECT_GE(keptParserRoom(), largestKept);
    }
}

TEST(JsonWriter, RefusesNonFiniteNumbers) {
    EXPECT_THROW(serialize(Value(std::nan(""))), std::exception);
    EXPECT_THROW(serialize(Value(HUGE_VAL)), std::exception);
    EXPECT_EQ(serialize(Value("a\x01")), "\"a\\u0001\"");
}

}  // namespace
