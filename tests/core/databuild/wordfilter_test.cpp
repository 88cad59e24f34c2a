// The rules that keep compositions of grammar characters and words out of the segmentation
// dictionary, on a small word list with frequencies taken from the chewing phrase list.
#include <gtest/gtest.h>

#include <algorithm>

#include "databuild/dataset.h"
#include "databuild/wordfilter.h"
#include "langdata/big5.h"
#include "langdata/constants.h"
#include "langdata/textcodec.h"

using namespace yuedu;
using namespace yuedu::databuild;

namespace {

const std::vector<WeightedWord> kChewing = {
    {u"起來", 3246}, {u"一起", 6290}, {u"可以", 61525}, {u"知道", 18755}, {u"我們", 74537},
    {u"動產", 204},  {u"不起", 352},  {u"所以", 27522}, {u"委員", 20000}, {u"城市", 5000},
    {u"新聞", 4000}, {u"專家", 3000}, {u"提醒", 2000},  {u"大家", 9000},  {u"數據", 0},
    {u"兔子", 900},  {u"小兔", 100}};

// 看 and 吃 are frequent characters, 鑽 is not.
const std::vector<char16_t> kFrequencyOrder = [] {
    std::vector<char16_t> order(1000, u'〇');
    order[0] = u'看';
    order[1] = u'吃';
    order[2] = u'小';
    order[3] = u'子';
    order[999] = u'鑽';
    return order;
}();

WordFilter filter(WordFilterSettings settings = {}) {
    return WordFilter(kChewing, kFrequencyOrder, settings);
}

struct ChewingCase {
    const char16_t *word;
    std::uint64_t frequency;
    WordVerdict verdict;
};

} // namespace

TEST(WordFilter, ChewingPairsOfGrammarCharactersAreLeftOutUnlessFrequent) {
    const ChewingCase cases[] = {
        {u"我要", 11654, WordVerdict::GrammarPair}, // pronoun + modal
        {u"我的", 29607, WordVerdict::GrammarPair}, // pronoun pairs never stay
        {u"也有", 6980, WordVerdict::GrammarPair},  // adverb + grammar character
        {u"就是", 23667, WordVerdict::Kept},        // frequent enough to be a word
        {u"就是", 8000, WordVerdict::Kept},         // the threshold itself stays
        {u"就是", 7999, WordVerdict::GrammarPair},  // just below it
        {u"這家", 613, WordVerdict::GrammarPair},   // determiner + measure word
        {u"這個", 25909, WordVerdict::Kept},        //
        {u"看了", 2071, WordVerdict::GrammarPair},  // verb + particle
        {u"為了", 13586, WordVerdict::Kept},        //
        {u"好嗎", 1654, WordVerdict::GrammarPair},  //
        {u"太太", 1323, WordVerdict::Kept},         // reduplication
        {u"你我", 971, WordVerdict::Kept},          // two pronouns
        {u"我們", 74537, WordVerdict::Kept},        // 們 is no grammar character here
        {u"一起", 6289, WordVerdict::Kept},         //
        {u"起來", 10, WordVerdict::Kept},           // no grammar character at all
        {u"將來", 2557, WordVerdict::Kept},         // 來 does not end a pair
    };
    const WordFilter f = filter();
    for (const ChewingCase &c : cases)
        EXPECT_EQ(f.chewingVerdict(c.word, c.frequency), c.verdict)
            << toUtf8(c.word) << " " << c.frequency << " "
            << verdictName(f.chewingVerdict(c.word, c.frequency));
}

TEST(WordFilter, ChewingCompositionsStayOnlyWhenTheirWordIsMostlyUsedInThem) {
    const ChewingCase cases[] = {
        {u"就起來", 18, WordVerdict::GrammarComposition},    // 就 + 起來
        {u"一起到", 76, WordVerdict::GrammarComposition},    // 一起 + 到
        {u"才可以", 1261, WordVerdict::GrammarComposition},  // 才 + 可以
        {u"不知道", 4886, WordVerdict::GrammarComposition},  // 不 + 知道
        {u"我們的", 11183, WordVerdict::GrammarComposition}, // 我們 + 的
        {u"不動產", 2090, WordVerdict::Kept},                // 動產 is mostly 不動產
        {u"對不起", 1923, WordVerdict::Kept},                //
        {u"一起來", 3145, WordVerdict::Kept},                // exactly half of 一起
        {u"一起來", 3144, WordVerdict::GrammarComposition},  // just below half
        {u"委員會", 14829, WordVerdict::Kept},               // 會 ends nouns: no tail
        {u"之所以", 990, WordVerdict::Kept},                 // particles begin no composition
        {u"好起來", 5, WordVerdict::Kept},                   // 好 is no grammar character
        {u"就開始", 5, WordVerdict::Kept},                   // 開始 is no known word here
    };
    const WordFilter f = filter();
    for (const ChewingCase &c : cases)
        EXPECT_EQ(f.chewingVerdict(c.word, c.frequency), c.verdict)
            << toUtf8(c.word) << " " << c.frequency << " "
            << verdictName(f.chewingVerdict(c.word, c.frequency));
}

TEST(WordFilter, SettingsMoveTheThresholds) {
    WordFilterSettings keepAll;
    keepAll.compositionShare = 0;
    keepAll.grammarPairFrequency = 0;
    const WordFilter f = filter(keepAll);
    EXPECT_EQ(f.chewingVerdict(u"就起來", 18), WordVerdict::Kept);
    EXPECT_EQ(f.chewingVerdict(u"也有", 1), WordVerdict::Kept);
    EXPECT_EQ(f.chewingVerdict(u"我要", 1), WordVerdict::GrammarPair); // pronoun pairs never stay

    WordFilterSettings noFrequentChars;
    noFrequentChars.frequentChars = 0;
    EXPECT_EQ(filter(noFrequentChars).essayVerdict(u"看新聞"), WordVerdict::Kept);
    EXPECT_EQ(filter().essayVerdict(u"看新聞"), WordVerdict::EssayTwoWords);
}

TEST(WordFilter, EssayOnlyWordsThatAreFragmentsOrTwoWordsAreLeftOut) {
    const struct {
        const char16_t *word;
        WordVerdict verdict;
    } cases[] = {
        {u"的人", WordVerdict::EssayGrammarEdge},
        {u"給我", WordVerdict::EssayGrammarEdge},
        {u"要去", WordVerdict::EssayGrammarEdge},
        {u"看中", WordVerdict::EssayGrammarEdge},
        {u"一瓶", WordVerdict::EssayCountedWord},
        {u"兩本書", WordVerdict::EssayCountedWord},
        {u"座城市", WordVerdict::EssayCountedWord}, // measure word + known word
        {u"座談", WordVerdict::Kept},               // a measure character begins real words
        {u"看新聞", WordVerdict::EssayTwoWords},    // frequent character + word
        {u"新聞看", WordVerdict::EssayTwoWords},    // word + frequent character
        {u"專家提醒", WordVerdict::EssayTwoWords},  // word + word
        {u"鑽新聞", WordVerdict::Kept},             // 鑽 is not frequent
        {u"看吃", WordVerdict::Kept},               // two characters are never split
        {u"數據庫", WordVerdict::Kept},             // 庫 is not frequent
        {u"樓主", WordVerdict::Kept},
        {u"小兔子", WordVerdict::Kept},          // 小 and 子 are affixes there
        {u"兔子小", WordVerdict::EssayTwoWords}, // but 小 is no suffix
    };
    const WordFilter f = filter();
    for (const auto &c : cases)
        EXPECT_EQ(f.essayVerdict(c.word), c.verdict) << toUtf8(c.word);
}

TEST(ChildrensRankList, CommonCharactersLeadThenTheCorpusOrderWithoutRepeats) {
    using yuedu::constants::CommonCharList;
    // A corpus order in which 媽 comes late and 的 is not first.
    std::vector<char16_t> corpus = {u'國', u'的', u'政', u'媽'};
    for (int n = 0; n < 4000; ++n)
        corpus.push_back(yuedu::charOfOrdinal(n));
    const std::u16string rank = yuedu::databuild::childrensRankList(corpus);
    ASSERT_EQ(rank.size(), 3000u);
    EXPECT_EQ(rank.substr(0, CommonCharList().size()), CommonCharList());
    EXPECT_EQ(rank[498], u'政'); // 國, 的 and 媽 are already among the common characters
    EXPECT_LT(rank.find(u'媽'), 201u);
    std::u16string sorted = rank;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "no repeats";
}
