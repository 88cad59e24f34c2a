#include "segment/passes/verbcomplementpass.h"

#include <string>

#include "segment/lexicon.h"
#include "segment/passes/passwindow.h"

namespace yuedu::seg {

namespace {

enum class Decision {
    None,
    Pair,           // T0T1, away from the start of the text and not right after 上
    PairWithYou,    // T0T1 (verb + 有), unless a noun stands just before
    Three,          // three characters
    Four,           // four characters
    PairBeforeTo,   // T0T1 (verb + 到/過), unless T1T2 is a dictionary word
    PerceivedThree, // T0T1T2 (perception word + 到/過), unless T2T3 is a dictionary word
};

// The small closed sets of single characters the tests compare with. A read past the end of
// the text is empty and so never one of them.
const WordList kResultMarks(u"見完住著了");
const WordList kComeGo(u"來去");
const WordList kUpDown(u"上下");
const WordList kNotOrDe(u"不得");
const WordList kPotentialEnds(u"來去上下起過住到動");
const WordList kDirectionalEnds(u"上來下去過");
const WordList kRepeatLinks(u"一了不");
const WordList kToOrPast(u"到過");
// The words 著了 完了 極了 多了 透了 死了 走了 到了 倒了 住了 掉了 翻了 垮了 塌了 坍了 all end in
// 了; T1T2 is one of them exactly when T2 is 了 and T1 is one of these first characters.
const WordList kBeforeLe(u"著完極多透死走到倒住掉翻垮塌坍");

// A position before the start of the text holds no character, and so no noun.
bool isNounAt(const PassContext &ctx, int i) {
    const auto t = ctx.T(i);
    return !t.empty() && InList(ctx.lexicon().NounChars, t);
}

Decision decide(PassContext &ctx) {
    const Lexicon &lex = ctx.lexicon();
    const PassWindow w(ctx);
    const auto t0 = w.t(0), t1 = w.t(1), t2 = w.t(2), t3 = w.t(3), t4 = w.t(4);
    const auto isWord = [&ctx](std::u16string_view a, std::u16string_view b) {
        return ctx.lookupTwoCharWord(join(a, b)) != 0;
    };

    Decision d = Decision::None;
    if (InList(lex.VerbChars, t0)) {
        if (is(t1, u'得'))
            d = Decision::Pair;
        if (is(t1, u'有'))
            d = Decision::PairWithYou;
        if (oneOf(t1, kResultMarks))
            d = Decision::Pair;
        if (oneOf(t1, kComeGo))
            d = Decision::Pair;
        if (is(t1, u'了') && isWord(t0, t2))
            d = Decision::Three;
        if (InList(lex.DirComplWords, w.from(1, 2)))
            d = Decision::Three;
        if (oneOf(t0, kUpDown) && isWord(t0, t1))
            d = Decision::Pair;
        if (t0 == t2 && is(t1, u'來') && is(t3, u'去'))
            d = Decision::Four; // 跑來跑去
        if (t0 == t2 && is(t1, u'上') && is(t3, u'下'))
            d = Decision::Four; // 跳上跳下
        if (oneOf(t1, kBeforeLe) && is(t2, u'了'))
            d = Decision::Three;
        if (InList(lex.StateAdjChars, t1) && is(t2, u'了'))
            d = Decision::Three;
        if (is(t1, u'不') && InList(lex.ComplementChars, t2))
            d = Decision::Three; // 吃不了
        if (oneOf(t1, kNotOrDe) && oneOf(t2, kPotentialEnds))
            d = Decision::Three;
        if (is(t1, u'不') && is(t2, u'得'))
            d = Decision::Three;
        if (oneOf(t1, kNotOrDe) && InList(lex.StateAdjChars, t2))
            d = (is(t3, u'不') && t4 == t2) ? Decision::Pair : Decision::Three;
        if (oneOf(t1, kNotOrDe) && oneOf(t3, kDirectionalEnds))
            d = Decision::Four;
        // V一V, V了V, V不V: unless the repeated verb starts a dictionary word with what follows.
        if (oneOf(t1, kRepeatLinks) && t2 == t0 && !isWord(t2, t3))
            d = Decision::Three;
    }
    if (InList(lex.ToVerbChars, t0) && oneOf(t1, kToOrPast))
        d = Decision::PairBeforeTo;
    if (InList(lex.PerceptionWords, w.from(0, 2)) && oneOf(t2, kToOrPast))
        d = Decision::PerceivedThree;
    return d;
}

} // namespace

void VerbComplementPass::run(PassContext &ctx) const {
    switch (decide(ctx)) {
    case Decision::None:
        return;
    case Decision::Pair:
        if (ctx.scanPos() > 2 && !is(ctx.T(-1), u'上'))
            ctx.emit(2);
        return;
    case Decision::PairWithYou:
        if (!is(ctx.T(0), u'上') && !isNounAt(ctx, -1) && !isNounAt(ctx, -2))
            ctx.emit(2);
        return;
    case Decision::Three:
        ctx.emit(3);
        return;
    case Decision::Four:
        ctx.emit(4);
        return;
    case Decision::PairBeforeTo:
        if (ctx.lookupTwoCharWord(ctx.text(1, 2)) == 0)
            ctx.emit(2);
        return;
    case Decision::PerceivedThree:
        if (ctx.lookupTwoCharWord(ctx.text(2, 2)) == 0)
            ctx.emit(3);
        return;
    }
}

void VerbComplementPass::firstChars(const Lexicon &lex, std::bitset<65536> &set) const {
    for (const WordList *list : {&lex.VerbChars, &lex.ToVerbChars, &lex.PerceptionWords})
        list->addCharsTo(set);
}

void VerbComplementPass::nextChars(const Lexicon &lex, std::bitset<65536> &next,
                                   std::bitset<65536> &anyNext) const {
    // Every test that can make a decision reads T1 from a list, but 上 and 下 followed by a
    // dictionary word.
    for (const WordList *list :
         {&kResultMarks, &kComeGo, &kBeforeLe, &kNotOrDe, &kRepeatLinks, &kToOrPast,
          &lex.DirComplWords, &lex.StateAdjChars, &lex.PerceptionWords})
        list->addCharsTo(next);
    for (char16_t c : std::u16string_view(u"得有了上不"))
        next.set(c);
    kUpDown.addCharsTo(anyNext);
}

} // namespace yuedu::seg
