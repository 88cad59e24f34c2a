#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Reduplication and affix forms: AA, AABB, ABAB, A裡AB, A不A, ABB, 一/小 + doubled measure word or
// noun.
class ReduplicationPass : public RulePass {
public:
    void run(PassContext &ctx) const override;
    bool onRepeatsOnly() const override { return true; }
};

} // namespace yuedu::seg
