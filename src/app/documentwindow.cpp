#include "app/documentwindow.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ui/richtextbox.h"

namespace yuedu::app {

DocumentWindow::DocumentWindow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fwordserch"));
    setWindowTitle(kReservedCaption);
    m_box = new ui::RichTextBox(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box);
    setFocusProxy(m_box);
    m_box->setReadOnly(true);
    connect(m_box, &ui::RichTextBox::modificationChanged, this, &DocumentWindow::updateFrameTitle);
    resize(480, 320);
}

void DocumentWindow::setTag(const QString &tag) {
    m_tag = tag;
    m_box->setReadOnly(tag.isEmpty());
    updateFrameTitle();
}

void DocumentWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ParentChange)
        updateFrameTitle();
}

void DocumentWindow::updateFrameTitle() {
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (frame && m_box) {
        const bool modified = !m_tag.isEmpty() && m_box->document()->isModified();
        frame->setWindowTitle(modified ? u'*' + windowTitle() : windowTitle());
    }
}

void DocumentWindow::closeEvent(QCloseEvent *event) {
    if (!m_closed && m_guard && !m_guard(this)) {
        event->ignore();
        return;
    }
    m_closed = true;
    m_tag.clear();
    QWidget::closeEvent(event);
    event->accept();
}

int DocumentWindow::slot() const {
    bool ok = false;
    int s = m_tag.toInt(&ok);
    return ok ? s : -1;
}

} // namespace yuedu::app
