#include "charprofile/fworddisp.h"

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

namespace yuedu::charprofile {
namespace {

constexpr const char *kRowCaptions[7] = {"自由隨意性聯想", "已能整體性表達", "強制性規劃學習",
                                         "需要同步性理解", "準備再擴充理解", "工具文書需理解",
                                         "綜合性理解學習"};
constexpr const char *kGradeCaptions[6] = {"二", "三", "四", "五", "六", "綜"};

QLabel *label(const char *text, QWidget *parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

} // namespace

const QString CharProfileWindow::kDemoText = QStringLiteral(
    "這是一個顯示字彙通用級數及其他屬性的軟體歡迎使用請在左邊視窗選取檔案或輸入文字後標示出來再按查"
    "詢即可列出各種字彙的屬性");
const QString CharProfileWindow::kFarewellText = QStringLiteral("敬請指教");

CharProfileWindow::CharProfileWindow(const LanguageData &data, QWidget *parent)
    : QWidget(parent, Qt::Window), m_profile(data) {
    setObjectName(QStringLiteral("fworddisp"));
    setWindowTitle(QStringLiteral("字詞彙的認知、理解、表達情形與通用度"));
    buildFields();
    // Load: show the (empty) profile of the initial character.
    m_machwd->setText(QStringLiteral("測"));
    machwd_Change();
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

    auto *layout = new QVBoxLayout(this);
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

void CharProfileWindow::machwd_Change() {
    // Until a first start the field keeps its initial character.
    if (m_started || !m_char.isEmpty())
        m_machwd->setText(m_char);
    // Zeros of a character without record are not figures of that character: say so.
    m_noRecord->setVisible(!m_char.isEmpty() && !m_profile.ProfileFound);
    for (int e = 1; e <= kProfileEntries; ++e)
        m_fields[e]->setText(
            QString::fromStdU16String(wordProfileText(e, m_profile.WordProfile[e])));
}

void CharProfileWindow::select(int position) {
    m_char = position >= 1 && position <= m_list.size() ? QString(m_list[position - 1]) : QString();
    m_profile.charprofile(m_char.toStdU16String());
}

void CharProfileWindow::setMachwdColor(const QColor &color) {
    QPalette p = m_machwd->palette();
    p.setColor(QPalette::Base, color);
    m_machwd->setPalette(p);
}

void CharProfileWindow::start(const QString &charList) {
    ++m_run; // a demonstration or farewell still running gives way
    m_started = true;
    m_list = charList;
    m_position = 1;
    m_previous->show();
    m_next->show();
    m_demo->setEnabled(true);
    setMachwdColor(QApplication::palette().color(QPalette::ToolTipBase));
    select(1);
    machwd_Change();
    if (m_list.size() == 1)
        m_position = 0;
    show();
    raise();
    activateWindow();
}

// A character beyond the end of the list leaves the display as it is. A character without a
// profile is shown with zeros rather than under the figures of the previous one.
void CharProfileWindow::nextPage() {
    select(++m_position);
    if (!m_char.isEmpty())
        machwd_Change();
    if (m_position == m_list.size())
        m_position = 0;
}

void CharProfileWindow::previousPage() {
    m_position = m_position < 2 ? 1 : m_position - 1;
    select(m_position);
    if (!m_char.isEmpty())
        machwd_Change();
}

void CharProfileWindow::demonstrate() {
    const int run = ++m_run;
    QPointer<CharProfileWindow> self(this);
    m_list = kDemoText;
    m_demo->setEnabled(false);
    for (int pos = 1; pos <= m_list.size(); ++pos) {
        m_position = pos;
        select(pos);
        machwd_Change();
        delay(m_stepDelay);
        if (!self || m_run != run)
            return; // closed, restarted or saying farewell meanwhile
    }
    m_position = m_list.size() + 1;
    m_demo->setEnabled(true);
}

void CharProfileWindow::farewell() {
    const int run = ++m_run;
    QPointer<CharProfileWindow> self(this);
    m_previous->hide();
    m_next->hide();
    m_demo->setEnabled(true);
    m_list = kFarewellText;
    const QPalette &system = QApplication::palette();
    for (int pos = 1; pos <= m_list.size(); ++pos) {
        setMachwdColor(system.color(pos % 2 ? QPalette::Highlight : QPalette::Button));
        m_position = pos;
        select(pos);
        if (!m_char.isEmpty())
            machwd_Change();
        delay(m_farewellDelay);
        if (!self || m_run != run)
            return; // a new start meanwhile keeps the window open
    }
    hide();
}

void CharProfileWindow::closeEvent(QCloseEvent *event) {
    ++m_run; // closing from the title bar ends a demonstration or farewell
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
