#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Joins a verb with what completes it: aspect and result markers (看完, 吃了), the potential
// forms V得C and V不C (吃不了), directional complements (走上來), V來V去 and V上V下, V一V,
// and a few verb + 到/過 forms. Every test is evaluated and the last one that holds decides;
// the decision is then turned into a word of two to four characters, or into nothing.
class VerbComplementPass : public RulePass {
public:
    void run(PassContext &ctx) const override;
    void firstChars(const Lexicon &lex, std::bitset<65536> &set) const override;
    void nextChars(const Lexicon &lex, std::bitset<65536> &next,
                   std::bitset<65536> &anyNext) const override;
};

} // namespace yuedu::seg
