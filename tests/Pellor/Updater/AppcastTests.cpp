// Reading the update feed and choosing what to offer from it.
#include <gtest/gtest.h>

#include "Pellor/Updater/AppcastParser.h"
#include "Pellor/Updater/UpdateCheckResult.h"
#include "tests/Pellor/Updater/UpdaterTestSupport.h"

namespace pellor {
namespace {

using pellortest::FeedItem;
using pellortest::feedOf;

TEST(Appcast, ReadsEveryFieldOfAnItem) {
    const auto items = parseAppcast(QByteArray::fromStdString(feedOf({
        {"1.2.0", "1.2", "https://updates.tolvane.me/apps/pellor/Pellor-1.2.tar.gz", 48213,
         "https://tolvane.me/pellor/1.2", "5.10"},
        {"1.1.0", "", "http://updates.tolvane.me/old.tar.gz", 0, "", ""},
    })));
    ASSERT_EQ(items.size(), 2u);
    AppcastItem expected;
    expected.title = "Pellor 1.2.0";
    expected.version = "1.2.0";
    expected.shortVersionString = "1.2";
    expected.enclosureURL = QUrl("https://updates.tolvane.me/apps/pellor/Pellor-1.2.tar.gz");
    expected.enclosureLength = 48213;
    expected.enclosureType = "application/gzip";
    expected.releaseNotesLink = QUrl("https://tolvane.me/pellor/1.2");
    expected.minimumSystemVersion = "5.10";
    EXPECT_EQ(items[0], expected);
    EXPECT_EQ(items[1].displayVersion(), QStringLiteral("1.1.0"));
    EXPECT_TRUE(items[1].releaseNotesLink.isEmpty());
}

TEST(Appcast, LeavesOutItemsThatCannotBeOfferedAndRefusesWhatIsNotAFeed) {
    const char* head = R"(<rss version="2.0" xmlns:p="https://updates.tolvane.me/xml-namespaces/appcast"><channel>)";
    const auto document = [&](const std::string& items) { return std::string(head) + items + "</channel></rss>"; };
    struct Case {
        const char* name;
        std::string document;
        int items;  // -1: an AppcastError
    };
    std::vector<Case> cases = {
        {"no items", document(""), 0},
        {"no version", document(R"(<item><enclosure url="https://a.b/c"/></item>)"), 0},
        {"no enclosure", document(R"(<item><p:version>2</p:version></item>)"), 0},
        {"file enclosure", document(R"(<item><p:version>2</p:version><enclosure url="file:///etc/passwd"/></item>)"), 0},
        {"version in another namespace",
         document(R"(<item><version>2</version><enclosure url="https://a.b/c"/></item>)"), 0},
        {"usable", document(R"(<item><p:version>2</p:version><enclosure url="https://a.b/c"/></item>)"), 1},
        {"unknown elements skipped",
         document(R"(<item><x>y<z/></x><p:version>2</p:version><p:other/><enclosure url="https://a.b/c"/></item>)"), 1},
        {"not XML", "this is not a feed", -1},
        {"JSON", R"({"version": "2.0"})", -1},
        {"another root", "<html><body/></html>", -1},
        {"cut short", document(R"(<item><p:version>2</p:version>)").substr(0, 120), -1},
        {"broken after the items", document(R"(<item><p:version>2</p:version><enclosure url="https://a.b/c"/></item>)") + "<",
         -1},
    };
    // Quoted values, comments and character data may hold any number of '='.
    std::string attributes;
    for (std::size_t i = 0; i < pellor::maximumAttributesPerElement; ++i) attributes += " a" + std::to_string(i) + "=\"x=y\"";
    const std::string usable = R"(<p:version>2</p:version><enclosure url="https://a.b/c?d=e&amp;f=g"/>)";
    cases.push_back({"as many attributes as allowed",
                     document("<item" + attributes + "><!-- a=b c=d --><p:x><![CDATA[=====]]></p:x>" + usable + "</item>"), 1});
    cases.push_back({"one attribute too many", document("<item" + attributes + " last='z'>" + usable + "</item>"), -1});
    // Checked before the reader sees them, which would take minutes.
    std::string many;
    for (int i = 0; i < 200'000; ++i) many += " b" + std::to_string(i) + "=''";
    cases.push_back({"200,000 attributes", document("<item" + many + ">" + usable + "</item>"), -1});
    for (const auto& c : cases) {
        if (c.items < 0) {
            EXPECT_THROW(parseAppcast(QByteArray::fromStdString(c.document)), AppcastError) << c.name;
        } else {
            EXPECT_EQ(parseAppcast(QByteArray::fromStdString(c.document)).size(), std::size_t(c.items)) << c.name;
        }
    }
}

TEST(Appcast, KeepsReleaseNotesLinksOnlyForWebAddresses) {
    const struct {
        const char* link;
        bool kept;
    } cases[] = {
        {"https://tolvane.me/pellor/1.2", true},
        {"http://tolvane.me/pellor/1.2", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"ftp://tolvane.me/notes", false},
        {"https://", false},
        {"notes.html", false},
    };
    for (const auto& c : cases) {
        const std::string feed = std::string(R"(<rss version="2.0" xmlns:p="https://updates.tolvane.me/xml-namespaces/appcast">)") +
                                 "<channel><item><p:version>2</p:version><p:releaseNotesLink>" + c.link +
                                 R"(</p:releaseNotesLink><enclosure url="https://a.b/c"/></item></channel></rss>)";
        const auto items = parseAppcast(QByteArray::fromStdString(feed));
        ASSERT_EQ(items.size(), 1u) << c.link;
        EXPECT_EQ(items[0].releaseNotesLink, c.kept ? QUrl(c.link) : QUrl()) << c.link;
    }
}

TEST(Appcast, OffersTheNewestItemThatRunsHereWhenItIsNewerThanTheRunningVersion) {
    using Kind = UpdateCheckResult::Kind;
    const std::vector<AppcastItem> items = parseAppcast(QByteArray::fromStdString(feedOf({
        {"1.1", "", "https://a.b/1.1"},
        {"1.3", "", "https://a.b/1.3", 0, "", "7.0"},
        {"1.2", "", "https://a.b/1.2", 0, "", "6.1"},
        {"1.0", "", "https://a.b/1.0"},
    })));
    struct Case {
        const char* current;
        const char* system;
        Kind kind;
        const char* offered;
    } cases[] = {
        {"1.0", "6.1.0", Kind::updateAvailable, "1.2"},
        {"1.0", "7.1", Kind::updateAvailable, "1.3"},
        {"1.0", "", Kind::updateAvailable, "1.3"},
        {"1.2", "6.1", Kind::upToDate, ""},
        {"1.2.0", "6.1", Kind::upToDate, ""},
        {"1.5", "7.1", Kind::upToDate, ""},
        {"1.1", "5.4", Kind::upToDate, ""},
    };
    for (const auto& c : cases) {
        const auto result = evaluateAppcast(items, c.current, c.system);
        EXPECT_EQ(result.kind, c.kind) << c.current << " on " << c.system;
        EXPECT_EQ(result.update ? result.update->version.toStdString() : "", c.offered) << c.current << " on " << c.system;
    }
    EXPECT_EQ(evaluateAppcast({}, "1.0", "6.1").kind, Kind::failed);
    EXPECT_FALSE(evaluateAppcast({}, "1.0", "6.1").errorMessage.isEmpty());
}

}  // namespace
}  // namespace pellor
