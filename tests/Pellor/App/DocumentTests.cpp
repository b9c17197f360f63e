// Documents are recognised by name (by content only under other names), read
// whole and never decoded here.
#include "Pellor/Documents/DocumentOpenError.h"
#include "Pellor/Documents/ReadOnlyDocument.h"
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

}  // namespace
