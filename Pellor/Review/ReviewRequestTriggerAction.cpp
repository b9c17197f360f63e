#include "Pellor/Review/ReviewRequestTriggerAction.h"

namespace pellor {

QString rawValue(ReviewRequestTriggerAction trigger) {
    switch (trigger) {
        case ReviewRequestTriggerAction::welcomeScreenOpen: return QStringLiteral("welcomeScreenOpen");
        case ReviewRequestTriggerAction::fileClose: return QStringLiteral("fileClose");
    }
    return {};
}

std::optional<ReviewRequestTriggerAction> reviewTriggerFromRawValue(const QString& text) {
    for (auto trigger : {ReviewRequestTriggerAction::welcomeScreenOpen, ReviewRequestTriggerAction::fileClose}) {
        if (text == rawValue(trigger)) return trigger;
    }
    return std::nullopt;
}

}  // namespace pellor
