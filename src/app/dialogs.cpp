#include "app/dialogs.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "app/appcontext.h"

namespace yuedu::app {

namespace {

// The open dialog adds its default extension as written ("TXT"). File names differ in case on
// this system, so "story" typed for story.txt would not be found; the name is taken in the
// case the file really has.
class OpenDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    void accept() override {
        const QStringList files = selectedFiles();
        if (files.size() == 1 && !QFileInfo::exists(files.front())) {
            const QFileInfo wanted(files.front());
            const QDir folder = wanted.dir();
            for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
                if (name.compare(wanted.fileName(), Qt::CaseInsensitive) == 0) {
                    selectFile(folder.filePath(name));
                    break;
                }
        }
        QFileDialog::accept();
    }
};

} // namespace

QString Dialogs::openFileName(QWidget *parent, const QString &filter,
                              const QString &defaultSuffix) {
    OpenDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

QString Dialogs::saveFileName(QWidget *parent, const QString &filter) {
    // QFileDialog asks before overwriting an existing file unless told otherwise.
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

std::optional<QFont> Dialogs::font(QWidget *parent, const QFont &initial) {
    QFontDialog dialog(initial, parent);
    // Applying a font switches underline and strikethrough off, so the dialog does not offer
    // them: its effects box (the one with check boxes) is hidden.
    for (QGroupBox *box : dialog.findChildren<QGroupBox *>())
        if (box->findChild<QCheckBox *>())
            box->hide();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

std::optional<QColor> Dialogs::color(QWidget *parent, const QColor &initial) {
    QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

void Dialogs::message(QWidget *parent, const QString &text, bool warning) {
    // Captioned with the program's title, as every other window is, not the executable's name.
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information, kProgramTitle, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool Dialogs::print(QWidget *parent, QTextDocument *document) {
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    document->print(&printer);
    return true;
}

} // namespace yuedu::app
