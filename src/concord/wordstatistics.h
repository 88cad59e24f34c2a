#pragma once
// What words do together in a corpus: word clusters (n-grams) with their frequency and range,
// the collocates of a word with their association measures, and the keywords of a corpus
// against a reference frequency list.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "concord/concordance.h"
#include "concord/wordcorpus.h"

namespace yuedu::concord {

// Clusters --------------------------------------------------------------------------------------

struct NgramOptions {
    int n = 2;                       // words a cluster (2 to 5)
    std::int64_t minFreq = 1;        // occurrences at least
    std::int64_t minRange = 1;       // texts it occurs in at least
    std::optional<WordQuery> around; // only clusters holding a word the query matches
};

struct NgramRow {
    std::u16string words; // the words, separated by one blank
    std::int64_t frequency = 0;
    std::int64_t range = 0;
};

struct NgramResult {
    NgramOptions options;
    std::size_t texts = 0;
    std::vector<NgramRow> rows; // most frequent first, then by range, then by the words
};

// Clusters run within a text and never across punctuation or anything else that is not a word
// (see CorpusText::breakBefore). Throws Error for n outside 2..5.
NgramResult ngrams(const WordCorpus &corpus, const NgramOptions &options);

// Collocates ------------------------------------------------------------------------------------

struct CollocateOptions {
    int left = 4;             // words before the node word
    int right = 4;            // words after it
    std::int64_t minFreq = 1; // co-occurrences at least
};

// For a collocate c of the node word n, N words in the corpus, span S = left + right:
//   observed O   co-occurrences (c within the span around an occurrence of n, in the same text)
//   expected E = f(n) f(c) S / N
//   MI         = log2(O / E)
//   t          = (O − E) / √O
//   LL         = 2 Σ Oij ln(Oij / Eij) over the 2×2 table of the window slots W = f(n) S against
//                the rest of the corpus: O11 = O, O12 = W − O, O21 = f(c) − O,
//                O22 = N − W − O21, Eij = row total × column total / N (cells below zero as 0)
struct CollocateRow {
    std::u16string word;
    std::int64_t observed = 0, leftCount = 0, rightCount = 0;
    std::int64_t frequency = 0; // f(c) in the corpus
    double expected = 0, mi = 0, tScore = 0, logLikelihood = 0;
};

struct CollocateResult {
    WordQuery query;
    CollocateOptions options;
    std::int64_t nodeFrequency = 0;
    std::int64_t corpusWords = 0;
    std::vector<CollocateRow> rows; // most co-occurrences first, then by the word
};

CollocateResult collocates(const WordCorpus &corpus, const WordQuery &node,
                           const CollocateOptions &options);

// Keywords --------------------------------------------------------------------------------------

using WordCounts = std::map<std::u16string, std::int64_t>;

// Word counts of a corpus (the empty piece never occurs in it).
WordCounts wordCounts(const WordCorpus &corpus);

struct KeywordOptions {
    std::int64_t minFreq = 1; // in the corpus or in the reference, at least
};

// For a word with a occurrences among c words of the corpus and b among d of the reference:
//   LL        = 2 (a ln(a/E1) + b ln(b/E2)), E1 = c(a+b)/(c+d), E2 = d(a+b)/(c+d), 0 ln 0 = 0;
//               negative when a/c < b/d (the word is used less than in the reference)
//   log ratio = log2((a'/c) / (b'/d)), a zero count taken as 0.5
//   p         = the chance of |LL| or more under χ² with one degree of freedom
//   significant when p < 0.05 / m, m the number of words compared (Bonferroni)
struct KeywordRow {
    std::u16string word;
    std::int64_t frequency = 0, referenceFrequency = 0;
    double logLikelihood = 0, logRatio = 0, p = 1;
    bool significant = false;
};

struct KeywordResult {
    KeywordOptions options;
    std::int64_t corpusWords = 0, referenceWords = 0;
    std::size_t comparisons = 0;  // m
    std::vector<KeywordRow> rows; // by log-likelihood, highest first, then by the word
};

// The empty word of either list is left out.
KeywordResult keywords(const WordCounts &corpus, const WordCounts &reference,
                       const KeywordOptions &options);

double logLikelihood(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
double logRatio(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
double chiSquareP(double statistic); // one degree of freedom

} // namespace yuedu::concord
