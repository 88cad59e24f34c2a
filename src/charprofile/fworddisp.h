#pragma once
// The character profile window: shows the 25 figures of one hanzi at a time and pages through
// the hanzi of a text, with a demonstration on a built-in sentence and a short farewell before
// it hides. It is a top-level window, created once and afterwards hidden and shown again.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>

#include "charprofile/characterprofile.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace yuedu::charprofile {

class CharProfileWindow : public QWidget {
    Q_OBJECT
public:
    explicit CharProfileWindow(const LanguageData &data, QWidget *parent = nullptr);

    // Starts on a list of table characters (in text order, repeats kept): the first character
    // becomes current, the paging buttons appear and the window is shown and raised.
    void start(const QString &charList);

    // Shows the current character and its figures (the change handler of machwd).
    void machwd_Change();
    void refresh() { machwd_Change(); }

    void nextPage();     // 下一頁
    void previousPage(); // 上一頁
    void demonstrate();  // 展示
    void farewell();     // 離開

    // Seconds between the characters of the demonstration, and of the farewell.
    void setStepDelay(double seconds) { m_stepDelay = seconds; }
    void setFarewellDelay(double seconds) { m_farewellDelay = seconds; }

    // Waits more than the given seconds while the window stays responsive.
    static void delay(double seconds);

    const QString &profileCharList() const { return m_list; }
    const QString &profileChar() const { return m_char; }
    int position() const { return m_position; }
    const CharacterProfile &profile() const { return m_profile; }
    QLineEdit *field(const QString &name) const;

    static const QString kDemoText;
    static const QString kFarewellText;

private:
    void buildFields();
    // Makes the character at position (1-based) current and computes its profile.
    void select(int position);
    void setMachwdColor(const QColor &color);
    void closeEvent(QCloseEvent *event) override;

    CharacterProfile m_profile;
    QString m_list;     // ProfileCharList
    QString m_char;     // ProfileChar
    int m_position = 1; // 0: the next step starts again at the first character
    double m_stepDelay = 0.3;
    double m_farewellDelay = 1.0;
    // Changes whenever a new list takes over, so a demonstration or farewell in progress stops.
    int m_run = 0;
    bool m_started = false;
    QLineEdit *m_machwd = nullptr;
    QLabel *m_noRecord = nullptr; // says that a shown character has no figures
    std::array<QLineEdit *, kProfileEntries + 1> m_fields{};
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_demo = nullptr;
};

} // namespace yuedu::charprofile
