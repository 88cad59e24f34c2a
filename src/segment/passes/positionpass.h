#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Position words (the second time and direction rule set).
class PositionPass : public RulePass {
public:
    void run(PassContext& ctx) const override;
};

} // namespace yuedu::seg
