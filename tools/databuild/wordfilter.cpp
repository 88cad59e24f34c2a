#include "databuild/wordfilter.h"

#include <algorithm>

namespace yuedu::databuild {
namespace {

constexpr std::u16string_view kPronouns = u"我你他她它牠您咱";
constexpr std::u16string_view kAdverbs = u"就也都還又才再很最太更越已將";
constexpr std::u16string_view kParticles = u"的了著過嗎呢吧啊呀啦嘛喔哦地得之";
// Prepositions and coverbs, modal verbs, demonstratives, negations, and 去 after a verb.
constexpr std::u16string_view kFunctionWords = u"在是有和跟與及把被給讓叫對從向往到"
                                               u"要會能想"
                                               u"這那哪此其該每某各"
                                               u"不沒別未"
                                               u"去";
constexpr std::u16string_view kTails =
    u"的了著過嗎呢吧啊呀啦嘛喔哦是有在到給和跟把被要都也就還很去來";
constexpr std::u16string_view kMeasures = u"個隻本條件張位次座部台輛間家匹頭棵朵片塊杯碗雙群種支枝"
                                          u"顆粒封篇首幅架艘盞把門所場項份道";
constexpr std::u16string_view kDeterminers = u"這那哪每各";
// Particles that end a sentence or a verb and form no word with the character before them.
constexpr std::u16string_view kPairEnds = u"的了嗎啊";
// Word-forming affixes: a frequent character in these places builds a word, not a phrase
// (小兔子, 老朋友, 鐵盒子, 科學家).
constexpr std::u16string_view kPrefixes = u"小大老阿";
constexpr std::u16string_view kSuffixes = u"子兒頭們家者性化員師人";
constexpr std::u16string_view kNumerals = u"一二三四五六七八九十百千萬兩幾";
// The edges of essay n-grams that glue grammar onto a word.
constexpr std::u16string_view kEssayGlue = u"的了著過嗎呢吧啊呀啦嘛喔哦們地得之"
                                           u"我你他她它您咱"
                                           u"就也都還又才再很最太更越已先"
                                           u"在是有和跟與及把被給讓叫對從向往為於"
                                           u"要想去"
                                           u"這那哪此其該每某各"
                                           u"不沒別未"
                                           u"個上下中裡";

bool in(std::u16string_view set, char16_t c) {
    return set.find(c) != std::u16string_view::npos;
}

} // namespace

const char *verdictName(WordVerdict v) {
    switch (v) {
    case WordVerdict::Kept:
        return "kept";
    case WordVerdict::GrammarPair:
        return "two characters, a grammar pair";
    case WordVerdict::GrammarComposition:
        return "grammar character with a more frequent word";
    case WordVerdict::EssayGrammarEdge:
        return "essay-only, grammar character at an edge";
    case WordVerdict::EssayCountedWord:
        return "essay-only, numeral or measure word in front";
    case WordVerdict::EssayTwoWords:
        return "essay-only, two words";
    }
    return "?";
}

bool isPronounChar(char16_t c) {
    return in(kPronouns, c);
}
bool isAdverbChar(char16_t c) {
    return in(kAdverbs, c);
}
bool isGrammarChar(char16_t c) {
    return in(kPronouns, c) || in(kAdverbs, c) || in(kParticles, c) || in(kFunctionWords, c);
}
bool isGrammarTailChar(char16_t c) {
    return in(kTails, c);
}
bool isMeasureChar(char16_t c) {
    return in(kMeasures, c);
}
bool isNumeralChar(char16_t c) {
    return in(kNumerals, c);
}

WordFilter::WordFilter(const std::vector<WeightedWord> &chewing,
                       const std::vector<char16_t> &frequencyOrder, WordFilterSettings settings)
    : m_settings(settings) {
    for (const WeightedWord &w : chewing) {
        auto &f = m_chewing[w.word];
        f = std::max(f, w.weight);
    }
    for (std::size_t i = 0; i < frequencyOrder.size(); ++i)
        m_rank.emplace(frequencyOrder[i], i);
}

std::uint64_t WordFilter::chewingFrequency(std::u16string_view word) const {
    auto it = m_chewing.find(std::u16string(word));
    return it == m_chewing.end() ? 0 : it->second;
}

bool WordFilter::isFrequentChar(char16_t c) const {
    auto it = m_rank.find(c);
    return it != m_rank.end() && it->second < m_settings.frequentChars;
}

WordVerdict WordFilter::chewingVerdict(std::u16string_view word, std::uint64_t frequency) const {
    if (word.size() == 2) {
        const char16_t a = word[0], b = word[1];
        // Reduplications (太太) and pronoun pairs (你我) are words.
        if (a == b || isPronounChar(b))
            return WordVerdict::Kept;
        if (isPronounChar(a) && isGrammarChar(b))
            return WordVerdict::GrammarPair;
        const bool pair = (isAdverbChar(a) && isGrammarChar(b)) ||
                          (in(kDeterminers, a) && isMeasureChar(b)) || in(kPairEnds, b);
        return pair && frequency < m_settings.grammarPairFrequency ? WordVerdict::GrammarPair
                                                                   : WordVerdict::Kept;
    }
    if (word.size() < 3)
        return WordVerdict::Kept;
    // The more frequent of the words left when a grammar character is taken off either end.
    // Particles never begin a word of this kind (的確, 了解, 過去 are words).
    std::uint64_t inner = 0;
    if (isGrammarChar(word.front()) && !in(kParticles, word.front()))
        inner = chewingFrequency(word.substr(1));
    if (isGrammarTailChar(word.back()))
        inner = std::max(inner, chewingFrequency(word.substr(0, word.size() - 1)));
    if (inner > 0 &&
        static_cast<double>(frequency) < m_settings.compositionShare * static_cast<double>(inner))
        return WordVerdict::GrammarComposition;
    return WordVerdict::Kept;
}

WordVerdict WordFilter::essayVerdict(std::u16string_view word) const {
    if (in(kEssayGlue, word.front()) || in(kEssayGlue, word.back()))
        return WordVerdict::EssayGrammarEdge;
    if (isNumeralChar(word.front()))
        return WordVerdict::EssayCountedWord;
    if (word.size() < 3)
        return WordVerdict::Kept;
    if (isMeasureChar(word.front()) && chewingFrequency(word.substr(1)) > 0)
        return WordVerdict::EssayCountedWord;
    // A part is a chewing word, or a single frequent character that is not an affix there.
    auto part = [&](std::u16string_view p, std::u16string_view affixes) {
        return p.size() == 1 ? isFrequentChar(p[0]) && !in(affixes, p[0]) : chewingFrequency(p) > 0;
    };
    for (std::size_t cut = 1; cut < word.size(); ++cut)
        if (part(word.substr(0, cut), kPrefixes) && part(word.substr(cut), kSuffixes))
            return WordVerdict::EssayTwoWords;
    return WordVerdict::Kept;
}

} // namespace yuedu::databuild
