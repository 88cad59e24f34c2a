#include <gtest/gtest.h>

#include "passcontextdouble.h"
#include "segment/passes/positionpass.h"

namespace yuedu::seg::testing {
namespace {

using namespace yuedu::testing;

const Lexicon &positionLexicon() {
    static const Lexicon lex = [] {
        Lexicon l;
        l.NounChars = charList("桌石鳥門山");
        return l;
    }();
    return lex;
}

struct Case {
    const char *rest;
    std::set<std::string> dictionary;
    const char *expected;
};

class PositionWord : public ::testing::TestWithParam<Case> {};

TEST_P(PositionWord, EmitsTheExpectedWord) {
    const Case &c = GetParam();
    EXPECT_EQ(emitted<PositionPass>(positionLexicon(), "在", c.rest, c.dictionary), c.expected)
        << c.rest;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionWord,
    ::testing::Values(Case{"桌子上", {}, "桌子"}, Case{"石頭上", {}, "石頭"},
                      Case{"鳥兒飛", {}, "鳥兒"}, Case{"桌上有", {}, "桌"},
                      Case{"桌上有", {"桌上"}, "桌上"}, Case{"門外有", {}, "門"},
                      Case{"山裡有", {}, "山"}, Case{"山裏有", {"山裏"}, "山裏"},
                      // A suffix joins whether or not the pair is a dictionary word.
                      Case{"桌子上", {"桌面"}, "桌子"},
                      // A noun before anything else, and a non-noun before a position character.
                      Case{"桌椅上", {}, ""}, Case{"他上來", {"他上"}, ""}));

} // namespace
} // namespace yuedu::seg::testing
