#include "segment/passes/reduplicationpass.h"

namespace yuedu::seg {

// Not written yet: emits nothing, so SegmentAt goes on with the next pass.
void ReduplicationPass::run(PassContext&) const {}

} // namespace yuedu::seg
