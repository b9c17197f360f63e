#pragma once
// The two moments at which the viewer may ask for a review: the welcome window's
// first appearance and a player window's disappearance. A plain value; its raw
// text is what the stored review record holds, so it must never change.

#include <QString>
#include <optional>

namespace pellor {

enum class ReviewRequestTriggerAction {
    welcomeScreenOpen,
    fileClose,
};

// "welcomeScreenOpen" or "fileClose".
QString rawValue(ReviewRequestTriggerAction trigger);

// The trigger whose raw text is exactly `text` (letter case counts); none otherwise.
std::optional<ReviewRequestTriggerAction> reviewTriggerFromRawValue(const QString& text);

}  // namespace pellor
