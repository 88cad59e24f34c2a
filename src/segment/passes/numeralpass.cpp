#include "segment/passes/numeralpass.h"

namespace yuedu::seg {

// Not written yet: emits nothing, so SegmentAt goes on with the next pass.
void NumeralPass::run(PassContext&) const {}

} // namespace yuedu::seg
