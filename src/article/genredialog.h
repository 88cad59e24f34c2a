#pragma once
// The modal dialog in which the user states an article's form and genre before its structure
// profile: poetry or not, dialogue or not. It closes with 確  定 only when both are answered.
#include <QDialog>
#include <optional>

#include "article/articleprofile.h"

class QButtonGroup;
class QRadioButton;

namespace yuedu::article {

class ArticleGenreDialog : public QDialog {
    Q_OBJECT
public:
    explicit ArticleGenreDialog(QWidget *parent = nullptr);

    // Clears all four options; the command does this before every profile.
    void clearOptions();

    // The answers, when one option of each frame is chosen.
    std::optional<ArticleGenre> genre() const;

    // Shows the dialog modally after clearing it; the answers when the user confirmed both,
    // nothing when the dialog was closed from its title bar.
    std::optional<ArticleGenre> ask();

private:
    void confirm();

    QButtonGroup *m_form = nullptr;  // 詩歌類 / 非詩歌類
    QButtonGroup *m_style = nullptr; // 對話類 / 非對話類
};

} // namespace yuedu::article
