#pragma once
// The content window of the Help menu: how to reach the researchers behind the program.
#include <QDialog>

namespace yuedu::app {

class ContentWindow : public QDialog {
    Q_OBJECT
public:
    explicit ContentWindow(QWidget *parent = nullptr);
};

} // namespace yuedu::app
