// Taskbar and pager presence of a top-level window, asked of the window manager.
#pragma once

#include <cstdint>

namespace qn {

// Asks the window manager of the X display behind AConnection (an xcb_connection_t*) to leave the
// client window AWindow out of the taskbar and the pager (ASkip) or to list it there again.
// A window that is not mapped (AMapped false) gets the states in its _NET_WM_STATE property, where
// the window manager reads them when it maps the window (other states there are kept); a mapped
// one is changed by the window manager on request. Returns false when nothing could be sent; the
// window is then left as it was. No effect without an X display.
bool SetSkipTaskbar(void* AConnection, std::uint32_t AWindow, bool AMapped, bool ASkip);

} // namespace qn
