#pragma once
// The rich-text box of a document window: selection in characters (start from 0), text
// assignment at the selection or the caret, formatting of the selection and of the whole
// document, and loading and saving files. Pasting takes plain text only.
#include <QTextEdit>
#include <string>

#include "docfile/documentreader.h"

namespace yuedu::ui {

// How the document's file was written, so that saving can keep it that way.
struct FileState {
    bool plainText = false; // false: RTF (or a new document)
    TextEncoding encoding = TextEncoding::Utf8;
    bool crlf = false;        // plain text with CR LF line ends
    std::size_t replaced = 0; // undecodable byte sequences that became U+FFFD on reading
    bool ambiguous = false;   // the encoding guess was not clear-cut
    // Hanzi of the text as read that code page 950, and so the data, has no record of (counted
    // for a text read in a Simplified encoding).
    std::size_t hanziWithoutRecord = 0;
    // Converted to Traditional (轉為繁體), and how many characters that changed.
    bool toTraditional = false;
    std::size_t convertedChars = 0;
};

// A file read but not yet shown.
struct LoadedFile {
    doc::LoadedDocument document;
    bool crlf = false;
};

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

    // Reads an RTF or plain-text file (plain text in the given encoding, or guessed). Throws
    // yuedu::Error (IoError, FormatError) with the path and the reason; a folder is an IoError.
    static LoadedFile readFile(const QString &path, TextEncoding encoding = TextEncoding::Auto);
    // Shows a file read by readFile as an unmodified document. Returns false when an RTF file
    // ended early (its text is shown).
    bool showFile(const LoadedFile &file);
    // readFile and showFile in one.
    bool loadFile(const QString &path, TextEncoding encoding = TextEncoding::Auto);

    const FileState &fileState() const { return m_fileState; }
    // Converts the whole document from Simplified to Traditional Chinese (OpenCC s2tw), its
    // formatting kept, as one step to undo; records it in the file state and gives the number
    // of characters changed. Throws Error when the conversion cannot be loaded.
    std::size_t convertToTraditional();
    void setFileState(const FileState &state) { m_fileState = state; }

    // True when some text has a font, size, style, colour or paragraph format of its own: a
    // plain-text file could not keep it.
    bool hasFormatting() const;
    // The text in a plain-text encoding (UTF-16 with its byte-order mark). *unmapped counts the
    // characters the encoding has no code for, other than U+FFFD (which was undecodable already).
    std::string plainTextBytes(TextEncoding encoding, bool crlf, std::size_t *unmapped) const;

    // Writes RTF through a temporary file; the old file stays intact when writing fails.
    // Throws yuedu::IoError with the path and the reason.
    void saveFile(const QString &path) const;
    // Writes the bytes the same way.
    static void writeFileBytes(const QString &path, const std::string &bytes);

signals:
    // The modified state of the text, whichever document holds it now (loading a file
    // replaces the document).
    void modificationChanged(bool modified);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    FileState m_fileState;
};

} // namespace yuedu::ui
