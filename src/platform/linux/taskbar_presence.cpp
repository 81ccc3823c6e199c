// Taskbar and pager presence on X11: the window manager's _NET_WM_STATE skip states, and the
// tray's announcement when it starts.
#include "platform/taskbar_presence.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
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

std::string AtomName(xcb_connection_t* AConnection, xcb_atom_t AAtom)
{
    const std::unique_ptr<xcb_get_atom_name_reply_t, TFree> reply(
        xcb_get_atom_name_reply(AConnection, xcb_get_atom_name(AConnection, AAtom), nullptr));
    if (!reply)
        return {};
    return {xcb_get_atom_name_name(reply.get()), static_cast<std::size_t>(xcb_get_atom_name_name_length(reply.get()))};
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

bool IsTrayAnnouncement(void* AConnection, const void* AEvent)
{
    auto* c = static_cast<xcb_connection_t*>(AConnection);
    const auto* event = static_cast<const xcb_generic_event_t*>(AEvent);
    // The high bit only says the event was sent by a client, as this one always is.
    if (!c || !event || (event->response_type & 0x7f) != XCB_CLIENT_MESSAGE || xcb_connection_has_error(c))
        return false;
    const auto* message = static_cast<const xcb_client_message_event_t*>(AEvent);
    if (message->format != 32)
        return false;
    // Asked once per display connection; client messages are rare and this one rarer.
    static xcb_connection_t* known = nullptr;
    static xcb_atom_t manager = XCB_ATOM_NONE;
    if (known != c) {
        manager = Atom(c, "MANAGER");
        known = c;
    }
    // Other selection owners (clipboard managers, compositors) announce themselves the same way.
    return manager != XCB_ATOM_NONE && message->type == manager &&
           AtomName(c, message->data.data32[1]).starts_with("_NET_SYSTEM_TRAY_S");
}

} // namespace qn
