// The operating system's id of the calling thread.
#pragma once

#include <cstdint>

namespace qn {

// Never 0 for a running thread.
std::uint32_t GetCurrentThreadId();

} // namespace qn
