#include "segment/passes/verbcomplementpass.h"

namespace yuedu::seg {

// Not written yet: emits nothing, so SegmentAt goes on with the next pass.
void VerbComplementPass::run(PassContext&) const {}

} // namespace yuedu::seg
