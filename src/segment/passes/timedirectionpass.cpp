#include "segment/passes/timedirectionpass.h"

namespace yuedu::seg {

// Not written yet: emits nothing, so SegmentAt goes on with the next pass.
void TimeDirectionPass::run(PassContext&) const {}

} // namespace yuedu::seg
