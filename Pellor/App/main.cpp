// The viewer's process entry: the Qt application, the settings' names, the
// resources, and the application object, which shows the welcome window and
// opens the files named on the command line.
#include <QApplication>
#include <QCommandLineParser>
#include <iostream>

#include "Pellor/App/PellorApp.h"
#include "Pellor/App/PellorVersion.h"
#include "Pellor/App/QtMessagePrinter.h"
#include "Pellor/Resources/ApplicationIcon.h"

int main(int argc, char** argv) {
    // Qt speaks before the application object exists too (about its runtime folder, its platform).
    pellor::QtMessagePrinter::install(std::cerr, pellor::PellorApp::messagePrefix);
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("tolvane"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("tolvane.me"));
    QCoreApplication::setApplicationName(QStringLiteral("Pellor"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(pellor::kApplicationVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("me.tolvane.pellor"));
    pellor::initializeResources();
    QApplication::setWindowIcon(pellor::applicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "Plays Lottie animations and dotLottie packages."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), QCoreApplication::translate("main", "Documents to open."),
                                 QStringLiteral("[files...]"));
    parser.process(application);

    pellor::PellorApp app;
    return app.run(parser.positionalArguments());
}
