#pragma once
// The record of the last review request: which trigger asked, when, for which
// version of the application, and how many requests there have been. The review
// policy (ReviewRequestManager) keeps one in the settings in its text form,
//
//     ta:<trigger>;date:<seconds since 1970>;av:<version>;rrc:<count>
//
// and reads it back tolerantly: blanks before each field and the letter case of
// the prefixes do not matter, the prefixes themselves may be missing, and
// anything after the count is ignored. A text that does not read gives no record.
//
// The version is written so that every version reads back as it was: "%", ";"
// and blanks are written as %XX escapes, and an empty version is an empty field.
// Versions made of anything else (every ordinary "1.2.3") are written verbatim.

#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>

#include "Pellor/Review/ReviewRequestTriggerAction.h"

namespace pellor {

// A point in time as seconds since 1 January 1970 00:00 UTC, fractions kept, so
// that the text form reads back to the same value.
using ReviewDate = std::chrono::time_point<std::chrono::system_clock, std::chrono::duration<double>>;

struct ReviewRequestInfo {
    ReviewRequestTriggerAction triggerAction = ReviewRequestTriggerAction::welcomeScreenOpen;
    ReviewDate date{};
    QString appVersion;
    std::int64_t reviewRequestsCount = 0;

    // The text form above; the date in the shortest decimal form that reads back
    // to the same double, always with a decimal point.
    QString rawValue() const;

    // The record a text holds, or none.
    static std::optional<ReviewRequestInfo> fromRawValue(const QString& text);

    bool operator==(const ReviewRequestInfo&) const = default;
};

}  // namespace pellor
