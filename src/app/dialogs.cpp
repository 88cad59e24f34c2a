#include "app/dialogs.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "app/appcontext.h"

namespace yuedu::app {

QString Dialogs::openFileName(QWidget *parent, const QString &filter,
                              const QString &defaultSuffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    // A name typed without extension gets the default one. File names differ in case here, and
    // the dialog looks the name up as written: "story" must find story.txt, the usual spelling,
    // not look for story.TXT.
    dialog.setDefaultSuffix(defaultSuffix.toLower());
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
