#include "app/notice.h"

#include <QLabel>
#include <QPushButton>

namespace yuedu::app {

NoticeWindow *Notice::load() {
    if (!m_window) {
        m_window = new NoticeWindow(m_parent);
        // A closed window is unloaded: the next notice starts from a fresh one.
        QObject::connect(m_window, &QDialog::finished, m_window, [this] { m_window.clear(); });
    }
    return m_window;
}

void Notice::setHeading(const QString &heading) {
    load()->Labeltip()->setText(heading);
}

void Notice::setBody(const QStringList &lines) {
    load()->lblTipText()->setText(lines.join(QStringLiteral("\r\n")));
}

void Notice::showCancelButton() {
    NoticeWindow *w = load();
    w->cmdNextTip()->setText(QStringLiteral(" 取 消 "));
    w->cmdNextTip()->show();
}

bool Notice::showModal() {
    NoticeWindow *w = load();
    bool cancelled = false;
    QObject::connect(w, &NoticeWindow::cancelPressed, w, [&cancelled] { cancelled = true; });
    // A notice left open modeless (the start-up one, say) is shown again as a modal one.
    if (w->isVisible())
        w->hide();
    w->setWindowModality(Qt::ApplicationModal);
    w->exec();
    return !cancelled;
}

void Notice::showModeless() {
    NoticeWindow *w = load();
    w->setWindowModality(Qt::NonModal);
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace yuedu::app
