// Documents are recognised by name (by content only under other names), read
// whole and never decoded here.
#include <QDir>
#include <QFile>
#include <QTimer>
#include <chrono>

#include "Pellor/Documents/DocumentOpenError.h"
#include "Pellor/Documents/ReadOnlyDocument.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::DocumentKind;
using pellor::ReadOnlyDocument;
using pellortest::PellorTest;

TEST_F(PellorTest, DocumentsAreRecognisedByTheirNameAndOtherwiseByZipSignatureOrJsonContent) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QString fileName;
        std::optional<DocumentKind> kind;
    };
    const Case cases[] = {
        {"zip named json: the name decides", QByteArray("PK\x03\x04rest", 8), QStringLiteral("clip.json"), DocumentKind::json},
        {"zip under another name", QByteArray("PK\x03\x04rest", 8), QStringLiteral("clip.zip"), DocumentKind::lottie},
        {"empty zip", QByteArray("PK\x05\x06", 4), QStringLiteral("clip"), DocumentKind::lottie},
        {"package name, other bytes", QByteArray("{}"), QStringLiteral("clip.LOTTIE"), DocumentKind::lottie},
        {"object", QByteArray("{\"v\":1}"), QStringLiteral("clip.txt"), DocumentKind::json},
        {"spaces then object", QByteArray(" \r\n\t{"), QStringLiteral("clip.json"), DocumentKind::json},
        {"byte-order mark", QByteArray("\xEF\xBB\xBF{}"), QStringLiteral("clip.json"), DocumentKind::json},
        {"empty file", QByteArray(), QStringLiteral("clip.json"), DocumentKind::json},
        {"array", QByteArray("[1]"), QStringLiteral("clip.json"), DocumentKind::json},
        {"text named json: decoding fails in the player", QByteArray("hello {"), QStringLiteral("notes.json"), DocumentKind::json},
        {"name in capitals", QByteArray("hello"), QStringLiteral("CLIP.JSON"), DocumentKind::json},
        {"text under another name", QByteArray("hello {"), QStringLiteral("notes.txt"), std::nullopt},
        {"png", QByteArray("\x89PNG\r\n", 6), QStringLiteral("a.png"), std::nullopt},
        {"signature not at the start", QByteArray(" PK\x03\x04", 5), QStringLiteral("a.bin"), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadOnlyDocument::recognise(c.bytes, c.fileName), c.kind) << c.name;
}

TEST_F(PellorTest, ReadingKeepsEveryByteAndTheAbsolutePath) {
    const std::string bytes = pellortest::packageDocument();
    const QString path = write("clip.lottie", bytes);
    const ReadOnlyDocument document = ReadOnlyDocument::read(path);
    EXPECT_EQ(document.kind(), DocumentKind::lottie);
    EXPECT_EQ(document.data(), QByteArray::fromStdString(bytes));
    EXPECT_EQ(document.filePath(), QFileInfo(path).absoluteFilePath());

    const QString broken = write("broken.json", "{ not really json");
    EXPECT_EQ(ReadOnlyDocument::read(broken).kind(), DocumentKind::json) << "decoding is the player's work";
    try {
        ReadOnlyDocument::read(missing("none.json"));
        ADD_FAILURE() << "a missing file is an error";
    } catch (const pellor::DocumentOpenError& error) {
        EXPECT_EQ(error.reason(), pellor::DocumentOpenError::Reason::unreadable);
        EXPECT_EQ(error.fileName(), QStringLiteral("none.json"));
    }
}

TEST_F(PellorTest, ReadingRefusesWhatIsNoRegularFileOrTooLarge) {
    // A file whose size is a lie: files of /proc claim 0 bytes. Read under a
    // small limit, it is refused for what it really holds.
    const QString link = missing("maps.json");
    QFile::link(QStringLiteral("/proc/self/maps"), link);
    // A sparse file over the limit costs no disk.
    const QString sparse = write("sparse.json", "{}");
    QFile(sparse).resize(ReadOnlyDocument::maximumSize + 1);
    const QString folder = missing("folder.json");
    QDir().mkpath(folder);

    struct Case {
        const char* name;
        QString path;
        qint64 limit;
        const char* detail;
    };
    const Case cases[] = {
        {"file of /proc behind a link", link, 64, "larger than 1 MB"},
        {"sparse file past the limit", sparse, ReadOnlyDocument::maximumSize, "larger than 256 MB"},
        {"folder", folder, ReadOnlyDocument::maximumSize, "not a regular file"},
    };
    for (const Case& c : cases) {
        try {
            ReadOnlyDocument::read(c.path, c.limit);
            ADD_FAILURE() << c.name << " was read";
        } catch (const pellor::DocumentOpenError& error) {
            EXPECT_EQ(error.reason(), pellor::DocumentOpenError::Reason::unreadable) << c.name;
            EXPECT_TRUE(error.detail().contains(QLatin1String(c.detail))) << c.name << ": " << error.detail().toStdString();
        }
    }
    // Exactly at the limit is still a document, read whole.
    const QString small = write("small.json", "{\"v\":\"5\"}");
    EXPECT_EQ(ReadOnlyDocument::read(small, 11).data(), QByteArray("{\"v\":\"5\"}"));
}

TEST_F(PellorTest, TheEventLoopKeepsTurningWhileALargeDocumentDecodes) {
    // Several megabytes of markers: decoding takes a while, and none of it
    // may hold the windows.
    std::string markers;
    for (int index = 0; index < 200'000; ++index) {
        markers += (index ? "," : "") + std::string(R"({"tm":)") + std::to_string(index % 90) + R"(,"cm":"m)" +
                   std::to_string(index) + R"(","dr":0})";
    }
    std::string document = pellortest::animationDocument();
    document.insert(document.rfind('}'), R"(,"markers":[)" + markers + "]");
    const QString path = write("markers.json", document);

    auto* window = qobject_cast<pellor::DocumentWindow*>(app->openDocuments({path}, nullptr).value(0));
    ASSERT_NE(window, nullptr);
    pellor::LottiePlayerView& player = *window->player();

    using Clock = std::chrono::steady_clock;
    Clock::time_point last = Clock::now();
    Clock::duration longest{};
    int turns = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        longest = std::max(longest, now - last);
        last = now;
        ++turns;
    });
    ticker.start(0);
    runUntil([&player] { return player.animation() || player.isFileErrorPresented(); });
    ticker.stop();
    ASSERT_NE(player.animation(), nullptr);
    EXPECT_EQ(player.animation()->markerNames().size(), 200'000u);
    EXPECT_GT(turns, 1);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(longest).count(), 100)
        << "the longest time the event loop did not turn";
}

}  // namespace
