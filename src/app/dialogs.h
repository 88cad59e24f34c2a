#pragma once
// The standard dialogs the main window asks questions with. Tests replace them with a subclass
// that answers at once.
#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;
class QTextDocument;

namespace yuedu::app {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A chosen existing file, or the empty string when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &filter,
                                 const QString &defaultSuffix);
    // A chosen file name, or the empty string when cancelled. Asks before overwriting, also a
    // file whose name differs only in case. A name typed without extension gets the one of the
    // chosen filter. start: the folder and name to begin with; selected: the filter shown first.
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &start = {},
                                 const QString &selected = {});
    virtual std::optional<QFont> font(QWidget *parent, const QFont &initial);
    virtual std::optional<QColor> color(QWidget *parent, const QColor &initial);
    enum class SaveChoice { Save, Discard, Cancel };
    // Asks whether to save the modified document before it is closed (儲存/不儲存/取消).
    virtual SaveChoice askToSave(QWidget *parent, const QString &document);
    // A warning question with the given accept button and 取消; true when accepted.
    virtual bool confirm(QWidget *parent, const QString &text, const QString &acceptText);
    // A message box with one OK button.
    virtual void message(QWidget *parent, const QString &text, bool warning = false);
    // The printer dialog; prints the document when the user accepts. Returns whether it did.
    virtual bool print(QWidget *parent, QTextDocument *document);
};

} // namespace yuedu::app
