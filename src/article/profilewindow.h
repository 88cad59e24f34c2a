#pragma once
// The window of the article structure profile: the 21 figures as captioned text lines in two
// columns, a line naming the text, and the buttons 匯出… and 離  開. It shows exactly one
// profile; a new one replaces it.
#include <QWidget>
#include <array>
#include <memory>

#include "article/articleprofile.h"
#include "ui/resultsource.h"

class QLabel;
class QLineEdit;

namespace yuedu::article {

class ArticleProfileWindow : public QWidget {
    Q_OBJECT
public:
    explicit ArticleProfileWindow(QWidget *parent = nullptr);

    // Shows result (a profile that was made) in place of the one shown.
    void setResult(std::shared_ptr<const ProfileResult> result, ui::ResultSource source);
    const std::shared_ptr<const ProfileResult> &result() const { return m_result; }
    const ui::ResultSource &source() const { return m_source; }

    // Sets every field from the result (caption and number).
    void zancf_Change();

    // The field shown for a field name (zancf, wdartlen, ..., generg10).
    QLineEdit *field(const QString &name) const;
    QString totalsText() const;

    // The figures as UTF-8 CSV (field, caption, value, note), headed by source and totals;
    // a figure the data cannot give is an empty value.
    std::string exportBytes() const;
    bool exportTo(const QString &path, QString *error = nullptr) const;

public slots:
    void exportProfile(); // "匯出…"

private:
    void leave();

    std::shared_ptr<const ProfileResult> m_result;
    ui::ResultSource m_source;
    std::array<QLineEdit *, 21> m_fields{};
    QLabel *m_sourceLine = nullptr;
};

} // namespace yuedu::article
