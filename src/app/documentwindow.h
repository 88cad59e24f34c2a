#pragma once
// A document window: one rich-text box filling the window, and the file the document belongs
// to, with how that file is written (RTF, or plain text in its encoding, byte-order mark and
// line ends), so that saving keeps it that way. The caption names the file.
#include <QWidget>
#include <functional>
#include <vector>

#include "docfile/docfile.h"

namespace yuedu::app {

class RichTextBox;

inline const QString kUntitledCaption = QStringLiteral("未命名檔案");
inline const QString kOpenedCaption = QStringLiteral("處理檔 - ");
inline const QString kResultCaption = QStringLiteral("結果檔 - ");

class DocumentWindow : public QWidget {
    Q_OBJECT
public:
    // A new, untitled document.
    explicit DocumentWindow(QWidget *parent = nullptr);

    // The text box filling the window, which holds the document.
    app::RichTextBox *textBox() const { return m_box; }

    // The file the document is saved to; empty while it has none (a new document, or the
    // text of a format this program does not write).
    const QString &filePath() const { return m_path; }
    const doc::FileFormat &fileFormat() const { return m_format; }
    // The document now belongs to this file, written in this format: the caption names it.
    void setFile(const QString &path, const doc::FileFormat &format);
    // A segmentation's result: its suggested name, and a caption that says it is a result.
    void setResult(const QString &suggestedName);
    // The name the document is known by: its file, or its caption when it has none.
    QString displayName() const;

    // Shows a file read by the docfile service as an unmodified document of that file.
    // Returns false when an RTF file ended early (its text is shown).
    bool showFile(const QString &path, const doc::DocumentFile &file);
    // What reading the plain-text file found: U+FFFD replacements and an unsure guess.
    std::size_t replacedBytes() const { return m_replaced; }
    bool ambiguousEncoding() const { return m_ambiguous; }
    // Hanzi the data has no record of, counted when the file was read in a Simplified
    // encoding or converted to Traditional.
    std::size_t hanziWithoutRecord() const;
    // 轉為繁體 changed this many characters of the text (in all, if run more than once); a
    // conversion that is undone no longer counts, and counts again when it is redone.
    bool convertedToTraditional() const;
    std::size_t convertedChars() const;
    // Called right after a conversion, which was one undo step of the text box.
    void noteConverted(std::size_t changed, std::size_t withoutRecord);
    // Saving writes what is there now: nothing remains replaced or unsure.
    void markSaved();
    // Formatting in the file this program does not keep, and whether the user was told.
    int skippedFormats() const { return m_skipped; }
    bool skippedWarned() const { return m_skippedWarned; }
    void setSkippedWarned() { m_skippedWarned = true; }

    bool isModified() const;
    // Closed by the user or a command; the window is on its way out.
    bool isClosed() const { return m_closed; }
    // Closes without asking: what it holds is not worth keeping (a cancelled result).
    void discard();

    // Asked before the window closes; false keeps it open (the user cancelled).
    void setCloseGuard(std::function<bool(DocumentWindow *)> guard) { m_guard = std::move(guard); }

signals:
    // The file or its format changed (after opening, saving under a new name...), or what
    // the text went through (a conversion made or undone).
    void fileChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The frame's caption is the window's with a "*" in front while the text is modified,
    // its folders shortened in the middle when the frame is too narrow.
    void updateFrameTitle();

    app::RichTextBox *m_box;
    QString m_path;
    doc::FileFormat m_format;
    std::size_t m_replaced = 0;
    bool m_ambiguous = false;
    // The conversions made, each with the number of undo steps there were right after it:
    // one is in force while that many steps (or more) can be undone.
    struct Conversion {
        int undoSteps;
        std::size_t changed;
        std::size_t withoutRecord;
    };
    std::vector<Conversion> m_conversions;
    std::size_t m_withoutRecordAsRead = 0;
    int m_shownConversions = 0; // conversionsInForce() when the status was last told
    int conversionsInForce() const;
    int m_skipped = 0;
    bool m_skippedWarned = false;
    bool m_closed = false;
    bool m_discarding = false;
    std::function<bool(DocumentWindow *)> m_guard;
};

} // namespace yuedu::app
