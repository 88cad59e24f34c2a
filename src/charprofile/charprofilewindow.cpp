#include "charprofile/charprofilewindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "article/profiletext.h"

namespace yuedu::charprofile {
namespace {

constexpr const char *kRowCaptions[7] = {"自由隨意性聯想", "已能整體性表達", "強制性規劃學習",
                                         "需要同步性理解", "準備再擴充理解", "工具文書需理解",
                                         "綜合性理解學習"};
constexpr const char *kGradeCaptions[6] = {"二", "三", "四", "五", "六", "綜"};

// The caption of figure e (1..25) as the window groups and labels it.
QString fieldCaption(int e) {
    if (e >= 1 && e <= 14)
        return QString::fromUtf8(kRowCaptions[(e - 1) / 2]) +
               (e % 2 ? QStringLiteral("等級別") : QStringLiteral("字頻序"));
    if (e >= 17 && e <= 22)
        return QStringLiteral("%1年段兒童使用人次%").arg(QString::fromUtf8(kGradeCaptions[e - 17]));
    switch (e) {
    case 15:
        return QStringLiteral("構詞度");
    case 16:
        return QStringLiteral("構詞數");
    case 23:
        return QStringLiteral("教育部87年字表字頻序");
    case 24:
        return QStringLiteral("葦氏兒童通用級數");
    case 25:
        return QStringLiteral("葦氏兒童認知難易係數");
    default:
        return {};
    }
}

QLabel *label(const char *text, QWidget *parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

} // namespace

const QString CharProfileWindow::kDemoText = QStringLiteral(
    "這是一個顯示字彙通用級數及其他屬性的軟體歡迎使用請在左邊視窗選取檔案或輸入文字後標示出來再按查"
    "詢即可列出各種字彙的屬性");
const QString CharProfileWindow::kFarewellText = QStringLiteral("敬請指教");

CharProfileWindow::CharProfileWindow(const LanguageData &data, QWidget *parent)
    : ResultView({QStringLiteral("綜合面向.csv"), QStringLiteral("CSV 檔 (*.csv)")}, parent,
                 Qt::Window),
      m_data(data) {
    // Before any text the window shows what the data holds, with no characters to page.
    m_result = std::make_shared<const CharProfileResult>(
        CharProfileResult{{}, article::detailCoverage(data)});
    m_pages = m_result;
    setObjectName(QStringLiteral("fworddisp"));
    setWindowTitle(QStringLiteral("字詞彙的認知、理解、表達情形與通用度"));
    buildFields();
    // Load: show the (empty) profile of the initial character.
    m_machwd->setText(QStringLiteral("測"));
    refreshCharacter();
}

void CharProfileWindow::buildFields() {
    auto makeField = [this](int entry, int width) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(wordProfileFieldName(entry).data(),
                                                wordProfileFieldName(entry).size()));
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(width);
        m_fields[entry] = edit;
        return edit;
    };
    const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12;

    m_machwd = new QLineEdit(this);
    m_machwd->setObjectName(QStringLiteral("machwd"));
    m_machwd->setReadOnly(true);
    m_machwd->setAlignment(Qt::AlignCenter);
    QFont big = m_machwd->font();
    big.setPointSize(40);
    m_machwd->setFont(big);
    m_machwd->setFixedSize(QFontMetrics(big).horizontalAdvance(QStringLiteral("測")) + 40,
                           QFontMetrics(big).height() + 16);
    m_machwd->setFocusPolicy(Qt::NoFocus);

    auto *usage = new QGridLayout;
    usage->addWidget(label("等級別", this), 0, 1, Qt::AlignCenter);
    usage->addWidget(label("字頻序", this), 0, 2, Qt::AlignCenter);
    for (int k = 0; k < 7; ++k) {
        usage->addWidget(label(kRowCaptions[k], this), k + 1, 0);
        usage->addWidget(makeField(1 + 2 * k, numberWidth), k + 1, 1);
        usage->addWidget(makeField(2 + 2 * k, numberWidth), k + 1, 2);
    }
    m_noRecord = new QLabel(QStringLiteral("本字無資料"), this);
    m_noRecord->setObjectName(QStringLiteral("lblNoRecord"));
    m_noRecord->setAlignment(Qt::AlignCenter);
    m_noRecord->hide();
    auto *character = new QVBoxLayout;
    character->addWidget(m_machwd);
    character->addWidget(m_noRecord);
    character->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(character);
    top->addSpacing(16);
    top->addLayout(usage);
    top->addStretch();

    auto *formation = new QGroupBox(QStringLiteral("與他字結構情形"), this);
    auto *formationLayout = new QHBoxLayout(formation);
    formationLayout->addWidget(label("構詞度", this));
    formationLayout->addWidget(makeField(15, numberWidth));
    formationLayout->addSpacing(12);
    formationLayout->addWidget(label("構詞數", this));
    formationLayout->addWidget(makeField(16, numberWidth));
    formationLayout->addStretch();

    auto *grades = new QGroupBox(QStringLiteral("各年段兒童使人次百分比"), this);
    auto *gradeLayout = new QGridLayout(grades);
    for (int k = 0; k < 6; ++k) {
        gradeLayout->addWidget(label(kGradeCaptions[k], this), 0, k, Qt::AlignCenter);
        gradeLayout->addWidget(makeField(17 + k, numberWidth), 1, k);
    }

    auto *bottom = new QGridLayout;
    bottom->addWidget(label("教育部87年字表字頻序", this), 0, 0);
    bottom->addWidget(makeField(23, numberWidth), 0, 1);
    bottom->addWidget(label("葦氏兒童通用級數", this), 1, 0);
    bottom->addWidget(makeField(24, numberWidth), 1, 1);
    bottom->addWidget(label("葦氏兒童認知難易係數", this), 2, 0);
    bottom->addWidget(makeField(25, numberWidth), 2, 1);
    bottom->setColumnStretch(2, 1);

    auto *buttons = new QHBoxLayout;
    auto button = [this, buttons](const char *name, const char *text) {
        auto *b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    QPushButton *exit = button("Cmdwdexit", "離開");
    m_demo = button("Cmdwddemo", "展示");
    m_previous = button("wduppg", "上一頁");
    m_next = button("wdnextpg", "下一頁");
    buttons->addStretch();
    connect(exit, &QPushButton::clicked, this, &CharProfileWindow::farewell);
    connect(m_demo, &QPushButton::clicked, this, &CharProfileWindow::demonstrate);
    connect(m_previous, &QPushButton::clicked, this, &CharProfileWindow::previousPage);
    connect(m_next, &QPushButton::clicked, this, &CharProfileWindow::nextPage);

    m_export = exportButton(QStringLiteral("cmdExport"));
    buttons->addWidget(m_export);
    m_export->setEnabled(false);

    m_positionLine = new QLabel(this);
    m_positionLine->setObjectName(QStringLiteral("lblPosition"));
    m_jump = new QLineEdit(this);
    m_jump->setObjectName(QStringLiteral("txtJump"));
    m_jump->setPlaceholderText(QStringLiteral("位置或字"));
    m_jump->setMaximumWidth(numberWidth + 24);
    auto *jump = new QPushButton(QStringLiteral("跳至"), this);
    jump->setObjectName(QStringLiteral("cmdJump"));
    auto doJump = [this] {
        if (!jumpTo(m_jump->text().trimmed()))
            QApplication::beep();
    };
    m_jumpNote = new QLabel(this);
    m_jumpNote->setObjectName(QStringLiteral("lblJumpNote"));
    connect(jump, &QPushButton::clicked, this, doJump);
    connect(m_jump, &QLineEdit::returnPressed, this, doJump);
    auto *where = new QHBoxLayout;
    where->addWidget(m_positionLine);
    where->addStretch();
    where->addWidget(m_jumpNote);
    where->addWidget(m_jump);
    where->addWidget(jump);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sourceLine());
    layout->addLayout(where);
    layout->addLayout(top);
    layout->addWidget(formation);
    layout->addWidget(grades);
    layout->addLayout(bottom);
    layout->addStretch();
    layout->addLayout(buttons);
}

QLineEdit *CharProfileWindow::field(const QString &name) const {
    return findChild<QLineEdit *>(name);
}

void CharProfileWindow::refreshCharacter() {
    // Until a first start the field keeps its initial character.
    if (m_started || !m_char.isEmpty())
        m_machwd->setText(m_char);
    // Zeros of a character without record are not figures of that character: say so.
    m_noRecord->setVisible(!m_char.isEmpty() && !m_figures.ProfileFound);
    const QString noData = QString::fromStdU16String(std::u16string(article::kNoDataMark));
    const QString noDataNote = QString::fromStdU16String(std::u16string(article::kNoDataNote));
    for (int e = 1; e <= kProfileEntries; ++e) {
        // A field no record of the data fills has no figure to show, only a mark saying so.
        const bool known = m_pages->hasData(e);
        m_fields[e]->setText(
            known ? QString::fromStdU16String(wordProfileText(e, m_figures.figure(e))) : noData);
        m_fields[e]->setToolTip(known ? QString() : noDataNote);
    }
    showPosition();
}

void CharProfileWindow::showPosition() {
    if (m_demonstrating) {
        m_positionLine->setText(
            QStringLiteral("展示 %1 / %2").arg(std::max(m_position, 1)).arg(pageCount()));
        return;
    }
    if (!m_onText || m_pages->empty()) {
        m_positionLine->clear();
        return;
    }
    m_positionLine->setText(QStringLiteral("%1 / %2").arg(m_shown).arg(pageCount()));
}

void CharProfileWindow::select(int position) {
    const bool valid = position >= 1 && position <= pageCount();
    m_char = valid
                 ? QString(QChar(m_pages->ProfileCharList[static_cast<std::size_t>(position) - 1]))
                 : QString();
    if (valid)
        m_shown = position;
    m_figures = charprofile(m_data, m_char.toStdU16String());
}

bool CharProfileWindow::jumpTo(const QString &target) {
    auto refuse = [this](const QString &why) {
        m_jumpNote->setText(why);
        return false;
    };
    if (m_demonstrating)
        return refuse(QStringLiteral("展示中，結束後再跳"));
    if (!m_onText || m_pages->empty())
        return refuse(QStringLiteral("沒有可跳的字"));
    if (target.isEmpty())
        return refuse(QStringLiteral("請輸入位置（1–%1）或一個字").arg(pageCount()));
    bool isNumber = false;
    const qlonglong n = target.toLongLong(&isNumber);
    int to = 0;
    if (isNumber) {
        if (n < 1 || n > pageCount())
            return refuse(
                QStringLiteral("沒有第 %1 個位置：共 %2 個字").arg(target).arg(pageCount()));
        to = static_cast<int>(n);
    } else {
        // The list holds hanzi of the tables, all in the basic plane; a character outside it
        // (a surrogate pair) is simply not there.
        const QString ch = target.left(target.front().isHighSurrogate() ? 2 : 1);
        const std::u16string &list = m_pages->ProfileCharList;
        const char16_t c = ch.size() == 1 ? ch.front().unicode() : char16_t{0};
        const std::size_t after = list.find(c, static_cast<std::size_t>(m_shown)); // m_shown + 1
        const std::size_t found = after != std::u16string::npos ? after : list.find(c);
        if (c == 0 || found == std::u16string::npos)
            return refuse(QStringLiteral("文中沒有「%1」").arg(ch));
        to = static_cast<int>(found) + 1;
    }
    m_jumpNote->clear();
    select(to);
    refreshCharacter();
    m_position = to == pageCount() ? 0 : to;
    return true;
}

std::string CharProfileWindow::exportBytes() const {
    // The captions the window shows beside each figure, then the fields' machine names.
    std::vector<std::vector<std::u16string>> rows;
    std::vector<std::u16string> captions = {u"位置", u"字"};
    std::vector<std::u16string> head = {u"position", u"char"};
    for (int e = 1; e <= kProfileEntries; ++e) {
        const std::string_view name = wordProfileFieldName(e);
        head.emplace_back(name.begin(), name.end());
        captions.push_back(fieldCaption(e).toStdU16String());
    }
    rows.push_back(std::move(captions));
    rows.push_back(std::move(head));
    const CharProfileResult &r = *m_result;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const CharFigures f = r.at(m_data, i);
        std::vector<std::u16string> row = {QString::number(i + 1).toStdU16String(), f.ch};
        for (int e = 1; e <= kProfileEntries; ++e)
            row.push_back(figureText(r, f, e));
        rows.push_back(std::move(row));
    }
    return ui::csvExport(source(), totalsText(), rows);
}

QString CharProfileWindow::jumpNote() const {
    return m_jumpNote->text();
}

QString CharProfileWindow::totalsText() const {
    return QStringLiteral("字數 %1　相異字數 %2")
               .arg(static_cast<qulonglong>(m_result->size()))
               .arg(static_cast<qulonglong>(m_result->distinctCount())) +
           QString::fromStdU16String(
               article::extraHanziNote(static_cast<std::int64_t>(m_result->extraHanzi)));
}

void CharProfileWindow::setMachwdColor(const QColor &color) {
    QPalette p = m_machwd->palette();
    p.setColor(QPalette::Base, color);
    m_machwd->setPalette(p);
}

void CharProfileWindow::start(std::shared_ptr<const CharProfileResult> result,
                              ui::ResultSource source) {
    setResult(std::move(result), std::move(source));
    show();
    raise();
    activateWindow();
}

void CharProfileWindow::showResult() {
    ++m_run; // a demonstration or farewell still running gives way
    m_demonstrating = false;
    m_jumpNote->clear();
    m_started = true;
    m_pages = m_result;
    m_onText = true;
    m_shown = 0;
    m_position = 1;
    m_export->setEnabled(!m_result->empty());
    m_previous->show();
    m_next->show();
    m_previous->setEnabled(true);
    m_next->setEnabled(true);
    m_demo->setEnabled(true);
    setMachwdColor(QApplication::palette().color(QPalette::ToolTipBase));
    select(1);
    refreshCharacter();
    if (pageCount() == 1)
        m_position = 0;
}

void CharProfileWindow::pageThrough(const QString &chars) {
    m_pages = std::make_shared<const CharProfileResult>(
        CharProfileResult{chars.toStdU16String(), m_result->coverage});
    m_onText = false;
}

// A character beyond the end of the list leaves the display as it is. A character without a
// profile is shown with zeros rather than under the figures of the previous one.
void CharProfileWindow::nextPage() {
    m_jumpNote->clear();
    select(++m_position);
    if (!m_char.isEmpty())
        refreshCharacter();
    if (m_position == pageCount())
        m_position = 0;
}

void CharProfileWindow::previousPage() {
    m_jumpNote->clear();
    m_position = m_position < 2 ? 1 : m_position - 1;
    select(m_position);
    if (!m_char.isEmpty())
        refreshCharacter();
}

// The demonstration pages through its own sentence, saying so in place of the text's name and
// position; the paging buttons and the jump wait. When it ends, or the window is closed, the
// text's view comes back where it was.
void CharProfileWindow::demonstrate() {
    const int run = ++m_run;
    QPointer<CharProfileWindow> self(this);
    const int textShown = m_onText ? m_shown : 0;
    pageThrough(kDemoText);
    m_demonstrating = true;
    m_textShown = textShown;
    m_jumpNote->clear();
    m_demo->setEnabled(false);
    m_previous->setEnabled(false);
    m_next->setEnabled(false);
    sourceLine()->setText(QStringLiteral("展示：本程式內建的例句，不是文章的字"));
    for (int pos = 1; pos <= pageCount(); ++pos) {
        m_position = pos;
        select(pos);
        refreshCharacter();
        m_wait(m_stepDelay);
        if (!self || m_run != run)
            return; // closed, restarted or saying farewell meanwhile
    }
    restoreText();
}

void CharProfileWindow::restoreText() {
    m_demonstrating = false;
    m_jumpNote->clear(); // a jump refused during the demonstration may be made now
    m_demo->setEnabled(true);
    m_previous->setEnabled(true);
    m_next->setEnabled(true);
    refreshSourceLine();
    m_pages = m_result;
    m_onText = m_started;
    if (!m_started) {
        // Before any text: the window as it first opened.
        m_char.clear();
        m_figures = CharFigures{};
        m_machwd->setText(QStringLiteral("測"));
        m_position = 1;
        refreshCharacter();
        return;
    }
    m_shown = m_textShown;
    if (m_shown >= 1) {
        select(m_shown);
        m_position = m_shown == pageCount() ? 0 : m_shown;
    } else {
        m_char.clear();
        m_figures = charprofile(m_data, std::u16string());
    }
    refreshCharacter();
}

void CharProfileWindow::farewell() {
    const int run = ++m_run;
    QPointer<CharProfileWindow> self(this);
    m_demonstrating = false;
    m_previous->hide();
    m_next->hide();
    m_previous->setEnabled(true);
    m_next->setEnabled(true);
    m_demo->setEnabled(true);
    pageThrough(kFarewellText);
    const QPalette &system = QApplication::palette();
    for (int pos = 1; pos <= pageCount(); ++pos) {
        setMachwdColor(system.color(pos % 2 ? QPalette::Highlight : QPalette::Button));
        m_position = pos;
        select(pos);
        if (!m_char.isEmpty())
            refreshCharacter();
        m_wait(m_farewellDelay);
        if (!self || m_run != run)
            return; // a new start meanwhile keeps the window open
    }
    hide();
}

void CharProfileWindow::closeEvent(QCloseEvent *event) {
    ++m_run; // closing from the title bar ends a demonstration or farewell
    if (m_demonstrating)
        restoreText();
    m_demo->setEnabled(true);
    QWidget::closeEvent(event);
}

void CharProfileWindow::delay(double seconds) {
    QElapsedTimer clock; // monotonic: midnight does not matter
    clock.start();
    const auto limit = static_cast<qint64>(seconds * 1000);
    QCoreApplication::processEvents();
    while (clock.elapsed() <= limit) {
        QEventLoop wait;
        QTimer::singleShot(static_cast<int>(limit - clock.elapsed() + 1), &wait, &QEventLoop::quit);
        wait.exec();
    }
}

} // namespace yuedu::charprofile
