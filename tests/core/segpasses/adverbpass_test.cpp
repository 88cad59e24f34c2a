#include <gtest/gtest.h>

#include "passcontextdouble.h"
#include "segment/passes/adverbpass.h"

namespace yuedu::seg::testing {
namespace {

using namespace yuedu::testing;

const Lexicon &adverbLexicon() {
    static const Lexicon lex = [] {
        Lexicon l;
        l.StateAdjChars = charList("好壞多");
        l.NegationPartners = charList("過管論錯");
        l.AdverbWords = wordList({"非常", "已經", "不是"});
        l.AdverbPhrases = wordList({"待一會兒", "一點兒", "不用說"});
        l.AdverbChars = charList("還只就也");
        return l;
    }();
    return lex;
}

struct Case {
    const char *rest;
    const char *expected;
};

class Adverb : public ::testing::TestWithParam<Case> {};

TEST_P(Adverb, EmitsTheExpectedWord) {
    const Case &c = GetParam();
    EXPECT_EQ(emitted<AdverbPass>(adverbLexicon(), "他", c.rest), c.expected) << c.rest;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Adverb,
    ::testing::Values(Case{"好極了", "好極了"}, Case{"壞透了", "壞透了"},
                      Case{"好極的", ""}, // 了 must follow
                      Case{"來極了", ""}, // not a state adjective
                      Case{"不過來", "不過"}, Case{"不管他", "不管"},
                      Case{"不好看", ""}, // not a partner of 不
                      Case{"非常好", "非常"}, Case{"已經走", "已經"}, Case{"一點兒", "一點兒"},
                      Case{"不用說", "不用說"},
                      // Three characters inside a longer phrase count; 兒 is left for later.
                      Case{"待一會兒", "待一會"},
                      // Two characters inside a phrase are no adverb word.
                      Case{"用說了", ""}, Case{"還是你", "還是"}, Case{"只要你", "只要"},
                      Case{"就會來", "就會"}, Case{"還來了", ""}, Case{"也有了", "也有"}));

// Each later test replaces the length found before.
TEST(AdverbOrder, LaterTestReplacesEarlierLength) {
    Lexicon l;
    l.StateAdjChars = charList("好");
    l.AdverbChars = charList("好");
    EXPECT_EQ(emitted<AdverbPass>(l, "", "好極了"), "好極了");
    l.AdverbPhrases = wordList({"好極了嗎"});
    l.AdverbWords = wordList({"好極"});
    EXPECT_EQ(emitted<AdverbPass>(l, "", "好極了"), "好極了");
    l.AdverbPhrases = WordList();
    EXPECT_EQ(emitted<AdverbPass>(l, "", "好極了"), "好極");
    l.AdverbPhrases = wordList({"好是了"});
    EXPECT_EQ(emitted<AdverbPass>(l, "", "好是了"), "好是");
}

} // namespace
} // namespace yuedu::seg::testing
