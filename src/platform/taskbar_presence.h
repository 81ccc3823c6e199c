// Taskbar and pager presence of a top-level window, asked of the window manager, and the system
// tray's arrival.
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

// Whether AEvent (an xcb_generic_event_t*) from the X display behind AConnection is a system tray
// announcing itself: the "MANAGER" client message a tray sends to the root window when it takes a
// screen's _NET_SYSTEM_TRAY_Sn selection. Any other event, or no X display: false.
bool IsTrayAnnouncement(void* AConnection, const void* AEvent);

} // namespace qn
