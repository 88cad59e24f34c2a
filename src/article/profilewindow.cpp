#include "article/profilewindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "article/profiletext.h"
#include "report/captions.h"
#include "report/numberformat.h"
#include "ui/charts.h"
#include "ui/savefile.h"

namespace yuedu::article {
namespace {

// Left column from top to bottom, with the indented fields marked.
struct Place {
    const char *name;
    bool indented;
};
constexpr Place kLeftColumn[] = {
    {"wdartlen", false}, {"wordlen", true}, {"wddesi", true},  {"paran", false},
    {"singp", true},     {"multip", true},  {"xbparan", true}, {"busho", false},
    {"biha", false},     {"lorcf", false},  {"zancf", false},
};
constexpr int kIndent = 28;

// The text's characters by general-use level, in percent of its table characters.
QChart *levelChart(const ProfileResult &result) {
    ui::StackedBars bars;
    bars.title = QStringLiteral("各通用級數字所佔比例");
    bars.valueTitle = QStringLiteral("字數 %");
    bars.categories << QStringLiteral("全文");
    const double all = result.entry(kHanziCount);
    for (int k = 0; k < 10; ++k) {
        bars.segments << QString::fromStdU16String(
            std::u16string(report::useLevels()[static_cast<std::size_t>(k)].label));
        bars.values.push_back({all > 0 ? result.entry(kLevel1Count + k) * 100 / all : 0});
    }
    return ui::stackedBarChart(bars);
}

} // namespace

ArticleProfileWindow::ArticleProfileWindow(QWidget *parent)
    : ResultView({QStringLiteral("結構面向.csv"), QStringLiteral("CSV 檔 (*.csv)")}, parent) {
    setObjectName(QStringLiteral("frmarticle"));
    setWindowTitle(QStringLiteral("文章結構面向分析"));

    const auto &fields = profileFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(fields[i].name.data(), fields[i].name.size()));
        edit->setReadOnly(true);
        edit->setMinimumWidth(
            fontMetrics().horizontalAdvance(QStringLiteral("葦氏認知係數﹦ 0.0000")) + 16);
        m_fields[i] = edit;
    }

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    int row = 0;
    for (const Place &place : kLeftColumn) {
        auto *line = new QHBoxLayout;
        line->addSpacing(place.indented ? kIndent : 0);
        line->addWidget(field(QString::fromLatin1(place.name)));
        grid->addLayout(line, row++, 0);
    }
    for (int level = 1; level <= 10; ++level)
        grid->addWidget(field(QStringLiteral("generg%1").arg(level)), level - 1, 1);

    auto *exit = new QPushButton(QStringLiteral("離  開"), this);
    exit->setObjectName(QStringLiteral("Cmdartexit"));
    connect(exit, &QPushButton::clicked, this, &ArticleProfileWindow::leave);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(chartButton());
    buttons->addWidget(exportButton(QStringLiteral("cmdExport")));
    buttons->addWidget(exit);
    grid->addLayout(buttons, row - 1, 1, Qt::AlignRight | Qt::AlignBottom);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sourceLine());
    layout->addLayout(grid);
    layout->addStretch();
    refreshFields();
}

QChart *ArticleProfileWindow::makeChart() const {
    return m_result->done() ? levelChart(*m_result) : nullptr;
}

void ArticleProfileWindow::refreshFields() {
    const auto &fields = profileFields();
    const ProfileResult &r = *m_result;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // Before any profile the fields read 0, as they always have; afterwards a figure the data
        // cannot give reads "—" and an estimated grade outside its range carries a mark.
        const std::u16string text = r.done() ? profileFieldText(fields[i], r)
                                             : profileFieldText(fields[i], r.ProfileTotals);
        m_fields[i]->setText(QString::fromStdU16String(text));
        m_fields[i]->setCursorPosition(0);
        QString tip;
        if (r.done() && fieldHasNoData(fields[i], r))
            tip = QString::fromStdU16String(std::u16string(kNoDataNote));
        else if (fieldOutOfRange(fields[i], r))
            tip = QString::fromStdU16String(gradeRangeNote());
        m_fields[i]->setToolTip(tip);
    }
}

QString ArticleProfileWindow::totalsText() const {
    if (!m_result->done())
        return {};
    return QStringLiteral("全文長 %1　字別數 %2")
               .arg(m_result->entry(kHanziCount))
               .arg(m_result->entry(kDistinctHanzi)) +
           QString::fromStdU16String(extraHanziNote(m_result->extraHanzi));
}

std::string ArticleProfileWindow::exportBytes() const {
    std::vector<std::vector<std::u16string>> rows = {{u"欄位", u"項目", u"數值", u"附註"}};
    const ProfileResult &r = *m_result;
    for (const ProfileField &f : profileFields()) {
        std::u16string caption(f.caption);
        if (!caption.empty() && caption.back() == u'﹦')
            caption.pop_back();
        std::u16string value;
        std::u16string note;
        if (fieldHasNoData(f, r)) {
            note = kNoDataNote;
        } else {
            value = QString::fromStdString(report::preciseNumber(r.entry(f.entry) / f.divisor))
                        .toStdU16String();
            if (fieldOutOfRange(f, r))
                note = gradeRangeNote();
        }
        rows.push_back({std::u16string(f.name.begin(), f.name.end()), caption, value, note});
    }
    return ui::csvExport(source(), totalsText(), rows);
}

QLineEdit *ArticleProfileWindow::field(const QString &name) const {
    return findChild<QLineEdit *>(name);
}

void ArticleProfileWindow::leave() {
    // Inside the main window the frame is the sub-window; close that, not the main window.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

} // namespace yuedu::article
