// No allocator is known: the heap is left as the C++ library keeps it.
#include "platform/heap.h"

namespace qn {

void KeepHeapCompact() {}

} // namespace qn
