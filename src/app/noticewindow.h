#pragma once
// The notice window: a heading, a body of numbered lines, "確  定 " and an optional second
// button, and the checkbox that decides whether the start-up notice appears.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace yuedu::app {

class NoticeWindow : public QDialog {
    Q_OBJECT
public:
    explicit NoticeWindow(QWidget *parent = nullptr);

    QLabel *Labeltip() const { return m_heading; }
    QLabel *lblTipText() const { return m_body; }
    QPushButton *cmdOK() const { return m_ok; }
    QPushButton *cmdNextTip() const { return m_next; }
    QCheckBox *chkLoadTipsAtStartup() const { return m_check; }

signals:
    void cancelPressed();

private:
    QLabel *m_heading;
    QLabel *m_body;
    QPushButton *m_ok;
    QPushButton *m_next;
    QCheckBox *m_check;
};

} // namespace yuedu::app
