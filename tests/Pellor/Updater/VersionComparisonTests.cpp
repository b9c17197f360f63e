// Versions are ordered component by component, as people read them.
#include <gtest/gtest.h>

#include "Pellor/Updater/VersionComparison.h"

namespace pellor {
namespace {

TEST(VersionComparison, OrdersComponentByComponent) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"1.0", "1.0", 0},
        {"1.2", "1.2.0", 0},
        {"1.2.0.0", "1.2", 0},
        {"01.2", "1.02", 0},
        {" 1.2 ", "1.2", 0},
        {"1.10", "1.9", 1},
        {"1.9", "1.10", -1},
        {"2.0", "1.99.99", 1},
        {"1.2.1", "1.2", 1},
        {"0.1.0", "0.2", -1},
        {"2b1", "2", -1},
        {"2.0b2", "2.0b1", 1},
        {"2.0b10", "2.0b9", 1},
        {"2.0b1", "2.0rc1", -1},
        {"2.0.1", "2.0rc1", 1},
        {"1.0", "1.0.1b1", -1},
        {"99999999999999999999999", "99999999999999999999998", 1},
        {"10", "9", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compareVersions(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(compareVersions(QString::fromLatin1(c.b), QString::fromLatin1(c.a)), -c.expected) << c.b << " vs " << c.a;
    }
}

TEST(VersionComparison, TakesTheNumericLeadOfASystemVersion) {
    EXPECT_EQ(numericVersionPrefix(u"6.1.0-18-amd64"), QStringLiteral("6.1.0"));
    EXPECT_EQ(numericVersionPrefix(u"5.10"), QStringLiteral("5.10"));
    EXPECT_EQ(numericVersionPrefix(u"unknown"), QString());
}

}  // namespace
}  // namespace pellor
