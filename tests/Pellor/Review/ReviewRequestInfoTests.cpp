// The review record's text form: what is written, and what a forgiving reader
// accepts and refuses.
#include <gtest/gtest.h>

#include <limits>

#include "Pellor/Review/ReviewRequestInfo.h"

namespace pellor {
namespace {

ReviewDate at(double seconds) { return ReviewDate(std::chrono::duration<double>(seconds)); }

TEST(ReviewRequestInfo, WritesItsFieldsInOrderWithTheDateAlwaysHoldingADecimalPoint) {
    struct Case {
        ReviewRequestInfo info;
        const char* text;
    } cases[] = {
        {{ReviewRequestTriggerAction::fileClose, at(1700000000), "1.0", 2}, "ta:fileClose;date:1700000000.0;av:1.0;rrc:2"},
        {{ReviewRequestTriggerAction::welcomeScreenOpen, at(1700000000.25), "2.3.1", 1},
         "ta:welcomeScreenOpen;date:1700000000.25;av:2.3.1;rrc:1"},
        {{ReviewRequestTriggerAction::fileClose, at(0.1), "1", 7}, "ta:fileClose;date:0.1;av:1;rrc:7"},
        {{ReviewRequestTriggerAction::fileClose, at(-5), "1", 1}, "ta:fileClose;date:-5.0;av:1;rrc:1"},
        // Versions that the reader could not take back verbatim are escaped.
        {{ReviewRequestTriggerAction::fileClose, at(1), "1;2", 1}, "ta:fileClose;date:1.0;av:1%3B2;rrc:1"},
        {{ReviewRequestTriggerAction::fileClose, at(1), "", 1}, "ta:fileClose;date:1.0;av:;rrc:1"},
        {{ReviewRequestTriggerAction::fileClose, at(1), " 1 %", 1}, "ta:fileClose;date:1.0;av:%201%20%25;rrc:1"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.info.rawValue().toStdString(), c.text);
}

TEST(ReviewRequestInfo, EveryRecordReadsBackAsItWasWritten) {
    const QString versions[] = {"1.0", "", ";", "1;2", " 1.0 ", "100%", "%41", "1,2", "ä 2", "\t\n", "v;;%3B"};
    const double dates[] = {0.0, 1700000000.0, 1700000000.123456789, 1e-7, 86400.5};
    for (const QString& version : versions) {
        for (double date : dates) {
            const ReviewRequestInfo info{ReviewRequestTriggerAction::welcomeScreenOpen, at(date), version, 3};
            const auto back = ReviewRequestInfo::fromRawValue(info.rawValue());
            ASSERT_TRUE(back.has_value()) << info.rawValue().toStdString();
            EXPECT_EQ(*back, info) << info.rawValue().toStdString();
        }
    }
}

TEST(ReviewRequestInfo, ReadsForgivinglyButRefusesWhatIsNotARecord) {
    using Trigger = ReviewRequestTriggerAction;
    struct Expected {
        Trigger trigger;
        double date;
        const char* version;
        std::int64_t count;
    };
    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    struct Case {
        const char* text;
        std::optional<Expected> expected;
    } cases[] = {
        {"ta:fileClose;date:1700000000.0;av:1.0;rrc:2", Expected{Trigger::fileClose, 1700000000.0, "1.0", 2}},
        {"TA:fileClose;DATE:1.5;Av:1.0;rRc:2", Expected{Trigger::fileClose, 1.5, "1.0", 2}},
        {"  ta: welcomeScreenOpen;date:\n 3;av: 1.0;rrc: 3", Expected{Trigger::welcomeScreenOpen, 3, "1.0", 3}},
        {"fileClose;date:1.0;av:1;rrc:1", Expected{Trigger::fileClose, 1, "1", 1}},
        {"ta:fileClose;date:1e3;av:1;rrc:1", Expected{Trigger::fileClose, 1000, "1", 1}},
        {"ta:fileClose;date:1.0;av:1;rrc:-4", Expected{Trigger::fileClose, 1, "1", -4}},
        {"ta:fileClose;date:1.0;av:1;rrc:+7 and then more", Expected{Trigger::fileClose, 1, "1", 7}},
        {"ta:fileClose;date:1.0;av:1;rrc:99999999999999999999", Expected{Trigger::fileClose, 1, "1", largest}},
        {"ta:fileClose;date:1.0;av:1;rrc:-99999999999999999999",
         Expected{Trigger::fileClose, 1, "1", std::numeric_limits<std::int64_t>::min()}},
        {"ta:fileClose;date:1.0;av:%zz;rrc:1", Expected{Trigger::fileClose, 1, "%zz", 1}},
        {"", std::nullopt},
        {"word", std::nullopt},
        {"ta:FileClose;date:1.0;av:1;rrc:1", std::nullopt},
        {"ta:fileClose ;date:1.0;av:1;rrc:1", std::nullopt},
        {"ta:;date:1.0;av:1;rrc:1", std::nullopt},
        {"ta:fileClose;date:12x;av:1;rrc:1", std::nullopt},
        {"ta:fileClose;date:1.0 ;av:1;rrc:1", std::nullopt},
        {"ta:fileClose;date:;av:1;rrc:1", std::nullopt},
        {"ta:fileClose;date:1,5;av:1;rrc:1", std::nullopt},
        {"ta:fileClose;date:1.0;av:1;rrc:", std::nullopt},
        {"ta:fileClose;date:1.0;av:1;rrc:x1", std::nullopt},
        {"ta:fileClose;date:1.0;av:1", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto info = ReviewRequestInfo::fromRawValue(QString::fromUtf8(c.text));
        ASSERT_EQ(info.has_value(), c.expected.has_value()) << c.text;
        if (!info) continue;
        EXPECT_EQ(info->triggerAction, c.expected->trigger) << c.text;
        EXPECT_EQ(info->date.time_since_epoch().count(), c.expected->date) << c.text;
        EXPECT_EQ(info->appVersion.toStdString(), c.expected->version) << c.text;
        EXPECT_EQ(info->reviewRequestsCount, c.expected->count) << c.text;
    }
}

}  // namespace
}  // namespace pellor
