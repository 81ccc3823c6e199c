// No window manager is known: nothing can be asked of it.
#include "platform/taskbar_presence.h"

namespace qn {

bool SetSkipTaskbar(void*, std::uint32_t, bool, bool)
{
    return false;
}

} // namespace qn
