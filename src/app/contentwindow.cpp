#include "app/contentwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/version.h"

namespace yuedu::app {

ContentWindow::ContentWindow(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frmcontent"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("內容說明"));

    const QStringList lines{
        QString(),
        QStringLiteral("      本程式分析繁體中文文章：結構面向、斷詞、詞頻、詞彙級別、詞義類別與"
                       "每個字的屬性。各項分析的用法見手冊頁 yuedu(1) 與 yuedu-cli(1)"
                       "（在終端機輸入 man yuedu）。"),
        QString(),
        QStringLiteral("      本程式依 GPL-3.0-or-later 授權散布；字詞資料的來源與授權，"
                       "見隨程式安裝的 DATA-SOURCES.md 與 copyright（/usr/share/doc/yuedu/）。"),
        QString(),
        QStringLiteral("      發現問題或有疑問，請寫信給維護者：") + QString::fromUtf8(kMaintainer),
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
