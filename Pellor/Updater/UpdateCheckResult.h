#pragma once
// What one update check found: a newer release, nothing newer, or a failure
// with a sentence for the user. Made by evaluateAppcast() from the feed's items
// (or by the updater from a failed fetch) and handed to the presenter.

#include <QString>
#include <optional>
#include <vector>

#include "Pellor/Updater/AppcastItem.h"

namespace pellor {

struct UpdateCheckResult {
    enum class Kind { updateAvailable, upToDate, failed };

    Kind kind = Kind::failed;
    // The newest release, when one is newer than the running version.
    std::optional<AppcastItem> update;
    QString errorMessage;

    static UpdateCheckResult failure(QString message) { return {Kind::failed, std::nullopt, std::move(message)}; }
};

// The newest item that runs on `systemVersion` (items that ask for a newer
// system are passed over; an empty `systemVersion` passes over none), compared
// with `currentVersion`. A feed without items is a failure: it cannot say
// whether the running version is the newest.
UpdateCheckResult evaluateAppcast(const std::vector<AppcastItem>& items, const QString& currentVersion,
                                  const QString& systemVersion);

}  // namespace pellor
