#include "app/sysinfodialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSysInfo>
#include <QVBoxLayout>
#include <unicode/uversion.h>

#include "app/appcontext.h"

namespace yuedu::app {

SystemInfo SystemInfo::collect(const AppContext &context) {
    SystemInfo info;
    info.lines << kProgramTitle + QStringLiteral(" ") + versionText()
               << QStringLiteral("Qt ") + QString::fromLatin1(qVersion())
               << QStringLiteral("ICU ") + QString::fromLatin1(U_ICU_VERSION)
               << QSysInfo::prettyProductName() + QStringLiteral(" (") +
                      QSysInfo::currentCpuArchitecture() + QStringLiteral(")");
    const QString dir = QString::fromStdString(context.dataDir.string());
    info.lines << QString() << QStringLiteral("資料檔的位置：") + dir;
    for (const char *name : {kGradeFileName, kSegFileName, kSenseFileName, kUserWordFileName}) {
        QFileInfo file(dir + u'/' + QString::fromLatin1(name));
        info.lines << QStringLiteral("  %1  %2")
                          .arg(QString::fromLatin1(name),
                               file.exists() ? QStringLiteral("%L1 位元組").arg(file.size())
                                             : QStringLiteral("找不到"));
    }
    if (!context.report.ok())
        info.lines << QString() << QString::fromStdString(context.report.text());
    info.ok = !dir.isEmpty();
    return info;
}

SysInfoDialog::SysInfoDialog(const SystemInfo &info, QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSysInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("系統資訊"));
    auto *text = new QPlainTextEdit(info.lines.join(u'\n'), this);
    text->setReadOnly(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::close);
    resize(520, 300);
}

} // namespace yuedu::app
