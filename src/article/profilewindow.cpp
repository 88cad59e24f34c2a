#include "article/profilewindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "article/profiletext.h"

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

} // namespace

ArticleProfileWindow::ArticleProfileWindow(const ArticleProfile &results, QWidget *parent)
    : QWidget(parent), m_results(results) {
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
    grid->addWidget(exit, row - 1, 1, Qt::AlignRight | Qt::AlignBottom);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    zancf_Change();
}

void ArticleProfileWindow::zancf_Change() {
    const auto &fields = profileFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::u16string text = profileFieldText(fields[i], m_results.ProfileTotals);
        m_fields[i]->setText(QString::fromStdU16String(text));
        m_fields[i]->setCursorPosition(0);
    }
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
