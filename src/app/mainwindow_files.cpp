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
#include "common/errors.h"
#include "ui/richtextbox.h"
#include "ui/settings.h"

namespace yuedu::app {

namespace {
// The formats read but not written come after the program's own, before all files.
const QString kOpenFilter =
    QStringLiteral("txt 格式 (*.txt);;RTF 格式 (*.RTF);;結果檔 (*.rxt);;Word 文件 (*.docx);;"
                   "OpenDocument 文字 (*.odt);;EPUB 電子書 (*.epub);;網頁 (*.html *.htm *.xhtml);;"
                   "PDF 文件 (*.pdf);;所有檔案 (*.*)");
const QString kSaveFilter = QStringLiteral("txt 格式 (*.txt);;RTF 格式 (*.RTF);;結果檔(*.rxt)");
const QString kRecentKey = QStringLiteral("RecentFiles");
constexpr int kRecentCount = 8;
// Files from this size on are read behind a progress window.
constexpr qint64 kLargeFile = 2'000'000;

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
    };
    for (const auto &r : reasons)
        if (reason.find(r.system) != std::string::npos)
            return QString::fromUtf16(r.text);
    return QString::fromStdString(reason);
}

} // namespace

ui::LoadedFile MainWindow::readLargeFile(const QString &path, TextEncoding encoding,
                                         QProgressDialog *progress) {
    BusyCursor busy;
    if (!progress)
        return ui::RichTextBox::readFile(path, encoding);
    // A big file is read on a worker thread, so that the window keeps painting and the
    // progress window can come up after half a second.
    auto result = std::make_shared<ui::LoadedFile>();
    auto error = std::make_shared<std::exception_ptr>();
    std::unique_ptr<QThread> thread(QThread::create([path, encoding, result, error] {
        try {
            *result = ui::RichTextBox::readFile(path, encoding);
        } catch (...) {
            *error = std::current_exception();
        }
    }));
    QTimer later;
    later.setSingleShot(true);
    connect(&later, &QTimer::timeout, progress, &QProgressDialog::show);
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
        connect(a, &QAction::triggered, this, [this, path] { openFiles({path}); });
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
    const int s = findfree();
    if (s < 0) {
        m_dialogs->message(this, kTooManyFiles);
        return;
    }
    DocumentWindow *w = loadSlotWindow(s);
    w->setWindowTitle(kUntitledCaption);
    w->setTag(QString::number(s));
    m_slots.fileName(s).clear();
    CurrentSlot = s;
}

void MainWindow::openFile() {
    const int s = findfree();
    if (s < 0) {
        m_dialogs->message(this, kTooManyFiles);
        return;
    }
    // The window is there before the dialog; after a cancel it stays, empty and reserved.
    DocumentWindow *w = loadSlotWindow(s);
    QPointer<DocumentWindow> guard(w);
    const QString path = m_dialogs->openFileName(this, kOpenFilter, QStringLiteral("TXT"));
    if (path.isEmpty() || !guard)
        return;
    loadIntoSlot(s, w, path);
}

void MainWindow::openFiles(const QStringList &paths) {
    for (const QString &path : paths) {
        const int s = findfree();
        if (s < 0) {
            m_dialogs->message(this, kTooManyFiles);
            return;
        }
        // A dropped or named file that cannot be read leaves no empty window behind.
        DocumentWindow *w = loadSlotWindow(s);
        if (!loadIntoSlot(s, w, path) && w->tag().isEmpty())
            if (QMdiSubWindow *sub = m_slots.subWindow(s))
                sub->close();
    }
}

bool MainWindow::loadIntoSlot(int s, DocumentWindow *w, const QString &path,
                              TextEncoding encoding) {
    const QString full = QFileInfo(path).absoluteFilePath();
    // Reading a big file takes a while: a progress window, not shown before half a second.
    const qint64 size = QFileInfo(full).size();
    std::unique_ptr<QProgressDialog> progress;
    if (size >= kLargeFile) {
        progress = std::make_unique<QProgressDialog>(
            QStringLiteral("正在讀入 %1 …").arg(QDir::toNativeSeparators(full)), QString(), 0, 0,
            this);
        progress->setObjectName(QStringLiteral("openProgress"));
        progress->setWindowTitle(kProgramTitle);
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(60'000); // shown by readLargeFile's timer or below
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->hide();
    }
    ui::LoadedFile file;
    try {
        file = readLargeFile(full, encoding, progress.get());
    } catch (const Error &e) {
        progress.reset();
        if (w->tag().isEmpty()) {
            m_slots.fileName(s).clear();
            w->Rhtxtword()->clear();
            w->Rhtxtword()->document()->setModified(false);
        }
        // A file of a known format that cannot be read says why (encrypted, damaged, ...).
        QString text = QStringLiteral("檔案開啟有問題 ") + full;
        if (dynamic_cast<const FormatError *>(&e))
            text += QStringLiteral("\n\n") + reasonOf(e);
        m_dialogs->message(this, text, true);
        return false;
    }
    if (file.document.binary) {
        progress.reset();
        if (!m_dialogs->confirm(
                this,
                QStringLiteral("「%1」看起來不是文字檔（含有 NUL 位元組，或大部分位元組"
                               "無法解讀），開啟後只會看到亂碼。\n\n仍要開啟嗎？")
                    .arg(QDir::toNativeSeparators(full)),
                QStringLiteral("開啟")))
            return false;
    }
    m_slots.fileName(s) = full;
    bool complete = true;
    {
        BusyCursor busy;
        // Building the editor's document of a very big file takes the better part of a
        // second or more: the progress window stays up (or comes up) meanwhile.
        if (progress && size >= 4 * kLargeFile && !progress->isVisible()) {
            progress->show();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        complete = w->Rhtxtword()->showFile(file);
    }
    progress.reset();
    w->setTag(QString::number(s));
    w->setWindowTitle(kOpenedCaption + QDir::toNativeSeparators(full));
    addRecentFile(full);
    // Word, PDF and the like are not written here: the text is saved under a new name.
    const bool converted = file.document.kind == doc::DocumentKind::Converted;
    if (converted)
        m_slots.fileName(s).clear();
    updateEncodingLine();
    if (converted && !file.document.notes.empty()) {
        QString said = QStringLiteral("已讀入「%1」的文字（%2）。")
                           .arg(QDir::toNativeSeparators(full),
                                QString::fromUtf8(doc::formatName(*file.document.format)));
        for (const std::string &note : file.document.notes)
            said += QStringLiteral("\n・") + QString::fromStdString(note);
        m_dialogs->message(this, said);
    }
    // A cut-off RTF file gives what it holds, and the user learns that more was meant to
    // be there rather than saving the shortened text over the file unawares.
    if (!complete)
        m_dialogs->message(this, QStringLiteral("檔案不完整，只讀入了前面的部分：") + full, true);
    return true;
}

QString MainWindow::writeDocument(DocumentWindow *window, const QString &chosen, bool ownName) {
    ui::RichTextBox *box = window->Rhtxtword();
    const ui::FileState state = box->fileState();
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    // The file keeps its format: a plain-text file stays plain text in its encoding. A new
    // name says the format by its extension.
    bool plain = state.plainText;
    if (!ownName && (suffix == u"rtf" || suffix == u"rxt"))
        plain = false;
    else if (!ownName && suffix == u"txt")
        plain = true;
    const TextEncoding encoding = state.plainText ? state.encoding : TextEncoding::Utf8;
    const QString shown = QDir::toNativeSeparators(chosen);

    QString path = chosen;
    std::string plainBytes;
    if (plain) {
        if (ownName && state.replaced > 0 &&
            !m_dialogs->confirm(
                this,
                QStringLiteral(
                    "「%1」讀入時有 %2 處無法解讀的位元組，已換成「\uFFFD」。儲存會把替代"
                    "字元寫進檔案，原來的位元組就無法復原了。\n\n也可以先從「檔案」選單"
                    "改用其他編碼重新開啟。仍要儲存嗎？")
                    .arg(shown)
                    .arg(state.replaced),
                QStringLiteral("儲存")))
            return {};
        std::size_t unmapped = 0;
        plainBytes = box->plainTextBytes(encoding, state.crlf, &unmapped);
        const bool formatted = box->hasFormatting();
        if (formatted || unmapped > 0) {
            const QFileInfo info(chosen);
            const QString rtf = info.dir().filePath(
                (info.suffix().isEmpty() ? info.fileName() : info.completeBaseName()) +
                QStringLiteral(".rtf"));
            QString why = formatted ? QStringLiteral("文件含有字體、顏色或段落等格式")
                                    : QStringLiteral("文件中有 %1 個字元無法以 %2 表示")
                                          .arg(unmapped)
                                          .arg(QString::fromLatin1(encodingName(encoding)));
            QString question =
                QStringLiteral("「%1」是純文字檔，但%2，存成純文字會失去這些內容。\n\n要改存成 "
                               "RTF 檔「%3」嗎？")
                    .arg(shown, why, QDir::toNativeSeparators(rtf));
            if (QFileInfo::exists(rtf))
                question += QStringLiteral("\n（已有同名的檔案，將被取代。）");
            if (!m_dialogs->confirm(this, question, QStringLiteral("存成 RTF")))
                return {};
            path = rtf;
            plain = false;
        }
    }
    try {
        BusyCursor busy;
        if (plain)
            ui::RichTextBox::writeFileBytes(path, plainBytes);
        else
            box->saveFile(path);
    } catch (const Error &e) {
        // The old file is untouched: the text was written to a temporary file first.
        m_dialogs->message(
            this, QStringLiteral("檔案儲存有問題 ") + path + QStringLiteral("\n\n") + reasonOf(e),
            true);
        return {};
    }
    if (ownName || m_slots.fileName(window->slot()).isEmpty()) {
        ui::FileState saved = state;
        saved.plainText = plain;
        saved.encoding = encoding;
        saved.replaced = 0;
        saved.ambiguous = false;
        box->setFileState(saved);
        box->document()->setModified(false);
        updateEncodingLine();
    }
    addRecentFile(QFileInfo(path).absoluteFilePath());
    return path;
}

bool MainWindow::saveDocument(DocumentWindow *w) {
    if (!w || w->slot() < 0)
        return false;
    QString &name = m_slots.fileName(w->slot());
    const bool untitled = name.isEmpty();
    // A new document has no name yet: ask for one, and keep it for the next save.
    const QString path = untitled ? m_dialogs->saveFileName(this, kSaveFilter) : name;
    if (path.isEmpty())
        return false;
    const QString written = writeDocument(w, path, !untitled);
    if (written.isEmpty())
        return false;
    const QString full = QFileInfo(written).absoluteFilePath();
    if (full != name) { // a new document, or a plain-text file that had to become RTF
        name = full;
        w->setWindowTitle(kOpenedCaption + QDir::toNativeSeparators(name));
    }
    return true;
}

void MainWindow::saveFile() {
    saveDocument(activeDocument());
}

void MainWindow::saveFileAs() {
    DocumentWindow *w = activeDocument();
    if (!w)
        return;
    const QString path = m_dialogs->saveFileName(this, kSaveFilter);
    if (path.isEmpty())
        return;
    // The document keeps its own name: a later 儲存檔案 still writes there. A new document
    // has none, and takes this one.
    const bool untitled = w->slot() >= 0 && m_slots.fileName(w->slot()).isEmpty();
    const QString written = writeDocument(w, path, false);
    if (untitled && !written.isEmpty()) {
        m_slots.fileName(w->slot()) = QFileInfo(written).absoluteFilePath();
        w->setWindowTitle(kOpenedCaption + QDir::toNativeSeparators(m_slots.fileName(w->slot())));
    }
}

bool MainWindow::mayClose(DocumentWindow *w) {
    if (w->slot() < 0 || !w->Rhtxtword()->document()->isModified())
        return true;
    if (QMdiSubWindow *sub = m_slots.subWindow(w->slot()))
        m_mdi->setActiveSubWindow(sub); // the user sees which text the question is about
    const QString &name = m_slots.fileName(w->slot());
    switch (m_dialogs->askToSave(this, name.isEmpty() ? w->windowTitle()
                                                      : QDir::toNativeSeparators(name))) {
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
    if (!w || w->slot() < 0)
        return;
    const QString name = m_slots.fileName(w->slot());
    if (name.isEmpty() || !w->Rhtxtword()->fileState().plainText) {
        m_dialogs->message(this,
                           QStringLiteral("只有從純文字檔開啟的文件，才能改用其他編碼重新讀入。"));
        return;
    }
    if (w->Rhtxtword()->document()->isModified() &&
        !m_dialogs->confirm(this,
                            QStringLiteral("重新讀入「%1」會放棄尚未儲存的修改。")
                                .arg(QDir::toNativeSeparators(name)),
                            QStringLiteral("重新讀入")))
        return;
    loadIntoSlot(w->slot(), w, name, encoding);
}

void MainWindow::closeFile() {
    if (QMdiSubWindow *sub = m_mdi->currentSubWindow())
        sub->close();
}

void MainWindow::printFile() {
    DocumentWindow *w = activeDocument();
    if (!w)
        return;
    m_dialogs->print(this, w->Rhtxtword()->document());
}

void MainWindow::exitProgram() {
    // Each modified document asks first; a cancel keeps the program running.
    if (close())
        QApplication::quit();
}

} // namespace yuedu::app
