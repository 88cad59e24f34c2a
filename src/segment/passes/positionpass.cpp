#include "segment/passes/positionpass.h"

#include "segment/lexicon.h"
#include "segment/passes/passwindow.h"

namespace yuedu::seg {

namespace {

const WordList kNounSuffixes(u"子頭兒");
const WordList kPositionChars(u"前後左右旁側邊上中下內外裏裡");

} // namespace

// Every test is evaluated in order and the last one that holds sets the code.
void PositionPass::run(PassContext &ctx) const {
    const Lexicon &lex = ctx.lexicon();
    const auto t0 = ctx.T(0), t1 = ctx.T(1);

    enum { None, NounAlone, Joined } code = None;
    if (InList(lex.NounChars, t0) && oneOf(t1, kNounSuffixes))
        code = Joined; // 桌子
    if (InList(lex.NounChars, t0) && oneOf(t1, kPositionChars))
        code = NounAlone; // 桌 上, unless 桌上 is a dictionary word
    if (code == Joined)
        ctx.emit(2);
    else if (code == NounAlone)
        ctx.emit(ctx.lookupTwoCharWord(ctx.text(0, 2)) != 0 ? 2 : 1);
}

void PositionPass::firstChars(const Lexicon &lex, std::bitset<65536> &set) const {
    lex.NounChars.addCharsTo(set);
}

void PositionPass::nextChars(const Lexicon &, std::bitset<65536> &next,
                             std::bitset<65536> &) const {
    kNounSuffixes.addCharsTo(next);
    kPositionChars.addCharsTo(next);
}

} // namespace yuedu::seg
