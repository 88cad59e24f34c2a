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
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include "app/aboutwindow.h"
#include "app/analysiscommands.h"
#include "app/appcontext.h"
#include "app/contentwindow.h"
#include "app/richtextbox.h"
#include "app/wordcontextcommands.h"
#include "common/version.h"
#include "compare/comparewindow.h"
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
        QFont font = app::RichTextBox::defaultFont();
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
    m_lastFont = app::RichTextBox::defaultFont();
    m_commands = std::make_unique<AnalysisCommands>(*this);
    m_wordContext = std::make_unique<WordContextCommands>(*this);
    createMenus();
    m_encodingLabel = new QLabel(this);
    m_encodingLabel->setObjectName(QStringLiteral("encodingLine"));
    statusBar()->addWidget(m_encodingLabel, 1);
    setAcceptDrops(true);
    resize(1000, 700);
    qApp->installEventFilter(this);
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
    // Ctrl+Y redoes too, as in most editors.
    addItem(edit, "mnuredo", QStringLiteral("取消復原(&R)"), &MainWindow::redoText)
        ->setShortcuts(QKeySequence::keyBindings(QKeySequence::Redo)
                       << QKeySequence(Qt::CTRL | Qt::Key_Y));
    edit->addSeparator();
    keys(addItem(edit, "MDImnucut", QStringLiteral("剪下(&X)"), &MainWindow::cutText),
         QKeySequence::Cut);
    keys(addItem(edit, "MDImnucopy", QStringLiteral("複製(&C)"), &MainWindow::copyText),
         QKeySequence::Copy);
    keys(addItem(edit, "MDImnucopyall", QStringLiteral("全選(&A)"), &MainWindow::selectAll),
         QKeySequence::SelectAll);
    keys(addItem(edit, "MDImnupaste", QStringLiteral("貼上(&V)"), &MainWindow::pasteText),
         QKeySequence::Paste);
    edit->addSeparator();
    addItem(edit, "mnutotraditional", QStringLiteral("轉為繁體(&T)"),
            &MainWindow::convertToTraditional);

    QMenu *format = menu("MDImnuword", QStringLiteral("格式(&O)"));
    addItem(format, "MDImnuchar", QStringLiteral("字體(&F)"), &MainWindow::chooseFont);
    addItem(format, "MDImnuselcolor", QStringLiteral("顏色(&C)"), &MainWindow::chooseColor);
    addItem(format, "MDImnuunderline", QStringLiteral("底線(&U)"), &MainWindow::toggleUnderline);
    m_boldAction =
        addItem(format, "MDImnubold", QStringLiteral("粗體(&B)"), &MainWindow::toggleBold);
    m_italicAction =
        addItem(format, "MDImnuitalic", QStringLiteral("斜體(&I)"), &MainWindow::toggleItalic);
    for (QAction *a : {m_boldAction, m_italicAction})
        a->setCheckable(true);
    format->addSeparator();
    const struct {
        const char *name;
        const char16_t *caption;
        Qt::Alignment alignment;
        Qt::Key key;
    } alignments[] = {{"mnualignleft", u"靠左對齊(&L)", Qt::AlignLeft, Qt::Key_L},
                      {"mnualigncenter", u"置中(&E)", Qt::AlignHCenter, Qt::Key_E},
                      {"mnualignright", u"靠右對齊(&R)", Qt::AlignRight, Qt::Key_R},
                      {"mnualignjustify", u"左右對齊(&J)", Qt::AlignJustify, Qt::Key_J}};
    for (const auto &a : alignments) {
        QAction *action = addItem(format, a.name, QString::fromUtf16(a.caption));
        action->setShortcut(QKeySequence(Qt::CTRL | a.key));
        connect(action, &QAction::triggered, this,
                [this, alignment = a.alignment] { alignParagraphs(alignment); });
    }
    format->addSeparator();
    connect(addItem(format, "mnuindentmore", QStringLiteral("增加縮排(&N)")), &QAction::triggered,
            this, [this] { indentParagraphs(1); });
    connect(addItem(format, "mnuindentless", QStringLiteral("減少縮排(&D)")), &QAction::triggered,
            this, [this] { indentParagraphs(-1); });
    addItem(format, "mnufirstindent", QStringLiteral("首行縮排(&T)"),
            &MainWindow::toggleFirstLineIndent);
    QMenu *spacing = format->addMenu(QStringLiteral("行距(&S)"));
    spacing->setObjectName(QStringLiteral("mnulinespacing"));
    for (int percent : {100, 150, 200}) {
        QAction *a = spacing->addAction(percent == 100   ? QStringLiteral("單行(&1)")
                                        : percent == 150 ? QStringLiteral("1.5 倍行高(&5)")
                                                         : QStringLiteral("2 倍行高(&2)"));
        a->setObjectName(QStringLiteral("mnulinespacing%1").arg(percent));
        connect(a, &QAction::triggered, this, [this, percent] { setLineSpacing(percent); });
    }

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
    addItem(m_windowMenu, "MDImnuWindowTileH", QStringLiteral("水平顯示(&H)"),
            &MainWindow::tileHorizontally);
    addItem(m_windowMenu, "MDImnuWindowTileV", QStringLiteral("垂直顯示(&V)"),
            &MainWindow::tileVertically);
    addItem(m_windowMenu, "MDImnuWindowArrange", QStringLiteral("排列圖示(&A)"),
            &MainWindow::arrangeIcons);
    // Every window: the child windows, then the separate ones (the character profile, charts).
    QList<QWidget *> windows;
    for (QMdiSubWindow *sub : m_mdi->subWindowList())
        if (sub->isVisible() || sub->isMinimized())
            windows << sub;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && !qobject_cast<QDialog *>(w) &&
            !(w->windowFlags() & (Qt::Popup & ~Qt::Window)) && !w->windowTitle().isEmpty() &&
            (w->parentWidget() == this || w->parent() == this))
            windows << w;
    if (windows.isEmpty())
        return;
    m_windowMenu->addSeparator();
    int number = 1;
    for (QWidget *window : windows) {
        auto *sub = qobject_cast<QMdiSubWindow *>(window);
        // A document's full caption, not the frame's shortened one.
        auto *doc = sub ? qobject_cast<DocumentWindow *>(sub->widget()) : nullptr;
        QString caption = doc ? (doc->isModified() ? u'*' + doc->windowTitle() : doc->windowTitle())
                              : window->windowTitle();
        // A "&" of the caption (a path may hold one) is text, not an access key.
        caption.replace(u'&', QStringLiteral("&&"));
        QAction *a = m_windowMenu->addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
        ++number;
        a->setCheckable(true);
        a->setChecked(sub ? sub == m_mdi->currentSubWindow() : window->isActiveWindow());
        connect(a, &QAction::triggered, this, [this, sub, w = QPointer<QWidget>(window)] {
            if (!w)
                return;
            if (sub) {
                m_mdi->setActiveSubWindow(sub);
            } else {
                w->showNormal();
                w->raise();
                w->activateWindow();
            }
        });
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    // A separate window (the character profile, a chart) opens wholly on the screen, the
    // first time it is shown; where the user moves it later is the user's business.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w != this && w->isWindow() && !(w->windowType() == Qt::Popup) &&
            !(w->windowType() == Qt::ToolTip) && !w->property("yueduPlaced").toBool()) {
            w->setProperty("yueduPlaced", true);
            if (QScreen *screen = this->screen()) {
                // Room for the window manager's frame around it.
                const QRect room = screen->availableGeometry().adjusted(8, 32, -8, -8);
                QRect g = w->geometry();
                // A window nobody placed would be left to the window manager, and some put it
                // at the screen's corner, far from what it belongs to: it opens over this one.
                if (!w->testAttribute(Qt::WA_Moved))
                    g.moveCenter(geometry().center());
                g.setSize(g.size().boundedTo(room.size()));
                g.moveRight(qMin(g.right(), room.right()));
                g.moveBottom(qMin(g.bottom(), room.bottom()));
                g.moveLeft(qMax(g.left(), room.left()));
                g.moveTop(qMax(g.top(), room.top()));
                if (g != w->geometry())
                    w->setGeometry(g);
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

DocumentWindow *MainWindow::activeDocument() const {
    QMdiSubWindow *sub = m_mdi->currentSubWindow();
    auto *w = sub ? qobject_cast<DocumentWindow *>(sub->widget()) : nullptr;
    return w && !w->isClosed() ? w : nullptr;
}

app::RichTextBox *MainWindow::activeTextBox() const {
    DocumentWindow *w = activeDocument();
    return w ? w->textBox() : nullptr;
}

QList<DocumentWindow *> MainWindow::documents() const {
    QList<DocumentWindow *> out;
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto *w = qobject_cast<DocumentWindow *>(sub->widget()); w && !w->isClosed())
            out << w;
    return out;
}

DocumentWindow *MainWindow::createDocument() {
    if (documents().size() >= kMaxDocuments) {
        m_dialogs->message(this, kTooManyFiles);
        return nullptr;
    }
    auto *w = new DocumentWindow;
    w->setCloseGuard([this](DocumentWindow *d) { return mayClose(d); });
    connect(w, &DocumentWindow::fileChanged, this, &MainWindow::updateEncodingLine);
    const QSize area = m_mdi->viewport()->size();
    w->resize(qMax(480, area.width() * 3 / 5), qMax(320, area.height() * 3 / 5));
    QMdiSubWindow *sub = addChild(w);
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    w->textBox()->setFocus();
    return w;
}

QMdiSubWindow *MainWindow::addChild(QWidget *window) {
    QMdiSubWindow *sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(window->size().expandedTo(sub->minimumSizeHint()));
    // The frame's own menu would claim Ctrl+W and Ctrl+F4 too; the 檔案 menu's 關閉檔案 has
    // them, and one key must not mean two things.
    if (QMenu *menu = sub->systemMenu())
        for (QAction *a : menu->actions())
            a->setShortcuts({});
    placeNewChild(sub);
    return sub;
}

void MainWindow::showCompare() {
    auto *window = m_mdi->findChild<compare::CompareWindow *>();
    if (!window) {
        window = new compare::CompareWindow(m_context.data, m_context.lexicon, [this] {
            QVector<compare::OpenText> texts;
            for (DocumentWindow *w : documents())
                texts.push_back({w->windowTitle(), w->textBox()->Text()});
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
    if (!sub)
        sub = addChild(window);
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
    if (auto *w = sub ? qobject_cast<DocumentWindow *>(sub->widget()) : nullptr)
        m_lastDocument = w;
    updateEncodingLine();
}

DocumentWindow *MainWindow::lastDocument() const {
    DocumentWindow *w = m_lastDocument.data();
    return w && !w->isClosed() ? w : nullptr;
}

QString MainWindow::encodingLine() const {
    const DocumentWindow *w = activeDocument();
    if (!w || !w->fileFormat().plainText() || w->filePath().isEmpty() ||
        (w->replacedBytes() == 0 && !w->ambiguousEncoding() && !w->convertedToTraditional() &&
         !isSimplifiedEncoding(w->fileFormat().encoding)))
        return {};
    const QString file = QDir::toNativeSeparators(w->filePath());
    if (w->convertedToTraditional())
        return QStringLiteral(
                   "%1 已轉為繁體（OpenCC s2tw），%2 個字改寫；資料中沒有記錄的漢字 %3 個。")
            .arg(file)
            .arg(w->convertedChars())
            .arg(w->hanziWithoutRecord());
    const bool simplified = isSimplifiedEncoding(w->fileFormat().encoding);
    QString line = QStringLiteral("%1 以 %2%3 讀入")
                       .arg(file, QString::fromLatin1(encodingName(w->fileFormat().encoding)),
                            simplified ? QStringLiteral("（簡體中文）") : QString());
    if (simplified)
        line += QStringLiteral("，%1 個漢字在資料中沒有記錄；可用「編輯」→「轉為繁體」先轉換再分析")
                    .arg(w->hanziWithoutRecord());
    if (w->replacedBytes() > 0)
        line += QStringLiteral("，%1 處無法解讀的位元組換成了「\uFFFD」").arg(w->replacedBytes());
    if (w->ambiguousEncoding())
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
    // Modified documents ask first, before any other window closes: one cancel keeps the
    // program and the windows the user has not answered for.
    const QList<QMdiSubWindow *> subs = m_mdi->subWindowList();
    for (bool modifiedPass : {true, false})
        for (QMdiSubWindow *sub : subs) {
            auto *doc = qobject_cast<DocumentWindow *>(sub->widget());
            if ((doc && doc->isModified()) != modifiedPass)
                continue;
            if (!sub->close()) {
                event->ignore();
                return;
            }
        }
    event->accept();
    // The separate top-level windows (notice, profile, help) end with the program.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}

} // namespace yuedu::app
