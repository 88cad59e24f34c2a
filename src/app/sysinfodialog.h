#pragma once
// Our own system information: program, Qt and ICU versions, the platform, and the data files
// with their sizes as found at start-up.
#include <QDialog>
#include <QStringList>

namespace yuedu::app {

struct AppContext;

struct SystemInfo {
    bool ok = false;
    QStringList lines;
    static SystemInfo collect(const AppContext &context);
};

class SysInfoDialog : public QDialog {
    Q_OBJECT
public:
    SysInfoDialog(const SystemInfo &info, QWidget *parent = nullptr);
};

} // namespace yuedu::app
