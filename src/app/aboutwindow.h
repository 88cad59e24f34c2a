#pragma once
// The about window: title, version, what the program analyses, and the system information.
#include <QDialog>

namespace yuedu::app {

struct AppContext;
class Dialogs;

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(const AppContext &context, Dialogs &dialogs, QWidget *parent = nullptr);

    // Shows our own system-information dialog, or "無法取得系統資訊!" when it cannot.
    void StartSysInfo();

private:
    const AppContext &m_context;
    Dialogs &m_dialogs;
};

} // namespace yuedu::app
