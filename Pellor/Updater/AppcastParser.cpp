#include "Pellor/Updater/AppcastParser.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

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

bool startsWith(const char* at, const char* end, std::string_view text) {
    return static_cast<std::size_t>(end - at) >= text.size() && std::string_view(at, text.size()) == text;
}

// Where the text after `from` next holds `terminator`, past it; the end when
// it never does.
const char* skipPast(const char* from, const char* end, std::string_view terminator) {
    const std::string_view rest(from, static_cast<std::size_t>(end - from));
    const std::size_t found = rest.find(terminator);
    return found == std::string_view::npos ? end : from + found + terminator.size();
}

// The most attributes any one start tag holds, counted without an XML parser.
// The reader compares each attribute with every earlier one of its element,
// so a feed with one element of many thousand attributes would hold it for
// minutes; counting first costs one pass.
std::size_t mostAttributesOfOneElement(const QByteArray& document) {
    const char* at = document.constData();
    const char* const end = at + document.size();
    std::size_t most = 0;
    while (at < end) {
        at = static_cast<const char*>(std::memchr(at, '<', static_cast<std::size_t>(end - at)));
        if (!at) break;
        if (startsWith(at, end, "<!--")) {
            at = skipPast(at + 4, end, "-->");
        } else if (startsWith(at, end, "<![CDATA[")) {
            at = skipPast(at + 9, end, "]]>");
        } else if (startsWith(at, end, "<?")) {
            at = skipPast(at + 2, end, "?>");
        } else if (startsWith(at, end, "<!") || startsWith(at, end, "</")) {
            ++at;
        } else {
            // A start tag: every name="value" pair has one '=' outside quotes.
            std::size_t count = 0;
            char quote = 0;
            for (++at; at < end; ++at) {
                const char c = *at;
                if (quote) {
                    if (c == quote) quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '=') {
                    ++count;
                } else if (c == '>') {
                    break;
                }
            }
            most = std::max(most, count);
        }
    }
    return most;
}

}  // namespace

std::vector<AppcastItem> parseAppcast(const QByteArray& document) {
    if (mostAttributesOfOneElement(document) > maximumAttributesPerElement) {
        throw AppcastError("an element has more than " + std::to_string(maximumAttributesPerElement) + " attributes");
    }
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
