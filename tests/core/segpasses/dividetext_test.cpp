// The passes inside the whole segmenter: the built-in word-class lists, a dictionary built from
// the words each case names, and every pass in its place in the chain.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "langdata/textcodec.h"
#include "segtestdata.h"

namespace yuedu::seg::testing {
namespace {

struct Case {
    const char *why;
    std::vector<std::string> dictionary;
    const char *text;
    const char *words; // the words of the result, separated by "|"
};

std::string segmentWords(const Case &c) {
    std::vector<std::u16string> words;
    for (const auto &w : c.dictionary)
        words.push_back(fromUtf8(w));
    const yuedu::testing::SegFixture fixture(words);
    return toUtf8(yuedu::testing::wordsOf(fixture.divide(fromUtf8(c.text))));
}

class PassesInTheSegmenter : public ::testing::TestWithParam<Case> {};

TEST_P(PassesInTheSegmenter, GiveTheExpectedWords) {
    EXPECT_EQ(segmentWords(GetParam()), GetParam().words) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, PassesInTheSegmenter,
    ::testing::Values(
        Case{"V來V去", {"我們"}, "我們跑來跑去。", "我們|跑來跑去"},
        Case{"V不C", {}, "他吃不了飯。", "他|吃不了|飯"},
        Case{"V了V before a dictionary word keeps V了",
             {"我們", "看書"},
             "我們看了看書。",
             "我們|看了|看書"},
        Case{"V了V", {"我們"}, "我們看了看書。", "我們|看了看|書"},
        Case{"V了 with a dictionary word VO", {"我們", "吃飯"}, "我們吃了飯。", "我們|吃了飯"},
        Case{"no V + 著 pair right after 上", {}, "書在桌上放著。", "書|在|桌|上|放|著"},
        Case{"V得 at the start of the text is left to the dictionary",
             {},
             "看得見山。",
             "看|得|見|山"}));

// Repeated characters: the first two, the first and the third (three characters from the end
// of the text), the last two.
INSTANTIATE_TEST_SUITE_P(
    Repeats, PassesInTheSegmenter,
    ::testing::Values(Case{"VV看", {}, "你試試看吧。", "你|試試看|吧"},
                      Case{"A不A", {}, "你是不是", "你|是不是"},
                      Case{"一 + doubled measure word", {}, "一條條魚", "一條條|魚"}));

INSTANTIATE_TEST_SUITE_P(
    TimeAndDirection, PassesInTheSegmenter,
    ::testing::Values(
        Case{"prefix + unit character", {"天氣"}, "今天天氣很好。", "今天|天氣|很|好"},
        Case{"prefix + unit word",
             {"我們", "公園"},
             "上禮拜我們去了公園。",
             "上禮拜|我們|去了|公園"},
        Case{"以後 near the end of the text", {"後退"}, "我以後退。", "我|以後|退"},
        Case{"以後 far from the end, before a verb word",
             {"後退"},
             "他們以後退了很多步。",
             "他|們|以|後退|了|很多步"},
        Case{"以後 far from the end, before no verb word",
             {},
             "他們以後退了很多步。",
             "他|們|以後|退了|很多步"}));

INSTANTIATE_TEST_SUITE_P(
    PositionAndAdverbs, PassesInTheSegmenter,
    ::testing::Values(Case{"noun + 子", {}, "桌子上有一本書。", "桌子|上|有|一本|書"},
                      Case{"noun + position character", {}, "書在桌上放著。", "書|在|桌|上|放|著"},
                      Case{"noun + position character as a dictionary word",
                           {"桌上"},
                           "書在桌上放著。",
                           "書|在|桌上|放|著"},
                      Case{"degree form", {}, "這本書好極了。", "這|本|書|好極了"},
                      Case{"three characters of a longer phrase",
                           {},
                           "請你待一會兒再走。",
                           "請|你|待一會|兒|再|走"},
                      Case{"adverb character + 是", {}, "你還是去吧。", "你|還是|去|吧"}));

// A paragraph of ordinary prose through every pass, compared as the whole result text: two
// blanks after every word, twelve words on the first line and thirteen on the next.
TEST(PassesInTheSegmenterParagraph, SegmentsOrdinaryProse) {
    const yuedu::testing::SegFixture fixture(
        {u"我們", u"公園", u"天氣", u"大家", u"出去", u"高興", u"覺得"});
    const std::u16string text = u"上禮拜我們在公園裡跑來跑去，玩得很高興。今天天氣不好，"
                                u"大家還是待一會兒再出去吧。\r\n"
                                u"桌子上有三本書，我看了看，覺得好極了。";
    const std::u16string expected =
        u"上禮拜  我們  在  公園  裡  跑來跑去  玩得  很  高興  今天  天氣  不  \r\n"
        u"好  大家  還是  待一會  兒  再  出去  吧  桌子  上  有  三本  書  \r\n"
        u"我  看了看  覺得  好極了  \r\n";
    EXPECT_EQ(toUtf8(fixture.divide(text)), toUtf8(expected));
}

// A divider that takes over the rule passes of another, for a lexicon with other user words,
// redoes what the user words change: their characters, first and second alike.
TEST(PassesInTheSegmenterTakenOver, TakeTheUserWordsOfTheirOwnLexicon) {
    const std::u16string users = u",電腦網路,資訊,";
    const yuedu::testing::SegFixture without({u"我們"});
    const yuedu::testing::SegFixture with({u"我們"}, users);
    Lexicon lexicon = Lexicon::builtIn();
    lexicon.UserWords = users;
    const PhraseDivider takenOver(without.divider(), lexicon);
    const std::u16string text = u"我們用電腦網路找資訊。";
    EXPECT_EQ(toUtf8(yuedu::testing::wordsOf(takenOver.DivideText(text))),
              "我們|用|電腦網路|找|資訊");
    EXPECT_EQ(takenOver.DivideText(text), with.divide(text));
}

} // namespace
} // namespace yuedu::seg::testing
