// Thread ids numbered by the process in the order threads first ask; never 0.
#include "platform/thread_id.h"

#include <atomic>

namespace qn {

std::uint32_t GetCurrentThreadId()
{
    static std::atomic<std::uint32_t> next{1};
    thread_local const std::uint32_t id = next++;
    return id;
}

} // namespace qn
