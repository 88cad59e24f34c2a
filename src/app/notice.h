#pragma once
// The notice as the start-up, the commands and the segmenter use it: set a heading and a body,
// offer the cancel button, and show it modal or modeless. The window is made on first use and
// each new one starts from its design state; while it stays open, a new notice reuses it.
#include <QPointer>
#include <QStringList>

#include "app/noticewindow.h"

namespace yuedu::app {

class Notice {
public:
    explicit Notice(QWidget *parent) : m_parent(parent) {}

    void setHeading(const QString &heading);
    // Lines joined with a carriage return and a line feed.
    void setBody(const QStringList &lines);
    void showCancelButton();
    // Waits for the user's answer: false when the cancel button was pressed.
    bool showModal();
    void showModeless();

    // The open window, or nullptr.
    NoticeWindow *window() const { return m_window.data(); }

private:
    NoticeWindow *load();
    QWidget *m_parent;
    QPointer<NoticeWindow> m_window;
};

} // namespace yuedu::app
