#pragma once
// Which candidate words of the open sources go into the segmentation dictionary.
//
// The segmenter matches greedily, longest word first, so a dictionary entry that is not a word
// but a word glued to a grammar character (就起來 = 就 + 起來, 一起到 = 一起 + 到) takes the
// characters of the real words around it. The chewing phrase list is curated, but as an input
// method list it also holds such compositions, because typing them whole is handy; the essay
// list is a corpus n-gram list and holds even more of them. The rules here keep them out (see
// data/README.md for the rules and the figures).
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "databuild/opensources.h"

namespace yuedu::databuild {

// Why a candidate word is left out, or Kept.
enum class WordVerdict : std::uint8_t {
    Kept,
    // chewing: two characters, a pronoun or adverb followed by a grammar character (我要, 也有),
    // a determiner followed by a measure word (這家, 每張), or a character followed by the
    // particle 的, 了, 嗎 or 啊 (好的, 看了, 好嗎)
    GrammarPair,
    // chewing: a grammar character before or after a word that is far more frequent alone
    // (就起來 = 就 + 起來, 一起到 = 一起 + 到, 我們的)
    GrammarComposition,
    // essay-only: begins or ends with a grammar character (的人, 給我)
    EssayGrammarEdge,
    // essay-only: begins with a numeral or a measure word before a word (一瓶, 座城市)
    EssayCountedWord,
    // essay-only: a word of the curated list with a frequent character or another word
    // glued on (看新聞 = 看 + 新聞, 專家提醒 = 專家 + 提醒)
    EssayTwoWords,
};
inline constexpr int kWordVerdicts = 6;

const char *verdictName(WordVerdict v);

// Characters by grammatical role, for the rules.
bool isPronounChar(char16_t c);
bool isAdverbChar(char16_t c);
// Characters that join a word only as grammar: particles, pronouns, adverbs, prepositions and
// coverbs, modal verbs, demonstratives, negations and 去.
bool isGrammarChar(char16_t c);
// Grammar characters that are never the last character of a word, only follow one: particles,
// 是有在到給和跟把被要都也就還很去來. (會, 地, 能 and the like are left out: they end nouns,
// as in 委員會, 山坡地, 太陽能.)
bool isGrammarTailChar(char16_t c);
bool isMeasureChar(char16_t c);
bool isNumeralChar(char16_t c);

struct WordFilterSettings {
    // A chewing composition (grammar character + word) stays when its frequency is at least
    // this share of the word's own frequency: then the word is mostly used inside it, and the
    // composition is a word of its own (不動產 beside 動產, 對不起 beside 不起).
    double compositionShare = 0.5;
    // A two-character chewing pair (see GrammarPair) stays from this frequency on (就是, 還是,
    // 還有, 才能, 這個, 各位, 除了, 為了, 真的); a pronoun pair never does.
    std::uint64_t grammarPairFrequency = 8000;
    // The characters counted as frequent in essay-only words: the first so many of the
    // character frequency order.
    std::size_t frequentChars = 600;
};

class WordFilter {
public:
    // chewing: the chewing phrases with their frequencies; frequencyOrder: characters by
    // descending corpus frequency.
    WordFilter(const std::vector<WeightedWord> &chewing,
               const std::vector<char16_t> &frequencyOrder, WordFilterSettings settings = {});

    WordVerdict chewingVerdict(std::u16string_view word, std::uint64_t frequency) const;
    WordVerdict essayVerdict(std::u16string_view word) const;

private:
    // Frequency of a chewing phrase, 0 when it is none.
    std::uint64_t chewingFrequency(std::u16string_view word) const;
    bool isFrequentChar(char16_t c) const;

    WordFilterSettings m_settings;
    std::unordered_map<std::u16string, std::uint64_t> m_chewing;
    std::unordered_map<char16_t, std::size_t> m_rank;
};

} // namespace yuedu::databuild
