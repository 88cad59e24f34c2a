#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// The words of userword.apd, two to six characters, taken whole.
class UserWordPass : public RulePass {
public:
    void run(PassContext& ctx) const override;
};

} // namespace yuedu::seg
