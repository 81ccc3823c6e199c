// The glibc heap's thresholds for giving memory back.
#include "platform/heap.h"

#include <malloc.h>

namespace qn {

void KeepHeapCompact()
{
    // glibc raises its mmap threshold to the size of each large block freed (up to 32 MB), so after
    // the first transient picture every later one lands in the heap and keeps its pages once freed;
    // setting the thresholds turns that off. 64 KB is above the packed chart blocks and the small
    // pictures, below a chart's picture buffer.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
}

} // namespace qn
