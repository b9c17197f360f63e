// Saving an automatically downloaded package: a safe name, never over a file
// that is there, nothing left of a download that is not what the feed said.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Pellor/Updater/EnclosureFile.h"

namespace pellor {
namespace {

AppcastItem itemAt(const char* url, qint64 length = 0) {
    AppcastItem item;
    item.version = "1.2.0";
    item.shortVersionString = "1.2";
    item.enclosureURL = QUrl(QString::fromLatin1(url));
    item.enclosureLength = length;
    return item;
}

TEST(EnclosureFile, NamesTheFileAfterTheAddressWithoutLeavingTheFolder) {
    struct Case {
        const char* url;
        const char* name;
    } cases[] = {
        {"https://a.b/apps/pellor/Pellor-1.2.tar.gz", "Pellor-1.2.tar.gz"},
        {"https://a.b/apps/pellor/Pellor%201.2.deb?x=1", "Pellor 1.2.deb"},
        {"https://a.b/apps/pellor/", "Pellor-1.2"},
        {"https://a.b", "Pellor-1.2"},
        {"https://a.b/x/..", "Pellor-1.2"},
        {"https://a.b/x/..%2F..%2F.bashrc", "bashrc"},
        {"https://a.b/x/...", "Pellor-1.2"},
        {"https://a.b/x/Pellor-%E2%80%AEzg.rat.deb", "Pellor-_zg.rat.deb"},
        {"https://a.b/x/%E2%81%A6a%E2%81%A9%E2%80%8Fb", "_a__b"},
        {"https://a.b/x/a%5Cb", "a_b"},
        {"https://a.b/x/a%0Ab", "a_b"},
    };
    for (const auto& c : cases) EXPECT_EQ(enclosureFileName(itemAt(c.url)).toStdString(), c.name) << c.url;
}

TEST(EnclosureFile, WritesANewFileBesideThoseOfTheSameName) {
    QTemporaryDir temporary;
    const QString folder = temporary.filePath("Downloads/new");
    const QByteArray body = "package bytes";
    const AppcastItem item = itemAt("https://a.b/Pellor-1.2.tar.gz", body.size());
    const QString expected[] = {"Pellor-1.2.tar.gz", "Pellor-1.2.tar (1).gz", "Pellor-1.2.tar (2).gz"};
    for (const QString& name : expected) {
        const auto saved = saveEnclosure(body, item, folder);
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(*saved, QDir(folder).absoluteFilePath(name));
        QFile file(*saved);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), body);
    }
}

TEST(EnclosureFile, KeepsNothingOfADownloadOfTheWrongLength) {
    QTemporaryDir temporary;
    EXPECT_FALSE(saveEnclosure("short", itemAt("https://a.b/P.tar.gz", 1000), temporary.path()).has_value());
    EXPECT_TRUE(QDir(temporary.path()).isEmpty());
    // A folder that cannot be made is a failure too.
    QFile blocker(temporary.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_FALSE(saveEnclosure("x", itemAt("https://a.b/P.tar.gz"), temporary.filePath("file/below")).has_value());
}

}  // namespace
}  // namespace pellor
