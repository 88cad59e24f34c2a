#include "concord/concordwindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/errors.h"
#include "compare/comparison.h"
#include "docfile/documentreader.h"
#include "langdata/textcodec.h"
#include "report/numberformat.h"
#include "ui/savefile.h"

namespace yuedu::concord {
namespace {

using Cell = ui::TextSortList::Cell;

QString q(const std::u16string &s) {
    return QString::fromStdU16String(s);
}

Cell whole(std::int64_t n) {
    return ui::TextSortList::number(QString::number(n), static_cast<double>(n));
}

// Figures shown to three decimals, sorted and exported at full precision.
Cell figure(double v) {
    return ui::TextSortList::number(QString::number(v, 'f', 3), v);
}

QSpinBox *spin(int low, int high, int value, QWidget *parent) {
    auto *box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QString kindName(MatchKind kind) {
    switch (kind) {
    case MatchKind::Word:
        return QStringLiteral("詞");
    case MatchKind::Substring:
        return QStringLiteral("含字");
    case MatchKind::Regex:
        return QStringLiteral("正規式");
    }
    return {};
}

// One strip a text with hits: a tick where each hit falls between its first and last word.
class DispersionView : public QWidget {
public:
    explicit DispersionView(QWidget *parent) : QWidget(parent) {}
    void setResult(std::shared_ptr<const ConcordanceResult> result) {
        m_rows.clear();
        if (result) {
            const auto where = result->dispersion();
            for (std::size_t t = 0; t < where.size(); ++t)
                if (!where[t].empty())
                    m_rows.push_back(
                        {QString::fromStdString(result->textNames[t]).section(u'/', -1), where[t]});
        }
        setMinimumHeight(static_cast<int>(m_rows.size()) * kRow + 8);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), palette().base());
        const int labelWidth = std::min(220, width() / 3);
        const int left = labelWidth + 60, right = width() - 10;
        int y = 4;
        for (const auto &row : m_rows) {
            p.setPen(palette().text().color());
            p.drawText(QRect(4, y, labelWidth, kRow), Qt::AlignVCenter | Qt::AlignLeft,
                       fontMetrics().elidedText(row.name, Qt::ElideMiddle, labelWidth));
            p.drawText(QRect(labelWidth + 8, y, 48, kRow), Qt::AlignVCenter | Qt::AlignRight,
                       QString::number(row.hits.size()));
            p.drawRect(left, y + 3, right - left, kRow - 6);
            p.setPen(QColor(0xB0, 0x20, 0x20));
            for (double h : row.hits) {
                const int x = left + static_cast<int>(h * (right - left));
                p.drawLine(x, y + 4, x, y + kRow - 4);
            }
            y += kRow;
        }
        if (m_rows.empty()) {
            p.setPen(palette().text().color());
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("沒有查到的詞。"));
        }
    }

private:
    static constexpr int kRow = 22;
    struct Row {
        QString name;
        std::vector<double> hits;
    };
    std::vector<Row> m_rows;
};

} // namespace

// CorpusBar ---------------------------------------------------------------------------------------

CorpusBar::CorpusBar(CorpusRequest request, QWidget *parent)
    : QWidget(parent), m_request(std::move(request)) {
    m_label = new QLabel(QStringLiteral("尚未選擇文本。"), this);
    m_label->setObjectName(QStringLiteral("lblCorpus"));
    m_label->setWordWrap(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("文本："), this));
    layout->addWidget(m_label, 1);
    const std::pair<QString, CorpusKind> buttons[] = {
        {QStringLiteral("目前文件"), CorpusKind::ActiveDocument},
        {QStringLiteral("檔案…"), CorpusKind::Files},
        {QStringLiteral("資料夾…"), CorpusKind::Folder}};
    for (const auto &[caption, kind] : buttons) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QStringLiteral("cmdCorpus%1").arg(static_cast<int>(kind)));
        connect(b, &QPushButton::clicked, this, [this, kind = kind] { ask(kind); });
        layout->addWidget(b);
    }
}

void CorpusBar::ask(CorpusKind kind) {
    if (!m_request)
        return;
    if (std::optional<CorpusChoice> choice = m_request(window(), kind))
        setCorpus(std::move(*choice));
}

void CorpusBar::setCorpus(CorpusChoice choice) {
    m_choice = std::move(choice);
    const WordCorpus *c = m_choice.corpus.get();
    m_label->setText(c ? QStringLiteral("%1（%2 個文本，%3 詞）")
                             .arg(m_choice.source.describe())
                             .arg(c->texts.size())
                             .arg(c->tokens())
                       : QStringLiteral("尚未選擇文本。"));
    emit corpusChanged();
}

// WordContextWindow -------------------------------------------------------------------------------

WordContextWindow::WordContextWindow(const QString &title, const QString &fileName,
                                     const QStringList &headers, CorpusRequest request,
                                     QWidget *parent)
    : QWidget(parent), m_fileName(fileName) {
    setWindowTitle(title);
    m_bar = new CorpusBar(std::move(request), this);
    m_list = new ui::TextSortList(headers, this);
    m_list->setObjectName(QStringLiteral("lstResult"));
    m_sourceLine = new QLabel(this);
    m_sourceLine->setObjectName(QStringLiteral("lblSource"));
    m_sourceLine->setWordWrap(true);
    m_export = new QPushButton(QStringLiteral("匯出…"), this);
    m_export->setObjectName(QStringLiteral("cmdExport"));
    m_export->setEnabled(false);
    connect(m_export, &QPushButton::clicked, this, &WordContextWindow::exportList);
    auto *run = new QPushButton(QStringLiteral("執行"), this);
    run->setObjectName(QStringLiteral("cmdRun"));
    connect(run, &QPushButton::clicked, this, [this] { this->run(); });
    connect(m_bar, &CorpusBar::corpusChanged, this, [this] { this->run(); });

    m_row = new QHBoxLayout;
    auto *top = new QHBoxLayout;
    top->addLayout(m_row, 1);
    top->addWidget(run);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_sourceLine, 1);
    bottom->addWidget(m_export);
    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_bar);
    m_layout->addLayout(top);
    m_layout->addWidget(m_list, 1);
    m_layout->addLayout(bottom);
}

void WordContextWindow::showRows(const std::vector<std::vector<Cell>> &rows,
                                 const QString &settings, const QString &empty) {
    m_list->clearRows();
    m_list->addRows(rows);
    m_settings = settings;
    m_sourceLine->setText(m_bar->choice().source.statusLine(rows.empty() ? empty : settings));
    m_export->setEnabled(!rows.empty());
}

void WordContextWindow::showError(const QString &message) {
    m_list->clearRows();
    m_settings.clear();
    m_sourceLine->setText(message);
    m_export->setEnabled(false);
}

std::string WordContextWindow::exportBytes() const {
    return ui::csvExport(m_bar->choice().source, m_settings, m_list->shownRows(true));
}

void WordContextWindow::exportList() {
    ui::exportWithDialog(this, m_fileName, QStringLiteral("CSV 檔 (*.csv)"), exportBytes());
}

// ConcordanceWindow -------------------------------------------------------------------------------

namespace {
// More lines than this are left out of the list (the export has them all).
constexpr std::size_t kShownLines = 20000;
} // namespace

ConcordanceWindow::ConcordanceWindow(CorpusRequest request, QWidget *parent)
    : WordContextWindow(QStringLiteral("語境檢索"), QStringLiteral("語境檢索.csv"),
                        {QStringLiteral("文本"), QStringLiteral("行"), QStringLiteral("左文"),
                         QStringLiteral("詞"), QStringLiteral("右文")},
                        std::move(request), parent) {
    setObjectName(QStringLiteral("frmconcord"));
    m_query = new QLineEdit(this);
    m_query->setObjectName(QStringLiteral("txtQuery"));
    m_query->setPlaceholderText(QStringLiteral("要查的詞"));
    m_kind = new QComboBox(this);
    for (MatchKind k : {MatchKind::Word, MatchKind::Substring, MatchKind::Regex})
        m_kind->addItem(kindName(k), static_cast<int>(k));
    m_width = spin(0, 200, 10, this);
    m_words = new QCheckBox(QStringLiteral("以詞計"), this);
    m_sort = new QComboBox(this);
    m_sort->setObjectName(QStringLiteral("cboSort"));
    const std::pair<QString, ContextSort> sorts[] = {
        {QStringLiteral("位置"), ContextSort::Position},
        {QStringLiteral("左一詞"), ContextSort::Left1},
        {QStringLiteral("左二詞"), ContextSort::Left2},
        {QStringLiteral("左三詞"), ContextSort::Left3},
        {QStringLiteral("右一詞"), ContextSort::Right1},
        {QStringLiteral("右二詞"), ContextSort::Right2},
        {QStringLiteral("右三詞"), ContextSort::Right3}};
    for (const auto &[caption, sort] : sorts)
        m_sort->addItem(caption, static_cast<int>(sort));
    QHBoxLayout *row = settingsRow();
    row->addWidget(m_query, 1);
    row->addWidget(m_kind);
    row->addWidget(new QLabel(QStringLiteral("寬度"), this));
    row->addWidget(m_width);
    row->addWidget(m_words);
    row->addWidget(new QLabel(QStringLiteral("排序"), this));
    row->addWidget(m_sort);
    connect(m_query, &QLineEdit::returnPressed, this, &ConcordanceWindow::run);
    setFocusProxy(m_query);
    connect(m_sort, &QComboBox::currentIndexChanged, this, &ConcordanceWindow::run);

    // The list and the dispersion view share the middle of the window.
    m_tabs = new QTabWidget(this);
    mainLayout()->replaceWidget(m_list, m_tabs);
    m_tabs->addTab(m_list, QStringLiteral("語境"));
    m_dispersion = new DispersionView(this);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_dispersion);
    scroll->setWidgetResizable(true);
    m_tabs->addTab(scroll, QStringLiteral("分布"));
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { activate(m_list->indexOfTopLevelItem(item)); });
    resize(sizeHint());
}

void ConcordanceWindow::lookUp(const QString &word) {
    m_query->setText(word);
    m_kind->setCurrentIndex(0);
    run();
}

void ConcordanceWindow::run() {
    const CorpusChoice &choice = m_bar->choice();
    if (!choice.corpus || m_query->text().isEmpty()) {
        showError(choice.corpus ? QStringLiteral("請輸入要查的詞。")
                                : QStringLiteral("請先選擇文本。"));
        return;
    }
    ConcordanceOptions options;
    options.width = m_width->value();
    options.widthInWords = m_words->isChecked();
    options.sort = static_cast<ContextSort>(m_sort->currentData().toInt());
    WordQuery query{m_query->text().toStdU16String(),
                    static_cast<MatchKind>(m_kind->currentData().toInt())};
    std::shared_ptr<const ConcordanceResult> result;
    try {
        result =
            std::make_shared<const ConcordanceResult>(concordance(*choice.corpus, query, options));
    } catch (const Error &e) {
        showError(QString::fromUtf8(e.what()));
        return;
    }
    m_result = result;
    m_resultCorpus = choice;
    std::vector<std::vector<Cell>> rows;
    const std::size_t shown = std::min(result->lines.size(), kShownLines);
    rows.reserve(shown);
    for (std::size_t i = 0; i < shown; ++i) {
        const ConcordanceLine &l = result->lines[i];
        // The row remembers its line through its place in the result (see activate).
        rows.push_back({ui::TextSortList::text(
                            QString::fromStdString(result->textNames[l.text]).section(u'/', -1)),
                        whole(l.line), ui::TextSortList::text(q(l.left)),
                        ui::TextSortList::text(q(l.match)), ui::TextSortList::text(q(l.right))});
    }
    QString settings = QStringLiteral("查詢 %1（%2）　寬度 %3 %4　排序 %5　共 %6 行")
                           .arg(m_query->text(), m_kind->currentText())
                           .arg(options.width)
                           .arg(options.widthInWords ? QStringLiteral("詞") : QStringLiteral("字"))
                           .arg(m_sort->currentText())
                           .arg(result->lines.size());
    if (shown < result->lines.size())
        settings += QStringLiteral("（列出前 %1 行，匯出全部）").arg(shown);
    showRows(rows, settings, QStringLiteral("查無「%1」。").arg(m_query->text()));
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        m_list->topLevelItem(i)->setData(0, Qt::UserRole + 1, i);
        m_list->topLevelItem(i)->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    static_cast<DispersionView *>(m_dispersion)->setResult(result);
}

void ConcordanceWindow::activate(int row) {
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    if (!item || !m_result)
        return;
    const auto index = static_cast<std::size_t>(item->data(0, Qt::UserRole + 1).toInt());
    if (index >= m_result->lines.size())
        return;
    const ConcordanceLine &line = m_result->lines[index];
    const CorpusText &text = m_resultCorpus.corpus->texts[line.text];
    emit lineActivated(line.text, text.starts[line.token], static_cast<quint32>(line.match.size()));
}

std::string ConcordanceWindow::exportBytes() const {
    std::vector<std::vector<std::u16string>> rows;
    rows.push_back({u"文本", u"行", u"左文", u"詞", u"右文"});
    if (m_result)
        for (const auto &l : m_result->lines)
            rows.push_back({fromUtf8(m_result->textNames[l.text]), report::decimalText(l.line),
                            l.left, l.match, l.right});
    return ui::csvExport(m_bar->choice().source, settingsLine(), rows);
}

// NgramWindow -------------------------------------------------------------------------------------

NgramWindow::NgramWindow(CorpusRequest request, QWidget *parent)
    : WordContextWindow(QStringLiteral("詞串"), QStringLiteral("詞串.csv"),
                        {QStringLiteral("詞串"), QStringLiteral("次數"), QStringLiteral("文本數")},
                        std::move(request), parent) {
    setObjectName(QStringLiteral("frmngram"));
    m_n = spin(2, 5, 2, this);
    m_n->setObjectName(QStringLiteral("spnN"));
    m_minFreq = spin(1, 1'000'000, 2, this);
    m_minRange = spin(1, 1'000'000, 1, this);
    m_around = new QLineEdit(this);
    m_around->setPlaceholderText(QStringLiteral("含某詞（可留空）"));
    QHBoxLayout *row = settingsRow();
    row->addWidget(new QLabel(QStringLiteral("詞數"), this));
    row->addWidget(m_n);
    row->addWidget(new QLabel(QStringLiteral("最少次數"), this));
    row->addWidget(m_minFreq);
    row->addWidget(new QLabel(QStringLiteral("最少文本數"), this));
    row->addWidget(m_minRange);
    row->addWidget(m_around, 1);
    connect(m_around, &QLineEdit::returnPressed, this, &NgramWindow::run);
    resize(sizeHint());
}

void NgramWindow::run() {
    const CorpusChoice &choice = m_bar->choice();
    if (!choice.corpus) {
        showError(QStringLiteral("請先選擇文本。"));
        return;
    }
    NgramOptions options;
    options.n = m_n->value();
    options.minFreq = m_minFreq->value();
    options.minRange = m_minRange->value();
    if (!m_around->text().isEmpty())
        options.around = WordQuery{m_around->text().toStdU16String(), MatchKind::Word};
    const NgramResult r = ngrams(*choice.corpus, options);
    std::vector<std::vector<Cell>> rows;
    rows.reserve(r.rows.size());
    for (const auto &row : r.rows)
        rows.push_back(
            {ui::TextSortList::text(q(row.words)), whole(row.frequency), whole(row.range)});
    QString settings = QStringLiteral("%1 詞詞串　最少次數 %2　最少文本數 %3")
                           .arg(options.n)
                           .arg(options.minFreq)
                           .arg(options.minRange);
    if (options.around)
        settings += QStringLiteral("　含「%1」").arg(m_around->text());
    settings += QStringLiteral("　共 %1 個").arg(r.rows.size());
    showRows(rows, settings, settings);
}

// CollocateWindow ---------------------------------------------------------------------------------

CollocateWindow::CollocateWindow(CorpusRequest request, QWidget *parent)
    : WordContextWindow(QStringLiteral("搭配詞"), QStringLiteral("搭配詞.csv"),
                        {QStringLiteral("搭配詞"), QStringLiteral("共現"), QStringLiteral("期望"),
                         QStringLiteral("MI"), QStringLiteral("t"), QStringLiteral("對數概似"),
                         QStringLiteral("左"), QStringLiteral("右"), QStringLiteral("詞頻")},
                        std::move(request), parent) {
    setObjectName(QStringLiteral("frmcollocate"));
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("txtWord"));
    m_word->setPlaceholderText(QStringLiteral("節點詞"));
    m_left = spin(0, 100, 4, this);
    m_right = spin(0, 100, 4, this);
    m_minFreq = spin(1, 1'000'000, 1, this);
    QHBoxLayout *row = settingsRow();
    row->addWidget(m_word, 1);
    row->addWidget(new QLabel(QStringLiteral("左"), this));
    row->addWidget(m_left);
    row->addWidget(new QLabel(QStringLiteral("右"), this));
    row->addWidget(m_right);
    row->addWidget(new QLabel(QStringLiteral("最少共現"), this));
    row->addWidget(m_minFreq);
    connect(m_word, &QLineEdit::returnPressed, this, &CollocateWindow::run);
    setFocusProxy(m_word);
    resize(sizeHint());
}

void CollocateWindow::lookUp(const QString &word) {
    m_word->setText(word);
    run();
}

void CollocateWindow::run() {
    const CorpusChoice &choice = m_bar->choice();
    if (!choice.corpus || m_word->text().isEmpty()) {
        showError(choice.corpus ? QStringLiteral("請輸入節點詞。")
                                : QStringLiteral("請先選擇文本。"));
        return;
    }
    CollocateOptions options;
    options.left = m_left->value();
    options.right = m_right->value();
    options.minFreq = m_minFreq->value();
    if (options.left + options.right == 0) {
        showError(QStringLiteral("左右至少要有一個詞的範圍。"));
        return;
    }
    const CollocateResult r =
        collocates(*choice.corpus, {m_word->text().toStdU16String(), MatchKind::Word}, options);
    std::vector<std::vector<Cell>> rows;
    rows.reserve(r.rows.size());
    for (const auto &row : r.rows)
        rows.push_back({ui::TextSortList::text(q(row.word)), whole(row.observed),
                        figure(row.expected), figure(row.mi), figure(row.tScore),
                        figure(row.logLikelihood), whole(row.leftCount), whole(row.rightCount),
                        whole(row.frequency)});
    const QString settings = QStringLiteral("節點詞 %1（%2 次）　範圍 左 %3 右 %4　最少共現 %5　"
                                            "共 %6 個搭配詞")
                                 .arg(m_word->text())
                                 .arg(r.nodeFrequency)
                                 .arg(options.left)
                                 .arg(options.right)
                                 .arg(options.minFreq)
                                 .arg(r.rows.size());
    showRows(rows, settings, settings);
}

// KeywordWindow -----------------------------------------------------------------------------------

KeywordWindow::KeywordWindow(CorpusRequest request, ReferenceRequest openCorpus, QWidget *parent)
    : WordContextWindow(QStringLiteral("關鍵詞"), QStringLiteral("關鍵詞.csv"),
                        {QStringLiteral("詞"), QStringLiteral("次數"), QStringLiteral("參考次數"),
                         QStringLiteral("對數概似"), QStringLiteral("對數比"), QStringLiteral("p"),
                         QStringLiteral("顯著")},
                        std::move(request), parent),
      m_openCorpus(std::move(openCorpus)) {
    setObjectName(QStringLiteral("frmkeyword"));
    m_referenceLabel = new QLabel(QStringLiteral("參考：（未選）"), this);
    m_referenceLabel->setObjectName(QStringLiteral("lblReference"));
    auto *table = new QPushButton(QStringLiteral("參考詞頻表…"), this);
    table->setObjectName(QStringLiteral("cmdReferenceTable"));
    auto *compared = new QPushButton(QStringLiteral("以比較分析的文本為參考"), this);
    compared->setObjectName(QStringLiteral("cmdReferenceCompare"));
    m_minFreq = spin(1, 1'000'000, 1, this);
    m_onlySignificant = new QCheckBox(QStringLiteral("只列顯著"), this);
    QHBoxLayout *row = settingsRow();
    row->addWidget(m_referenceLabel, 1);
    row->addWidget(table);
    row->addWidget(compared);
    row->addWidget(new QLabel(QStringLiteral("最少次數"), this));
    row->addWidget(m_minFreq);
    row->addWidget(m_onlySignificant);
    connect(table, &QPushButton::clicked, this, &KeywordWindow::chooseReferenceTable);
    connect(compared, &QPushButton::clicked, this, &KeywordWindow::referenceFromOpenTexts);
    connect(m_onlySignificant, &QCheckBox::toggled, this, &KeywordWindow::run);
    resize(sizeHint());
}

bool KeywordWindow::loadReferenceTable(const QString &path, QString *error) {
    try {
        compare::FrequencyCounts counts;
        const std::string name = path.toStdString();
        compare::addFrequencyTable(fromUtf8(doc::readFileBytes(name)), name, counts);
        setReference(WordCounts(counts.begin(), counts.end()), path);
        return true;
    } catch (const Error &e) {
        if (error)
            *error = QString::fromUtf8(e.what());
        return false;
    }
}

void KeywordWindow::setReference(WordCounts counts, const QString &name) {
    m_reference = std::move(counts);
    m_referenceName = name;
    m_referenceLabel->setText(QStringLiteral("參考：%1").arg(name.section(u'/', -1)));
    run();
}

void KeywordWindow::chooseReferenceTable() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("參考詞頻表"), QString(),
                                     QStringLiteral("詞頻表 (*.tsv *.txt);;所有檔案 (*)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!loadReferenceTable(path, &error))
        showError(error);
}

void KeywordWindow::referenceFromOpenTexts() {
    const auto reference = m_openCorpus ? m_openCorpus() : std::nullopt;
    if (!reference) {
        showError(QStringLiteral("比較分析還沒有比較過的文本：請先在「比較分析」加入文本並執行。"));
        return;
    }
    setReference(reference->first, reference->second);
}

void KeywordWindow::run() {
    const CorpusChoice &choice = m_bar->choice();
    if (!choice.corpus || m_reference.empty()) {
        showError(choice.corpus ? QStringLiteral("請選擇參考：詞頻表，或比較分析的文本。")
                                : QStringLiteral("請先選擇文本。"));
        return;
    }
    KeywordOptions options;
    options.minFreq = m_minFreq->value();
    const KeywordResult r = keywords(wordCounts(*choice.corpus), m_reference, options);
    const bool only = m_onlySignificant->isChecked();
    std::vector<std::vector<Cell>> rows;
    std::size_t significant = 0;
    for (const auto &row : r.rows) {
        significant += row.significant ? 1 : 0;
        if (only && !row.significant)
            continue;
        rows.push_back(
            {ui::TextSortList::text(q(row.word)), whole(row.frequency),
             whole(row.referenceFrequency), figure(row.logLikelihood), figure(row.logRatio),
             ui::TextSortList::number(QString::number(row.p, 'g', 3), row.p),
             ui::TextSortList::text(row.significant ? QStringLiteral("＊") : QString())});
    }
    const QString settings =
        QStringLiteral("參考 %1（%2 詞）　本文 %3 詞　比較 %4 詞，顯著（p < 0.05/%4）%5 詞")
            .arg(m_referenceName)
            .arg(r.referenceWords)
            .arg(r.corpusWords)
            .arg(r.comparisons)
            .arg(significant);
    showRows(rows, settings, settings);
}

} // namespace yuedu::concord
