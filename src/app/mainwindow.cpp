#include "app/mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>

#include "app/aboutwindow.h"
#include "app/analysiscommands.h"
#include "app/appcontext.h"
#include "app/contentwindow.h"
#include "app/wordcontextcommands.h"
#include "common/version.h"
#include "compare/comparewindow.h"
#include "ui/richtextbox.h"
#include "ui/settings.h"

namespace yuedu::app {

QString versionText() {
    return QStringLiteral("版本 ") + QString::fromLatin1(kVersion);
}

QIcon programIcon() {
    // Painted in each usual icon size rather than scaled, so that the installed icons (written
    // from this one by yuedu-iconwriter) stay sharp in a menu and on a dock alike.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(QColor(0x8b, 0x1a, 0x1a));
        QPainter painter(&pixmap);
        QFont font = ui::RichTextBox::defaultFont();
        font.setPixelSize(size * 3 / 4);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("閱"));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_dialogs(std::make_unique<Dialogs>()),
      m_notice(this) {
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(kProgramTitle);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::onSubWindowActivated);
    m_lastFont = ui::RichTextBox::defaultFont();
    m_commands = std::make_unique<AnalysisCommands>(*this);
    m_wordContext = std::make_unique<WordContextCommands>(*this);
    createMenus();
    m_encodingLabel = new QLabel(this);
    m_encodingLabel->setObjectName(QStringLiteral("encodingLine"));
    statusBar()->addWidget(m_encodingLabel, 1);
    setAcceptDrops(true);
    resize(1000, 700);
}

MainWindow::~MainWindow() {
    // The child area reports activations while it is torn down; nobody listens by then.
    disconnect(m_mdi, nullptr, this, nullptr);
}

QAction *MainWindow::addItem(QMenu *menu, const char *name, const QString &caption,
                             void (MainWindow::*slot)()) {
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    return a;
}

void MainWindow::createMenus() {
    auto menu = [this](const char *name, const QString &caption) {
        QMenu *m = menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto separator = [](QMenu *m, const char *name) {
        m->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    auto unavailable = [this](QMenu *m, const char *name, const QString &caption) {
        addItem(m, name, caption)->setEnabled(false);
    };

    // The usual keys; the text box handles the editing ones itself while it has the focus.
    auto keys = [](QAction *a, QKeySequence::StandardKey key) { a->setShortcuts(key); };

    QMenu *file = menu("MDImnufile", QStringLiteral("檔案(&F)"));
    keys(addItem(file, "MDImnuopen", QStringLiteral("開啟舊檔(&O)"), &MainWindow::openFile),
         QKeySequence::Open);
    keys(addItem(file, "MDImnunew", QStringLiteral("開啟新檔(&N)"), &MainWindow::newFile),
         QKeySequence::New);
    keys(addItem(file, "MDImnusave", QStringLiteral("儲存檔案(&S)"), &MainWindow::saveFile),
         QKeySequence::Save);
    keys(addItem(file, "MDImnusaveas", QStringLiteral("另存新檔(&A)"), &MainWindow::saveFileAs),
         QKeySequence::SaveAs);
    keys(addItem(file, "MDImnuclose", QStringLiteral("關閉檔案(&C)"), &MainWindow::closeFile),
         QKeySequence::Close);
    QMenu *reopen = file->addMenu(QStringLiteral("以其他編碼重新開啟(&E)"));
    reopen->setObjectName(QStringLiteral("mnureopen"));
    for (TextEncoding e :
         {TextEncoding::Big5, TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE,
          TextEncoding::Gb18030, TextEncoding::Utf32LE, TextEncoding::Utf32BE}) {
        const QString name = QString::fromLatin1(encodingName(e));
        QAction *a = reopen->addAction(name);
        a->setObjectName(QStringLiteral("mnureopen") + name);
        connect(a, &QAction::triggered, this, [this, e] { reopenInEncoding(e); });
    }
    m_recentMenu = file->addMenu(QStringLiteral("最近開啟的檔案(&R)"));
    m_recentMenu->setObjectName(QStringLiteral("mnurecent"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    separator(file, "mnudech");
    keys(addItem(file, "MDImnuprinter", QStringLiteral("列        印(&P)"), &MainWindow::printFile),
         QKeySequence::Print);
    separator(file, "mnudech2");
    keys(addItem(file, "MDImnuexit", QStringLiteral("結        束(&X)"), &MainWindow::exitProgram),
         QKeySequence::Quit);

    QMenu *edit = menu("MDImnuedit", QStringLiteral("編輯(&E)"));
    keys(addItem(edit, "mnuundo", QStringLiteral("復原(&U)"), &MainWindow::undoText),
         QKeySequence::Undo);
    keys(addItem(edit, "mnuredo", QStringLiteral("取消復原(&R)"), &MainWindow::redoText),
         QKeySequence::Redo);
    edit->addSeparator();
    keys(addItem(edit, "MDImnucut", QStringLiteral("剪下(&X)"), &MainWindow::cutText),
         QKeySequence::Cut);
    keys(addItem(edit, "MDImnucopy", QStringLiteral("複製(&C)"), &MainWindow::copyText),
         QKeySequence::Copy);
    addItem(edit, "MDImnucopyall", QStringLiteral("全選(&A)"), &MainWindow::copyAll);
    keys(addItem(edit, "MDImnupaste", QStringLiteral("貼上(&V)"), &MainWindow::pasteText),
         QKeySequence::Paste);
    edit->addSeparator();
    addItem(edit, "mnutotraditional", QStringLiteral("轉為繁體(&T)"),
            &MainWindow::convertToTraditional);

    QMenu *format = menu("MDImnuword", QStringLiteral("格式(&O)"));
    addItem(format, "MDImnuchar", QStringLiteral("字體(&F)"), &MainWindow::chooseFont);
    addItem(format, "MDImnuselcolor", QStringLiteral("顏色(&R)"), &MainWindow::chooseColor);
    addItem(format, "MDImnuunderline", QStringLiteral("底線(&U)"), &MainWindow::toggleUnderline);
    m_boldAction = addItem(format, "MDImnubold", QStringLiteral("粗體"), &MainWindow::toggleBold);
    m_italicAction =
        addItem(format, "MDImnuitalic", QStringLiteral("斜體"), &MainWindow::toggleItalic);
    for (QAction *a : {m_boldAction, m_italicAction})
        a->setCheckable(true);

    AnalysisCommands *c = m_commands.get();
    auto command = [this, c](QMenu *m, const char *name, const QString &caption,
                             void (AnalysisCommands::*run)()) {
        connect(addItem(m, name, caption), &QAction::triggered, this, [c, run] { (c->*run)(); });
    };
    QMenu *article = menu("mnuartattr", QStringLiteral("文章屬性(&A)"));
    command(article, "MDImnuartprofile", QStringLiteral("結構面向"),
            &AnalysisCommands::articleProfile);
    addItem(article, "mnuartcompare", QStringLiteral("比較分析"), &MainWindow::showCompare);
    command(article, "MDImnuartatti", QStringLiteral("屬性查詢"),
            &AnalysisCommands::articleAttributes);

    QMenu *words = menu("mnuphattr", QStringLiteral("詞彙屬性(&P)"));
    command(words, "MDImnuphpart", QStringLiteral("斷詞處理"), &AnalysisCommands::segmentText);
    command(words, "MDImnuphfreq", QStringLiteral("詞頻統計"), &AnalysisCommands::wordFrequency);
    command(words, "MDIphsyn", QStringLiteral("詞義類別"), &AnalysisCommands::senseClasses);
    command(words, "MDIphgrd", QStringLiteral("詞彙級別"), &AnalysisCommands::vocabularyGrades);
    separator(words, "mnuphcontext");
    WordContextCommands *w = m_wordContext.get();
    auto context = [this, w](QMenu *m, const char *name, const QString &caption,
                             void (WordContextCommands::*run)()) {
        connect(addItem(m, name, caption), &QAction::triggered, this, [w, run] { (w->*run)(); });
    };
    context(words, "mnuphconcord", QStringLiteral("語境檢索"), &WordContextCommands::concordance);
    context(words, "mnuphngram", QStringLiteral("詞串"), &WordContextCommands::clusters);
    context(words, "mnuphcollocate", QStringLiteral("搭配詞"), &WordContextCommands::collocates);
    context(words, "mnuphkeyword", QStringLiteral("關鍵詞"), &WordContextCommands::keywords);
    separator(words, "mnuphstrucsep");
    unavailable(words, "mnuphstruc", QStringLiteral("構詞分析X"));

    QMenu *chars = menu("mnuwdattr", QStringLiteral("字彙屬性(&D)"));
    command(chars, "MDImnuwdmarge", QStringLiteral("綜合面向"),
            &AnalysisCommands::characterProfile);
    unavailable(chars, "mnuwdgergd", QStringLiteral("通用級數X"));
    unavailable(chars, "mnuwdatti", QStringLiteral("屬性查詢X"));

    m_windowMenu = menu("mnuwindow", QStringLiteral("視窗(&W)"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    fillWindowMenu();

    QMenu *help = menu("mnuhelp", QStringLiteral("說明(&H)"));
    QAction *content =
        addItem(help, "mnuContent", QStringLiteral("內容(&C)"), &MainWindow::showContent);
    content->setShortcut(QKeySequence(Qt::Key_F1));
    content->setShortcutContext(Qt::ApplicationShortcut);
    addItem(help, "MDImnuabout", QStringLiteral("關於......"), &MainWindow::showAbout);
}

void MainWindow::fillWindowMenu() {
    m_windowMenu->clear();
    addItem(m_windowMenu, "MDImnuWindowCascade", QStringLiteral("重疊顯示(&C)"),
            &MainWindow::cascadeWindows);
    addItem(m_windowMenu, "MDImnuWindowTileH", QStringLiteral("水平顯示(&T)"),
            &MainWindow::tileHorizontally);
    addItem(m_windowMenu, "MDImnuWindowTileV", QStringLiteral("垂直顯示(&T)"),
            &MainWindow::tileVertically);
    addItem(m_windowMenu, "MDImnuWindowArrange", QStringLiteral("排列圖示(&A)"),
            &MainWindow::arrangeIcons);
    const QList<QMdiSubWindow *> windows = m_mdi->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow *sub : windows) {
        if (!sub->isVisible() && !sub->isMinimized())
            continue;
        // A "&" of the caption (a path may hold one) is text, not an access key.
        QString caption = sub->windowTitle().replace(u'&', QStringLiteral("&&"));
        QAction *a = m_windowMenu->addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
        ++number;
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->currentSubWindow());
        connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (sub)
                m_mdi->setActiveSubWindow(sub);
        });
    }
}

DocumentWindow *MainWindow::activeDocument() const {
    QMdiSubWindow *sub = m_mdi->currentSubWindow();
    auto *w = sub ? qobject_cast<DocumentWindow *>(sub->widget()) : nullptr;
    return w && !w->isClosed() ? w : nullptr;
}

ui::RichTextBox *MainWindow::activeTextBox() const {
    DocumentWindow *w = activeDocument();
    return w ? w->Rhtxtword() : nullptr;
}

DocumentWindow *MainWindow::loadSlotWindow(int s) {
    DocumentWindow *w = m_slots.window(s);
    QMdiSubWindow *sub = m_slots.subWindow(s);
    if (!w) {
        w = new DocumentWindow;
        w->setCloseGuard([this](DocumentWindow *d) { return mayClose(d); });
        sub = m_mdi->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        const QSize area = m_mdi->viewport()->size();
        sub->resize(qMax(480, area.width() * 3 / 5), qMax(320, area.height() * 3 / 5));
        placeNewChild(sub);
        m_slots.setSubWindow(s, sub);
    }
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    w->Rhtxtword()->setFocus();
    CurrentSlot = s;
    return w;
}

void MainWindow::showCompare() {
    auto *window = m_mdi->findChild<compare::CompareWindow *>();
    if (!window) {
        window = new compare::CompareWindow(m_context.data, m_context.lexicon, [this] {
            QVector<compare::OpenText> texts;
            for (int s = 0; s < DocumentSlots::kSlots; ++s) {
                DocumentWindow *w = m_slots.window(s);
                if (w && !w->tag().isEmpty())
                    texts.push_back({m_slots.subWindow(s)->windowTitle(), w->Rhtxtword()->Text()});
            }
            return texts;
        });
        showChildWindow(window)->resize(900, 640);
        return;
    }
    showChildWindow(window);
}

QMdiSubWindow *MainWindow::showChildWindow(QWidget *window) {
    QMdiSubWindow *sub = nullptr;
    for (QMdiSubWindow *s : m_mdi->subWindowList())
        if (s->widget() == window)
            sub = s;
    if (!sub) {
        sub = m_mdi->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        placeNewChild(sub);
    }
    sub->show();
    window->show();
    m_mdi->setActiveSubWindow(sub);
    return sub;
}

void MainWindow::placeNewChild(QMdiSubWindow *sub) {
    // The child area's own placement looks for free room even beyond its visible part, so a
    // new window could open half outside and make the area scroll. Instead each new window
    // opens one title bar lower and further right than the one before, like a cascade, and
    // never larger than the visible area nor reaching past its edges.
    const QRect area = m_mdi->viewport()->rect();
    const QSize size = sub->size().boundedTo(area.size());
    int others = 0;
    for (QMdiSubWindow *w : m_mdi->subWindowList())
        if (w != sub && w->isVisible() && !w->isMinimized())
            ++others;
    const int step = qMax(1, sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub));
    const int room =
        qMax(0, qMin(area.width() - size.width(), area.height() - size.height()) / step);
    // The first place of the cascade that no shown window holds: after closing one in the
    // middle, a new window does not open exactly on top of another.
    QList<QPoint> taken;
    for (QMdiSubWindow *w : m_mdi->subWindowList())
        if (w != sub && w->isVisible() && !w->isMinimized())
            taken << w->pos();
    int k = 0;
    while (k < room && taken.contains(area.topLeft() + QPoint(k * step, k * step)))
        ++k;
    if (k == room && taken.contains(area.topLeft() + QPoint(k * step, k * step)))
        k = static_cast<int>(taken.size()) % (room + 1); // every place taken: go round
    sub->setGeometry(QRect(area.topLeft() + QPoint(k * step, k * step), size));
}

void MainWindow::onSubWindowActivated(QMdiSubWindow *sub) {
    auto *w = sub ? qobject_cast<DocumentWindow *>(sub->widget()) : nullptr;
    if (w && w->slot() >= 0)
        CurrentSlot = w->slot();
    updateEncodingLine();
}

QString MainWindow::encodingLine() const {
    const DocumentWindow *w = activeDocument();
    if (!w || w->slot() < 0)
        return {};
    const ui::FileState &state = w->Rhtxtword()->fileState();
    const QString file = QDir::toNativeSeparators(m_slots.SlotFileNames[w->slot()]);
    if (state.toTraditional)
        return QStringLiteral(
                   "%1 已轉為繁體（OpenCC s2tw），%2 個字改寫；資料中沒有記錄的漢字 %3 個。")
            .arg(file)
            .arg(state.convertedChars)
            .arg(state.hanziWithoutRecord);
    const bool simplified = state.plainText && isSimplifiedEncoding(state.encoding);
    if (!state.plainText || (state.replaced == 0 && !state.ambiguous && !simplified))
        return {};
    QString line = QStringLiteral("%1 以 %2%3 讀入")
                       .arg(file, QString::fromLatin1(encodingName(state.encoding)),
                            simplified ? QStringLiteral("（簡體中文）") : QString());
    if (simplified)
        line += QStringLiteral("，%1 個漢字在資料中沒有記錄；可用「編輯」→「轉為繁體」先轉換再分析")
                    .arg(state.hanziWithoutRecord);
    if (state.replaced > 0)
        line += QStringLiteral("，%1 處無法解讀的位元組換成了「\uFFFD」").arg(state.replaced);
    if (state.ambiguous)
        line += QStringLiteral("，編碼不易判斷");
    return line + QStringLiteral("。編碼不對時，可用「檔案」→「以其他編碼重新開啟」。");
}

void MainWindow::updateEncodingLine() {
    m_encodingLabel->setText(encodingLine());
}

void MainWindow::showStartupNotice() {
    const QString setting = ui::GetSetting(QStringLiteral("Options"),
                                           QStringLiteral("啟動時顯示秘訣"), QStringLiteral("1"));
    if (setting.trimmed().toInt() == 0)
        return;
    m_notice.setHeading(QStringLiteral("  執行分析的第一件事"));
    m_notice.setBody({
        QStringLiteral("   1. 請注意！選擇文章屬性、詞彙屬性、字彙屬性分析項目前，必須開啟檔案，"
                       "才可執行。"),
        QStringLiteral("    2. 分析時，可以同時開啟幾個檔一起執行。"),
        QStringLiteral("    3. 開啟檔案後，若非使用全檔，記得一定要標示資料的區域，才能執行下面的"
                       "分析工作。"),
    });
    m_notice.showModeless();
}

void MainWindow::showContent() {
    if (!m_content)
        m_content = new ContentWindow(this);
    m_content->show();
    m_content->raise();
    m_content->activateWindow();
}

void MainWindow::showAbout() {
    if (!m_about)
        m_about = new AboutWindow(m_context, *m_dialogs, this);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // Modified documents ask first; one cancel keeps the program and its windows.
    for (QMdiSubWindow *sub : m_mdi->subWindowList())
        if (!sub->close()) {
            event->ignore();
            return;
        }
    event->accept();
    // The separate top-level windows (notice, profile, help) end with the program.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}

} // namespace yuedu::app
