#include "compare/comparison.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include "article/charrecord.h"
#include "article/profiletext.h"
#include "common/errors.h"
#include "common/workers.h"
#include "compare/corpus.h"
#include "langdata/scriptconvert.h"
#include "report/captions.h"
#include "report/numberformat.h"
#include "report/tsv.h"
#include "segment/phrasedivider.h"
#include "wordstats/frequency.h"
#include "wordstats/gradecode.h"
#include "wordstats/gradetree.h"
#include "wordstats/senses.h"
#include "wordstats/wordlist.h"

namespace yuedu::compare {
namespace {

using namespace wordstats;

double share(std::int64_t part, std::int64_t whole) {
    return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

// Distinct words of a merged list with a sense class, as the sense classes of its words say.
std::int64_t countSensed(const LanguageData &data, const FrequencyCounts &frequency) {
    std::int64_t n = 0;
    for (const auto &entry : frequency)
        n += senseClassOf(data, entry.first) != 0;
    return n;
}

// What every text is analysed with, made once for the whole comparison: the segmenter, the
// grade lists indexed and which detail fields the data fills.
struct Analysers {
    const LanguageData &data;
    const seg::PhraseDivider &divider;
    const GradeCoder coder;
    const article::DetailCoverage coverage;
};

// The word figures of a text from its words counted.
void wordFigures(const Analysers &with, const WordTally &words, TextRow &row) {
    for (const WordTally::Entry &w : words.sorted()) {
        row.frequency.emplace_hint(row.frequency.end(), w.word, w.count);
        if (w.word.empty())
            continue;
        row.tokens += w.count;
        ++row.types;
        // As VocabularyGrades sums its grade groups.
        if (const int node = gradeGroupNode(with.coder.gradeCode(w.word)); node >= 2)
            row.gradeTokens[static_cast<std::size_t>(node - 2)] += w.count;
        row.senseTypes += senseClassOf(with.data, w.word) != 0;
    }
}

// Blocks of segmented lines handed from the thread that segments to the one that counts; the
// first waits while the queue is full, so the text waiting to be counted stays small.
class LineQueue {
public:
    void push(std::u16string block) {
        std::unique_lock lock(m_lock);
        m_space.wait(lock, [this] { return m_blocks.size() < kMaxBlocks || m_stopped; });
        if (m_stopped)
            return;
        m_blocks.push_back(std::move(block));
        m_ready.notify_one();
    }
    // The counting thread gave up: nothing waits for room any more.
    void stop() {
        std::lock_guard lock(m_lock);
        m_stopped = true;
        m_space.notify_all();
    }
    void close() {
        std::lock_guard lock(m_lock);
        m_closed = true;
        m_ready.notify_one();
    }
    // The next block; false once the queue is closed and empty.
    bool pop(std::u16string &block) {
        std::unique_lock lock(m_lock);
        m_ready.wait(lock, [this] { return !m_blocks.empty() || m_closed; });
        if (m_blocks.empty())
            return false;
        block = std::move(m_blocks.front());
        m_blocks.pop_front();
        m_space.notify_one();
        return true;
    }

private:
    static constexpr std::size_t kMaxBlocks = 64;
    std::mutex m_lock;
    std::condition_variable m_ready, m_space;
    std::deque<std::u16string> m_blocks;
    bool m_closed = false;
    bool m_stopped = false;
};

// alongside: a second thread makes the profile and then counts the words the first one
// segments, which it takes over as they come; otherwise the words are counted line by line as
// the segmenter hands them out. Either way the segmented text is never held whole. The word
// statistics read the segmented text as the result document holds it, cut without the line
// breaks so that no word depends on where a line ends.
TextRow analyse(const Analysers &with, std::string name, std::u16string_view text,
                const article::ArticleGenre &genre, bool alongside) {
    TextRow row;
    row.name = std::move(name);
    row.genre = genre;

    article::ProfileResult profile;
    WordTally words;
    if (alongside) {
        LineQueue queue;
        std::exception_ptr failed;
        std::thread side([&] {
            try {
                profile = article::artprofile(with.data, text, genre, with.coverage);
                PieceStream pieces(words, false);
                std::u16string block;
                while (queue.pop(block))
                    pieces.write(block);
                pieces.finish();
            } catch (...) {
                failed = std::current_exception();
                queue.stop();
            }
        });
        try {
            constexpr std::size_t kBlock = std::size_t(1) << 16;
            std::u16string block;
            with.divider.DivideText(text, [&](std::u16string_view line) {
                block += line;
                if (block.size() >= kBlock) {
                    queue.push(std::move(block));
                    block.clear();
                }
            });
            queue.push(std::move(block));
        } catch (...) {
            queue.close();
            side.join();
            throw;
        }
        queue.close();
        side.join();
        if (failed)
            std::rethrow_exception(failed);
    } else {
        profile = article::artprofile(with.data, text, genre, with.coverage);
        PieceStream pieces(words, false);
        with.divider.DivideText(text, [&pieces](std::u16string_view line) { pieces.write(line); });
        pieces.finish();
    }
    wordFigures(with, words, row);

    if (profile.done()) {
        std::array<std::optional<double>, kProfileFigures> figures{};
        const auto &fields = article::profileFields();
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (!article::fieldHasNoData(fields[i], profile))
                figures[i] = profile.entry(fields[i].entry) / fields[i].divisor;
        row.profile = figures;
        row.gradeInRange = profile.gradeInRange();
        // The level shares are of the hanzi that have a level, that is a record.
        row.characters = profile.recordHanzi();
        for (int k = 0; k < kUseLevels; ++k)
            row.levelChars[static_cast<std::size_t>(k)] =
                static_cast<std::int64_t>(profile.entry(article::kLevel1Count + k));
    }
    return row;
}

using report::generalNumber;
using report::wholeNumber;

std::vector<std::string> wordCells(const TextRow &row) {
    std::vector<std::string> cells;
    cells.push_back(wholeNumber(row.tokens));
    cells.push_back(wholeNumber(row.types));
    cells.push_back(generalNumber(row.typeTokenRatio()));
    for (int g = 0; g < kGradeGroups; ++g)
        cells.push_back(generalNumber(row.gradeShare(g)));
    for (int k = 0; k < kUseLevels; ++k)
        cells.push_back(generalNumber(row.levelShare(k)));
    cells.push_back(generalNumber(row.senseShare()));
    return cells;
}

} // namespace

double TextRow::typeTokenRatio() const {
    return share(types, tokens);
}
double TextRow::gradeShare(int group) const {
    return share(gradeTokens[static_cast<std::size_t>(group)], tokens);
}
double TextRow::levelShare(int level) const {
    return share(levelChars[static_cast<std::size_t>(level)], characters);
}
double TextRow::senseShare() const {
    return share(senseTypes, types);
}

CompareResult compareTexts(const LanguageData &data, const seg::Lexicon &lexicon,
                           const std::vector<TextSource> &sources, const CompareOptions &options,
                           const ProgressFn &progress, const std::atomic<bool> *cancel) {
    const std::size_t total = sources.size();
    // Each text's outcome goes to its own slot, so the order of the output is the input order
    // however the threads interleave.
    std::vector<std::optional<TextRow>> rows(total);
    std::vector<std::optional<Failure>> failures(total);
    std::atomic<std::size_t> next{0};
    std::mutex progressLock;
    std::size_t done = 0;
    std::int64_t chars = 0;

    // One divider for all threads: building it indexes the dictionary, which costs as much
    // as analysing a few hundred short texts, and segmenting keeps no state in it.
    const seg::PhraseDivider divider(data, lexicon);
    const Analysers with{data, divider, GradeCoder(data), article::detailCoverage(data)};
    // Threads the texts leave idle make each text's profile beside the counting of its words.
    const bool alongside = static_cast<std::size_t>(std::max(options.jobs, 1)) > total;
    auto work = [&] {
        for (;;) {
            if (cancel && cancel->load())
                return;
            const std::size_t i = next.fetch_add(1);
            if (i >= total)
                return;
            const TextSource &source = sources[i];
            std::size_t length = 0;
            try {
                TextReading read;
                if (source.text) {
                    read.text = *source.text;
                    for (auto &note :
                         applyToTraditional(read.text, false, options.read.toTraditional))
                        read.notes.push_back(std::move(note.text));
                } else if (source.bytes) {
                    read = readTextBytes(*source.bytes, source.name, options.read);
                } else {
                    read = readTextDetailed(source.name, options.read);
                }
                length = read.text.size();
                rows[i] = analyse(with, source.name, read.text, options.genre, alongside);
                rows[i]->encoding = std::move(read.encoding);
                rows[i]->notes = std::move(read.notes);
            } catch (const Error &e) {
                failures[i] = Failure{source.name, e.what()};
            } catch (const std::bad_alloc &) {
                failures[i] = Failure{source.name, source.name + ": out of memory"};
            }
            std::lock_guard lock(progressLock);
            ++done;
            chars += static_cast<std::int64_t>(length);
            if (progress)
                progress(done, total, chars);
        }
    };

    runWorkers(options.jobs, total, work);

    CompareResult result;
    result.cancelled = cancel && cancel->load() && done < total;
    for (std::size_t i = 0; i < total; ++i) {
        if (rows[i])
            result.rows.push_back(std::move(*rows[i]));
        if (failures[i])
            result.failures.push_back(std::move(*failures[i]));
    }
    return result;
}

bool profileFigureSums(int i) {
    const int entry = article::profileFields()[static_cast<std::size_t>(i)].entry;
    return entry == article::kHanziCount || entry == article::kSentences ||
           entry == article::kSingleClauseSentences || entry == article::kClauses ||
           entry >= article::kLevel1Count;
}

CorpusTotals corpusTotals(const LanguageData &data, const std::vector<TextRow> &rows) {
    CorpusTotals totals;
    totals.texts = rows.size();
    TextRow &all = totals.all;
    all.name = "total";
    for (const TextRow &row : rows) {
        all.characters += row.characters;
        all.tokens += row.tokens;
        for (int g = 0; g < kGradeGroups; ++g)
            all.gradeTokens[static_cast<std::size_t>(g)] +=
                row.gradeTokens[static_cast<std::size_t>(g)];
        for (int k = 0; k < kUseLevels; ++k)
            all.levelChars[static_cast<std::size_t>(k)] +=
                row.levelChars[static_cast<std::size_t>(k)];
        for (const auto &[word, count] : row.frequency)
            all.frequency[word] += count;
        if (!row.profile)
            continue;
        for (std::size_t i = 0; i < kProfileFigures; ++i)
            if (profileFigureSums(static_cast<int>(i)) && (*row.profile)[i])
                totals.summedProfile[i] = totals.summedProfile[i].value_or(0) + *(*row.profile)[i];
    }
    for (const auto &entry : all.frequency)
        if (!entry.first.empty())
            ++all.types;
    all.senseTypes = countSensed(data, all.frequency);
    return totals;
}

void addFrequencyTable(std::u16string_view table, const std::string &source,
                       FrequencyCounts &counts) {
    std::size_t at = 0;
    std::int64_t line = 0;
    while (at < table.size()) {
        std::size_t end = table.find(u'\n', at);
        if (end == std::u16string_view::npos)
            end = table.size();
        std::u16string_view row = table.substr(at, end - at);
        at = end + 1;
        ++line;
        if (!row.empty() && row.back() == u'\r')
            row.remove_suffix(1);
        if (row.empty())
            continue;
        const std::size_t tab = row.find(u'\t');
        if (tab == std::u16string_view::npos)
            throw FormatError(source, "not a frequency table row (word, count, …)", line);
        std::u16string_view count = row.substr(tab + 1);
        count = count.substr(0, count.find(u'\t'));
        std::int64_t n = 0;
        bool digits = !count.empty() && count.size() <= 18;
        for (char16_t c : count) {
            if (c < u'0' || c > u'9') {
                digits = false;
                break;
            }
            n = n * 10 + (c - u'0');
        }
        if (!digits)
            throw FormatError(source, "the count is not a whole number", line);
        counts[report::tsvUnescape(row.substr(0, tab))] += n;
    }
}

wordstats::FrequencyResult frequencyResult(const FrequencyCounts &counts) {
    wordstats::FrequencyResult result;
    for (const auto &[word, count] : counts) {
        result.words.push_back({word, count});
        result.WordTotal += count;
    }
    return result;
}

std::vector<std::string> columnNames() {
    std::vector<std::string> names{"path", "genre"};
    for (const auto &field : article::profileFields())
        names.emplace_back(field.name);
    names.emplace_back("lorcf_in_range");
    for (const char *name : {"tokens", "types", "ttr"})
        names.emplace_back(name);
    for (const auto &group : report::gradeGroups())
        names.push_back(std::string(group.name) + "_share");
    for (const auto &level : report::useLevels())
        names.push_back(std::string(level.name) + "_share");
    names.emplace_back("sense_share");
    names.emplace_back("encoding");
    return names;
}

std::vector<std::u16string> columnCaptions() {
    std::vector<std::u16string> captions{u"文章", u"體裁"};
    for (const auto &field : article::profileFields())
        captions.emplace_back(field.label());
    captions.emplace_back(u"年級數在適用範圍");
    for (const char16_t *caption : {u"詞數", u"詞別數", u"詞別詞數比"})
        captions.emplace_back(caption);
    for (const auto &group : report::gradeGroups())
        captions.push_back(std::u16string(group.label) + u"詞比例(0-1)");
    for (const auto &level : report::useLevels())
        captions.push_back(u"通用" + std::u16string(level.label) + u"字比例(0-1)");
    captions.emplace_back(u"有詞義類別比例(0-1)");
    captions.emplace_back(u"編碼");
    return captions;
}

std::vector<std::string> rowCells(const TextRow &row) {
    std::vector<std::string> cells{row.name, std::string(article::genreName(row.genre))};
    for (std::size_t i = 0; i < kProfileFigures; ++i)
        cells.push_back(row.profile && (*row.profile)[i] ? report::exactNumber(*(*row.profile)[i])
                                                         : std::string());
    cells.push_back(row.profile ? (row.gradeInRange ? "true" : "false") : "");
    for (auto &cell : wordCells(row))
        cells.push_back(std::move(cell));
    cells.push_back(row.encoding);
    return cells;
}

std::vector<std::string> totalCells(const CorpusTotals &totals) {
    std::vector<std::string> cells{totals.all.name, std::string()};
    for (const auto &figure : totals.summedProfile)
        cells.push_back(figure ? report::exactNumber(*figure) : std::string());
    cells.emplace_back();
    for (auto &cell : wordCells(totals.all))
        cells.push_back(std::move(cell));
    cells.emplace_back();
    return cells;
}

} // namespace yuedu::compare
