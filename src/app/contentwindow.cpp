#include "app/contentwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace yuedu::app {

ContentWindow::ContentWindow(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frmcontent"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("內容說明"));

    const QStringList lines{
        QString(),
        QStringLiteral("      有關字、詞彙及文章屬性分析的研究，工程浩大、內容繁複。相關內容已發表"
                       "在期刊上，未出版的內容正在整理當中。需要詳情的研究者，請告知："),
        QStringLiteral("    E-mail: yuedu-research@example.org"),
        QStringLiteral(" 或電："),
        QStringLiteral("    (02) 0000-0000（白天）"),
        QStringLiteral("    (02) 0000-0001（晚上）"),
    };
    auto *label = new QLabel(lines.join(QStringLiteral("\r\n")), this);
    label->setObjectName(QStringLiteral("Lblcontent"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *ok = new QPushButton(QStringLiteral("離 開"), this);
    ok->setObjectName(QStringLiteral("Cmdcontentok"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setMinimumWidth(440);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
}

} // namespace yuedu::app
