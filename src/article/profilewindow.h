#pragma once
// The window of the article structure profile: the 21 figures as captioned text lines in two
// columns, a line naming the text, and the buttons 匯出… and 離  開. It shows exactly one
// profile; a new one replaces it.
#include <array>
#include <memory>

#include "article/articleprofile.h"
#include "ui/resultwindow.h"

class QLineEdit;

namespace yuedu::article {

class ArticleProfileWindow : public ui::ResultView<ProfileResult> {
    Q_OBJECT
public:
    explicit ArticleProfileWindow(QWidget *parent = nullptr);

    // Sets every field from the result shown (caption and number).
    void refreshFields();

    // The field shown for a field name (zancf, wdartlen, ..., generg10).
    QLineEdit *field(const QString &name) const;
    QString totalsText() const override;

    // The figures as UTF-8 CSV (field, caption, value, note), headed by source and totals;
    // a figure the data cannot give is an empty value.
    std::string exportBytes() const override;

private:
    void showResult() override { refreshFields(); }
    QChart *makeChart() const override;
    QString chartCaption() const override { return QStringLiteral("通用級數圖表"); }
    void leave();

    std::array<QLineEdit *, 21> m_fields{};
};

} // namespace yuedu::article
