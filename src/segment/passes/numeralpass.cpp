#include "segment/passes/numeralpass.h"

#include "segment/lexicon.h"
#include "segment/passes/passwindow.h"

namespace yuedu::seg {
namespace {

// Literal sets are plain comparisons: an empty read (past the end) is never one of them.
bool oneOf(std::u16string_view s, std::u16string_view chars) {
    return s.size() == 1 && chars.find(s.front()) != std::u16string_view::npos;
}

enum class Code {
    None,
    Kinship,
    FourDigits,
    Ordinal,
    TwoNumerals,
    NumeralMeasure,
    Three,
    Tens,
    TenAndNumeral
};

Code decide(const PassContext &ctx, const Lexicon &lex) {
    const auto t0 = ctx.T(0), t1 = ctx.T(1), t2 = ctx.T(2), t3 = ctx.T(3), t4 = ctx.T(4);
    const auto t1t2 = ctx.text(1, 2);
    const bool numeral0 = InList(lex.NumeralChars, t0);
    // Every test is made; the last one that holds decides.
    Code code = Code::None;
    if (InList(lex.QuantityChars, t0) && InList(lex.MeasureChars, t1))
        code = Code::NumeralMeasure; // 滿桌
    if (numeral0 && InList(lex.MeasureChars, t1))
        code = Code::NumeralMeasure; // 三個
    if (numeral0 && oneOf(t1, u"來把") && InList(lex.MeasureChars, t2))
        code = Code::Three; // 十來個
    if (numeral0 && oneOf(t1, u"萬千百十") && InList(lex.MeasureChars, t2))
        code = Code::Three; // 三百元
    if (numeral0 && oneOf(t1, u"爺姑舅嬸伯叔哥姊弟妹姐"))
        code = Code::Kinship; // 三叔
    if (t0 == t1 && InList(lex.MeasureChars, t0))
        code = Code::NumeralMeasure; // 個個
    if (numeral0 && InList(lex.NumeralChars, t1))
        code = Code::TwoNumerals; // 兩三
    if (numeral0 && is(t1, u'十'))
        code = Code::Tens; // 三十
    if (is(t0, u'十') && InList(lex.NumeralChars, t1))
        code = Code::TenAndNumeral; // 十二
    if (is(t0, u'一') && t1 == t2)
        code = Code::Three; // 一條條
    if (is(t0, u'一') && oneOf(t1, u"大小") && InList(lex.MeasureChars, t2))
        code = Code::Three; // 一大碗
    if (numeral0 && is(t1, u'千') && InList(lex.NumeralChars, t2) && is(t3, u'百') &&
        InList(lex.NumeralChars, t4))
        code = Code::FourDigits; // 三千五百
    if (numeral0 && (t1t2 == u"年級" || t1t2 == u"點鐘" || t1t2 == u"點半" || t1t2 == u"秒鐘"))
        code = Code::Three; // 五點鐘
    if (oneOf(t0, u"初第老") && InList(lex.NumeralChars, t1))
        code = Code::Ordinal; // 第一
    if (InList(lex.QuantityWords, ctx.text(0, 2)) && InList(lex.MeasureChars, t2))
        code = Code::Three; // 好幾個
    return code;
}

} // namespace

void NumeralPass::run(PassContext &ctx) const {
    const Lexicon &lex = ctx.lexicon();
    const auto t1 = ctx.T(1), t2 = ctx.T(2);
    const auto unitAt = [&](int i) { return InList(lex.UnitWords, ctx.text(i, 2)); };
    const auto measureAt = [&](int i) { return InList(lex.MeasureChars, ctx.T(i)); };
    const bool numeral2 = InList(lex.NumeralChars, t2);

    switch (decide(ctx, lex)) {
    case Code::None:
        return;
    case Code::Kinship:
        return ctx.emit(2);
    case Code::FourDigits:
        return ctx.emit(4);
    case Code::Three:
        return ctx.emit(3);
    case Code::NumeralMeasure:
        // 三十幾個 stays whole; otherwise the numeral and its measure word.
        return ctx.emit(oneOf(t1, u"十百千萬") && oneOf(t2, u"幾多來") && measureAt(3) ? 4 : 2);
    case Code::Ordinal:
        if (numeral2)
            return ctx.emit(measureAt(3) ? 4 : 3);
        return ctx.emit(measureAt(2) ? 3 : 2);
    case Code::Tens:
        if (numeral2)
            return ctx.emit(unitAt(3) ? 5 : measureAt(3) ? 4 : 3);
        return ctx.emit(unitAt(2) ? 4 : measureAt(2) ? 3 : 2);
    case Code::TenAndNumeral:
        return ctx.emit(unitAt(2) ? 4 : measureAt(2) ? 3 : 0);
    case Code::TwoNumerals:
        if (numeral2) {
            if (unitAt(3))
                return ctx.emit(5);
            if (measureAt(3))
                return ctx.emit(4);
            // Three numerals and nothing they count: three words of their own.
            ctx.emit(1);
            ctx.emit(1);
            return ctx.emit(1);
        }
        if (unitAt(2))
            return ctx.emit(4);
        if (measureAt(2))
            return ctx.emit(3);
        ctx.emit(1);
        return ctx.emit(1);
    }
}

void NumeralPass::firstChars(const Lexicon &lex, std::bitset<65536> &set) const {
    for (const WordList *list :
         {&lex.QuantityChars, &lex.NumeralChars, &lex.MeasureChars, &lex.QuantityWords})
        list->addCharsTo(set);
    for (char16_t c : std::u16string_view(u"十一初第老"))
        set.set(c);
}

void NumeralPass::nextChars(const Lexicon &lex, std::bitset<65536> &next,
                            std::bitset<65536> &anyNext) const {
    for (const WordList *list : {&lex.MeasureChars, &lex.NumeralChars, &lex.QuantityWords})
        list->addCharsTo(next);
    for (char16_t c : std::u16string_view(u"來把萬千百十爺姑舅嬸伯叔哥姊弟妹姐大小年點秒"))
        next.set(c);
    anyNext.set(u'一'); // 一條條: T1 repeated
}

} // namespace yuedu::seg
