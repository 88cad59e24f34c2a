#include "concord/wordstatistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

#include "common/errors.h"

namespace yuedu::concord {

// Clusters --------------------------------------------------------------------------------------

namespace {

constexpr int kMaxN = 5;
using GramKey = std::array<WordId, kMaxN>;

struct GramKeyHash {
    std::size_t operator()(const GramKey &k) const {
        std::uint64_t h = 1469598103934665603ULL;
        for (WordId w : k)
            h = (h ^ w) * 1099511628211ULL;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

struct GramCount {
    std::int64_t frequency = 0;
    std::int64_t range = 0;
    std::uint32_t lastText = UINT32_MAX;
};

} // namespace

NgramResult ngrams(const WordCorpus &corpus, const NgramOptions &options) {
    if (options.n < 2 || options.n > kMaxN)
        throw Error("a cluster has 2 to 5 words, not " + std::to_string(options.n));
    const std::size_t n = static_cast<std::size_t>(options.n);
    std::vector<bool> around;
    if (options.around)
        around = matchingWords(corpus, *options.around);

    std::unordered_map<GramKey, GramCount, GramKeyHash> counts;
    counts.reserve(static_cast<std::size_t>(corpus.tokens() / 4) + 16);
    for (std::uint32_t t = 0; t < corpus.texts.size(); ++t) {
        const CorpusText &text = corpus.texts[t];
        // run: how many words in a row up to i stand without a break between them.
        std::size_t run = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            run = (i == 0 || text.breakBefore[i]) ? 1 : run + 1;
            if (run < n)
                continue;
            const std::size_t from = i + 1 - n;
            GramKey key;
            key.fill(UINT32_MAX);
            bool holds = !options.around;
            for (std::size_t k = 0; k < n; ++k) {
                key[k] = text.words[from + k];
                if (!holds && around[key[k]])
                    holds = true;
            }
            if (!holds)
                continue;
            GramCount &c = counts[key];
            ++c.frequency;
            if (c.lastText != t) {
                c.lastText = t;
                ++c.range;
            }
        }
    }

    NgramResult result;
    result.options = options;
    result.texts = corpus.texts.size();
    for (const auto &[key, count] : counts) {
        if (count.frequency < options.minFreq || count.range < options.minRange)
            continue;
        NgramRow row;
        for (std::size_t k = 0; k < n; ++k) {
            if (k)
                row.words += u' ';
            row.words += corpus.word(key[k]);
        }
        row.frequency = count.frequency;
        row.range = count.range;
        result.rows.push_back(std::move(row));
    }
    std::sort(result.rows.begin(), result.rows.end(), [](const NgramRow &a, const NgramRow &b) {
        if (a.frequency != b.frequency)
            return a.frequency > b.frequency;
        if (a.range != b.range)
            return a.range > b.range;
        return a.words < b.words;
    });
    return result;
}

// Collocates ------------------------------------------------------------------------------------

namespace {

double xlnx(double o, double e) {
    return o > 0 && e > 0 ? o * std::log(o / e) : 0.0;
}

} // namespace

CollocateResult collocates(const WordCorpus &corpus, const WordQuery &node,
                           const CollocateOptions &options) {
    CollocateResult result;
    result.query = node;
    result.options = options;
    result.corpusWords = corpus.tokens();
    const std::vector<bool> isNode = matchingWords(corpus, node);
    const std::int64_t left = std::max(options.left, 0);
    const std::int64_t right = std::max(options.right, 0);

    std::vector<std::int64_t> leftCounts(corpus.wordCount(), 0), rightCounts(corpus.wordCount(), 0);
    for (const CorpusText &text : corpus.texts) {
        const std::int64_t size = static_cast<std::int64_t>(text.size());
        for (std::int64_t i = 0; i < size; ++i) {
            if (!isNode[text.words[static_cast<std::size_t>(i)]])
                continue;
            ++result.nodeFrequency;
            for (std::int64_t j = std::max<std::int64_t>(i - left, 0); j < i; ++j)
                ++leftCounts[text.words[static_cast<std::size_t>(j)]];
            for (std::int64_t j = i + 1; j <= std::min(i + right, size - 1); ++j)
                ++rightCounts[text.words[static_cast<std::size_t>(j)]];
        }
    }

    const double n = static_cast<double>(result.corpusWords);
    const double span = static_cast<double>(left + right);
    const double slots = static_cast<double>(result.nodeFrequency) * span;
    for (WordId id = 0; id < corpus.wordCount(); ++id) {
        const std::int64_t observed = leftCounts[id] + rightCounts[id];
        if (observed == 0 || observed < options.minFreq)
            continue;
        CollocateRow row;
        row.word = corpus.word(id);
        row.observed = observed;
        row.leftCount = leftCounts[id];
        row.rightCount = rightCounts[id];
        row.frequency = corpus.count(id);
        const double o = static_cast<double>(observed);
        const double fc = static_cast<double>(row.frequency);
        row.expected = static_cast<double>(result.nodeFrequency) * fc * span / n;
        row.mi = std::log2(o / row.expected);
        row.tScore = (o - row.expected) / std::sqrt(o);
        const double o11 = o;
        const double o12 = std::max(slots - o, 0.0);
        const double o21 = std::max(fc - o, 0.0);
        const double o22 = std::max(n - slots - o21, 0.0);
        const double total = o11 + o12 + o21 + o22;
        const double r1 = o11 + o12, r2 = o21 + o22, c1 = o11 + o21, c2 = o12 + o22;
        row.logLikelihood = 2 * (xlnx(o11, r1 * c1 / total) + xlnx(o12, r1 * c2 / total) +
                                 xlnx(o21, r2 * c1 / total) + xlnx(o22, r2 * c2 / total));
        result.rows.push_back(std::move(row));
    }
    std::sort(result.rows.begin(), result.rows.end(),
              [](const CollocateRow &a, const CollocateRow &b) {
                  if (a.observed != b.observed)
                      return a.observed > b.observed;
                  return a.word < b.word;
              });
    return result;
}

// Keywords --------------------------------------------------------------------------------------

WordCounts wordCounts(const WordCorpus &corpus) {
    WordCounts counts;
    for (WordId id = 0; id < corpus.wordCount(); ++id)
        counts.emplace(corpus.word(id), corpus.count(id));
    return counts;
}

double logLikelihood(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    if (c <= 0 || d <= 0 || a + b <= 0)
        return 0.0;
    const double A = static_cast<double>(a), B = static_cast<double>(b);
    const double C = static_cast<double>(c), D = static_cast<double>(d);
    const double e1 = C * (A + B) / (C + D);
    const double e2 = D * (A + B) / (C + D);
    const double ll = 2 * (xlnx(A, e1) + xlnx(B, e2));
    return A / C < B / D ? -ll : ll;
}

double logRatio(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    if (c <= 0 || d <= 0)
        return 0.0;
    const double A = a > 0 ? static_cast<double>(a) : 0.5;
    const double B = b > 0 ? static_cast<double>(b) : 0.5;
    return std::log2((A / static_cast<double>(c)) / (B / static_cast<double>(d)));
}

double chiSquareP(double statistic) {
    return statistic > 0 ? std::erfc(std::sqrt(statistic / 2)) : 1.0;
}

KeywordResult keywords(const WordCounts &corpus, const WordCounts &reference,
                       const KeywordOptions &options) {
    KeywordResult result;
    result.options = options;
    WordCounts both; // word → present; the union of the two lists
    for (const auto &[word, count] : corpus)
        if (!word.empty()) {
            result.corpusWords += count;
            both[word];
        }
    for (const auto &[word, count] : reference)
        if (!word.empty()) {
            result.referenceWords += count;
            both[word];
        }
    result.comparisons = both.size();
    const double threshold = 0.05 / static_cast<double>(std::max<std::size_t>(both.size(), 1));
    auto countIn = [](const WordCounts &list, const std::u16string &word) -> std::int64_t {
        const auto it = list.find(word);
        return it == list.end() ? 0 : it->second;
    };
    for (const auto &entry : both) {
        KeywordRow row;
        row.word = entry.first;
        row.frequency = countIn(corpus, row.word);
        row.referenceFrequency = countIn(reference, row.word);
        if (row.frequency < options.minFreq && row.referenceFrequency < options.minFreq)
            continue;
        row.logLikelihood = logLikelihood(row.frequency, row.referenceFrequency, result.corpusWords,
                                          result.referenceWords);
        row.logRatio = logRatio(row.frequency, row.referenceFrequency, result.corpusWords,
                                result.referenceWords);
        row.p = chiSquareP(std::abs(row.logLikelihood));
        row.significant = row.p < threshold;
        result.rows.push_back(std::move(row));
    }
    std::stable_sort(
        result.rows.begin(), result.rows.end(),
        [](const KeywordRow &a, const KeywordRow &b) { return a.logLikelihood > b.logLikelihood; });
    return result;
}

} // namespace yuedu::concord
