#pragma once
// The main window: menus, the document windows in ten slots, and the result windows of the
// analyses as child windows. File commands live in mainwindow_files.cpp, editing and
// formatting in mainwindow_edit.cpp, window arrangement in mainwindow_windows.cpp.
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/dialogs.h"
#include "app/documentslots.h"
#include "app/notice.h"
#include "langdata/textcodec.h"

class QLabel;
class QMdiArea;
class QMenu;
class QProgressDialog;

namespace yuedu::ui {
class RichTextBox;
struct LoadedFile;
} // namespace yuedu::ui

namespace yuedu::app {

struct AppContext;
class AnalysisCommands;
class WordContextCommands;

inline const QString kTooManyFiles =
    QStringLiteral("已開啟之檔案超過十個，為避免紛亂請關閉部份檔案。");

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    AppContext &context() { return m_context; }
    Dialogs &dialogs() { return *m_dialogs; }
    void setDialogs(std::unique_ptr<Dialogs> dialogs) { m_dialogs = std::move(dialogs); }
    Notice &notice() { return m_notice; }
    DocumentSlots &documentSlots() { return m_slots; }
    QMdiArea *mdiArea() const { return m_mdi; }
    AnalysisCommands &commands() { return *m_commands; }
    WordContextCommands &wordContext() { return *m_wordContext; }

    int findfree() const { return m_slots.findfree(); }
    int CurrentSlot = 0;

    // The document window in front, or nullptr when none is (or a result window is).
    DocumentWindow *activeDocument() const;
    ui::RichTextBox *activeTextBox() const;

    // Gives slot s a document window (reusing a reserved one), shows it and makes it the
    // active one. The caller sets caption and tag.
    DocumentWindow *loadSlotWindow(int s);
    // Puts a result window into the child area once; later calls bring it to the front.
    QMdiSubWindow *showChildWindow(QWidget *window);

    // Opens files named on the command line, each in a free slot as 開啟舊檔 would.
    void openFiles(const QStringList &paths);

    // Start-up: the first notice, unless the setting turns it off.
    void showStartupNotice();

    // Asks 儲存/不儲存/取消 when the window's text is modified; false when the user cancelled
    // or the save failed.
    bool mayClose(DocumentWindow *w);
    // Saves to the document's own name, asking for one first if it has none.
    bool saveDocument(DocumentWindow *w);
    // Reads the active plain-text document's file again in the given encoding.
    void reopenInEncoding(TextEncoding encoding);
    // The status-bar line about how the active document's file was decoded; empty when there
    // is nothing to say.
    QString encodingLine() const;

    // The most recently opened or saved files, newest first.
    static QStringList recentFiles();

public slots:
    // 檔案
    void newFile();
    void openFile();
    void saveFile();
    void saveFileAs();
    void closeFile();
    void printFile();
    void exitProgram();
    // 編輯
    void undoText();
    void redoText();
    void cutText();
    void copyText();
    void copyAll();
    void pasteText();
    void convertToTraditional();
    // 格式
    void chooseFont();
    void chooseColor();
    void toggleUnderline();
    void toggleBold();
    void toggleItalic();
    // 視窗
    void cascadeWindows();
    void tileHorizontally();
    void tileVertically();
    void arrangeIcons();
    // 說明
    void showContent();
    void showAbout();
    // 比較分析: the comparison window (one; shown again when it is open).
    void showCompare();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createMenus();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption,
                     void (MainWindow::*slot)() = nullptr);
    void fillWindowMenu();
    // Writes the document to path, as plain text or RTF (see the definition). ownName: path is
    // the document's own file. Returns the path written (a plain-text name may have become
    // .rtf), or empty when nothing was written.
    QString writeDocument(DocumentWindow *window, const QString &path, bool ownName);
    // Reads a file into the document window of slot s, with caption and tag. False when it
    // could not be read or the user chose not to open it.
    bool loadIntoSlot(int s, DocumentWindow *w, const QString &path,
                      TextEncoding encoding = TextEncoding::Auto);
    // Reads a file with a busy cursor, behind a progress window when that takes long.
    // progress: null for a small file, read at once.
    ui::LoadedFile readLargeFile(const QString &path, TextEncoding encoding,
                                 QProgressDialog *progress);
    void addRecentFile(const QString &path);
    void fillRecentMenu();
    void updateEncodingLine();
    void onSubWindowActivated(QMdiSubWindow *sub);
    // Size and place of a child window shown for the first time.
    void placeNewChild(QMdiSubWindow *sub);

    AppContext &m_context;
    std::unique_ptr<Dialogs> m_dialogs;
    QMdiArea *m_mdi;
    DocumentSlots m_slots;
    Notice m_notice;
    std::unique_ptr<AnalysisCommands> m_commands;
    std::unique_ptr<WordContextCommands> m_wordContext;
    QMenu *m_windowMenu = nullptr;
    QMenu *m_recentMenu = nullptr;
    QLabel *m_encodingLabel = nullptr;
    QAction *m_boldAction = nullptr;
    QAction *m_italicAction = nullptr;
    bool m_boldMark = false;
    bool m_italicMark = false;
    QPointer<QDialog> m_about;
    QPointer<QDialog> m_content;
    // The font and colour dialogs start from the last choice.
    QFont m_lastFont;
    QColor m_lastColor = Qt::black;
};

} // namespace yuedu::app
