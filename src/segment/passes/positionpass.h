#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Position words after a noun: a noun is parted from a following position character (桌上 is
// 桌 and 上, unless 桌上 is a dictionary word), and joined with the suffix 子, 頭 or 兒 (桌子,
// 石頭, 鳥兒).
class PositionPass : public RulePass {
public:
    void run(PassContext &ctx) const override;
    void firstChars(const Lexicon &lex, std::bitset<65536> &set) const override;
    void nextChars(const Lexicon &lex, std::bitset<65536> &next,
                   std::bitset<65536> &anyNext) const override;
};

} // namespace yuedu::seg
