#include "Pellor/Updater/UpdateCheckResult.h"

#include <QCoreApplication>

#include "Pellor/Updater/VersionComparison.h"

namespace pellor {

UpdateCheckResult evaluateAppcast(const std::vector<AppcastItem>& items, const QString& currentVersion,
                                  const QString& systemVersion) {
    if (items.empty()) {
        return UpdateCheckResult::failure(
            QCoreApplication::translate("Updater", "The update feed lists no versions of Pellor."));
    }
    const AppcastItem* newest = nullptr;
    for (const AppcastItem& item : items) {
        const bool runsHere = systemVersion.isEmpty() || item.minimumSystemVersion.isEmpty() ||
                              compareVersions(item.minimumSystemVersion, systemVersion) <= 0;
        if (runsHere && (!newest || compareVersions(item.version, newest->version) > 0)) newest = &item;
    }
    if (newest && compareVersions(newest->version, currentVersion) > 0) {
        return {UpdateCheckResult::Kind::updateAvailable, *newest, {}};
    }
    return {UpdateCheckResult::Kind::upToDate, std::nullopt, {}};
}

}  // namespace pellor
