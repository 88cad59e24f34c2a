#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Numbers with measure words, unit words, ordinals, kinship terms, clock and school-year words.
class NumeralPass : public RulePass {
public:
    void run(PassContext &ctx) const override;
    void firstChars(const Lexicon &lex, std::bitset<65536> &set) const override;
    void nextChars(const Lexicon &lex, std::bitset<65536> &next,
                   std::bitset<65536> &anyNext) const override;
};

} // namespace yuedu::seg
