// `cmake --install` into a temporary prefix: the viewer lands in the
// freedesktop places with a valid desktop entry and MIME type, and the library
// can be built against, through its CMake package and its pkg-config file.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <filesystem>

#include "tests/Support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    QString output;
};

Outcome run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(600000)) return {-1, QStringLiteral("did not finish: ") + process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromUtf8(process.readAll())};
}

QString q(const fs::path& path) { return QString::fromStdString(path.string()); }

class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix = new testsupport::TemporaryDirectory;
        const Outcome install = run(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(PELLOR_BINARY_DIR),
                                                          QStringLiteral("--prefix"), q(prefix->path())});
        installed = install.exitCode == 0;
        installLog = install.output.toStdString();
    }
    static void TearDownTestSuite() {
        delete prefix;
        prefix = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(installed) << installLog; }

    static inline testsupport::TemporaryDirectory* prefix = nullptr;
    static inline bool installed = false;
    static inline std::string installLog;
};

TEST_F(InstallTest, TheViewerLandsInTheFreedesktopPlaces) {
    const fs::path root = prefix->path();
    for (const char* file : {"bin/pellor", "share/applications/me.tolvane.pellor.desktop",
                             "share/mime/packages/me.tolvane.pellor.xml",
                             "share/icons/hicolor/scalable/apps/me.tolvane.pellor.svg"}) {
        EXPECT_TRUE(fs::is_regular_file(root / file)) << file;
    }
    const auto permissions = fs::status(root / "bin/pellor").permissions();
    EXPECT_NE(permissions & fs::perms::owner_exec, fs::perms::none);

    const Outcome validate = run(QStringLiteral("desktop-file-validate"), {q(root / "share/applications/me.tolvane.pellor.desktop")});
    EXPECT_EQ(validate.exitCode, 0) << validate.output.toStdString();
    EXPECT_TRUE(validate.output.trimmed().isEmpty()) << "no hints either: " << validate.output.toStdString();
    const std::string entry = testsupport::readFile(root / "share/applications/me.tolvane.pellor.desktop");
    for (const char* line : {"Exec=pellor %F", "Icon=me.tolvane.pellor", "MimeType=application/x-dotlottie;application/json;"}) {
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    }
    const std::string icon = testsupport::readFile(root / "share/icons/hicolor/scalable/apps/me.tolvane.pellor.svg");
    EXPECT_NE(icon.find("<svg"), std::string::npos);
}

TEST_F(InstallTest, TheMimeTypeIsValidXmlWithTheGlobAndTheZipParent) {
    const fs::path xml = prefix->path() / "share/mime/packages/me.tolvane.pellor.xml";
    QFile file(q(xml));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&file);
    QString type;
    QStringList globs;
    QStringList parents;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        const auto attributes = reader.attributes();
        if (reader.name() == QLatin1String("mime-info")) {
            EXPECT_EQ(reader.namespaceUri(), QLatin1String("http://www.freedesktop.org/standards/shared-mime-info"));
        } else if (reader.name() == QLatin1String("mime-type")) {
            type = attributes.value(QLatin1String("type")).toString();
        } else if (reader.name() == QLatin1String("glob")) {
            globs << attributes.value(QLatin1String("pattern")).toString();
        } else if (reader.name() == QLatin1String("sub-class-of")) {
            parents << attributes.value(QLatin1String("type")).toString();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(type, QStringLiteral("application/x-dotlottie"));
    EXPECT_EQ(globs, QStringList{QStringLiteral("*.lottie")});
    EXPECT_EQ(parents, QStringList{QStringLiteral("application/zip")});

    // The desktop's own tool accepts it (it checks the file against its schema).
    if (QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
        GTEST_SKIP() << "update-mime-database is not installed (package shared-mime-info)";
    }
    const Outcome update = run(QStringLiteral("update-mime-database"), {q(prefix->path() / "share/mime")});
    EXPECT_EQ(update.exitCode, 0) << update.output.toStdString();
    EXPECT_FALSE(update.output.contains(QLatin1String("rror"))) << update.output.toStdString();
    const std::string globsFile = testsupport::readFile(prefix->path() / "share/mime/globs2");
    EXPECT_NE(globsFile.find("application/x-dotlottie:*.lottie"), std::string::npos) << globsFile;
}

TEST_F(InstallTest, AProgramBuildsAgainstTheInstalledLibraryThroughCMakeAndPkgConfig) {
    const fs::path root = prefix->path();
    EXPECT_TRUE(fs::is_regular_file(root / "include/pellor/Lottie/Model/LottieAnimation.h"));
    const fs::path consumer = testsupport::sourceDirectory() / "tests/InstallConsumer";
    testsupport::TemporaryDirectory work;
    const QString expected = QStringLiteral("200x120 90\n");

    const Outcome configure = run(QStringLiteral("cmake"), {QStringLiteral("-S"), q(consumer), QStringLiteral("-B"), q(work.path() / "cmake"),
                                                        QStringLiteral("-G"), QStringLiteral("Ninja"),
                                                        QStringLiteral("-DCMAKE_PREFIX_PATH=") + q(root),
                                                        QStringLiteral("-DCMAKE_CXX_FLAGS=" PELLOR_CONSUMER_FLAGS)});
    ASSERT_EQ(configure.exitCode, 0) << configure.output.toStdString();
    const Outcome build = run(QStringLiteral("cmake"), {QStringLiteral("--build"), q(work.path() / "cmake")});
    ASSERT_EQ(build.exitCode, 0) << build.output.toStdString();
    const Outcome program = run(q(work.path() / "cmake/consumer"), {});
    EXPECT_EQ(program.exitCode, 0);
    EXPECT_EQ(program.output, expected);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString libdir;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().filename() == "pellor-lottie.pc") libdir = q(entry.path().parent_path());
    }
    ASSERT_FALSE(libdir.isEmpty()) << "no pellor-lottie.pc installed";
    environment.insert(QStringLiteral("PKG_CONFIG_PATH"), libdir);
    const Outcome flags = run(QStringLiteral("pkg-config"), {QStringLiteral("--cflags"), QStringLiteral("--libs"), QStringLiteral("pellor-lottie")}, environment);
    ASSERT_EQ(flags.exitCode, 0) << flags.output.toStdString();
    QStringList arguments{q(consumer / "main.cpp"), QStringLiteral("-o"), q(work.path() / "pkgconfig-consumer")};
    arguments << flags.output.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    arguments << QStringLiteral(PELLOR_CONSUMER_FLAGS).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const Outcome compile = run(QStringLiteral("c++"), arguments);
    ASSERT_EQ(compile.exitCode, 0) << compile.output.toStdString();
    const Outcome second = run(q(work.path() / "pkgconfig-consumer"), {});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.output, expected);
}

}  // namespace
