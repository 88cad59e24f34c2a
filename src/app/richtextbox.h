#pragma once
// The rich-text box of a document window: selection in characters (start from 0), text
// assignment at the selection or the caret, formatting of the selection and of the whole
// document. Files are read and written by the document window. Pasting takes plain text only.
#include <QTextCharFormat>
#include <QTextEdit>
#include <string>

#include "docfile/richdocument.h"

namespace yuedu::app {

class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // The font new documents start with: 新細明體 10.5 points (with look-alikes as fallbacks).
    static QFont defaultFont();
    // Maps the fonts the program writes and the usual Windows Chinese font names (新細明體,
    // 標楷體, 微軟正黑體...) to installed fonts of the same kind, so that a document names the
    // font it was written with and still shows in a Ming, Kai or sans face here.
    static void installFontSubstitutions();

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

    // Shows a document as an unmodified one that cannot be undone to empty.
    void showDocument(const doc::RichDocument &document);
    // The text with its formatting, as a file holds it.
    doc::RichDocument richDocument() const;
    // The document as RTF, with the box's font as the default one.
    std::string rtfBytes() const;
    // Converts the whole document from Simplified to Traditional Chinese (OpenCC s2tw), its
    // formatting kept, as one step to undo; gives the number of characters changed. Throws
    // Error when the conversion cannot be loaded.
    std::size_t convertToTraditional();

    // True when some text has a font, size, style, colour or paragraph format of its own: a
    // plain-text file could not keep it.
    bool hasFormatting() const;

signals:
    // The modified state of the text, whichever document holds it now (loading a file
    // replaces the document).
    void modificationChanged(bool modified);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    void setBase(const QFont &base, const QTextCharFormat &change);
};

} // namespace yuedu::app
