#include "Pellor/Updater/AppcastParser.h"

#include <QXmlStreamReader>

namespace pellor {

namespace {

bool isWebAddress(const QUrl& url) {
    return url.isValid() && (url.scheme() == u"https" || url.scheme() == u"http") && !url.host().isEmpty();
}

void readEnclosure(QXmlStreamReader& reader, AppcastItem& item) {
    const QXmlStreamAttributes attributes = reader.attributes();
    item.enclosureURL = QUrl(attributes.value(QLatin1StringView("url")).toString().trimmed(), QUrl::StrictMode);
    bool isNumber = false;
    const qint64 length = attributes.value(QLatin1StringView("length")).toLongLong(&isNumber);
    item.enclosureLength = isNumber && length > 0 ? length : 0;
    item.enclosureType = attributes.value(QLatin1StringView("type")).toString();
    reader.skipCurrentElement();
}

// Reads one <item>; the reader stands on its start and ends on its end.
AppcastItem readItem(QXmlStreamReader& reader) {
    AppcastItem item;
    const QString ours = QString::fromLatin1(appcastNamespace);
    while (reader.readNextStartElement()) {
        const QStringView name = reader.name();
        if (reader.namespaceUri().isEmpty() && name == u"title") {
            item.title = reader.readElementText().trimmed();
        } else if (reader.namespaceUri().isEmpty() && name == u"enclosure") {
            readEnclosure(reader, item);
        } else if (reader.namespaceUri() != ours) {
            reader.skipCurrentElement();
        } else if (name == u"version") {
            item.version = reader.readElementText().trimmed();
        } else if (name == u"shortVersionString") {
            item.shortVersionString = reader.readElementText().trimmed();
        } else if (name == u"releaseNotesLink") {
            item.releaseNotesLink = QUrl(reader.readElementText().trimmed(), QUrl::StrictMode);
        } else if (name == u"minimumSystemVersion") {
            item.minimumSystemVersion = reader.readElementText().trimmed();
        } else {
            reader.skipCurrentElement();
        }
    }
    if (!isWebAddress(item.releaseNotesLink)) item.releaseNotesLink = QUrl();
    return item;
}

}  // namespace

std::vector<AppcastItem> parseAppcast(const QByteArray& document) {
    QXmlStreamReader reader(document);
    std::vector<AppcastItem> items;
    if (reader.readNextStartElement()) {
        if (reader.name() != u"rss" || !reader.namespaceUri().isEmpty()) {
            throw AppcastError("the document is not an RSS feed");
        }
        while (reader.readNextStartElement()) {
            if (reader.name() != u"channel") {
                reader.skipCurrentElement();
                continue;
            }
            while (reader.readNextStartElement()) {
                if (reader.name() != u"item" || !reader.namespaceUri().isEmpty()) {
                    reader.skipCurrentElement();
                    continue;
                }
                AppcastItem item = readItem(reader);
                if (!item.version.isEmpty() && isWebAddress(item.enclosureURL)) items.push_back(std::move(item));
            }
        }
    }
    // Reading on to the end finds what is wrong after the last item too.
    while (!reader.atEnd()) reader.readNext();
    if (reader.hasError()) {
        throw AppcastError(QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString()).toStdString());
    }
    return items;
}

}  // namespace pellor
