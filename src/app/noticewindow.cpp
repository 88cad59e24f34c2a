#include "app/noticewindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/settings.h"

namespace yuedu::app {

NoticeWindow::NoticeWindow(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("操作注意事項"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_heading = new QLabel(QStringLiteral("您知道嗎..."), this);
    m_heading->setObjectName(QStringLiteral("Labeltip"));
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.2);
    m_heading->setFont(headingFont);

    m_body = new QLabel(this);
    m_body->setObjectName(QStringLiteral("lblTipText"));
    m_body->setWordWrap(true);
    m_body->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_body->setMinimumWidth(380);
    m_body->setTextFormat(Qt::PlainText);
    m_body->setFrameShape(QFrame::StyledPanel);
    m_body->setMargin(8);
    m_body->setBackgroundRole(QPalette::Base);
    m_body->setAutoFillBackground(true);

    m_ok = new QPushButton(QStringLiteral("確  定 "), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_next = new QPushButton(QStringLiteral("下一個秘訣(&N)"), this);
    m_next->setObjectName(QStringLiteral("cmdNextTip"));
    m_next->hide();

    m_check = new QCheckBox(QStringLiteral("啟動時顯示秘訣(&S)"), this);
    m_check->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    m_check->setChecked(ui::GetSetting(QStringLiteral("Options"), QStringLiteral("啟動時顯示秘訣"),
                                       QStringLiteral("1")) != QStringLiteral("0"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_heading, 0, 0);
    grid->addWidget(m_body, 1, 0, 3, 1);
    grid->addWidget(m_ok, 1, 1);
    grid->addWidget(m_next, 2, 1);
    grid->setRowStretch(3, 1);
    grid->addWidget(m_check, 4, 0, 1, 2);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_next, &QPushButton::clicked, this, [this] {
        emit cancelPressed();
        reject();
    });
    // The setting follows the checkbox at once, not when the window closes.
    connect(m_check, &QCheckBox::toggled, this, [](bool on) {
        ui::SaveSetting(QStringLiteral("Options"), QStringLiteral("啟動時顯示秘訣"),
                        on ? QStringLiteral("1") : QStringLiteral("0"));
    });
}

} // namespace yuedu::app
