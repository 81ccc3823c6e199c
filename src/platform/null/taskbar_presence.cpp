// No window manager or tray is known: nothing can be asked of them.
#include "platform/taskbar_presence.h"

namespace qn {

bool SetSkipTaskbar(void*, std::uint32_t, bool, bool)
{
    return false;
}

bool IsTrayAnnouncement(void*, const void*)
{
    return false;
}

} // namespace qn
