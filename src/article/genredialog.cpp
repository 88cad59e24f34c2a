#include "article/genredialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace yuedu::article {
namespace {

QGroupBox *frame(const QString &title, QButtonGroup *group, const char *firstName,
                 const QString &firstText, const char *secondName, const QString &secondText) {
    auto *box = new QGroupBox(title);
    auto *layout = new QHBoxLayout(box);
    int id = 0;
    for (auto [name, text] : {std::pair{firstName, firstText}, std::pair{secondName, secondText}}) {
        auto *option = new QRadioButton(text, box);
        option->setObjectName(QString::fromLatin1(name));
        group->addButton(option, id++);
        layout->addWidget(option);
    }
    return box;
}

} // namespace

ArticleGenreDialog::ArticleGenreDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frmarttype"));
    setWindowTitle(QStringLiteral("文章的形式與體裁"));
    setModal(true);

    m_form = new QButtonGroup(this);
    m_style = new QButtonGroup(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame(QStringLiteral("文體形式"), m_form, "styOption1",
                            QStringLiteral("詩歌類"), "styOption2", QStringLiteral("非詩歌類")));
    layout->addWidget(frame(QStringLiteral("表達形式"), m_style, "styOption3",
                            QStringLiteral("對話類"), "styOption4", QStringLiteral("非對話類")));
    auto *ok = new QPushButton(QStringLiteral("確  定"), this);
    ok->setObjectName(QStringLiteral("cmdstyok"));
    ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &ArticleGenreDialog::confirm);
    clearOptions();
}

void ArticleGenreDialog::clearOptions() {
    // An exclusive group cannot be emptied by unchecking its checked button.
    for (QButtonGroup *group : {m_form, m_style}) {
        group->setExclusive(false);
        for (QAbstractButton *b : group->buttons())
            b->setChecked(false);
        group->setExclusive(true);
    }
}

std::optional<ArticleGenre> ArticleGenreDialog::genre() const {
    if (m_form->checkedId() < 0 || m_style->checkedId() < 0)
        return std::nullopt;
    return ArticleGenre{m_form->checkedId() == 0, m_style->checkedId() == 0};
}

std::optional<ArticleGenre> ArticleGenreDialog::ask() {
    clearOptions();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return genre();
}

void ArticleGenreDialog::confirm() {
    if (genre())
        accept();
    else
        QApplication::beep(); // stays open until both frames are answered
}

} // namespace yuedu::article
