// The 檔案 menu: new, open, save, save as, close, print and exit.
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <exception>
#include <memory>

#include "app/appcontext.h"
#include "app/mainwindow.h"
#include "app/richtextbox.h"
#include "common/errors.h"
#include "ui/settings.h"
#include <QStandardPaths>

namespace yuedu::app {

namespace {
// The formats read but not written come after the program's own, before all files.
const QString kOpenFilter =
    QStringLiteral("txt 格式 (*.txt);;RTF 格式 (*.rtf);;結果檔 (*.rxt);;Word 文件 (*.docx);;"
                   "OpenDocument 文字 (*.odt);;EPUB 電子書 (*.epub);;網頁 (*.html *.htm *.xhtml);;"
                   "PDF 文件 (*.pdf);;所有檔案 (*.*)");
const QString kTextFilter = QStringLiteral("txt 格式 (*.txt)");
const QString kRtfFilter = QStringLiteral("RTF 格式 (*.rtf)");
const QString kResultFilter = QStringLiteral("結果檔 (*.rxt)");
const QString kSaveFilter =
    kTextFilter + QStringLiteral(";;") + kRtfFilter + QStringLiteral(";;") + kResultFilter;
const QString kRecentKey = QStringLiteral("RecentFiles");
constexpr int kRecentCount = 8;
// Files from this size on are read behind a progress window.
constexpr qint64 kLargeFile = 2'000'000;
// The editor holds a text in about ten times the bytes of its file; beyond this size a text is
// analysed with yuedu-cli instead.
constexpr qint64 kLargestDocument = 64'000'000;

// The wait cursor from the moment a long file operation starts until it ends.
struct BusyCursor {
    BusyCursor() {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// The reason of a file error in the program's language, for the reasons the system gives most
// often; others stay as the system words them.
QString reasonOf(const Error &e) {
    std::string reason = e.what();
    if (const auto *io = dynamic_cast<const IoError *>(&e);
        io && reason.starts_with(io->path() + ": "))
        reason.erase(0, io->path().size() + 2);
    if (const auto *format = dynamic_cast<const FormatError *>(&e);
        format && reason.starts_with(format->path() + ":"))
        reason.erase(0, reason.find(": ", format->path().size()) + 2);
    static const struct {
        const char *system;
        const char16_t *text;
    } reasons[] = {
        {"No such file or directory", u"找不到這個檔案或資料夾"},
        {"Permission denied", u"沒有權限"},
        {"Is a directory", u"這是一個資料夾"},
        {"No space left on device", u"磁碟空間不足"},
        {"Read-only file system", u"這是唯讀的檔案系統"},
        {"Disk quota exceeded", u"超過磁碟配額"},
        {"File name too long", u"檔名太長"},
        {"Not a directory", u"路徑中有一段不是資料夾"},
        {"Cannot allocate memory", u"記憶體不足，無法容納這個檔案"},
    };
    for (const auto &r : reasons)
        if (reason.find(r.system) != std::string::npos)
            return QString::fromUtf16(r.text);
    return QString::fromStdString(reason);
}

} // namespace

doc::DocumentFile MainWindow::readLargeFile(const QString &path, TextEncoding encoding) {
    BusyCursor busy;
    const std::string name = path.toStdString();
    if (QFileInfo(path).size() < kLargeFile)
        return doc::readDocumentFile(name, encoding);
    // A big file is read on a worker thread, so that the window keeps painting and a progress
    // window can come up after half a second.
    QProgressDialog progress(QStringLiteral("正在讀入 %1 …").arg(QDir::toNativeSeparators(path)),
                             QString(), 0, 0, this);
    progress.setObjectName(QStringLiteral("openProgress"));
    progress.setWindowTitle(kProgramTitle);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(60'000); // shown by the timer below
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.hide();
    auto result = std::make_shared<doc::DocumentFile>();
    auto error = std::make_shared<std::exception_ptr>();
    std::unique_ptr<QThread> thread(QThread::create([name, encoding, result, error] {
        try {
            *result = doc::readDocumentFile(name, encoding);
        } catch (...) {
            *error = std::current_exception();
        }
    }));
    QTimer later;
    later.setSingleShot(true);
    connect(&later, &QTimer::timeout, &progress, [&progress] {
        progress.show();
        progress.repaint();
    });
    QEventLoop loop;
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    later.start(500);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    if (*error)
        std::rethrow_exception(*error);
    return std::move(*result);
}

void MainWindow::addRecentFile(const QString &path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentCount)
        files.removeLast();
    ui::SaveSetting(QStringLiteral("Options"), kRecentKey, files.join(u'\n'));
}

QStringList MainWindow::recentFiles() {
    return ui::GetSetting(QStringLiteral("Options"), kRecentKey, QString())
        .split(u'\n', Qt::SkipEmptyParts);
}

void MainWindow::fillRecentMenu() {
    m_recentMenu->clear();
    const QStringList files = recentFiles();
    if (files.isEmpty()) {
        m_recentMenu->addAction(QStringLiteral("（沒有）"))->setEnabled(false);
        return;
    }
    int number = 1;
    for (const QString &path : files) {
        QString shown = QDir::toNativeSeparators(path).replace(u'&', QStringLiteral("&&"));
        QAction *a = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(shown));
        connect(a, &QAction::triggered, this, [this, path] {
            // A file moved or deleted since: offer to take it off the list.
            if (!QFileInfo::exists(path)) {
                if (m_dialogs->confirm(this,
                                       QStringLiteral("找不到「%1」，它可能已被移動或刪除。\n\n"
                                                      "要從「最近開啟的檔案」中移除嗎？")
                                           .arg(QDir::toNativeSeparators(path)),
                                       QStringLiteral("移除"))) {
                    QStringList files = recentFiles();
                    files.removeAll(path);
                    ui::SaveSetting(QStringLiteral("Options"), kRecentKey, files.join(u'\n'));
                }
                return;
            }
            openFiles({path});
        });
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event) {
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
}

void MainWindow::dropEvent(QDropEvent *event) {
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has finished: opening may ask questions.
    QTimer::singleShot(0, this, [this, paths] { openFiles(paths); });
}

void MainWindow::newFile() {
    createDocument();
}

void MainWindow::openFile() {
    if (documents().size() >= kMaxDocuments) {
        m_dialogs->message(this, kTooManyFiles);
        return;
    }
    const QString path = m_dialogs->openFileName(this, kOpenFilter, QStringLiteral("txt"));
    if (!path.isEmpty())
        openDocument(path);
}

void MainWindow::openFiles(const QStringList &paths) {
    for (const QString &path : paths)
        if (!openDocument(path) && documents().size() >= kMaxDocuments)
            return;
}

bool MainWindow::openDocument(const QString &path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    for (DocumentWindow *w : documents())
        if (w->filePath() == full) {
            if (auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget()))
                m_mdi->setActiveSubWindow(sub);
            return true;
        }
    if (documents().size() >= kMaxDocuments) {
        m_dialogs->message(this, kTooManyFiles);
        return false;
    }
    return readInto(nullptr, full);
}

bool MainWindow::readInto(DocumentWindow *w, const QString &full, TextEncoding encoding) {
    const QString shown = QDir::toNativeSeparators(full);
    const QFileInfo info(full);
    // A text the editor cannot hold is refused before it fills the memory.
    if (info.isFile() && info.size() > kLargestDocument) {
        m_dialogs->message(
            this,
            QStringLiteral("「%1」有 %2 MB，超過編輯視窗能開啟的大小（%3 MB）：開啟它需要的記憶體"
                           "約為檔案的十倍。\n\n這樣大的文字請用命令列的 yuedu-cli 分析，例如：\n"
                           "  yuedu-cli segment \"%1\" > 斷詞.txt\n  yuedu-cli freq 斷詞.txt")
                .arg(shown)
                .arg(info.size() / 1'000'000)
                .arg(kLargestDocument / 1'000'000),
            true);
        return false;
    }
    doc::DocumentFile file;
    try {
        file = readLargeFile(full, encoding);
    } catch (const Error &e) {
        m_dialogs->message(
            this, QStringLiteral("檔案開啟有問題 ") + shown + QStringLiteral("\n\n") + reasonOf(e),
            true);
        return false;
    }
    if (file.content.binary &&
        !m_dialogs->confirm(this,
                            QStringLiteral("「%1」看起來不是文字檔（含有 NUL 位元組，或大部分位元組"
                                           "無法解讀），開啟後只會看到亂碼。\n\n仍要開啟嗎？")
                                .arg(shown),
                            QStringLiteral("開啟")))
        return false;
    if (!w && !(w = createDocument()))
        return false;
    bool complete = true;
    {
        BusyCursor busy;
        complete = w->showFile(full, file);
    }
    addRecentFile(full);
    updateEncodingLine();
    const bool converted = file.content.kind == doc::DocumentKind::Converted;
    if (converted && !file.content.notes.empty()) {
        QString said = QStringLiteral("已讀入「%1」的文字（%2）。")
                           .arg(shown, QString::fromUtf8(doc::formatName(*file.content.format)));
        for (const std::string &note : file.content.notes)
            said += QStringLiteral("\n・") + QString::fromStdString(note);
        m_dialogs->message(this, said);
    }
    // A cut-off RTF file gives what it holds, and the user learns that more was meant to
    // be there rather than saving the shortened text over the file unawares.
    if (!complete)
        m_dialogs->message(this, QStringLiteral("檔案不完整，只讀入了前面的部分：") + shown, true);
    return true;
}

namespace {

// The format a file of this name is written in: .txt plain text (in the document's encoding
// when it was plain text, else UTF-8), .rtf and .rxt RTF, any other the document's own.
doc::FileFormat formatForName(const QString &path, const doc::FileFormat &current) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    doc::FileFormat format = current;
    if (suffix == u"rtf" || suffix == u"rxt") {
        format = {};
        format.kind = doc::DocumentKind::Rtf;
    } else if (suffix == u"txt" || current.kind == doc::DocumentKind::Converted) {
        if (!current.plainText())
            format = {};
        format.kind = doc::DocumentKind::PlainText;
    }
    return format;
}

} // namespace

MainWindow::Written MainWindow::writeDocument(DocumentWindow *window, const QString &chosen,
                                              doc::FileFormat format) {
    app::RichTextBox *box = window->textBox();
    const QString shown = QDir::toNativeSeparators(chosen);
    const bool ownFile = chosen == window->filePath();
    QString path = chosen;
    std::string bytes;
    if (format.plainText()) {
        if (ownFile && window->replacedBytes() > 0 &&
            !m_dialogs->confirm(
                this,
                QStringLiteral(
                    "「%1」讀入時有 %2 處無法解讀的位元組，已換成「\uFFFD」。儲存會把替代"
                    "字元寫進檔案，原來的位元組就無法復原了。\n\n也可以先從「檔案」選單"
                    "改用其他編碼重新開啟。仍要儲存嗎？")
                    .arg(shown)
                    .arg(window->replacedBytes()),
                QStringLiteral("儲存")))
            return {};
        std::size_t unmapped = 0;
        bytes = doc::encodePlainText(box->Text().toStdU16String(), format, &unmapped);
        const bool formatted = box->hasFormatting();
        if (formatted || unmapped > 0) {
            const QFileInfo info(chosen);
            const QString rtf = info.dir().filePath(
                (info.suffix().isEmpty() ? info.fileName() : info.completeBaseName()) +
                QStringLiteral(".rtf"));
            QString why = formatted ? QStringLiteral("文件含有字體、顏色或段落等格式")
                                    : QStringLiteral("文件中有 %1 個字元無法以 %2 表示")
                                          .arg(unmapped)
                                          .arg(QString::fromLatin1(encodingName(format.encoding)));
            QString question =
                QStringLiteral("「%1」是純文字檔，但%2，存成純文字會失去這些內容。\n\n要改存成 "
                               "RTF 檔「%3」嗎？")
                    .arg(shown, why, QDir::toNativeSeparators(rtf));
            if (QFileInfo::exists(rtf))
                question += QStringLiteral("\n（已有同名的檔案，將被取代。）");
            if (!m_dialogs->confirm(this, question, QStringLiteral("存成 RTF")))
                return {};
            path = rtf;
            format = {};
            format.kind = doc::DocumentKind::Rtf;
        }
    }
    // Formatting the reader skipped is not in the document: say so once before it is lost.
    if (window->skippedFormats() > 0 && !window->skippedWarned()) {
        if (!m_dialogs->confirm(this,
                                QStringLiteral("這份文件有 %1 項格式本程式不支援，儲存後會遺失。"
                                               "\n\n仍要儲存「%2」嗎？")
                                    .arg(window->skippedFormats())
                                    .arg(QDir::toNativeSeparators(path)),
                                QStringLiteral("儲存")))
            return {};
        window->setSkippedWarned();
    }
    if (!format.plainText())
        bytes = box->rtfBytes();
    doc::WriteOutcome outcome;
    try {
        BusyCursor busy;
        const QString backups = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                                QStringLiteral("/backup");
        outcome = doc::writeFileSafely(path.toStdString(), bytes, backups.toStdString());
    } catch (const Error &e) {
        // The old file is untouched: the text was written to a temporary file first.
        m_dialogs->message(
            this, QStringLiteral("檔案儲存有問題 ") + path + QStringLiteral("\n\n") + reasonOf(e),
            true);
        return {};
    }
    if (outcome.inPlace) {
        QString said = QStringLiteral("資料夾「%1」不允許建立檔案，所以直接改寫了「%2」。")
                           .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()),
                                QDir::toNativeSeparators(path));
        said += outcome.backup.empty() ? QStringLiteral("\n無法先備份原來的檔案。")
                                       : QStringLiteral("\n原來的檔案已先備份到「%1」。")
                                             .arg(QString::fromStdString(outcome.backup));
        m_dialogs->message(this, said);
    }
    addRecentFile(QFileInfo(path).absoluteFilePath());
    return {QFileInfo(path).absoluteFilePath(), format};
}

bool MainWindow::saveDocument(DocumentWindow *w) {
    if (!w)
        return false;
    // A new document, a result and a converted text have no file of their own yet.
    if (w->filePath().isEmpty() || w->windowTitle().startsWith(kResultCaption))
        return saveDocumentAs(w);
    const Written written = writeDocument(w, w->filePath(), w->fileFormat());
    if (written.path.isEmpty())
        return false;
    w->setFile(written.path, written.format);
    w->markSaved();
    return true;
}

bool MainWindow::saveDocumentAs(DocumentWindow *w) {
    if (!w)
        return false;
    // The dialog starts at the document's file (a result at its suggested name), with the
    // filter of its format.
    QString start = w->filePath();
    if (start.isEmpty() && w->windowTitle().startsWith(kOpenedCaption)) {
        const QFileInfo source(w->windowTitle().mid(kOpenedCaption.size()));
        start = source.dir().filePath(source.completeBaseName());
    }
    const doc::FileFormat current = w->fileFormat();
    const QString filter = current.plainText()                      ? kTextFilter
                           : start.endsWith(QStringLiteral(".rxt")) ? kResultFilter
                                                                    : kRtfFilter;
    const QString path = m_dialogs->saveFileName(this, kSaveFilter, start, filter);
    if (path.isEmpty())
        return false;
    const Written written = writeDocument(w, path, formatForName(path, current));
    if (written.path.isEmpty())
        return false;
    // The document now is the new file: its caption, its modified mark and later saves.
    w->setFile(written.path, written.format);
    w->markSaved();
    return true;
}

void MainWindow::saveFile() {
    saveDocument(activeDocument());
}

void MainWindow::saveFileAs() {
    saveDocumentAs(activeDocument());
}

bool MainWindow::mayClose(DocumentWindow *w) {
    if (!w->isModified())
        return true;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget()))
        m_mdi->setActiveSubWindow(sub); // the user sees which text the question is about
    switch (m_dialogs->askToSave(this, w->displayName())) {
    case Dialogs::SaveChoice::Save:
        return saveDocument(w);
    case Dialogs::SaveChoice::Discard:
        return true;
    case Dialogs::SaveChoice::Cancel:
        break;
    }
    return false;
}

void MainWindow::reopenInEncoding(TextEncoding encoding) {
    DocumentWindow *w = activeDocument();
    if (!w)
        return;
    const QString name = w->filePath();
    if (name.isEmpty() || !w->fileFormat().plainText()) {
        m_dialogs->message(this,
                           QStringLiteral("只有從純文字檔開啟的文件，才能改用其他編碼重新讀入。"));
        return;
    }
    if (w->isModified() &&
        !m_dialogs->confirm(this,
                            QStringLiteral("重新讀入「%1」會放棄尚未儲存的修改。")
                                .arg(QDir::toNativeSeparators(name)),
                            QStringLiteral("重新讀入")))
        return;
    readInto(w, name, encoding);
}

void MainWindow::closeFile() {
    if (QMdiSubWindow *sub = m_mdi->currentSubWindow())
        sub->close();
}

void MainWindow::printFile() {
    DocumentWindow *w = activeDocument();
    if (!w)
        return;
    m_dialogs->print(this, w->textBox()->document());
}

void MainWindow::exitProgram() {
    // Each modified document asks first; a cancel keeps the program running.
    if (close())
        QApplication::quit();
}

} // namespace yuedu::app
