#pragma once
// Word queries and the concordance: every occurrence of the words a query matches, with the
// context around it, the text and the line it stands in.
#include <cstdint>
#include <string>
#include <vector>

#include "concord/wordcorpus.h"

namespace yuedu::concord {

enum class MatchKind {
    Word,      // the word exactly
    Substring, // every word that holds the characters
    Regex,     // every word a regular expression (ICU syntax) matches as a whole
};

struct WordQuery {
    std::u16string pattern;
    MatchKind kind = MatchKind::Word;
};

// Which words of the corpus's word table the query matches (indexed by word id). Throws Error
// for a regular expression that does not compile, with ICU's reason.
std::vector<bool> matchingWords(const WordCorpus &corpus, const WordQuery &query);

enum class ContextSort { Position, Left1, Left2, Left3, Right1, Right2, Right3 };

struct ConcordanceOptions {
    int width = 10;            // context on each side
    bool widthInWords = false; // width counts words rather than characters
    ContextSort sort = ContextSort::Position;
};

struct ConcordanceLine {
    std::uint32_t text = 0;            // index into the corpus's texts
    std::uint32_t token = 0;           // the word's place among the text's words
    std::int64_t line = 0;             // 1-based line of the text
    std::u16string left, match, right; // line breaks and tabs shown as blanks
};

struct ConcordanceResult {
    WordQuery query;
    ConcordanceOptions options;
    std::vector<ConcordanceLine> lines;
    std::vector<std::string> textNames;  // of every text of the corpus, hits or not
    std::vector<std::int64_t> textWords; // words of each text, for where the hits fall

    // Hits per text, and where each hit falls in its text as a share (0 at its first word, 1 at
    // its last).
    std::vector<std::int64_t> hitsPerText() const;
    std::vector<std::vector<double>> dispersion() const;
};

ConcordanceResult concordance(const WordCorpus &corpus, const WordQuery &query,
                              const ConcordanceOptions &options);

// Sort names as the command line takes them ("pos", "left1" .. "right3").
bool parseContextSort(std::string_view name, ContextSort &sort);

} // namespace yuedu::concord
