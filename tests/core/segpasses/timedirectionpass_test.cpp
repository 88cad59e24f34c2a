#include <gtest/gtest.h>

#include "passcontextdouble.h"
#include "segment/passes/timedirectionpass.h"

namespace yuedu::seg::testing {
namespace {

using namespace yuedu::testing;

Lexicon timeLexicon() {
    Lexicon l;
    l.TimePrefixChars = charList("前去上昨今本明下來後");
    l.TimeUnitChars = WordList(fromUtf8("天\x01日\x01回\x01月\x01季\x01年"));
    l.TimeUnitWords = WordList(fromUtf8("會兒\x01禮拜\x01學期\x01年度\x01世紀"));
    l.AllWords = wordList({"凡是", "全是", "都是", "都有", "所有"});
    l.DirectionWords = wordList({"在上", "向前", "以前", "以後", "上面", "這兒"});
    l.VerbChars = charList("來進走");
    return l;
}

const Lexicon &lexicon() {
    static const Lexicon lex = timeLexicon();
    return lex;
}

struct Case {
    const char *why;
    const char *before;
    const char *rest;
    std::set<std::string> dictionary;
    const char *expected;
};

class TimeDirection : public ::testing::TestWithParam<Case> {};

TEST_P(TimeDirection, EmitsTheExpectedWord) {
    const Case &c = GetParam();
    EXPECT_EQ(emitted<TimeDirectionPass>(lexicon(), c.before, c.rest, c.dictionary), c.expected)
        << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Words, TimeDirection,
    ::testing::Values(
        Case{"prefix + unit character", "", "今天好", {}, "今天"},
        Case{"prefix + unit word", "", "上禮拜", {}, "上禮拜"},
        Case{"prefix + unit character overrides prefix + unit word", "", "今年度", {}, "今年"},
        Case{"quantifying word", "", "都是我", {}, "都是"},
        Case{"direction word", "他", "以後再說", {}, "以後"},
        Case{"a direction word inside a longer text", "我", "向前走", {}, "向前"},
        Case{"nothing of the kind", "", "我們好", {}, ""},
        Case{"a prefix alone", "", "今我們", {}, ""}));

INSTANTIATE_TEST_SUITE_P(
    VerbWordAfter, TimeDirection,
    ::testing::Values(
        Case{"以後 far from the end, before the verb word 後來",
             "",
             "以後來了很多的人",
             {"後來"},
             "以"},
        Case{"以後 near the end, before the verb word 後來", "他", "以後來", {"後來"}, "以後"},
        Case{"far from the end a verb word splits the prefix off",
             "",
             "以前進入學校的人",
             {"前進"},
             "以"},
        Case{"six characters after it are not far enough", "", "以前進入學校的", {"前進"}, "以前"},
        Case{"the pair must be a dictionary word", "", "以前進入學校的人", {}, "以前"},
        Case{"the pair must end in a verb", "", "以前面入學校的人", {"前面"}, "以前"},
        Case{"time words split the same way", "", "今天來了很多的人", {"天來"}, "今"},
        Case{"nothing to split when no rule held", "", "我前進入學校的人", {"前進"}, ""}));

// When a pair is both a direction word and the start of a time word, the direction word wins.
TEST(TimeDirectionOrder, DirectionWordOverridesThreeCharacterTimeWord) {
    Lexicon l = timeLexicon();
    EXPECT_EQ(emitted<TimeDirectionPass>(l, "", "上學期的"), "上學期");
    l.DirectionWords = wordList({"上學"});
    EXPECT_EQ(emitted<TimeDirectionPass>(l, "", "上學期的"), "上學");
}

} // namespace
} // namespace yuedu::seg::testing
