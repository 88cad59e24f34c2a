#pragma once
// The window of the article structure profile: the 21 figures as captioned text lines in two
// columns and the button 離  開. It reads an ArticleProfile when it is created and again at
// every refresh; a new profile refreshes the same window.
#include <QWidget>
#include <array>

#include "article/articleprofile.h"

class QLineEdit;

namespace yuedu::article {

class ArticleProfileWindow : public QWidget {
    Q_OBJECT
public:
    explicit ArticleProfileWindow(const ArticleProfile &results, QWidget *parent = nullptr);

    // Sets every field from the results (caption and number).
    void zancf_Change();
    void refresh() { zancf_Change(); }

    // The field shown for a field name (zancf, wdartlen, ..., generg10).
    QLineEdit *field(const QString &name) const;

private:
    void leave();

    const ArticleProfile &m_results;
    std::array<QLineEdit *, 21> m_fields{};
};

} // namespace yuedu::article
