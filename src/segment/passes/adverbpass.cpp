#include "segment/passes/adverbpass.h"

#include "segment/lexicon.h"
#include "segment/passes/passwindow.h"

namespace yuedu::seg {

namespace {

const WordList kDegreeChars(u"極多透死");
const WordList kLinkChars(u"要是有會");

} // namespace

// Every test is evaluated in order and the last one that holds sets the length of the word.
void AdverbPass::run(PassContext &ctx) const {
    const Lexicon &lex = ctx.lexicon();
    const PassWindow w(ctx);
    const auto t0 = w.t(0), t1 = w.t(1), t2 = w.t(2);

    int length = 0;
    if (InList(lex.StateAdjChars, t0) && oneOf(t1, kDegreeChars) && is(t2, u'了'))
        length = 3; // 好極了
    if (is(t0, u'不') && InList(lex.NegationPartners, t1))
        length = 2; // 不過
    if (InList(lex.AdverbWords, w.from(0, 2)))
        length = 2; // 非常
    // Substring membership: 待一會 counts through the phrase 待一會兒.
    if (InList(lex.AdverbPhrases, w.from(0, 3)))
        length = 3;
    if (InList(lex.AdverbChars, t0) && oneOf(t1, kLinkChars))
        length = 2; // 還是
    ctx.emit(length);
}

void AdverbPass::firstChars(const Lexicon &lex, std::bitset<65536> &set) const {
    for (const WordList *list :
         {&lex.StateAdjChars, &lex.AdverbWords, &lex.AdverbPhrases, &lex.AdverbChars})
        list->addCharsTo(set);
    set.set(u'不');
}

void AdverbPass::nextChars(const Lexicon &lex, std::bitset<65536> &next,
                           std::bitset<65536> &) const {
    for (const WordList *list :
         {&kDegreeChars, &kLinkChars, &lex.NegationPartners, &lex.AdverbWords, &lex.AdverbPhrases})
        list->addCharsTo(next);
}

} // namespace yuedu::seg
