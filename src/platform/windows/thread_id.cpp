// The thread id as the kernel numbers it.
#include "platform/thread_id.h"

#include "platform/windows/sdk.h"

namespace qn {

std::uint32_t GetCurrentThreadId()
{
    return ::GetCurrentThreadId();
}

} // namespace qn
