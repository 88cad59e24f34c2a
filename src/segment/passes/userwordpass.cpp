#include "segment/passes/userwordpass.h"

namespace yuedu::seg {

// Not written yet: emits nothing, so SegmentAt goes on with the next pass.
void UserWordPass::run(PassContext&) const {}

} // namespace yuedu::seg
