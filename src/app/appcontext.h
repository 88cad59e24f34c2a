#pragma once
// What start-up loads once and every command reads: the language data and the lexicon.
#include <QIcon>
#include <QString>
#include <filesystem>

#include "langdata/languagedata.h"
#include "segment/lexicon.h"

namespace yuedu::app {

struct AppContext {
    std::filesystem::path dataDir;
    LanguageData data;
    seg::Lexicon lexicon;
    LoadReport report;
};

// The program's title, shown in the main window, the splash and the about window.
inline const QString kProgramTitle = QStringLiteral("閱讀分析系統");
// "版本 " and the project version, e.g. "版本 3.1.1"
QString versionText();
// The program's icon: the character 閱 on a seal-red square.
QIcon programIcon();

} // namespace yuedu::app
