#include "compare/comparewindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "article/profiletext.h"
#include "compare/corpus.h"
#include "langdata/datafingerprint.h"
#include "report/csv.h"
#include "ui/backgroundtask.h"
#include "ui/charts.h"
#include "ui/settings.h"

namespace yuedu::compare {
namespace {

const char16_t *const kGradeNames[kGradeGroups] = {u"一年級", u"二年級", u"三年級", u"四年級",
                                                   u"五年級", u"六年級", u"未出現"};
const char16_t *const kLevelNames[kUseLevels] = {u"一級", u"二級", u"三級", u"四級", u"五級",
                                                 u"六級", u"七級", u"八級", u"九級", u"十級"};
constexpr int kLengthFigure = 1;   // 全文長 among the profile figures
constexpr int kDistinctFigure = 2; // 字別數
constexpr int kGradeFigure = 10;   // 岷丘年級數

// What the table's header says for each column of columnNames(), in the same order: the core's
// captions, with the shares in per cent as the table shows them.
QStringList tableCaptions() {
    QStringList captions;
    for (const std::u16string &caption : compare::columnCaptions()) {
        QString c = QString::fromStdU16String(caption);
        c.replace(QStringLiteral("比例(0-1)"), QStringLiteral("%"));
        captions << c;
    }
    return captions;
}

// The reason a text was left out, in the user's language: the core's message names the path
// and the reason in English for the command line.
QString reasonText(const std::string &message) {
    const QString m = QString::fromStdString(message);
    const struct {
        const char *english;
        const char16_t *chinese;
    } reasons[] = {
        {"does not look like a text file", u"看來不是文字檔"},
        {"No such file", u"找不到檔案"},
        {"not found", u"找不到檔案"},
        {"Permission denied", u"沒有讀取權限"},
        {"out of memory", u"記憶體不足"},
        {"Is a directory", u"是資料夾，不是檔案"},
        {"encrypted", u"文件已加密"},
        {"too large", u"檔案過大"},
        {"damaged", u"檔案已損壞"},
    };
    for (const auto &r : reasons)
        if (m.contains(QLatin1String(r.english), Qt::CaseInsensitive))
            return QString::fromUtf16(r.chinese);
    return QStringLiteral("無法讀取");
}

// A note about how a text was read, in Chinese: the reading notes are English sentences for the
// command line (the document readers' own notes are Chinese already and pass through).
QString noteText(const std::string &note) {
    const QString n = QString::fromStdString(note);
    const struct {
        const char *english;
        const char16_t *chinese;
    } forms[] = {
        {R"(^read as (\S+); (\d+) invalid byte sequences were replaced with U\+FFFD$)",
         u"以 %1 讀入，%2 處無法解讀的位元組換成了「\uFFFD」"},
        {R"(^read as (\S+); the encoding is a guess \(choose one with --encoding\)$)",
         u"以 %1 讀入，編碼不易判斷，是推測的"},
        {R"(^read as GB18030 \(Simplified Chinese\); (\d+) hanzi have no record in the data)",
         u"以 GB18030（簡體中文）讀入，%1 個漢字在資料中沒有記錄"},
        {R"(^converted from Simplified to Traditional Chinese \((.+)\): (\d+) characters )"
         R"(changed, (\d+) hanzi without a record in the data remain$)",
         u"已轉為繁體（%1），%2 個字改寫；資料中沒有記錄的漢字 %3 個"},
    };
    for (const auto &form : forms) {
        const QRegularExpressionMatch m =
            QRegularExpression(QString::fromLatin1(form.english)).match(n);
        if (!m.hasMatch())
            continue;
        QString out = QString::fromUtf16(form.chinese);
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            out = out.arg(m.captured(i));
        return out;
    }
    return n;
}

// A short label of row i for the chart axes: its number and file name, since two texts may
// share a name.
QString shortName(std::size_t i, const std::string &name) {
    return QStringLiteral("%1 %2").arg(i + 1).arg(
        QFileInfo(QString::fromStdString(name)).fileName());
}

const QString kHeaderKey = QStringLiteral("tableHeader");
constexpr int kRowRole = Qt::UserRole + 1; // the row's place in the result

QStandardItem *numberItem(double value, const QString &text) {
    auto *item = new QStandardItem(text);
    item->setData(value, Qt::UserRole);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

CompareWindow::CompareWindow(const LanguageData &data, const seg::Lexicon &lexicon,
                             std::function<QVector<OpenText>()> openTexts, QWidget *parent)
    : ResultView({QStringLiteral("比較分析.csv"), QStringLiteral("CSV 檔 (*.csv)")}, parent),
      m_data(data), m_lexicon(lexicon), m_openTexts(std::move(openTexts)) {
    setObjectName(QStringLiteral("frmcompare"));
    setWindowTitle(QStringLiteral("比較分析"));

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("lsttexts"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    m_addOpen = button("cmdaddopen", QStringLiteral("加入開啟的文件"));
    m_addFiles = button("cmdaddfiles", QStringLiteral("加入檔案…"));
    m_addFolder = button("cmdaddfolder", QStringLiteral("加入資料夾…"));
    m_remove = button("cmdremove", QStringLiteral("移除"));
    m_run = button("cmdrun", QStringLiteral("開始比較"));
    m_stop = button("cmdcancel", QStringLiteral("取消"));
    m_export = exportButton(QStringLiteral("cmdexport"), QStringLiteral("匯出 CSV…"));
    m_poetry = new QCheckBox(QStringLiteral("詩歌類"), this);
    m_dialogue = new QCheckBox(QStringLiteral("對話類"), this);
    connect(m_addOpen, &QPushButton::clicked, this, &CompareWindow::addOpenTexts);
    connect(m_addFiles, &QPushButton::clicked, this, [this] {
        addPaths(QFileDialog::getOpenFileNames(
            this, QStringLiteral("加入檔案"), QString(),
            QStringLiteral("文字檔 (*.txt *.rtf *.rxt *.docx *.odt *.epub *.html *.htm *.pdf);;"
                           "所有檔案 (*)")));
    });
    connect(m_addFolder, &QPushButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("加入資料夾"));
        if (!dir.isEmpty())
            addPaths({dir});
    });
    connect(m_remove, &QPushButton::clicked, this, &CompareWindow::removeSelected);
    connect(m_run, &QPushButton::clicked, this, &CompareWindow::start);
    connect(m_stop, &QPushButton::clicked, this, &CompareWindow::cancel);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CompareWindow::updateButtons);

    auto *side = new QVBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(m_addOpen), static_cast<QWidget *>(m_addFiles),
                       static_cast<QWidget *>(m_addFolder), static_cast<QWidget *>(m_remove),
                       static_cast<QWidget *>(m_poetry), static_cast<QWidget *>(m_dialogue)})
        side->addWidget(w);
    side->addStretch();
    side->addWidget(m_run);
    side->addWidget(m_stop);
    auto *top = new QWidget;
    auto *topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(m_list, 1);
    topLayout->addLayout(side);

    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("prgcompare"));
    m_progress->setTextVisible(true);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("lblstatus"));
    m_status->setWordWrap(true);

    m_model = new QStandardItemModel(this);
    m_model->setSortRole(Qt::UserRole);
    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("tblcompare"));
    m_table->setModel(m_model);
    m_table->setSortingEnabled(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->horizontalHeader()->setToolTip(QStringLiteral("按右鍵可選擇顯示的欄位"));
    connect(m_table->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            &CompareWindow::chooseColumns);
    // Row numbers would change with every sort: the 文章 column names the row instead.
    m_table->verticalHeader()->hide();
    m_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_frozen = new QTableView(m_table);
    m_frozen->setObjectName(QStringLiteral("tblfrozen"));
    m_frozen->setModel(m_model);
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->setSelectionModel(m_table->selectionModel());
    m_frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A line at its right edge parts the names from the columns scrolled under it.
    m_frozen->setStyleSheet(
        QStringLiteral("QTableView { border: none; border-right: 1px solid palette(mid); }"));
    m_table->viewport()->stackUnder(m_frozen);
    m_table->installEventFilter(this);
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged,
            m_table->verticalScrollBar(), &QAbstractSlider::setValue);
    connect(m_table->verticalScrollBar(), &QAbstractSlider::valueChanged,
            m_frozen->verticalScrollBar(), &QAbstractSlider::setValue);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (section == 0) {
                    m_frozen->setColumnWidth(0, size);
                    placeFrozenColumn();
                }
                saveTableState();
            });
    connect(m_table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] {
        syncFrozenColumn();
        saveTableState();
    });
    connect(m_table->verticalHeader(), &QHeaderView::sectionResized, m_frozen,
            [this](int row, int, int size) { m_frozen->setRowHeight(row, size); });
    auto *tablePage = new QWidget;
    auto *tableLayout = new QVBoxLayout(tablePage);
    tableLayout->addWidget(m_table, 1);
    auto *exportRow = new QHBoxLayout;
    exportRow->addStretch();
    exportRow->addWidget(m_export);
    tableLayout->addLayout(exportRow);

    m_gradeChart = new ui::ChartPanel;
    m_levelChart = new ui::ChartPanel;
    m_scatterChart = new ui::ChartPanel;
    m_rankChart = new ui::ChartPanel;
    m_scatterX = new QComboBox;
    m_scatterX->addItems({QStringLiteral("全文長"), QStringLiteral("字別數")});
    connect(m_scatterX, &QComboBox::currentIndexChanged, this, &CompareWindow::fillScatter);
    m_rankText = new QComboBox;
    connect(m_rankText, &QComboBox::currentIndexChanged, this, &CompareWindow::fillRankChart);
    auto withChooser = [](QComboBox *chooser, const QString &label, ui::ChartPanel *panel) {
        auto *page = new QWidget;
        auto *layout = new QVBoxLayout(page);
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(label));
        row->addWidget(chooser);
        row->addStretch();
        layout->addLayout(row);
        layout->addWidget(panel, 1);
        return page;
    };

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("tabcompare"));
    m_tabs->addTab(tablePage, QStringLiteral("表格"));
    m_tabs->addTab(m_gradeChart, QStringLiteral("詞彙級別"));
    m_tabs->addTab(m_levelChart, QStringLiteral("通用級數"));
    m_logX = new QCheckBox(QStringLiteral("橫軸用對數座標"));
    m_logX->setObjectName(QStringLiteral("chklogx"));
    connect(m_logX, &QCheckBox::toggled, this, &CompareWindow::fillScatter);
    QWidget *scatterPage = withChooser(m_scatterX, QStringLiteral("橫軸："), m_scatterChart);
    static_cast<QHBoxLayout *>(
        static_cast<QVBoxLayout *>(scatterPage->layout())->itemAt(0)->layout())
        ->insertWidget(2, m_logX);
    m_tabs->addTab(scatterPage, QStringLiteral("年級散佈"));
    m_tabs->addTab(withChooser(m_rankText, QStringLiteral("文章："), m_rankChart),
                   QStringLiteral("詞頻與名次"));

    auto *bottom = new QWidget;
    auto *bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    bottomLayout->addLayout(progressRow);
    bottomLayout->addWidget(m_status);
    bottomLayout->addWidget(sourceLine());
    bottomLayout->addWidget(m_tabs, 1);

    auto *split = new QSplitter(Qt::Vertical);
    split->addWidget(top);
    split->addWidget(bottom);
    split->setStretchFactor(1, 3);
    split->setSizes({140, 500});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split);
    resize(900, 640);
    updateButtons();
}

CompareWindow::~CompareWindow() {
    // The worker reads the data and reports to this window: it must be done before they go.
    if (m_task) {
        m_cancel->store(true);
        ui::waitForTask(m_task);
    }
}

void CompareWindow::addPaths(const QStringList &paths) {
    std::vector<std::string> names;
    for (const QString &p : paths)
        names.push_back(p.toStdString());
    const CollectedTexts collected = collectTexts(names);
    for (const auto &file : collected.files) {
        m_sources.push_back({file, std::nullopt});
        m_list->addItem(QString::fromStdString(file));
    }
    QStringList problems;
    for (const auto &p : collected.problems)
        problems << QString::fromStdString(p.path) + (p.emptyFolder
                                                          ? QStringLiteral("：資料夾中沒有文字檔")
                                                          : QStringLiteral("：找不到或無法讀取"));
    if (!problems.isEmpty())
        m_status->setText(problems.join(u'\n'));
    updateButtons();
}

void CompareWindow::addOpenTexts() {
    if (!m_openTexts)
        return;
    const QVector<OpenText> texts = m_openTexts();
    if (texts.isEmpty()) {
        m_status->setText(QStringLiteral("目前沒有開啟的文件。"));
        return;
    }
    for (const OpenText &t : texts) {
        m_sources.push_back({t.name.toStdString(), t.text.toStdU16String()});
        m_list->addItem(t.name);
    }
    updateButtons();
}

void CompareWindow::removeSelected() {
    std::vector<int> rows;
    for (QListWidgetItem *item : m_list->selectedItems())
        rows.push_back(m_list->row(item));
    std::sort(rows.rbegin(), rows.rend());
    for (int r : rows) {
        delete m_list->takeItem(r);
        m_sources.erase(m_sources.begin() + r);
    }
    updateButtons();
}

void CompareWindow::updateButtons() {
    const bool running = isRunning();
    for (QWidget *w : {static_cast<QWidget *>(m_addOpen), static_cast<QWidget *>(m_addFiles),
                       static_cast<QWidget *>(m_addFolder), static_cast<QWidget *>(m_poetry),
                       static_cast<QWidget *>(m_dialogue)})
        w->setEnabled(!running);
    m_remove->setEnabled(!running && !m_list->selectedItems().isEmpty());
    m_run->setEnabled(!running && !m_sources.empty());
    m_stop->setEnabled(running);
    m_export->setEnabled(!running && !m_result->rows.empty());
}

void CompareWindow::start() {
    if (isRunning() || m_sources.empty())
        return;
    CompareOptions options;
    options.genre = {m_poetry->isChecked(), m_dialogue->isChecked()};
    const unsigned cores = std::thread::hardware_concurrency();
    options.jobs = cores > 0 ? static_cast<int>(cores) : 1;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_progress->setRange(0, static_cast<int>(m_sources.size()));
    m_progress->setValue(0);
    m_status->setText(QStringLiteral("比較中…"));
    ui::ResultSource source;
    source.time = QDateTime::currentDateTime();
    source.settings =
        QStringLiteral("體裁：") + QString::fromStdU16String(article::genreText(options.genre));
    source.dataVersion = QString::fromStdString(dataFingerprint(m_data));
    for (const TextSource &t : m_sources)
        source.texts << QString::fromStdString(t.name);
    source.name = m_sources.size() == 1
                      ? QString::fromStdString(m_sources.front().name)
                      : QStringLiteral("%1 篇文章").arg(static_cast<qulonglong>(m_sources.size()));
    // The worker gets its own copy of the list, so the user may change the list meanwhile, and
    // writes into a slot of its own; the window takes the result once the worker has ended.
    auto slot = std::make_shared<std::shared_ptr<const CompareResult>>();
    // The window waits for the worker before it goes, so the worker may post to it.
    m_task = ui::startBackgroundTask(
        this,
        [this, sources = m_sources, options, cancel = m_cancel, slot] {
            *slot = std::make_shared<const CompareResult>(compareTexts(
                m_data, m_lexicon, sources, options,
                [this](std::size_t done, std::size_t total, std::int64_t) {
                    QMetaObject::invokeMethod(
                        this, [this, done, total] { showProgress(done, total); },
                        Qt::QueuedConnection);
                },
                cancel.get()));
        },
        [this, slot, source] {
            m_task = nullptr;
            setResult(*slot, source);
            emit finished();
        });
    updateButtons();
}

void CompareWindow::cancel() {
    if (m_cancel)
        m_cancel->store(true);
}

void CompareWindow::showProgress(std::size_t done, std::size_t total) {
    m_progress->setValue(static_cast<int>(done));
    m_status->setText(QStringLiteral("已完成 %1 / %2 篇").arg(done).arg(total));
}

void CompareWindow::showResult() {
    const CompareResult &result = *m_result;
    QStringList lines;
    lines << (result.cancelled ? QStringLiteral("已取消：完成 %1 篇。")
                               : QStringLiteral("完成 %1 篇。"))
                 .arg(result.rows.size());
    for (const auto &f : result.failures)
        lines << QStringLiteral("未列入：%1（%2）")
                     .arg(QString::fromStdString(f.name), reasonText(f.message));
    // Doubts about how a file was read (a guessed encoding, Simplified Chinese, a conversion).
    for (const auto &row : result.rows)
        for (const auto &note : row.notes)
            lines << QStringLiteral("讀取說明：") + QString::fromStdString(row.name) +
                         QStringLiteral("：") + noteText(note);
    m_status->setText(lines.join(u'\n'));
    fillTable();
    fillCharts();
    updateButtons();
}

QString CompareWindow::totalsText() const {
    if (m_result->rows.empty() && m_result->failures.empty())
        return {};
    return QStringLiteral("文章 %1 篇").arg(static_cast<qulonglong>(m_result->rows.size()));
}

void CompareWindow::fillTable() {
    m_table->setSortingEnabled(false);
    m_model->clear();
    const auto names = columnNames();
    const QStringList captions = tableCaptions();
    m_model->setColumnCount(static_cast<int>(names.size()));
    for (int c = 0; c < static_cast<int>(names.size()); ++c) {
        auto *header =
            new QStandardItem(c < captions.size() ? captions[c] : QString::fromStdString(names[c]));
        header->setToolTip(QString::fromStdString(names[static_cast<std::size_t>(c)]));
        m_model->setHorizontalHeaderItem(c, header);
    }
    for (const TextRow &row : m_result->rows) {
        QList<QStandardItem *> items;
        auto *name = new QStandardItem(QString::fromStdString(row.name));
        name->setData(QString::fromStdString(row.name), Qt::UserRole);
        name->setToolTip(QString::fromStdString(row.name));
        name->setData(m_model->rowCount(), kRowRole);
        items << name;
        const QString genre = QString::fromStdU16String(article::genreText(row.genre));
        auto *genreItem = new QStandardItem(genre);
        genreItem->setData(genre, Qt::UserRole);
        items << genreItem;
        const std::vector<std::string> cells = rowCells(row);
        for (std::size_t i = 0; i < kProfileFigures; ++i) {
            if (!row.profile) {
                items << new QStandardItem;
                continue;
            }
            const std::optional<double> v = (*row.profile)[i];
            if (!v) {
                // No measurement, so no number: sorted after every figure.
                auto *none = new QStandardItem(
                    QString::fromStdU16String(std::u16string(article::kNoDataMark)));
                none->setToolTip(QString::fromStdU16String(std::u16string(article::kNoDataNote)));
                items << none;
                continue;
            }
            QStandardItem *item = numberItem(*v, QString::fromStdString(cells[i + 2]));
            if (static_cast<int>(i) == kGradeFigure && !row.gradeInRange) {
                item->setText(item->text() +
                              QString::fromStdU16String(std::u16string(article::kOutOfRangeMark)));
                item->setToolTip(QString::fromStdU16String(article::gradeRangeNote()));
            }
            items << item;
        }
        if (row.profile)
            items << numberItem(row.gradeInRange ? 1 : 0,
                                row.gradeInRange ? QStringLiteral("是") : QStringLiteral("否"));
        else
            items << new QStandardItem;
        items << numberItem(static_cast<double>(row.tokens), QString::number(row.tokens));
        items << numberItem(static_cast<double>(row.types), QString::number(row.types));
        items << numberItem(row.typeTokenRatio(), QString::number(row.typeTokenRatio(), 'f', 3));
        auto percent = [&](double share) {
            items << numberItem(share, QString::number(share * 100, 'f', 2));
        };
        for (int g = 0; g < kGradeGroups; ++g)
            percent(row.gradeShare(g));
        for (int k = 0; k < kUseLevels; ++k)
            percent(row.levelShare(k));
        percent(row.senseShare());
        items << new QStandardItem(QString::fromStdString(row.encoding));
        m_model->appendRow(items);
    }
    m_table->setSortingEnabled(true);
    m_table->resizeColumnsToContents();
    restoreTableState();
}

void CompareWindow::saveTableState() const {
    if (m_model->columnCount() > 0)
        ui::SaveSetting(QStringLiteral("compare"), kHeaderKey,
                        QString::fromLatin1(m_table->horizontalHeader()->saveState().toBase64()));
}

void CompareWindow::restoreTableState() {
    // Hidden columns, widths and the sort of the last run (or the last session) stay.
    const QByteArray state = QByteArray::fromBase64(
        ui::GetSetting(QStringLiteral("compare"), kHeaderKey, QString()).toLatin1());
    if (!state.isEmpty() && m_model->columnCount() > 0)
        m_table->horizontalHeader()->restoreState(state);
    m_table->setColumnHidden(0, false); // the text's name is never hidden
    syncFrozenColumn();
}

void CompareWindow::syncFrozenColumn() {
    // The 文章 column stays at the left: a second view over the same model shows only it,
    // laid over the table and scrolled with it.
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_frozen->setColumnHidden(c, true);
    m_frozen->setColumnHidden(0, false);
    m_frozen->setColumnWidth(0, m_table->columnWidth(0));
    m_frozen->horizontalHeader()->setSortIndicator(
        m_table->horizontalHeader()->sortIndicatorSection(),
        m_table->horizontalHeader()->sortIndicatorOrder());
    placeFrozenColumn();
}

void CompareWindow::placeFrozenColumn() {
    m_frozen->setGeometry(m_table->frameWidth(), m_table->frameWidth(),
                          m_table->columnWidth(0) + 1, // and its line
                          m_table->viewport()->height() + m_table->horizontalHeader()->height());
}

bool CompareWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_table && event->type() == QEvent::Resize)
        placeFrozenColumn();
    return ResultView::eventFilter(watched, event);
}

void CompareWindow::chooseColumns(const QPoint &at) {
    QMenu menu(this);
    for (int c = 1; c < m_model->columnCount(); ++c) {
        QAction *a = menu.addAction(m_model->horizontalHeaderItem(c)->text());
        a->setCheckable(true);
        a->setChecked(!m_table->isColumnHidden(c));
        connect(a, &QAction::toggled, this, [this, c](bool on) {
            m_table->setColumnHidden(c, !on);
            saveTableState();
        });
    }
    menu.exec(m_table->horizontalHeader()->mapToGlobal(at));
}

void CompareWindow::fillCharts() {
    const QString corpus = QStringLiteral("（") + source().describe() + QStringLiteral("）");
    auto select = [this](int row) { selectRow(row); };
    ui::StackedBars grades;
    grades.title = QStringLiteral("各級詞彙所佔比例") + corpus;
    grades.valueTitle = QStringLiteral("詞數 %");
    grades.clicked = select;
    ui::StackedBars levels;
    levels.title = QStringLiteral("各通用級數字所佔比例") + corpus;
    levels.valueTitle = QStringLiteral("字數 %");
    levels.clicked = select;
    for (auto name : kGradeNames)
        grades.segments << QString::fromUtf16(name);
    for (auto name : kLevelNames)
        levels.segments << QString::fromUtf16(name);
    grades.values.resize(kGradeGroups);
    levels.values.resize(kUseLevels);
    for (std::size_t i = 0; i < m_result->rows.size(); ++i) {
        const TextRow &row = m_result->rows[i];
        grades.categories << shortName(i, row.name);
        levels.categories << shortName(i, row.name);
        for (int g = 0; g < kGradeGroups; ++g)
            grades.values[g] << row.gradeShare(g) * 100;
        for (int k = 0; k < kUseLevels; ++k)
            levels.values[k] << row.levelShare(k) * 100;
    }
    const int height = ui::barChartHeight(static_cast<int>(m_result->rows.size()));
    m_gradeChart->setChart(ui::stackedBarChart(grades), height);
    m_levelChart->setChart(ui::stackedBarChart(levels), height);
    fillScatter();

    const QSignalBlocker blocker(m_rankText);
    m_rankText->clear();
    m_rankText->addItem(QStringLiteral("全部文章"));
    for (std::size_t i = 0; i < m_result->rows.size(); ++i)
        m_rankText->addItem(shortName(i, m_result->rows[i].name));
    fillRankChart();
}

void CompareWindow::fillScatter() {
    const bool byDistinct = m_scatterX->currentIndex() == 1;
    ui::Scatter scatter;
    scatter.title = QStringLiteral("岷丘年級數與") + m_scatterX->currentText() +
                    QStringLiteral("（") + source().describe() + QStringLiteral("）");
    scatter.xTitle = m_scatterX->currentText();
    scatter.yTitle = QStringLiteral("岷丘年級數");
    scatter.markedName = QStringLiteral("＊ 超出公式適用範圍");
    std::vector<int> rowOf;
    double xmin = 0, xmax = 0;
    for (std::size_t i = 0; i < m_result->rows.size(); ++i) {
        const TextRow &row = m_result->rows[i];
        if (!row.profile)
            continue;
        const auto x = (*row.profile)[byDistinct ? kDistinctFigure : kLengthFigure];
        const auto y = (*row.profile)[kGradeFigure];
        if (x && y) {
            scatter.points.push_back({QString::fromStdString(row.name), *x, *y, !row.gradeInRange});
            rowOf.push_back(static_cast<int>(i));
            xmin = rowOf.size() == 1 ? *x : std::min(xmin, *x);
            xmax = std::max(xmax, *x);
        }
    }
    // Lengths from a poem to a novel: a log axis is offered, and chosen for a wide spread.
    const bool wide = ui::spansOrdersOfMagnitude(xmin, xmax);
    if (m_logAxisChosenFor != m_result.get()) {
        const QSignalBlocker blocker(m_logX);
        m_logX->setChecked(wide);
        m_logAxisChosenFor = m_result.get();
    }
    scatter.logX = m_logX->isChecked();
    scatter.clicked = [this, rowOf](int point) {
        if (point >= 0 && static_cast<std::size_t>(point) < rowOf.size())
            selectRow(rowOf[static_cast<std::size_t>(point)]);
    };
    m_scatterChart->setChart(ui::scatterChart(scatter));
}

void CompareWindow::selectRow(int resultRow) {
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->item(r, 0) && m_model->item(r, 0)->data(kRowRole).toInt() == resultRow) {
            m_tabs->setCurrentIndex(0);
            m_table->selectRow(r);
            m_table->scrollTo(m_model->index(r, 0));
            return;
        }
}

void CompareWindow::fillRankChart() {
    const int pick = m_rankText->currentIndex();
    ui::RankFrequency rank;
    rank.title = QStringLiteral("詞頻與名次（對數座標）：") + m_rankText->currentText();
    auto countsOf = [](const FrequencyCounts &frequency) {
        std::vector<std::int64_t> counts;
        for (const auto &[word, count] : frequency)
            if (!word.empty())
                counts.push_back(count);
        return counts;
    };
    if (pick <= 0) {
        FrequencyCounts all;
        for (const TextRow &row : m_result->rows)
            for (const auto &[word, count] : row.frequency)
                all[word] += count;
        rank.names << QStringLiteral("全部文章");
        rank.counts.push_back(countsOf(all));
    } else if (static_cast<std::size_t>(pick) <= m_result->rows.size()) {
        rank.names << m_rankText->currentText();
        rank.counts.push_back(
            countsOf(m_result->rows[static_cast<std::size_t>(pick) - 1].frequency));
    }
    m_rankChart->setChart(ui::rankFrequencyChart(rank));
}

std::string CompareWindow::exportBytes() const {
    ui::ExportNotes notes;
    notes.totals = totalsText();
    notes.partial = m_result->cancelled;
    notes.partialReason = QStringLiteral("已取消");
    for (const Failure &f : m_result->failures)
        notes.leftOut.emplace_back(QString::fromStdString(f.name), reasonText(f.message));
    auto u16 = [](const std::string &s) { return QString::fromStdString(s).toStdU16String(); };
    std::vector<std::vector<std::u16string>> rows{compare::columnCaptions()};
    std::vector<std::u16string> names;
    for (const std::string &name : columnNames())
        names.push_back(u16(name));
    rows.push_back(std::move(names));
    for (const TextRow &row : m_result->rows) {
        std::vector<std::u16string> cells;
        for (const std::string &cell : rowCells(row))
            cells.push_back(u16(cell));
        rows.push_back(std::move(cells));
    }
    return ui::csvExport(source(), notes, rows);
}

} // namespace yuedu::compare
