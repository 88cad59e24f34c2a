// Numbers with what they count.
#include <gtest/gtest.h>

#include "passcontextdouble.h"
#include "segment/passes/numeralpass.h"

using yuedu::testing::PassContextDouble;

TEST(NumeralPass, KeepsNumbersWithWhatTheyCount) {
    struct Case {
        const char *what;
        std::u16string text, emitted;
    };
    const Case cases[] = {
        {"numeral + measure", u"三個人", u"三個"},
        {"tens + 幾 + measure (the last test wins)", u"三十幾個", u"三十幾個"},
        {"tens + numeral + unit word", u"三十五公里", u"三十五公里"},
        {"tens + numeral + measure", u"三十五個", u"三十五個"},
        {"tens + numeral", u"三十五人", u"三十五"},
        {"tens + unit word", u"三十公斤", u"三十公斤"},
        {"十 + numeral + unit word", u"十二公尺", u"十二公尺"},
        {"十 + numeral + measure", u"十二歲", u"十二歲"},
        {"十 + numeral alone is left to later passes", u"十二人", u""},
        {"two numerals, nothing counted", u"一二人", u"一|二"},
        {"three numerals, nothing counted", u"一二三人", u"一|二|三"},
        {"two numerals + measure", u"兩三個", u"兩三個"},
        {"two numerals + unit word", u"兩三公里", u"兩三公里"},
        {"three numerals + measure", u"一二三個", u"一二三個"},
        {"ordinal + measure", u"第一名", u"第一名"},
        {"ordinal alone", u"第一人", u"第一"},
        {"ordinal of two numerals + measure", u"第十二名", u"第十二名"},
        {"kinship", u"三叔家", u"三叔"},
        {"thousands and hundreds", u"三千五百六", u"三千五百"},
        {"clock word", u"五點鐘", u"五點鐘"},
        {"school year", u"三年級", u"三年級"},
        {"quantity word + measure", u"好幾個", u"好幾個"},
        {"一 + doubled", u"一條條", u"一條條"},
        {"一 + 大 + measure", u"一大碗", u"一大碗"},
        {"numeral + 來 + measure", u"十來個", u"十來個"},
        {"doubled measure", u"個個好", u"個個"},
        {"quantity character + measure", u"滿桌菜", u"滿桌"},
        {"no numeral", u"甲乙丙", u""},
    };
    PassContextDouble tester;
    yuedu::seg::NumeralPass pass;
    for (const auto &c : cases)
        EXPECT_EQ(tester.run(pass, c.text), c.emitted) << c.what;
}
