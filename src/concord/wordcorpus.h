#pragma once
// A corpus of texts cut into words, for looking words up in their contexts: every text keeps its
// characters, and every word occurrence the id of its word and where it stands in the text.
//
// Words are the pieces of segmented text as the word statistics cut them, so a word occurs here
// as often as the frequency list counts it (empty pieces are left out). A text that is already
// segmented (words each followed by two blanks, as the segmentation writes it) is cut as it
// stands; any other text is segmented first and its words found again in the text as read, so
// that contexts keep the punctuation and line breaks the segmentation passes over.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace yuedu::seg {
class PhraseDivider;
}

namespace yuedu::concord {

using WordId = std::uint32_t;

struct CorpusText {
    std::string name; // the path, or the name of a document open in the program
    bool segmented = false;
    // The text as read (a segmented text with its line feeds made CR LF), the words in order by
    // id, where each starts in the text, and whether anything but blanks and line breaks
    // (punctuation, digits, Latin letters) stands between a word and the one before: word
    // clusters do not run across it. The views look into storage, which a text kept between
    // runs has mapped from its file.
    std::u16string_view text;
    std::span<const WordId> words;
    std::span<const std::uint32_t> starts;
    std::span<const std::uint8_t> breakBefore;
    std::shared_ptr<const void> storage;

    std::size_t size() const { return words.size(); }
    // The 1-based line of a position of the text.
    std::int64_t lineOf(std::size_t position) const;

private:
    mutable std::vector<std::uint32_t> m_lineStarts;
};

// A text's own copy of what a CorpusText views.
struct OwnedText {
    std::u16string text;
    std::vector<WordId> words;
    std::vector<std::uint32_t> starts;
    std::vector<std::uint8_t> breakBefore;
};
// Views of owned, which the text then keeps.
CorpusText viewOf(std::string name, bool segmented, std::shared_ptr<const OwnedText> owned);

class WordCorpus {
public:
    std::vector<CorpusText> texts;

    // The word of an id, and the id of a word (if it occurs).
    const std::u16string &word(WordId id) const { return m_words[id]; }
    std::optional<WordId> find(std::u16string_view word) const;
    std::size_t wordCount() const { return m_words.size(); } // distinct words
    std::int64_t count(WordId id) const { return m_counts[id]; }
    std::int64_t tokens() const { return m_tokens; } // word occurrences of all texts

    // Adds a text whose words are ids of its own word table (local[id] is the word); the ids
    // are turned into the corpus's.
    void add(CorpusText text, const std::vector<std::u16string> &local);

private:
    WordId intern(const std::u16string &word);
    std::vector<std::u16string> m_words;
    std::unordered_map<std::u16string, WordId> m_ids;
    std::vector<std::int64_t> m_counts;
    std::int64_t m_tokens = 0;
};

// Whether a text reads as segmented text: it has double blanks, at least one for every four
// hanzi. Plain prose has at most one at the start of a paragraph.
bool looksSegmented(std::u16string_view text);

// Cuts one text into its words. A segmented text is cut as the frequency list cuts it; any other
// is first segmented with divider (which must then be given). local receives the text's own word
// table, the text's ids pointing into it.
CorpusText cutText(std::string name, std::u16string text, bool segmented,
                   const seg::PhraseDivider *divider, std::vector<std::u16string> &local);

// One text of a corpus: read from the file name, or (when text is set) the text itself.
struct CorpusSource {
    std::string name;
    std::optional<std::u16string> text;
};

struct CorpusFailure {
    std::string name;
    std::string message; // names the path and the reason
};

struct CorpusOptions {
    int jobs = 1;
    // Where the cut texts of files are kept between runs (empty: nowhere). A kept text is used
    // again while its file has the same size and time and dataStamp is unchanged.
    std::filesystem::path cacheDir;
    std::string dataStamp;
};

// The divider, made when the first text that needs segmenting comes (never twice).
using DividerFn = std::function<const seg::PhraseDivider &()>;
using CorpusProgressFn = std::function<void(std::size_t done, std::size_t total)>;

struct CorpusBuild {
    WordCorpus corpus;
    std::vector<CorpusFailure> failures; // in input order
    bool cancelled = false;
};

// Reads and cuts the texts on options.jobs threads; the corpus is the same for any number of
// threads (texts and word ids in input order). cancel is polled between texts.
CorpusBuild buildCorpus(const std::vector<CorpusSource> &sources, const CorpusOptions &options,
                        const DividerFn &divider, const CorpusProgressFn &progress = {},
                        const std::atomic<bool> *cancel = nullptr);

// A stamp of the data files in dir (names, sizes, times): what the segmentation depends on.
std::string dataStamp(const std::filesystem::path &dir);

// The folder for kept texts: $YUEDU_CACHE_DIR, else $XDG_CACHE_HOME/yuedu/words, else
// ~/.cache/yuedu/words; empty when none can be named.
std::filesystem::path defaultCacheDir();

} // namespace yuedu::concord
