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
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTimer>

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

namespace {

// "txt 格式 (*.txt)" gives "txt"; a filter of many patterns or of "*.*" gives none.
QString suffixOfFilter(const QString &filter) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)\\)\\s*$"));
    const QRegularExpressionMatch m = pattern.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

QString Dialogs::saveFileName(QWidget *parent, const QString &filter, const QString &start,
                              const QString &selected) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    if (!selected.isEmpty())
        dialog.selectNameFilter(selected);
    if (!start.isEmpty()) {
        const QFileInfo info(start);
        if (info.dir().exists())
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    // Without its extension a saved file would be hidden by the open dialog's filters. The
    // dialog adds the suffix before it asks about overwriting, so that question names the file
    // really written.
    dialog.setDefaultSuffix(suffixOfFilter(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &f) { dialog.setDefaultSuffix(suffixOfFilter(f)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().front();
    // The dialog asks about the very same name only; a file whose name differs in case alone
    // (story.RTF beside story.rtf) is as easily confused with it.
    const QFileInfo info(chosen);
    if (!info.exists()) {
        QStringList near;
        for (const QString &name : info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
                near << name;
        if (!near.isEmpty() &&
            !confirm(parent,
                     QStringLiteral("此資料夾已有「%1」，名稱與「%2」只差在大小寫，容易混淆。\n\n"
                                    "仍要存成「%2」嗎？")
                         .arg(near.front(), info.fileName()),
                     QStringLiteral("儲存")))
            return {};
    }
    return chosen;
}

Dialogs::SaveChoice Dialogs::askToSave(QWidget *parent, const QString &document) {
    QMessageBox box(QMessageBox::Warning, kProgramTitle,
                    QStringLiteral("「%1」已經修改，要儲存變更嗎？").arg(document),
                    QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(QStringLiteral("儲存"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("不儲存"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    if (box.clickedButton() == discard)
        return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

bool Dialogs::confirm(QWidget *parent, const QString &text, const QString &acceptText) {
    QMessageBox box(QMessageBox::Warning, kProgramTitle, text, QMessageBox::NoButton, parent);
    QPushButton *accept = box.addButton(acceptText, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == accept;
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
    // The option only disables the "from–to" choice; the dialog of this system still offers a
    // field of page numbers beside it. The whole document is printed: no range is shown.
    // The dialog sets its widgets up again as it is shown: hide the range once it is up.
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (auto *range = dialog.findChild<QWidget *>(QStringLiteral("gbPrintRange")))
            range->hide();
    });
    if (dialog.exec() != QDialog::Accepted)
        return false;
    document->print(&printer);
    return true;
}

} // namespace yuedu::app
