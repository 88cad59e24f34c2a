// The 檔案 menu: new, open, save, save as, close, print and exit.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/mainwindow.h"
#include "common/errors.h"
#include "ui/richtextbox.h"

namespace yuedu::app {

namespace {
const QString kOpenFilter =
    QStringLiteral("txt 格式 (*.txt);;RTF 格式 (*.RTF);;結果檔 (*.rxt);;所有檔案 (*.*)");
const QString kSaveFilter = QStringLiteral("txt 格式 (*.txt);;RTF 格式 (*.RTF);;結果檔(*.rxt)");
} // namespace

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
        loadIntoSlot(s, loadSlotWindow(s), path);
    }
}

void MainWindow::loadIntoSlot(int s, DocumentWindow *w, const QString &path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    m_slots.fileName(s) = full;
    try {
        const bool complete = w->Rhtxtword()->loadFile(full);
        w->setTag(QString::number(s));
        w->setWindowTitle(kOpenedCaption + QDir::toNativeSeparators(full));
        // A cut-off RTF file gives what it holds, and the user learns that more was meant to
        // be there rather than saving the shortened text over the file unawares.
        if (!complete)
            m_dialogs->message(this, QStringLiteral("檔案不完整，只讀入了前面的部分：") + full,
                               true);
    } catch (const Error &) {
        m_slots.fileName(s).clear();
        w->Rhtxtword()->clear();
        m_dialogs->message(this, QStringLiteral("檔案開啟有問題 ") + full, true);
    }
}

bool MainWindow::writeDocument(DocumentWindow *window, const QString &path) {
    try {
        window->Rhtxtword()->saveFile(path);
        return true;
    } catch (const Error &e) {
        // The old file is untouched: the text was written to a temporary file first.
        m_dialogs->message(this,
                           QStringLiteral("檔案儲存有問題 ") + path + QStringLiteral("\n\n") +
                               QString::fromStdString(e.what()),
                           true);
        return false;
    }
}

void MainWindow::saveFile() {
    DocumentWindow *w = activeDocument();
    if (!w || w->slot() < 0)
        return;
    QString &name = m_slots.fileName(w->slot());
    if (name.isEmpty()) {
        // A new document has no name yet: ask for one, and keep it for the next save.
        const QString path = m_dialogs->saveFileName(this, kSaveFilter);
        if (path.isEmpty())
            return;
        if (writeDocument(w, path)) {
            name = QFileInfo(path).absoluteFilePath();
            w->setWindowTitle(kOpenedCaption + QDir::toNativeSeparators(name));
        }
        return;
    }
    writeDocument(w, name);
}

void MainWindow::saveFileAs() {
    DocumentWindow *w = activeDocument();
    if (!w)
        return;
    const QString path = m_dialogs->saveFileName(this, kSaveFilter);
    if (path.isEmpty())
        return;
    // The document keeps its own name: a later 儲存檔案 still writes there.
    writeDocument(w, path);
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
    for (int s = 0; s < DocumentSlots::kSlots; ++s)
        if (QMdiSubWindow *sub = m_slots.subWindow(s))
            sub->close();
    close();
    QApplication::quit();
}

} // namespace yuedu::app
