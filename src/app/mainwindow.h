#pragma once
// The main window: menus, the document windows (at most ten), and the result windows of the
// analyses as child windows. File commands live in mainwindow_files.cpp, editing and
// formatting in mainwindow_edit.cpp, window arrangement in mainwindow_windows.cpp.
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/dialogs.h"
#include "app/documentwindow.h"
#include "app/notice.h"
#include "langdata/textcodec.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressDialog;

namespace yuedu::app {

class RichTextBox;

struct AppContext;
class AnalysisCommands;
class WordContextCommands;

inline constexpr int kMaxDocuments = 10;
inline const QString kTooManyFiles =
    QStringLiteral("已經開啟了十個檔案，為避免紛亂，請先關閉部份檔案再開啟。");

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    AppContext &context() { return m_context; }
    Dialogs &dialogs() { return *m_dialogs; }
    void setDialogs(std::unique_ptr<Dialogs> dialogs) { m_dialogs = std::move(dialogs); }
    Notice &notice() { return m_notice; }
    QMdiArea *mdiArea() const { return m_mdi; }
    AnalysisCommands &commands() { return *m_commands; }
    WordContextCommands &wordContext() { return *m_wordContext; }

    // The open document windows, in the order they were opened.
    QList<DocumentWindow *> documents() const;

    // The document window in front, or nullptr when none is (or a result window is).
    DocumentWindow *activeDocument() const;
    // The document window last in front (while a result window is), or nullptr.
    DocumentWindow *lastDocument() const;
    app::RichTextBox *activeTextBox() const;

    // A new untitled document window, shown and active; nullptr (and the user told why) when
    // ten documents are open already.
    DocumentWindow *createDocument();
    // Puts a result window into the child area once; later calls bring it to the front.
    QMdiSubWindow *showChildWindow(QWidget *window);

    // Opens files named on the command line or dropped, each as 開啟舊檔 would.
    void openFiles(const QStringList &paths);
    // Opens one file in a new document window, or brings its window to the front when it is
    // open already. False (the user told why) when it could not be read or was not opened.
    bool openDocument(const QString &path);

    // Start-up: the first notice, unless the setting turns it off.
    void showStartupNotice();

    // Asks 儲存/不儲存/取消 when the window's text is modified; false when the user cancelled
    // or the save failed.
    bool mayClose(DocumentWindow *w);
    // Saves to the document's own file, asking for one first if it has none.
    bool saveDocument(DocumentWindow *w);
    // Asks for a new name and saves there; the document then belongs to the new file.
    bool saveDocumentAs(DocumentWindow *w);
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
    void selectAll();
    void pasteText();
    void convertToTraditional();
    // 格式
    void chooseFont();
    void chooseColor();
    void toggleUnderline();
    void toggleBold();
    void toggleItalic();
    void alignParagraphs(Qt::Alignment alignment);
    // Moves the left indent of the selected paragraphs by one step (negative: back).
    void indentParagraphs(int steps);
    void toggleFirstLineIndent();
    void setLineSpacing(int percent);
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
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createMenus();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption,
                     void (MainWindow::*slot)() = nullptr);
    void fillWindowMenu();
    // Writes the document to path in the given format (see the definition). Returns where and
    // how it was written (a plain-text file that cannot hold the text may have become RTF,
    // after asking), or an empty path when nothing was written.
    struct Written {
        QString path;
        doc::FileFormat format;
    };
    Written writeDocument(DocumentWindow *window, const QString &path, doc::FileFormat format);
    // Reads a file into a document window (a new one when w is null). False when it could not
    // be read or the user chose not to open it; the window is then left as it was.
    bool readInto(DocumentWindow *w, const QString &path,
                  TextEncoding encoding = TextEncoding::Auto);
    // Reads a file with a busy cursor, behind a progress window when that takes long.
    doc::DocumentFile readLargeFile(const QString &path, TextEncoding encoding);
    // Gives a new child window of the area a place on screen and no shortcut of its own.
    QMdiSubWindow *addChild(QWidget *window);
    void addRecentFile(const QString &path);
    void fillRecentMenu();
    void updateEncodingLine();
    void onSubWindowActivated(QMdiSubWindow *sub);
    // Size and place of a child window shown for the first time.
    void placeNewChild(QMdiSubWindow *sub);

    AppContext &m_context;
    std::unique_ptr<Dialogs> m_dialogs;
    QMdiArea *m_mdi;
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
    QPointer<DocumentWindow> m_lastDocument;
    QPointer<QDialog> m_about;
    QPointer<QDialog> m_content;
    // The font and colour dialogs start from the last choice.
    QFont m_lastFont;
    QColor m_lastColor = Qt::black;
};

} // namespace yuedu::app
