#include "app/wordcontextcommands.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTreeWidget>
#include <thread>

#include "app/appcontext.h"
#include "app/documentwindow.h"
#include "app/longtask.h"
#include "app/mainwindow.h"
#include "app/richtextbox.h"
#include "compare/comparewindow.h"
#include "compare/corpus.h"
#include "segment/phrasedivider.h"

namespace yuedu::app {

using namespace concord;

namespace {

const QString kReading = QStringLiteral("正在讀入並斷詞，請稍候……");

// Double-clicking a line of a word box (one word a line) looks the word up.
class WordBoxWatcher : public QObject {
public:
    WordBoxWatcher(QPlainTextEdit *box, std::function<void(const QString &)> found)
        : QObject(box), m_box(box), m_found(std::move(found)) {
        box->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::MouseButtonDblClick)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QString word =
            m_box->cursorForPosition(mouse->position().toPoint()).block().text().trimmed();
        if (!word.isEmpty())
            m_found(word);
        return true;
    }

private:
    QPlainTextEdit *m_box;
    std::function<void(const QString &)> m_found;
};

} // namespace

WordContextCommands::WordContextCommands(MainWindow &main) : m_main(main) {}
WordContextCommands::~WordContextCommands() = default;

CorpusRequest WordContextCommands::request() {
    return [this](QWidget *parent, CorpusKind kind) { return corpus(parent, kind); };
}

template <typename W> W *WordContextCommands::show(QPointer<W> &window, std::function<W *()> make) {
    const bool made = !window;
    if (made) {
        window = make();
        startWith(window);
    }
    m_main.showChildWindow(window);
    window->setFocus();
    return window;
}

DocumentWindow *WordContextCommands::documentInFront() const {
    // The document in front, or the one last in front when a result window is.
    if (DocumentWindow *doc = m_main.activeDocument())
        return doc;
    return m_main.lastDocument();
}

void WordContextCommands::startWith(WordContextWindow *window) {
    if (window->corpusBar()->hasCorpus() || !documentInFront())
        return;
    if (auto choice = corpus(window, CorpusKind::ActiveDocument))
        window->corpusBar()->setCorpus(std::move(*choice));
}

void WordContextCommands::concordance() {
    show<ConcordanceWindow>(m_concordance, [this] {
        auto *w = new ConcordanceWindow(request());
        connect(w, &ConcordanceWindow::lineActivated, this,
                [this, w](quint32 text, quint32 start, quint32 length) {
                    showLine(w->resultCorpus(), text, start, length);
                });
        return w;
    });
}

void WordContextCommands::clusters() {
    show<NgramWindow>(m_ngrams, [this] { return new NgramWindow(request()); });
}

void WordContextCommands::collocates() {
    show<CollocateWindow>(m_collocates, [this] { return new CollocateWindow(request()); });
}

void WordContextCommands::keywords() {
    show<KeywordWindow>(m_keywords, [this] {
        return new KeywordWindow(
            request(), [this]() -> std::optional<std::pair<WordCounts, QString>> {
                // The texts 比較分析 compared last, their word counts summed.
                auto *compareWindow = m_main.mdiArea()->findChild<compare::CompareWindow *>();
                if (!compareWindow || compareWindow->rows().empty())
                    return std::nullopt;
                WordCounts counts;
                for (const auto &row : compareWindow->rows())
                    for (const auto &[word, count] : row.frequency)
                        counts[word] += count;
                return std::make_pair(
                    std::move(counts),
                    QStringLiteral("比較分析的 %1 個文本").arg(compareWindow->rows().size()));
            });
    });
}

std::optional<CorpusChoice> WordContextCommands::corpus(QWidget *parent, CorpusKind kind) {
    switch (kind) {
    case CorpusKind::ActiveDocument: {
        DocumentWindow *doc = documentInFront();
        if (!doc) {
            m_main.dialogs().message(parent, QStringLiteral("請先開啟檔案，並選取要分析的文字所在"
                                                            "的文件視窗。"));
            return std::nullopt;
        }
        app::RichTextBox *box = doc->textBox();
        ui::ResultSource source;
        source.time = QDateTime::currentDateTime();
        source.name = doc->filePath();
        if (source.name.isEmpty())
            source.name = doc->windowTitle();
        const QString whole = box->Text();
        source.selection = box->SelLength() > 0 && box->SelLength() < whole.size();
        const QString text = source.selection ? box->SelText() : whole;
        return corpusOfText(parent, text.toStdU16String(), std::move(source));
    }
    case CorpusKind::Files: {
        const QStringList paths = QFileDialog::getOpenFileNames(
            parent, QStringLiteral("選擇文本"), QString(),
            QStringLiteral("文字檔 (*.txt *.text *.rtf *.rxt *.docx *.odt *.epub *.html *.htm "
                           "*.pdf);;所有檔案 (*)"));
        if (paths.isEmpty())
            return std::nullopt;
        return corpusOfPaths(parent, paths);
    }
    case CorpusKind::Folder: {
        const QString dir = QFileDialog::getExistingDirectory(parent, QStringLiteral("選擇資料夾"));
        if (dir.isEmpty())
            return std::nullopt;
        return corpusOfPaths(parent, {dir});
    }
    case CorpusKind::OpenTexts:
        return std::nullopt;
    }
    return std::nullopt;
}

namespace {

// Builds the corpus off the user-interface thread; a cancelled build stops between texts.
std::optional<CorpusBuild> buildInBackground(QWidget *parent, AppContext &context,
                                             std::vector<CorpusSource> sources,
                                             CorpusOptions options, long long length) {
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    auto build = std::make_shared<CorpusBuild>();
    auto holder = std::make_shared<std::unique_ptr<seg::PhraseDivider>>();
    const LanguageData &data = context.data;
    const seg::Lexicon &lexicon = context.lexicon;
    const bool done =
        runLongTask(parent, length, kReading, [=, &data, &lexicon, sources = std::move(sources)] {
            *build = buildCorpus(
                sources, options,
                [&, holder]() -> const seg::PhraseDivider & {
                    *holder = std::make_unique<seg::PhraseDivider>(data, lexicon);
                    return **holder;
                },
                {}, cancel.get());
        });
    if (!done) {
        cancel->store(true);
        return std::nullopt;
    }
    return std::move(*build);
}

} // namespace

std::optional<CorpusChoice> WordContextCommands::corpusOfText(QWidget *parent, std::u16string text,
                                                              ui::ResultSource source) {
    std::vector<CorpusSource> sources{{source.name.toStdString(), std::move(text)}};
    const long long length = static_cast<long long>(sources.front().text->size());
    auto build = buildInBackground(parent, m_main.context(), std::move(sources), {}, length);
    if (!build || build->corpus.texts.empty())
        return std::nullopt;
    return CorpusChoice{std::make_shared<const WordCorpus>(std::move(build->corpus)),
                        std::move(source)};
}

std::optional<CorpusChoice> WordContextCommands::corpusOfPaths(QWidget *parent,
                                                               const QStringList &paths) {
    std::vector<std::string> names;
    for (const QString &p : paths)
        names.push_back(QDir::toNativeSeparators(p).toStdString());
    const compare::CollectedTexts collected = compare::collectTexts(names);
    QStringList problems;
    for (const auto &problem : collected.problems)
        problems << QString::fromStdString(problem.path + ": " + problem.message);
    std::vector<CorpusSource> sources;
    long long length = 0;
    for (const auto &file : collected.files) {
        sources.push_back({file, std::nullopt});
        length += QFileInfo(QString::fromStdString(file)).size();
    }
    if (sources.empty()) {
        m_main.dialogs().message(parent,
                                 QStringLiteral("沒有可讀的文本。\n") + problems.join(u'\n'));
        return std::nullopt;
    }
    CorpusOptions options;
    options.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    options.cacheDir = defaultCacheDir();
    options.dataStamp = dataStamp(m_main.context().dataDir);
    // Files are measured in bytes, a third of their characters or so.
    auto build =
        buildInBackground(parent, m_main.context(), std::move(sources), options, length / 3);
    if (!build)
        return std::nullopt;
    for (const auto &failure : build->failures)
        problems << QString::fromStdString(failure.message);
    if (!problems.isEmpty())
        m_main.dialogs().message(parent,
                                 QStringLiteral("下列文本未能讀入：\n") + problems.join(u'\n'));
    if (build->corpus.texts.empty())
        return std::nullopt;
    ui::ResultSource source;
    source.time = QDateTime::currentDateTime();
    source.name = paths.size() == 1 ? QDir::toNativeSeparators(paths.front())
                                    : QStringLiteral("%1 等 %2 個檔案或資料夾")
                                          .arg(QFileInfo(paths.front()).fileName())
                                          .arg(paths.size());
    return CorpusChoice{std::make_shared<const WordCorpus>(std::move(build->corpus)),
                        std::move(source)};
}

void WordContextCommands::lookUpWord(const QString &word,
                                     std::shared_ptr<const std::u16string> text,
                                     const ui::ResultSource &source) {
    concordance();
    if (text) {
        auto choice = corpusOfText(m_concordance, *text, source);
        if (!choice)
            return;
        // Set without running: the word is looked up next, once.
        QSignalBlocker block(m_concordance->corpusBar());
        m_concordance->corpusBar()->setCorpus(std::move(*choice));
    }
    m_concordance->lookUp(word);
}

void WordContextCommands::watchWords(QWidget *resultWindow,
                                     std::shared_ptr<const std::u16string> text,
                                     const ui::ResultSource &source) {
    if (!resultWindow || resultWindow->property("wordsWatched").toBool())
        return;
    resultWindow->setProperty("wordsWatched", true);
    // The text of the latest result, which the window keeps showing until the next run.
    auto latest =
        std::make_shared<std::pair<std::shared_ptr<const std::u16string>, ui::ResultSource>>(
            std::move(text), source);
    m_latest[resultWindow] = latest;
    auto found = [this, resultWindow](const QString &word) {
        const auto &l = m_latest[resultWindow];
        lookUpWord(word.section(u' ', 0, 0), l->first, l->second);
    };
    for (auto *list : resultWindow->findChildren<QTreeWidget *>())
        connect(list, &QTreeWidget::itemDoubleClicked, this, [found](QTreeWidgetItem *item) {
            // Word lists have the word in their first column; tree nodes have none.
            if (item->childCount() == 0 && !item->text(0).trimmed().isEmpty() &&
                !item->treeWidget()->inherits("yuedu::ui::ResultTree"))
                found(item->text(0).trimmed());
        });
    for (auto *box : resultWindow->findChildren<QPlainTextEdit *>())
        new WordBoxWatcher(box, found);
}

void WordContextCommands::updateWords(QWidget *resultWindow,
                                      std::shared_ptr<const std::u16string> text,
                                      const ui::ResultSource &source) {
    if (!resultWindow)
        return;
    watchWords(resultWindow, text, source);
    *m_latest[resultWindow] = {std::move(text), source};
}

void WordContextCommands::showLine(const CorpusChoice &corpus, std::uint32_t textIndex,
                                   std::uint32_t start, std::uint32_t length) {
    if (!corpus.corpus || textIndex >= corpus.corpus->texts.size())
        return;
    const CorpusText &text = corpus.corpus->texts[textIndex];
    const QString name = QString::fromStdString(text.name);
    // The document that holds the text: open under its file name, or opened now.
    auto find = [&]() -> DocumentWindow * {
        for (DocumentWindow *w : m_main.documents()) {
            const QString file = w->filePath();
            if ((!file.isEmpty() && QFileInfo(file) == QFileInfo(name)) || file == name ||
                (file.isEmpty() && w->windowTitle() == name))
                return w;
        }
        return nullptr;
    };
    DocumentWindow *doc = find();
    if (!doc && QFileInfo(name).isFile()) {
        m_main.openFiles({name});
        doc = find();
    }
    if (!doc) {
        m_main.dialogs().message(&m_main, QStringLiteral("找不到這一行所在的文件：%1").arg(name));
        return;
    }
    app::RichTextBox *box = doc->textBox();
    const QString all = box->Text();
    const QString word = QString::fromStdU16String(std::u16string(
        text.text.substr(start, std::min<std::size_t>(length, text.text.size() - start))));
    // The corpus may hold a selection or a text whose line ends were made CR LF: the word is
    // taken where it stands nearest to its place in the corpus.
    qsizetype at = start;
    if (all.mid(at, word.size()) != word) {
        const qsizetype after = all.indexOf(word, std::max<qsizetype>(0, at));
        const qsizetype before = all.lastIndexOf(word, std::min<qsizetype>(at, all.size()));
        if (after < 0 && before < 0)
            at = std::min<qsizetype>(at, all.size());
        else if (after < 0 || (before >= 0 && at - before <= after - at))
            at = before;
        else
            at = after;
    }
    if (auto *sub = qobject_cast<QMdiSubWindow *>(doc->parentWidget()))
        m_main.mdiArea()->setActiveSubWindow(sub);
    box->setSelection(static_cast<int>(at), static_cast<int>(word.size()));
    box->setFocus();
}

} // namespace yuedu::app
