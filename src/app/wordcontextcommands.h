#pragma once
// The commands of words in context (詞彙屬性 → 語境檢索, 詞串, 搭配詞, 關鍵詞): each window
// exists once; the corpus they look words up in is the active document (or its selection) or
// files and folders, cut into words behind a progress dialog that can be cancelled. A word
// double-clicked in the frequency, grade or sense window is looked up in the text that result
// came from; a concordance line double-clicked is shown in its document.
#include <QObject>
#include <QPointer>
#include <map>
#include <memory>
#include <optional>

#include "concord/concordwindows.h"

class QWidget;

namespace yuedu::app {

class DocumentWindow;
class MainWindow;

class WordContextCommands : public QObject {
    Q_OBJECT
public:
    explicit WordContextCommands(MainWindow &main);
    ~WordContextCommands() override;

    void concordance(); // 語境檢索
    void clusters();    // 詞串
    void collocates();  // 搭配詞
    void keywords();    // 關鍵詞

    // Looks word up in text (the text a word statistic was computed from).
    void lookUpWord(const QString &word, std::shared_ptr<const std::u16string> text,
                    const ui::ResultSource &source);
    // Makes the list, tree or word box of a result window look up a double-clicked word in the
    // text of that result.
    void watchWords(QWidget *resultWindow, std::shared_ptr<const std::u16string> text,
                    const ui::ResultSource &source);
    // The window shows a new result, of text.
    void updateWords(QWidget *resultWindow, std::shared_ptr<const std::u16string> text,
                     const ui::ResultSource &source);

    // A corpus of the kind asked for; nullopt when the user cancels or nothing can be read.
    std::optional<concord::CorpusChoice> corpus(QWidget *parent, concord::CorpusKind kind);
    // The corpus of a text, e.g. of a document.
    std::optional<concord::CorpusChoice> corpusOfText(QWidget *parent, std::u16string text,
                                                      ui::ResultSource source);
    std::optional<concord::CorpusChoice> corpusOfPaths(QWidget *parent, const QStringList &paths);

    concord::ConcordanceWindow *concordanceWindow() const { return m_concordance; }
    concord::NgramWindow *ngramWindow() const { return m_ngrams; }
    concord::CollocateWindow *collocateWindow() const { return m_collocates; }
    concord::KeywordWindow *keywordWindow() const { return m_keywords; }

private:
    template <typename W> W *show(QPointer<W> &window, std::function<W *()> make);
    // Gives a new window the active document as its corpus when there is one.
    void startWith(concord::WordContextWindow *window);
    DocumentWindow *documentInFront() const;
    void showLine(const concord::CorpusChoice &corpus, std::uint32_t text, std::uint32_t start,
                  std::uint32_t length);
    concord::CorpusRequest request();

    MainWindow &m_main;
    QPointer<concord::ConcordanceWindow> m_concordance;
    QPointer<concord::NgramWindow> m_ngrams;
    QPointer<concord::CollocateWindow> m_collocates;
    QPointer<concord::KeywordWindow> m_keywords;
    std::map<QWidget *,
             std::shared_ptr<std::pair<std::shared_ptr<const std::u16string>, ui::ResultSource>>>
        m_latest;
};

} // namespace yuedu::app
