#include "segment/passes/positionpass.h"

namespace yuedu::seg {

// Not written yet: emits nothing, so SegmentAt goes on with the next pass.
void PositionPass::run(PassContext&) const {}

} // namespace yuedu::seg
