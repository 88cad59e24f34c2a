#pragma once
// The rich-text box of a document window: selection in characters (start from 0), text
// assignment at the selection or the caret, formatting of the selection and of the whole
// document, and loading and saving files. Pasting takes plain text only.
#include <QTextEdit>

namespace yuedu::ui {

class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // The font new documents start with: 新細明體 10.5 points (with look-alikes as fallbacks).
    static QFont defaultFont();

    int SelStart() const;
    int SelLength() const;
    void setSelection(int start, int length);
    // The selected text as plain text; paragraph breaks as '\n'.
    QString SelText() const;
    // Replaces the selection (or inserts at the caret) in the format at the caret.
    void setSelText(const QString &text);
    QString Text() const;

    // Selection formatting. An empty selection formats what is typed next.
    void setSelFont(const QFont &font);
    void setSelColor(const QColor &color);
    QColor selColor() const;
    // 1 all underlined, 0 none, -1 mixed.
    int selUnderline() const;
    void setSelUnderline(bool on);

    // The base font covers the whole document.
    bool baseBold() const { return font().bold(); }
    bool baseItalic() const { return font().italic(); }
    void setBaseBold(bool on);
    void setBaseItalic(bool on);

    // Loads an RTF or plain-text file. Throws yuedu::Error (IoError, FormatError) with the
    // path and the reason. Returns false when an RTF file ended early (its text is loaded).
    bool loadFile(const QString &path);
    // Writes RTF through a temporary file; the old file stays intact when writing fails.
    // Throws yuedu::IoError with the path and the reason.
    void saveFile(const QString &path) const;

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;
};

} // namespace yuedu::ui
