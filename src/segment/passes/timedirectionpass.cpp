#include "segment/passes/timedirectionpass.h"

#include "segment/lexicon.h"
#include "segment/passes/passwindow.h"

namespace yuedu::seg {

namespace {} // namespace

// Every test is evaluated in order and the last one that holds sets the length of the word;
// a direction word therefore wins over a three-character time word starting with it.
void TimeDirectionPass::run(PassContext &ctx) const {
    const Lexicon &lex = ctx.lexicon();
    const PassWindow w(ctx);
    const auto t0 = w.t(0), t1 = w.t(1), t2 = w.t(2);
    const auto t0t1 = w.from(0, 2), t1t2 = w.from(1, 2);

    int length = 0;
    if (InList(lex.TimePrefixChars, t0) && InList(lex.TimeUnitWords, t1t2))
        length = 3; // 上禮拜
    if (InList(lex.AllWords, t0t1))
        length = 2; // 都是
    if (InList(lex.DirectionWords, t0t1))
        length = 2; // 以後
    if (InList(lex.TimePrefixChars, t0) && InList(lex.TimeUnitChars, t1))
        length = 2; // 今天
    // With more than six characters still to come, a verb word right behind the first
    // character (以 前進 ...) is worth more than the time or direction word.
    if (length != 0 && ctx.textLen() > ctx.scanPos() + 6 && ctx.lookupTwoCharWord(t1t2) != 0 &&
        InList(lex.VerbChars, t2))
        length = 1;
    ctx.emit(length);
}

void TimeDirectionPass::firstChars(const Lexicon &lex, std::bitset<65536> &set) const {
    // Every length but 0 needs one of the first two tests or a word of the lists at T0.
    for (const WordList *list : {&lex.TimePrefixChars, &lex.AllWords, &lex.DirectionWords})
        list->addCharsTo(set);
}

void TimeDirectionPass::nextChars(const Lexicon &lex, std::bitset<65536> &next,
                                  std::bitset<65536> &) const {
    for (const WordList *list :
         {&lex.TimeUnitWords, &lex.AllWords, &lex.DirectionWords, &lex.TimeUnitChars})
        list->addCharsTo(next);
}

} // namespace yuedu::seg
