#pragma once
// One release as the update feed describes it: an RSS 2.0 item with the
// version to compare, the version to show, where the release is downloaded
// from, and optionally its release notes and the oldest system it runs on.
// A plain value made by parseAppcast() and handed to the user-facing side.

#include <QString>
#include <QUrl>
#include <QtGlobal>

namespace pellor {

struct AppcastItem {
    QString title;
    // Compared with the running application's version, component by component.
    QString version;
    // Shown to the user; the version when the feed gives none.
    QString shortVersionString;
    QUrl enclosureURL;
    // Bytes; 0 when the feed does not say.
    qint64 enclosureLength = 0;
    QString enclosureType;
    QUrl releaseNotesLink;
    QString minimumSystemVersion;

    QString displayVersion() const { return shortVersionString.isEmpty() ? version : shortVersionString; }

    bool operator==(const AppcastItem&) const = default;
};

}  // namespace pellor
