#include <gtest/gtest.h>

#include "passcontextdouble.h"
#include "segment/passes/verbcomplementpass.h"

namespace yuedu::seg::testing {
namespace {

using namespace yuedu::testing;

const Lexicon &verbLexicon() {
    static const Lexicon lex = [] {
        Lexicon l;
        l.VerbChars = charList("跑吃看走拿上下坐寫跳想進");
        l.NounChars = charList("桌書人飯門山們");
        l.StateAdjChars = charList("好乾快飽");
        l.ToVerbChars = charList("想看夢");
        l.PerceptionWords = wordList({"感覺", "看見"});
        l.DirComplWords = wordList({"上來", "回去", "起來"});
        l.ComplementChars = charList("來去著到過完了上下");
        return l;
    }();
    return lex;
}

struct Case {
    const char *why;
    const char *before; // the text before the scan position
    const char *rest;   // the text from the scan position on
    std::set<std::string> dictionary;
    const char *expected; // the words emitted, separated by a blank
};

class VerbComplement : public ::testing::TestWithParam<Case> {};

TEST_P(VerbComplement, EmitsTheExpectedWord) {
    const Case &c = GetParam();
    EXPECT_EQ(emitted<VerbComplementPass>(verbLexicon(), c.before, c.rest, c.dictionary),
              c.expected)
        << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, VerbComplement,
    ::testing::Values(
        Case{"V來V去 overrides the V來 pair", "我們", "跑來跑去玩", {}, "跑來跑去"},
        Case{"V來V去 is taken at the start of the text too", "", "跑來跑去", {}, "跑來跑去"},
        Case{"V上V下", "他", "跳上跳下", {}, "跳上跳下"},
        Case{"V不C with a complement character", "", "吃不了飯", {}, "吃不了"},
        Case{"V不C with a potential ending", "他", "拿不起來", {}, "拿不起來"},
        Case{"V得 + state adjective", "他", "跑得快", {}, "跑得快"},
        Case{"V不A不A pairs only the verb and 不", "我們", "吃不飽不飽", {}, "吃不"},
        Case{"V得C + directional ending is four characters", "他", "走得進去", {}, "走得進去"},
        Case{"directional complement word", "他", "走上來", {}, "走上來"},
        Case{"result word with 了 overrides the V完 pair", "他", "看完了", {}, "看完了"},
        Case{"state adjective + 了", "他", "吃飽了", {}, "吃飽了"},
        Case{"V了O where VO is a dictionary word", "他", "吃了飯", {"吃飯"}, "吃了飯"},
        Case{"V了O where VO is no word stays a pair (not here, too early)", "他", "吃了飯", {}, ""},
        Case{"上/下 + dictionary word", "他們", "上山了", {"上山"}, "上山"},
        Case{"V一V", "我們", "看一看", {}, "看一看"},
        Case{"V了V before a dictionary word keeps the V了 pair",
             "我們",
             "看了看書",
             {"看書"},
             "看了"},
        Case{"V了V with no dictionary word after it", "我們", "看了看書", {}, "看了看"},
        Case{"V一V before a dictionary word keeps nothing", "我們", "看一看書", {"看書"}, ""},
        // At the end of the text the lookup is of the repeated verb alone, which hits as soon as
        // some dictionary word begins with it.
        Case{"V一V at the end, a dictionary word begins with V", "我們", "看一看", {"看書"}, ""}));

INSTANTIATE_TEST_SUITE_P(
    Position, VerbComplement,
    ::testing::Values(
        Case{"V得 at the first position is left to later passes", "", "看得很", {}, ""},
        Case{"V得 at the second position is left to later passes", "我", "看得很", {}, ""},
        Case{"V得 from the third position on", "我們", "看得很", {}, "看得"},
        Case{"V得 right after 上", "我上", "看得很", {}, ""},
        Case{"V有 at the start of the text", "", "寫有字", {}, "寫有"},
        Case{"V有 at the second position", "他", "寫有字", {}, "寫有"},
        Case{"V有 right after a noun", "門", "寫有字", {}, ""},
        Case{"V有 two after a noun", "門上", "寫有字", {}, ""},
        Case{"上有 is never paired", "他", "上有山", {}, ""}));

INSTANTIATE_TEST_SUITE_P(
    AnyCharacter, VerbComplement,
    ::testing::Values(
        Case{"no verb, no pair", "我們", "紅得很", {"紅得"}, ""},
        Case{"到 after a to-verb that is no verb", "我", "夢到他", {}, "夢到"},
        Case{"到 after a to-verb, before a dictionary word", "我", "夢到了", {"到了"}, ""},
        Case{"到 at the end, a dictionary word begins with 到", "我", "夢到", {"到處"}, ""},
        Case{"到 after a to-verb overrides the result word 到了", "我們", "想到了", {}, "想到"},
        Case{"perception word + 到", "他", "感覺到冷", {}, "感覺到"},
        Case{"perception word + 到 before a dictionary word", "他", "感覺到處", {"到處"}, ""},
        Case{"no perception word", "他", "覺到冷", {}, ""}));

} // namespace
} // namespace yuedu::seg::testing
