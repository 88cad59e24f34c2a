#pragma once
// The per-user settings store, keyed by the program's executable name.
#include <QString>

namespace yuedu::ui {

QString GetSetting(const QString &section, const QString &key, const QString &defaultValue);
void SaveSetting(const QString &section, const QString &key, const QString &value);
void DeleteSetting(const QString &section, const QString &key);

} // namespace yuedu::ui
