#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Adverbs and adverbial phrases.
class AdverbPass : public RulePass {
public:
    void run(PassContext& ctx) const override;
};

} // namespace yuedu::seg
