#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Time words and direction words: a time prefix with a time unit (今天, 去年, 上禮拜), the
// quantifying words (都是, 所有) and the direction and position words (向前, 以後, 上面) are
// taken whole; but far enough from the end of the text, a prefix is split off when the next two
// characters form a dictionary word ending in a verb, so that the verb word stays whole.
class TimeDirectionPass : public RulePass {
public:
    void run(PassContext &ctx) const override;
    void firstChars(const Lexicon &lex, std::bitset<65536> &set) const override;
    void nextChars(const Lexicon &lex, std::bitset<65536> &next,
                   std::bitset<65536> &anyNext) const override;
};

} // namespace yuedu::seg
