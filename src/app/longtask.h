#pragma once
// Runs an analysis. A long text is analysed on a worker thread behind a progress dialog that
// can be cancelled, so the window stays responsive; a short one runs at once. The work must
// only touch objects it owns (shared pointers it captured) and read-only data.
#include <QString>
#include <functional>

class QWidget;

namespace yuedu::app {

class RichTextBox;

// Texts longer than this many characters get the progress dialog.
inline constexpr long long kLongTextThreshold = 200'000;

// Returns true when the work ran to its end, false when the user cancelled (the worker then
// finishes in the background and its results are dropped).
bool runLongTask(QWidget *parent, long long textLength, const QString &label,
                 std::function<void()> work, long long threshold = kLongTextThreshold);

// Puts a long text into a rich-text box at its caret, a piece at a time behind a progress
// dialog that can be cancelled (a text up to threshold characters goes in at once). Returns
// false when the user cancelled; what was put in so far stays and is the caller's to remove.
bool insertInSteps(QWidget *parent, app::RichTextBox *box, const QString &text,
                   long long threshold = kLongTextThreshold);

} // namespace yuedu::app
