// The process heap already returns large blocks to the system; nothing to set.
#include "platform/heap.h"

namespace qn {

void KeepHeapCompact() {}

} // namespace qn
