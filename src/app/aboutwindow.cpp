#include "app/aboutwindow.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/appcontext.h"
#include "app/dialogs.h"
#include "app/sysinfodialog.h"
#include "common/version.h"

namespace yuedu::app {

AboutWindow::AboutWindow(const AppContext &context, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_context(context), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("關於 ") + kProgramTitle);

    auto *image1 = new QLabel(QStringLiteral("閱"), this);
    image1->setObjectName(QStringLiteral("Image1"));
    QFont logo = image1->font();
    logo.setPointSize(32);
    image1->setFont(logo);
    image1->setStyleSheet(QStringLiteral("color:#8b1a1a;"));
    auto *image2 = new QLabel(this);
    image2->setObjectName(QStringLiteral("Image2"));

    auto *title = new QLabel(kProgramTitle, this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSize(16);
    big.setBold(true);
    title->setFont(big);
    auto *version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *description = new QLabel(
        QStringLiteral("本系統分析中文文章的結構面向，並進行斷詞、詞頻統計、字頻與字的級數、"
                       "詞彙級別與詞義類別的分析，也提供字的注音（聲母、介音、韻母、聲調）、"
                       "部首與筆畫數等屬性的查詢。"),
        this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);
    // Where the program and its data come from, and where to write about a problem.
    auto *sources = new QLabel(
        QStringLiteral(
            "授權：本程式是自由軟體，依 GNU 通用公共授權條款第 3 版或（由您選擇）任何更新的版本"
            "（GPL-3.0-or-later）散布；不提供任何擔保。條款全文見隨程式安裝的 "
            "copyright 檔。\n"
            "資料：字詞表由下列開放資料建成，各依其授權——libchewing（LGPL-2.1）、"
            "rime-essay 與 Rime 筆畫表（LGPL-3）、OpenCC（Apache-2.0）、"
            "Unicode Unihan（Unicode License v3）。詳見隨程式安裝的 "
            "DATA-SOURCES.md 與 copyright 檔。\n"
            "問題回報：%1")
            .arg(QString::fromUtf8(kMaintainer)),
        this);
    sources->setObjectName(QStringLiteral("lblSources"));
    sources->setWordWrap(true);
    sources->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *ok = new QPushButton(QStringLiteral("確定"), this);
    ok->setObjectName(QStringLiteral("cmdaboutOK"));
    ok->setDefault(true);
    auto *sysInfo = new QPushButton(QStringLiteral("系統資訊(&S)..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(image1, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(title, 0, 1, 1, 2);
    grid->addWidget(version, 1, 1, 1, 2);
    grid->addWidget(description, 2, 1, 1, 2);
    grid->addWidget(sources, 3, 1, 1, 2);
    grid->addWidget(line, 4, 0, 1, 3);
    grid->addWidget(image2, 5, 0);
    grid->addWidget(ok, 5, 2);
    grid->addWidget(sysInfo, 6, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(460);

    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    connect(sysInfo, &QPushButton::clicked, this, &AboutWindow::StartSysInfo);
}

void AboutWindow::StartSysInfo() {
    SystemInfo info = SystemInfo::collect(m_context);
    if (!info.ok) {
        m_dialogs.message(this, QStringLiteral("無法取得系統資訊!"));
        return;
    }
    auto *dialog = new SysInfoDialog(info, this);
    dialog->show();
}

} // namespace yuedu::app
