#pragma once
// A document window: one rich-text box filling the window, and the slot number as its tag.
#include <QWidget>
#include <functional>

namespace yuedu::ui {
class RichTextBox;
}

namespace yuedu::app {

inline const QString kUntitledCaption = QStringLiteral("未命名檔案");
inline const QString kOpenedCaption = QStringLiteral("處理檔 - ");
inline const QString kResultCaption = QStringLiteral("結果檔 - ");
inline const QString kReservedCaption = QStringLiteral("查詢資料來源");

class DocumentWindow : public QWidget {
    Q_OBJECT
public:
    explicit DocumentWindow(QWidget *parent = nullptr);

    ui::RichTextBox *Rhtxtword() const { return m_box; }
    // The slot number as text, or empty while the window holds no document.
    const QString &tag() const { return m_tag; }
    // A window without a tag is only reserved: it takes no typing, so that nothing written
    // there is lost when a file is loaded into it.
    void setTag(const QString &tag);
    // The tag as a number; -1 for an empty tag.
    int slot() const;
    // Closed by the user or a command; the window is on its way out and holds no slot.
    bool isClosed() const { return m_closed; }

    // Asked before the window closes; false keeps it open (the user cancelled).
    void setCloseGuard(std::function<bool(DocumentWindow *)> guard) { m_guard = std::move(guard); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The frame's caption is the window's with a "*" in front while the text is modified.
    void updateFrameTitle();

    ui::RichTextBox *m_box;
    QString m_tag;
    bool m_closed = false;
    std::function<bool(DocumentWindow *)> m_guard;
};

} // namespace yuedu::app
