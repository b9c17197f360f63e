#include "Pellor/Updater/UpdaterSettings.h"

namespace pellor {

namespace {

QString keyOf(const char* name) { return QStringLiteral("Updates/") + QString::fromLatin1(name); }

}  // namespace

UpdaterSettings::UpdaterSettings(std::shared_ptr<QSettings> settings) : settings_(std::move(settings)) {}

bool UpdaterSettings::flag(const char* key) const { return settings_->value(keyOf(key), false).toBool(); }

void UpdaterSettings::setValue(const char* key, const QVariant& value) {
    settings_->setValue(keyOf(key), value);
    settings_->sync();
}

bool UpdaterSettings::automaticallyChecksForUpdates() const { return flag("automaticallyChecksForUpdates"); }

void UpdaterSettings::setAutomaticallyChecksForUpdates(bool enabled) {
    setValue("automaticallyChecksForUpdates", enabled);
}

bool UpdaterSettings::automaticallyDownloadsUpdates() const { return flag("automaticallyDownloadsUpdates"); }

void UpdaterSettings::setAutomaticallyDownloadsUpdates(bool enabled) {
    setValue("automaticallyDownloadsUpdates", enabled);
}

std::optional<QDateTime> UpdaterSettings::lastCheckDate() const {
    const QDateTime date =
        QDateTime::fromString(settings_->value(keyOf("lastCheckDate")).toString(), Qt::ISODateWithMs);
    if (!date.isValid()) return std::nullopt;
    return date;
}

void UpdaterSettings::setLastCheckDate(const QDateTime& date) {
    setValue("lastCheckDate", date.toUTC().toString(Qt::ISODateWithMs));
}

}  // namespace pellor
