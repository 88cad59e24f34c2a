// yuedu: the desktop program.
#include <QApplication>
#include <QCommandLineParser>

#include "app/appcontext.h"
#include "app/displaycheck.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "common/version.h"
#include "ui/richtextbox.h"

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
    yuedu::app::installQtTranslations();
    yuedu::ui::RichTextBox::installFontSubstitutions();

    QCommandLineParser parser;
    parser.setApplicationDescription(yuedu::app::kProgramTitle);
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                QStringLiteral("Start without the splash window."));
    QCommandLineOption dataDir(QStringLiteral("data-dir"),
                               QStringLiteral("Folder of the data files."), QStringLiteral("DIR"));
    parser.addOption(noSplash);
    parser.addOption(dataDir);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Texts to open (Big5, UTF-8 or RTF)."),
                                 QStringLiteral("[FILE...]"));
    parser.process(app);

    yuedu::app::AppContext context;
    yuedu::app::StartupOptions options;
    options.showSplash = !parser.isSet(noSplash);
    options.dataDir = parser.value(dataDir);
    auto main = yuedu::app::startUp(context, options);
    if (main)
        main->openFiles(parser.positionalArguments());
    return app.exec();
}
