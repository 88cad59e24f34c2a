#include "ui/settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace yuedu::ui {
namespace {

QSettings store() {
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString app = exe.isEmpty() ? QStringLiteral("yuedu") : exe;
    return QSettings(QSettings::IniFormat, QSettings::UserScope, app, app);
}

} // namespace

QString GetSetting(const QString &section, const QString &key, const QString &defaultValue) {
    QSettings s = store();
    return s.value(section + u'/' + key, defaultValue).toString();
}

void SaveSetting(const QString &section, const QString &key, const QString &value) {
    QSettings s = store();
    s.setValue(section + u'/' + key, value);
    s.sync();
}

void DeleteSetting(const QString &section, const QString &key) {
    QSettings s = store();
    s.remove(section + u'/' + key);
    s.sync();
}

} // namespace yuedu::ui
