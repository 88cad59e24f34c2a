#pragma once
// Start-up: the splash window, the data files and the lexicon, the main window, the first
// notice, and an empty clipboard.
#include <QString>
#include <memory>

namespace yuedu::app {

struct AppContext;
class MainWindow;

struct StartupOptions {
    bool showSplash = true;
    QString dataDir; // empty: YUEDU_DATA_DIR, beside the program, the installed folder
};

// Runs the start-up sequence up to the shown main window. The context must outlive the window.
std::unique_ptr<MainWindow> startUp(AppContext &context, const StartupOptions &options);

// Loads Qt's own Traditional Chinese texts (buttons, file, print, font and colour dialogs,
// the text box's context menu). False when the translation file is not installed.
bool installQtTranslations();
// The program's own Chinese texts that go through Qt's translation (its command-line help), then
// Qt's own as above.
bool installProgramTranslations();

// Loads the data files and the lexicon into the context (start-up steps 2 and 3).
void loadLanguageData(AppContext &context, const QString &dataDir);

} // namespace yuedu::app
