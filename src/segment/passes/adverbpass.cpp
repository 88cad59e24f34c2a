#include "segment/passes/adverbpass.h"

namespace yuedu::seg {

// Not written yet: emits nothing, so SegmentAt goes on with the next pass.
void AdverbPass::run(PassContext&) const {}

} // namespace yuedu::seg
