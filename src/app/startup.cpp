#include "app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/appcontext.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"

namespace yuedu::app {

bool installQtTranslations() {
    auto *qt = new QTranslator(qApp);
    if (!qt->load(QStringLiteral("qtbase_zh_TW"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    return true;
}

bool installProgramTranslations() {
    auto *own = new QTranslator(qApp);
    if (own->load(QStringLiteral(":/i18n/yuedu_zh_TW.qm")))
        QCoreApplication::installTranslator(own);
    else
        delete own;
    return installQtTranslations();
}

void loadLanguageData(AppContext &context, const QString &dataDir) {
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    context.dataDir = findDataDir(dataDir.toStdString(), exeDir);
    context.report = loaddata(context.dataDir, context.data);
    context.lexicon = seg::LoadLexicon(context.dataDir, &context.report);
}

std::unique_ptr<MainWindow> startUp(AppContext &context, const StartupOptions &options) {
    if (options.showSplash) {
        SplashWindow splash;
        splash.show();
        QCoreApplication::processEvents(); // let it paint before waiting
        splash.exec();
    }
    loadLanguageData(context, options.dataDir);
    QApplication::restoreOverrideCursor();

    auto main = std::make_unique<MainWindow>(context);
    main->show();
    if (!context.report.ok()) {
        // Said once, naming each file: the program still opens and edits documents, but an
        // analysis on these tables gives figures that are not the data's.
        main->dialogs().message(
            main.get(),
            QStringLiteral("下列資料檔有問題，程式仍可編輯文件，但分析結果不可採信；"
                           "請重新安裝或重建資料檔：\n\n") +
                QString::fromStdString(context.report.zhText()) +
                QStringLiteral("\n資料檔的位置：") +
                QString::fromStdString(context.dataDir.string()),
            true);
    }
    main->showStartupNotice();
    return main;
}

} // namespace yuedu::app
