#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Adverbs and adverbial phrases: the two-character adverbs (非常, 已經), the phrases (一點兒,
// 不用說), 不 with its partner (不過), an adverb character with 要, 是, 有 or 會 (還是), and
// the degree forms adjective + 極/多/透/死 + 了 (好極了).
class AdverbPass : public RulePass {
public:
    void run(PassContext &ctx) const override;
    void firstChars(const Lexicon &lex, std::bitset<65536> &set) const override;
    void nextChars(const Lexicon &lex, std::bitset<65536> &next,
                   std::bitset<65536> &anyNext) const override;
};

} // namespace yuedu::seg
