#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Time expressions and direction words (the first time and direction rule set).
class TimeDirectionPass : public RulePass {
public:
    void run(PassContext& ctx) const override;
};

} // namespace yuedu::seg
