#include "segment/passes/reduplicationpass.h"

#include <string>

#include "segment/lexicon.h"
#include "segment/passes/passwindow.h"

namespace yuedu::seg {
namespace {

// 子童 is tested with InList, so an empty read (past the end of the text) is a member.
const WordList kZiTong(u"子童");

// T0 = T1: 乾乾淨淨, 花花兒, 白白的, 試試看, 看看.
int doubled(const PassContext &ctx, const Lexicon &lex) {
    const auto t0 = ctx.T(0), t2 = ctx.T(2), t3 = ctx.T(3), t4 = ctx.T(4);
    if (t2 == t3 && InList(lex.AabbWords, join(t0, t2)))
        return 4;
    if (InList(lex.NounChars, t2) && is(t3, u'兒')) {
        // The length test compares the length of the whole text with 8.
        const int textLen = ctx.textLen();
        return (!InList(kZiTong, t4) && textLen > 8) || textLen == 8 ? 4 : 0;
    }
    if (InList(lex.ErAdjChars, t0) && is(t2, u'兒') && !is(t3, u'子'))
        return 3;
    if (InList(lex.RedupAdjChars, t0) && is(t3, u'兒') && !InList(kZiTong, t4))
        return 4;
    if (InList(lex.RedupAdjChars2, t0) && is(t3, u'兒') && !InList(kZiTong, t4))
        return 4;
    if (InList(lex.RedupAdjChars, t0) && is(t2, u'的'))
        return 3;
    if (InList(lex.VerbChars, t0) && is(t2, u'看'))
        return 3;
    if (InList(lex.VerbChars, t0))
        return 2;
    return 0;
}

// T0 = T2, T0 != T1: 雪白雪白, 糊裡糊塗, 研究研究, 是不是, 好不好.
int alternating(const PassContext &ctx, const Lexicon &lex) {
    const auto t0 = ctx.T(0), t1 = ctx.T(1);
    if (InList(lex.AbabWords, ctx.text(0, 2)))
        return 4;
    if ((is(t1, u'裡') || is(t1, u'裏')) && InList(lex.ALiAbWords, ctx.text(2, 2)))
        return 4;
    if (InList(lex.VerbChars, t0) && ctx.text(0, 2) == ctx.text(2, 2))
        return 4;
    static constexpr std::u16string_view kModals = u"是能要會肯怕";
    if (t0.size() == 1 && kModals.find(t0.front()) != std::u16string_view::npos && is(t1, u'不'))
        return 3;
    if (InList(lex.StateAdjChars, t0) && is(t1, u'不'))
        return 3;
    return 0;
}

// T1 = T2, T0 different: 白茫茫, 一條條, 小狗狗.
int trailingPair(const PassContext &ctx, const Lexicon &lex) {
    const auto t0 = ctx.T(0), t1 = ctx.T(1);
    if (InList(lex.AbbStems, ctx.text(0, 2)))
        return 3;
    if (InList(lex.MeasureChars, t1) && is(t0, u'一'))
        return 3;
    if (InList(lex.NounChars, t1) && is(t0, u'小'))
        return 3;
    return 0;
}

} // namespace

void ReduplicationPass::run(PassContext &ctx) const {
    // Three different characters, the usual case, repeat nothing.
    if (const auto w = ctx.text(0, 3);
        w.size() == 3 && w[0] != w[1] && w[1] != w[2] && w[0] != w[2])
        return;
    const Lexicon &lex = ctx.lexicon();
    const auto t0 = ctx.T(0), t1 = ctx.T(1), t2 = ctx.T(2);
    // The last pattern that holds wins: 看看看 is a doubled 看, not 看 + 看看.
    enum { None, TrailingPair, Alternating, Doubled } pattern = None;
    if (t1 == t2)
        pattern = TrailingPair;
    if (t0 == t2)
        pattern = Alternating;
    if (t0 == t1)
        pattern = Doubled;
    switch (pattern) {
    case Doubled:
        ctx.emit(doubled(ctx, lex));
        break;
    case Alternating:
        ctx.emit(alternating(ctx, lex));
        break;
    case TrailingPair:
        ctx.emit(trailingPair(ctx, lex));
        break;
    case None:
        break;
    }
}

} // namespace yuedu::seg
