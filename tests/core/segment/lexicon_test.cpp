// The word-class lists as stored, substring membership, and the user words.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "langdata/codepage950.h"
#include "langdata/textcodec.h"
#include "segment/lexicon.h"
#include "segtestdata.h"

using namespace yuedu;
using namespace yuedu::seg;
using yuedu::testing::SegFixture;
using yuedu::testing::wordsOf;

namespace {

std::size_t count(const std::u16string &s, char16_t c) {
    return std::count(s.begin(), s.end(), c);
}

} // namespace

TEST(Lexicon, ListsHaveTheirStoredSizesAndSeparators) {
    const Lexicon &lx = Lexicon::builtIn();
    struct Case {
        const char *name;
        const WordList &list;
        std::size_t length;     // characters of a character list, 0 for a word list
        std::size_t separators; // U+0001 in a word list
    };
    const Case cases[] = {
        {"NounChars", lx.NounChars, 1569, 0},
        {"VerbChars", lx.VerbChars, 881, 0},
        {"StateAdjChars", lx.StateAdjChars, 137, 0},
        {"MeasureChars", lx.MeasureChars, 366, 0},
        {"NumeralChars", lx.NumeralChars, 15, 0},
        {"QuantityChars", lx.QuantityChars, 6, 0},
        {"SuffixChars", lx.SuffixChars, 17, 0},
        {"TimePrefixChars", lx.TimePrefixChars, 10, 0},
        {"AdverbChars", lx.AdverbChars, 20, 0},
        {"NegationPartners", lx.NegationPartners, 13, 0},
        {"RedupAdjChars", lx.RedupAdjChars, 120, 0},
        {"RedupAdjChars2", lx.RedupAdjChars2, 120, 0},
        {"ErAdjChars", lx.ErAdjChars, 16, 0},
        {"ToVerbChars", lx.ToVerbChars, 99, 0},
        {"ComplementChars", lx.ComplementChars, 10, 0},
        {"QuantityWords", lx.QuantityWords, 0, 9},
        {"UnitWords", lx.UnitWords, 0, 31},
        {"TimeUnitChars", lx.TimeUnitChars, 0, 5},
        {"TimeUnitWords", lx.TimeUnitWords, 0, 4},
        {"AllWords", lx.AllWords, 0, 5},
        {"DirectionWords", lx.DirectionWords, 0, 129},
        {"AdverbWords", lx.AdverbWords, 0, 192},
        {"AdverbPhrases", lx.AdverbPhrases, 0, 18},
        {"AabbWords", lx.AabbWords, 0, 225},
        {"AbbStems", lx.AbbStems, 0, 289},
        {"AbabWords", lx.AbabWords, 0, 68},
        {"ALiAbWords", lx.ALiAbWords, 0, 17},
        {"PerceptionWords", lx.PerceptionWords, 0, 7},
        {"DirComplWords", lx.DirComplWords, 0, 13},
    };
    for (const auto &c : cases) {
        const auto &s = c.list.stored();
        if (c.length) {
            EXPECT_EQ(s.size(), c.length) << c.name;
            EXPECT_EQ(count(s, u'\u0001'), 0u) << c.name;
        } else {
            EXPECT_EQ(count(s, u'\u0001'), c.separators) << c.name;
        }
    }
}

TEST(Lexicon, OddEntriesAreKeptAsStored) {
    const Lexicon &lx = Lexicon::builtIn();
    EXPECT_NE(lx.AbbStems.stored().find(u"\u0001熱呼  熱騰\u0001"), std::u16string::npos);
    EXPECT_NE(lx.DirectionWords.stored().find(u"\u0001 這兒\u0001"), std::u16string::npos);
    EXPECT_NE(lx.DirectionWords.stored().find(u"\u0001望東望\u0001西\u0001"), std::u16string::npos);
    // Last entries without a separator.
    for (const WordList *l : {&lx.DirectionWords, &lx.AdverbWords, &lx.AabbWords, &lx.AbbStems,
                              &lx.AbabWords, &lx.ALiAbWords, &lx.TimeUnitChars, &lx.TimeUnitWords})
        EXPECT_NE(l->stored().back(), u'\u0001') << toUtf8(l->stored().substr(0, 4));
    EXPECT_EQ(lx.AdverbWords.stored().substr(lx.AdverbWords.stored().size() - 2), u"正要");
    EXPECT_EQ(lx.NounChars.stored().substr(0, 6), u"類國原人物蕉");
    EXPECT_EQ(lx.NounChars.stored().substr(1569 - 6), u"鑯鱮鱭鸐籯钁");
    EXPECT_EQ(lx.VerbChars.stored().substr(376, 4), u"停量透治");
}

TEST(Lexicon, MembershipIsBySubstring) {
    const Lexicon &lx = Lexicon::builtIn();
    struct Case {
        const WordList &list;
        std::u16string s;
        bool member;
    };
    const Case cases[] = {
        {lx.AdverbPhrases, u"待一會", true},  // part of 待一會兒
        {lx.AdverbPhrases, u"會兒有", false}, // across a separator
        {lx.TimeUnitWords, u"", true},        // the empty string
        {lx.NumeralChars, u"一二", true},     // adjacent characters of a character list
        {lx.NumeralChars, u"二一", false},
        {lx.DirectionWords, u"東望", true}, // inside the glued entry
        {lx.DirectionWords, u" 這", true},  // the blank before list 12
        {lx.AbbStems, u"呼  熱", true},
        {lx.UnitWords, u"公尺", true},
        {lx.UnitWords, u"尺公", false},
        {lx.AdverbWords, u"正要", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(InList(c.list, c.s), c.member) << toUtf8(c.s);
    EXPECT_FALSE(InList(WordList(), u""));
}

TEST(UserWords, EveryLineIsAnEntryFollowedByAComma) {
    EXPECT_EQ(userWordsFromText(u""), u",");
    EXPECT_EQ(userWordsFromText(u"甲乙\r\n丙丁"), u",甲乙,丙丁,");
    EXPECT_EQ(userWordsFromText(u"甲乙\n\n丙丁\n"), u",甲乙,,丙丁,");
    EXPECT_EQ(userWordsFromText(u"甲乙\r丙丁\r\n"), u",甲乙,丙丁,");
    EXPECT_EQ(userWordsFromText(u" 甲乙,丙丁 "), u", 甲乙,丙丁 ,"); // no trimming
}

class UserWordFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("yuedu-userword-" + std::to_string(::getpid()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    void write(std::string_view bytes) {
        std::ofstream(m_dir / "userword.apd", std::ios::binary) << bytes;
    }
    std::filesystem::path m_dir;
};

TEST_F(UserWordFile, MissingFileMeansNoUserWords) {
    EXPECT_EQ(LoadLexicon(m_dir).UserWords, u",");
    EXPECT_EQ(LoadLexicon(m_dir).NounChars.stored(), Lexicon::builtIn().NounChars.stored());
}

TEST_F(UserWordFile, ReadsBig5AndUtf8) {
    write(CodePage950::instance().encode(u"電腦網路\r\n資訊\r\n"));
    EXPECT_EQ(LoadLexicon(m_dir).UserWords, u",電腦網路,資訊,");
    write(toUtf8(u"電腦網路\n資訊"));
    EXPECT_EQ(LoadLexicon(m_dir).UserWords, u",電腦網路,資訊,");
}

TEST(UserWordPass, TakesWholeEntriesOfTwoToSixCharacters) {
    struct Case {
        const char *what;
        std::u16string userWords, text, expected;
    };
    const Case cases[] = {
        {"longest first", u",電腦網路,網路,", u"電腦網路", u"電腦網路"},
        {"first occurrence inside a longer word", u",資訊科學系,", u"資訊科學乙",
         u"資|訊|科|學|乙"},
        {"whole entry", u",資訊科學系,", u"資訊科學系", u"資訊科學系"},
        {"seven characters are never taken", u",甲乙丙丁戊己庚,", u"甲乙丙丁戊己庚",
         u"甲|乙|丙|丁|戊|己|庚"},
        {"six characters", u",甲乙丙丁戊己,", u"甲乙丙丁戊己庚", u"甲乙丙丁戊己|庚"},
        {"one character is never taken", u",甲,", u"甲乙丙", u"甲|乙|丙"},
        {"two words in one pass", u",資訊科學,系所,", u"資訊科學系所乙", u"資訊科學|系所|乙"},
        {"a later whole entry does not count", u",甲乙丙,甲乙,", u"甲乙丁戊", u"甲|乙|丁|戊"},
        {"entries stand between commas", u",甲乙,丁戊,", u"丙丁戊己", u"丙|丁戊|己"},
        {"a comma of the text between two entries", u",甲乙,丙丁,", u"甲乙,丙丁戊",
         u"甲乙,丙丁|戊"},
        // After 甲乙丙丁 only 戊己 is left for n = 3; the comma is looked for three characters on.
        {"the end of the text after a word", u",甲乙丙丁,戊己乙,", u"甲乙丙丁戊己",
         u"甲乙丙丁|戊己"},
        {"no user words", u",", u"資訊科學系", u"資|訊|科|學|系"},
    };
    for (const auto &c : cases) {
        SegFixture f({}, c.userWords);
        EXPECT_EQ(wordsOf(f.divide(c.text)), c.expected) << c.what;
    }
}
