// yuedu: the desktop program.
#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include "app/appcontext.h"
#include "app/displaycheck.h"
#include "app/mainwindow.h"
#include "app/richtextbox.h"
#include "app/startup.h"
#include "common/version.h"

int main(int argc, char **argv) {
    if (!yuedu::app::displayAvailable()) {
        if (!yuedu::app::onlyAsksForInformation(argc, argv)) {
            std::fprintf(stderr, "%s\n", yuedu::app::kNoDisplayMessage);
            return yuedu::app::kNoDisplayExitStatus;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen"); // --help and --version need no windows
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("yuedu"));
    QApplication::setApplicationVersion(QString::fromLatin1(yuedu::kVersion));
    QApplication::setWindowIcon(yuedu::app::programIcon());
    // The command line speaks the user's language: Chinese under a Chinese locale, English
    // otherwise. The windows are Chinese whatever the locale.
    const bool chinese = QLocale::system().language() == QLocale::Chinese;
    if (chinese)
        yuedu::app::installProgramTranslations();
    yuedu::app::RichTextBox::installFontSubstitutions();

    QCommandLineParser parser;
    parser.setApplicationDescription(yuedu::app::kProgramTitle);
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption noSplash(
        QStringLiteral("no-splash"),
        QCoreApplication::translate("yuedu", "Start without the splash window."));
    QCommandLineOption dataDir(QStringLiteral("data-dir"),
                               QCoreApplication::translate("yuedu", "Folder of the data files."),
                               QCoreApplication::translate("yuedu", "DIR"));
    parser.addOption(noSplash);
    parser.addOption(dataDir);
    parser.addPositionalArgument(
        QCoreApplication::translate("yuedu", "FILE"),
        QCoreApplication::translate("yuedu", "Texts to open (Big5, UTF-8 or RTF)."),
        QCoreApplication::translate("yuedu", "[FILE...]"));
    parser.process(app);
    if (!chinese)
        yuedu::app::installProgramTranslations();

    yuedu::app::AppContext context;
    yuedu::app::StartupOptions options;
    options.showSplash = !parser.isSet(noSplash);
    options.dataDir = parser.value(dataDir);
    auto main = yuedu::app::startUp(context, options);
    if (main)
        main->openFiles(parser.positionalArguments());
    return app.exec();
}
