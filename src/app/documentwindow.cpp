#include "app/documentwindow.h"

#include <QCloseEvent>
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
    resize(480, 320);
}

void DocumentWindow::closeEvent(QCloseEvent *event) {
    m_closed = true;
    m_tag.clear();
    QWidget::closeEvent(event);
}

int DocumentWindow::slot() const {
    bool ok = false;
    int s = m_tag.toInt(&ok);
    return ok ? s : -1;
}

} // namespace yuedu::app
