#pragma once
// The character profile window: shows the 25 figures of one hanzi at a time and pages through
// the hanzi of a text, with a demonstration on a built-in sentence (after which the text's
// view comes back as it was) and a short farewell before it hides. It is a top-level window,
// created once and afterwards hidden and shown again. It shows where it stands in the text (n / N),
// lets the user jump to a position or a character, and exports the figures of the whole list.
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "charprofile/characterprofile.h"
#include "ui/resultwindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace yuedu::charprofile {

class CharProfileWindow : public ui::ResultView<CharProfileResult> {
    Q_OBJECT
public:
    explicit CharProfileWindow(const LanguageData &data, QWidget *parent = nullptr);

    // Starts on the table characters of a text (in text order, repeats kept): the first
    // character becomes current, the paging buttons appear and the window is shown and raised.
    void start(std::shared_ptr<const CharProfileResult> result, ui::ResultSource source);

    // Shows the current character and its figures.
    void refreshCharacter();

    void nextPage();     // 下一頁
    void previousPage(); // 上一頁
    void demonstrate();  // 展示
    void farewell();     // 離開
    // Goes to a 1-based position, or to the next occurrence of a character after the current
    // one (from the start again when there is none after it). False when there is no such place,
    // and the note beside the jump field says why.
    bool jumpTo(const QString &target);
    QString jumpNote() const;

    // Seconds between the characters of the demonstration, and of the farewell.
    void setStepDelay(double seconds) { m_stepDelay = seconds; }
    void setFarewellDelay(double seconds) { m_farewellDelay = seconds; }
    // How the demonstration and the farewell wait between characters: delay() unless another
    // wait is given (tests step through them without a clock).
    void setWait(std::function<void(double)> wait) { m_wait = std::move(wait); }

    // Waits more than the given seconds while the window stays responsive.
    static void delay(double seconds);

    // The characters paged through: the text's, or those of the demonstration or farewell.
    QString profileCharList() const { return QString::fromStdU16String(m_pages->ProfileCharList); }
    const QString &profileChar() const { return m_char; }
    int position() const { return m_position; }
    const CharFigures &figures() const { return m_figures; }
    // 1-based position of the character shown in the text's list, 0 when none is.
    int shownPosition() const { return m_shown; }
    QString totalsText() const override;
    // The whole list as UTF-8 CSV: source and totals first, then one row a position.
    std::string exportBytes() const override;
    QLineEdit *field(const QString &name) const;

    static const QString kDemoText;
    static const QString kFarewellText;

private:
    void buildFields();
    // Makes the character at position (1-based) current and computes its profile.
    void select(int position);
    void setMachwdColor(const QColor &color);
    void closeEvent(QCloseEvent *event) override;
    void showResult() override;
    // Pages through chars (the demonstration's or farewell's) with the text's coverage.
    void pageThrough(const QString &chars);
    int pageCount() const { return static_cast<int>(m_pages->size()); }

    void showPosition();
    // Back from the demonstration to the text's list, at the character shown before it.
    void restoreText();

    const LanguageData &m_data;
    // What is paged through: the result's list, or the demonstration's or farewell's.
    std::shared_ptr<const CharProfileResult> m_pages;
    CharFigures m_figures;
    int m_shown = 0;
    bool m_onText = false; // the list is the text's, not the demonstration's or farewell's
    bool m_demonstrating = false;
    int m_textShown = 0; // the text's position shown when the demonstration began
    QString m_char;      // ProfileChar
    int m_position = 1;  // 0: the next step starts again at the first character
    double m_stepDelay = 0.3;
    double m_farewellDelay = 1.0;
    std::function<void(double)> m_wait = &CharProfileWindow::delay;
    // Changes whenever a new list takes over, so a demonstration or farewell in progress stops.
    int m_run = 0;
    bool m_started = false;
    QLineEdit *m_machwd = nullptr;
    QLabel *m_noRecord = nullptr; // says that a shown character has no figures
    std::array<QLineEdit *, kProfileEntries + 1> m_fields{};
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_demo = nullptr;
    QLabel *m_positionLine = nullptr;
    QLineEdit *m_jump = nullptr;
    QLabel *m_jumpNote = nullptr;
    QPushButton *m_export = nullptr;
};

} // namespace yuedu::charprofile
