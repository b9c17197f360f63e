#include "Platform/Json/ValueCount.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

using platform::json::TextCost;

namespace {

bool holdsMoreValuesThan(std::string_view text, std::size_t limit) { return TextCost::of(text, limit).values > limit; }

struct CountCase {
    const char* name;
    std::string text;
    std::size_t values;
    // Characters of numbers, escapes and bytes inside strings (keys too).
    std::size_t numberBytes = 0, escapes = 0, stringBytes = 0;
    bool unusualNumbers = false;
    // The parser's index entries and the digits of numbers longer than 19,
    // where the row says.
    std::optional<std::size_t> tokens = std::nullopt, slowNumberDigits = std::nullopt;
};

// Each text holds exactly `values` values: it is not more than that many, and
// it is more than one fewer. Keys, separators and what strings spell inside
// them never count as values; what numbers and strings hold is counted too.
TEST(ValueCount, CountsEveryValueButNoKeys) {
    const CountCase cases[] = {
        {"number", "-12.5e3", 1, 7},
        {"literal", " true ", 1, 4},
        {"string", R"("a,b:[c]{d}")", 1, 0, 0, 10},
        {"empty array", "[]", 1},
        {"empty object", "{ }", 1},
        {"flat array", "[1, 2 ,3]", 4, 3},
        {"object", R"({"a": 1, "b": [true, null]})", 5, 9, 0, 2},
        {"keys spelling separators", R"({"x,y:[": "v", "]}": {}})", 3, 0, 0, 8},
        {"escaped quotes", R"(["a\"b,c", "\\", "d"])", 4, 0, 2, 9},
        {"escapes of code points", R"(["\u00e9\u00e9"])", 2, 0, 2, 12},
        // Those the fast parser cannot hold, which the exact one reads.
        {"an integer of 20 digits", "[12345678901234567890]", 2, 20, 0, 0, true},
        {"a decimal of 110 digits", "[1." + std::string(109, '7') + "]", 2, 111},
        {"an exponent of 3 digits", "[1e400]", 2, 5, 0, 0, true},
        {"nested empties", "[[], {}, [[]], {\"k\": []}]", 7, 0, 0, 1},
        {"whitespace everywhere", "\n[\t{ \"a\" :\r\n0 } , 0 ]\n", 4, 2, 0, 1, false, 9},
        // What the parser indexes before it reads a value: every separator
        // and bracket, and every token where no value may stand.
        {"a run of commas", "[1,,,,,]", 2, 1, 0, 0, false, 8},
        {"colons, brackets and braces after a value", "[1:::]]]}}", 2, 1, 0, 0, false, 10},
        {"numbers side by side", "[1 2 3]", 2, 3, 0, 0, false, 5},
        // Digits of long numbers, read on the parser's slow path, up to 800 of each.
        {"decimals of 25 and 1,050 digits", "[0." + std::string(24, '3') + ",1." + std::string(1049, '3') + "]", 3,
         26 + 1051, 0, 0, false, 5, 25 + 800},
        {"a decimal of 19 digits", "[0." + std::string(18, '3') + "]", 2, 20, 0, 0, false, 3, 0},
    };
    for (const CountCase& each : cases) {
        SCOPED_TRACE(each.name);
        EXPECT_FALSE(holdsMoreValuesThan(each.text, each.values));
        EXPECT_TRUE(holdsMoreValuesThan(each.text, each.values - 1));
        const TextCost cost = TextCost::of(each.text, each.values);
        EXPECT_EQ(cost.numberBytes, each.numberBytes);
        EXPECT_EQ(cost.escapes, each.escapes);
        EXPECT_EQ(cost.stringBytes, each.stringBytes);
        EXPECT_EQ(cost.unusualNumbers, each.unusualNumbers);
        if (each.tokens) {
            EXPECT_EQ(cost.tokens, *each.tokens);
        }
        if (each.slowNumberDigits) {
            EXPECT_EQ(cost.slowNumberDigits, *each.slowNumberDigits);
        }
    }
    EXPECT_FALSE(holdsMoreValuesThan("", 0));
}

}  // namespace
