#pragma once
// A document window: one rich-text box filling the window, and the slot number as its tag.
#include <QWidget>

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
    void setTag(const QString &tag) { m_tag = tag; }
    // The tag as a number; -1 for an empty tag.
    int slot() const;
    // Closed by the user or a command; the window is on its way out and holds no slot.
    bool isClosed() const { return m_closed; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    ui::RichTextBox *m_box;
    QString m_tag;
    bool m_closed = false;
};

} // namespace yuedu::app
