#pragma once
// The updater's persistent state in the application's settings, group
// "Updates": the two automatic-update switches (both off until the user turns
// them on, so that the viewer does not reach the network unasked) and the time
// of the last check, which keeps automatic checks to one a day. Owned by the
// updater; main thread only.

#include <QDateTime>
#include <QSettings>
#include <memory>
#include <optional>

namespace pellor {

class UpdaterSettings {
public:
    explicit UpdaterSettings(std::shared_ptr<QSettings> settings);

    bool automaticallyChecksForUpdates() const;
    void setAutomaticallyChecksForUpdates(bool enabled);
    bool automaticallyDownloadsUpdates() const;
    void setAutomaticallyDownloadsUpdates(bool enabled);

    // None before the first check, or when what is stored is not a time.
    std::optional<QDateTime> lastCheckDate() const;
    void setLastCheckDate(const QDateTime& date);

private:
    bool flag(const char* key) const;
    void setValue(const char* key, const QVariant& value);

    std::shared_ptr<QSettings> settings_;
};

}  // namespace pellor
