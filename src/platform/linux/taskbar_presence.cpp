// Taskbar and pager presence on X11: the window manager's _NET_WM_STATE skip states.
#include "platform/taskbar_presence.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <xcb/xcb.h>

namespace qn {

namespace {

struct TFree
{
    void operator()(void* APointer) const { std::free(APointer); }
};

xcb_atom_t Atom(xcb_connection_t* AConnection, const char* AName)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(AConnection, 0, static_cast<std::uint16_t>(std::strlen(AName)), AName);
    const std::unique_ptr<xcb_intern_atom_reply_t, TFree> reply(xcb_intern_atom_reply(AConnection, cookie, nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

} // namespace

bool SetSkipTaskbar(void* AConnection, std::uint32_t AWindow, bool AMapped, bool ASkip)
{
    auto* c = static_cast<xcb_connection_t*>(AConnection);
    if (!c || !AWindow || xcb_connection_has_error(c))
        return false;
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skips[] = {Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), Atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    if (state == XCB_ATOM_NONE || skips[0] == XCB_ATOM_NONE || skips[1] == XCB_ATOM_NONE)
        return false;

    if (!AMapped) {
        // A withdrawn window owns its state property: merge ours into what is there.
        const xcb_get_property_cookie_t cookie = xcb_get_property(c, 0, AWindow, state, XCB_ATOM_ATOM, 0, 1024);
        const std::unique_ptr<xcb_get_property_reply_t, TFree> reply(xcb_get_property_reply(c, cookie, nullptr));
        std::vector<xcb_atom_t> atoms;
        if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
            const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
            atoms.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
        }
        std::erase_if(atoms, [&](xcb_atom_t a) { return a == skips[0] || a == skips[1]; });
        if (ASkip)
            atoms.insert(atoms.end(), std::begin(skips), std::end(skips));
        if (atoms.empty())
            xcb_delete_property(c, AWindow, state);
        else
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, AWindow, state, XCB_ATOM_ATOM, 32,
                                static_cast<std::uint32_t>(atoms.size()), atoms.data());
        xcb_flush(c);
        return true;
    }

    // A managed window's state belongs to the window manager: ask it (EWMH client message to the
    // root window, action 1 adds, 0 removes, source 1 is an application).
    const xcb_get_geometry_cookie_t geometry = xcb_get_geometry(c, AWindow);
    const std::unique_ptr<xcb_get_geometry_reply_t, TFree> reply(xcb_get_geometry_reply(c, geometry, nullptr));
    if (!reply)
        return false;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = AWindow;
    event.type = state;
    event.data.data32[0] = ASkip ? 1 : 0;
    event.data.data32[1] = skips[0];
    event.data.data32[2] = skips[1];
    event.data.data32[3] = 1;
    xcb_send_event(c, 0, reply->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
    return true;
}

} // namespace qn
