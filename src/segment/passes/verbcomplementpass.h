#pragma once
#include "segment/passcontext.h"

namespace yuedu::seg {

// Verbs with their complements.
class VerbComplementPass : public RulePass {
public:
    void run(PassContext& ctx) const override;
};

} // namespace yuedu::seg
