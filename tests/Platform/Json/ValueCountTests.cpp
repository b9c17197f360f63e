#include "Platform/Json/ValueCount.h"

#include <gtest/gtest.h>

#include <string>

using platform::json::holdsMoreValuesThan;

namespace {

struct CountCase {
    const char* name;
    std::string text;
    std::size_t values;
};

// Each text holds exactly `values` values: it is not more than that many, and
// it is more than one fewer. Keys, separators and what strings spell inside
// them never count.
TEST(ValueCount, CountsEveryValueButNoKeys) {
    const CountCase cases[] = {
        {"number", "-12.5e3", 1},
        {"literal", " true ", 1},
        {"string", R"("a,b:[c]{d}")", 1},
        {"empty array", "[]", 1},
        {"empty object", "{ }", 1},
        {"flat array", "[1, 2 ,3]", 4},
        {"object", R"({"a": 1, "b": [true, null]})", 5},
        {"keys spelling separators", R"({"x,y:[": "v", "]}": {}})", 3},
        {"escaped quotes", R"(["a\"b,c", "\\", "d"])", 4},
        {"nested empties", "[[], {}, [[]], {\"k\": []}]", 7},
        {"whitespace everywhere", "\n[\t{ \"a\" :\r\n0 } , 0 ]\n", 4},
    };
    for (const CountCase& each : cases) {
        SCOPED_TRACE(each.name);
        EXPECT_FALSE(holdsMoreValuesThan(each.text, each.values));
        EXPECT_TRUE(holdsMoreValuesThan(each.text, each.values - 1));
    }
    EXPECT_FALSE(holdsMoreValuesThan("", 0));
}

}  // namespace
