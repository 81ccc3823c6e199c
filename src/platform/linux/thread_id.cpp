// Thread ids from the kernel (gettid), the numbers tools like top and /proc show.
#include "platform/thread_id.h"

#include <unistd.h>

namespace qn {

std::uint32_t GetCurrentThreadId()
{
    return static_cast<std::uint32_t>(gettid());
}

} // namespace qn
