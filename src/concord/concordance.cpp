#include "concord/concordance.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <numeric>

#include "common/errors.h"

namespace yuedu::concord {

std::vector<bool> matchingWords(const WordCorpus &corpus, const WordQuery &query) {
    std::vector<bool> match(corpus.wordCount(), false);
    switch (query.kind) {
    case MatchKind::Word:
        if (const auto id = corpus.find(query.pattern))
            match[*id] = true;
        break;
    case MatchKind::Substring:
        if (query.pattern.empty())
            break;
        for (WordId id = 0; id < corpus.wordCount(); ++id)
            match[id] = corpus.word(id).find(query.pattern) != std::u16string::npos;
        break;
    case MatchKind::Regex: {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parse{};
        const icu::UnicodeString pattern(query.pattern.data(),
                                         static_cast<int32_t>(query.pattern.size()));
        std::unique_ptr<icu::RegexPattern> re(
            icu::RegexPattern::compile(pattern, 0, parse, status));
        if (U_FAILURE(status))
            throw Error("the regular expression does not compile (" +
                        std::string(u_errorName(status)) + " at offset " +
                        std::to_string(parse.offset) + ")");
        std::unique_ptr<icu::RegexMatcher> matcher(re->matcher(status));
        for (WordId id = 0; id < corpus.wordCount() && U_SUCCESS(status); ++id) {
            const std::u16string &w = corpus.word(id);
            const icu::UnicodeString word(false, w.data(), static_cast<int32_t>(w.size()));
            matcher->reset(word);
            match[id] = matcher->matches(status);
        }
        if (U_FAILURE(status))
            throw Error("the regular expression cannot be matched (" +
                        std::string(u_errorName(status)) + ")");
        break;
    }
    }
    return match;
}

namespace {

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

std::u16string shown(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t &c : out)
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    return out;
}

// Where a context of width characters (code points) before at begins.
std::size_t charsBefore(std::u16string_view text, std::size_t at, int width) {
    std::size_t p = at;
    for (int k = 0; k < width && p > 0; ++k) {
        --p;
        if (p > 0 && isLowSurrogate(text[p]) && isHighSurrogate(text[p - 1]))
            --p;
    }
    return p;
}

std::size_t charsAfter(std::u16string_view text, std::size_t at, int width) {
    std::size_t p = at;
    for (int k = 0; k < width && p < text.size(); ++k) {
        ++p;
        if (p < text.size() && isLowSurrogate(text[p]) && isHighSurrogate(text[p - 1]))
            ++p;
    }
    return p;
}

} // namespace

ConcordanceResult concordance(const WordCorpus &corpus, const WordQuery &query,
                              const ConcordanceOptions &options) {
    ConcordanceResult result;
    result.query = query;
    result.options = options;
    const std::vector<bool> match = matchingWords(corpus, query);
    const int width = std::max(options.width, 0);
    for (std::uint32_t t = 0; t < corpus.texts.size(); ++t) {
        const CorpusText &text = corpus.texts[t];
        result.textNames.push_back(text.name);
        result.textWords.push_back(static_cast<std::int64_t>(text.size()));
        for (std::uint32_t i = 0; i < text.size(); ++i) {
            if (!match[text.words[i]])
                continue;
            const std::u16string &word = corpus.word(text.words[i]);
            const std::size_t start = text.starts[i];
            const std::size_t end = std::min(start + word.size(), text.text.size());
            std::size_t from, to;
            if (options.widthInWords) {
                from = text.starts[i >= static_cast<std::uint32_t>(width) ? i - width : 0];
                const std::size_t last =
                    std::min<std::size_t>(i + static_cast<std::size_t>(width), text.size() - 1);
                to = last > i ? std::min(text.starts[last] + corpus.word(text.words[last]).size(),
                                         text.text.size())
                              : end;
            } else {
                from = charsBefore(text.text, start, width);
                to = charsAfter(text.text, end, width);
            }
            ConcordanceLine line;
            line.text = t;
            line.token = i;
            line.line = text.lineOf(start);
            line.left = shown(text.text.substr(from, start - from));
            line.match = word;
            line.right = shown(text.text.substr(end, to - end));
            result.lines.push_back(std::move(line));
        }
    }
    if (options.sort == ContextSort::Position || result.lines.empty())
        return result;

    // Words compare by their rank in code-unit order, the order of the frequency list; a place
    // before the start or after the end of a text sorts first.
    std::vector<WordId> order(corpus.wordCount());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](WordId a, WordId b) { return corpus.word(a) < corpus.word(b); });
    std::vector<std::int64_t> rank(corpus.wordCount());
    for (std::size_t r = 0; r < order.size(); ++r)
        rank[order[r]] = static_cast<std::int64_t>(r);
    const bool left = options.sort == ContextSort::Left1 || options.sort == ContextSort::Left2 ||
                      options.sort == ContextSort::Left3;
    const int first = options.sort == ContextSort::Left1 || options.sort == ContextSort::Right1 ? 1
                      : options.sort == ContextSort::Left2 || options.sort == ContextSort::Right2
                          ? 2
                          : 3;
    // The key of a line: the word first-th to the side, then the next ones further out, three
    // in all; ties keep the order of position.
    constexpr int kKeyWords = 3;
    std::vector<std::array<std::int64_t, kKeyWords>> keys(result.lines.size());
    for (std::size_t l = 0; l < result.lines.size(); ++l) {
        const CorpusText &text = corpus.texts[result.lines[l].text];
        const std::int64_t at = result.lines[l].token;
        for (int k = 0; k < kKeyWords; ++k) {
            const std::int64_t p = left ? at - (first + k) : at + (first + k);
            keys[l][static_cast<std::size_t>(k)] =
                p >= 0 && p < static_cast<std::int64_t>(text.size())
                    ? rank[text.words[static_cast<std::size_t>(p)]]
                    : -1;
        }
    }
    std::vector<std::size_t> idx(result.lines.size());
    std::iota(idx.begin(), idx.end(), 0);
    std::stable_sort(idx.begin(), idx.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<ConcordanceLine> sorted;
    sorted.reserve(idx.size());
    for (std::size_t i : idx)
        sorted.push_back(std::move(result.lines[i]));
    result.lines = std::move(sorted);
    return result;
}

std::vector<std::int64_t> ConcordanceResult::hitsPerText() const {
    std::vector<std::int64_t> hits(textNames.size(), 0);
    for (const auto &line : lines)
        ++hits[line.text];
    return hits;
}

std::vector<std::vector<double>> ConcordanceResult::dispersion() const {
    std::vector<std::vector<double>> where(textNames.size());
    for (const auto &line : lines) {
        const std::int64_t words = textWords[line.text];
        where[line.text].push_back(
            words > 1 ? static_cast<double>(line.token) / static_cast<double>(words - 1) : 0.0);
    }
    for (auto &w : where)
        std::sort(w.begin(), w.end());
    return where;
}

bool parseContextSort(std::string_view name, ContextSort &sort) {
    static const std::pair<std::string_view, ContextSort> names[] = {
        {"pos", ContextSort::Position},  {"position", ContextSort::Position},
        {"left1", ContextSort::Left1},   {"left2", ContextSort::Left2},
        {"left3", ContextSort::Left3},   {"right1", ContextSort::Right1},
        {"right2", ContextSort::Right2}, {"right3", ContextSort::Right3}};
    for (const auto &[n, s] : names)
        if (n == name) {
            sort = s;
            return true;
        }
    return false;
}

} // namespace yuedu::concord
