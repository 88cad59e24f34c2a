#pragma once
// The splash window shown before anything is loaded. It stays until the user presses a mouse
// button on it, clicks one of its logo pictures or title labels, or presses Enter or Ctrl+T.
#include <QDialog>

class QLabel;

namespace yuedu::app {

class SplashWindow : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *label(const char *name, const QString &text);
    void dismissWithWaitCursor();
};

} // namespace yuedu::app
