#include "tests/Pellor/Updater/UpdaterTestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace pellortest {

std::string feedOf(const std::vector<FeedItem>& items) {
    std::string feed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:pellor="https://updates.tolvane.me/xml-namespaces/appcast">
<channel><title>Pellor</title>
)";
    for (const FeedItem& item : items) {
        feed += "<item><title>Pellor " + item.version + "</title>";
        feed += "<pellor:version>" + item.version + "</pellor:version>";
        if (!item.shortVersion.empty()) feed += "<pellor:shortVersionString>" + item.shortVersion + "</pellor:shortVersionString>";
        if (!item.releaseNotes.empty()) feed += "<pellor:releaseNotesLink>" + item.releaseNotes + "</pellor:releaseNotesLink>";
        if (!item.minimumSystem.empty()) {
            feed += "<pellor:minimumSystemVersion>" + item.minimumSystem + "</pellor:minimumSystemVersion>";
        }
        feed += R"(<enclosure url=")" + item.enclosureURL + R"(" length=")" + std::to_string(item.length) +
                R"(" type="application/gzip"/></item>)";
        feed += "\n";
    }
    return feed + "</channel></rss>\n";
}

bool runEventsUntil(const std::function<bool()>& done) {
    QDeadlineTimer ceiling(60'000);
    while (!done()) {
        if (ceiling.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

}  // namespace pellortest
