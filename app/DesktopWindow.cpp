#include "DesktopWindow.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kestrova {

namespace {

xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return a;
}

std::vector<xcb_atom_t> readStates(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netWmState)
{
    std::vector<xcb_atom_t> states;
    const auto cookie = xcb_get_property(c, 0, w, netWmState, XCB_ATOM_ATOM, 0, 1024);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        states.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return states;
}

} // namespace

void SetDesktopStates(QWidget* window)
{
    xcb_connection_t* c = x11Connection();
    if (!c || !window)
        return;
    const auto w = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t netWmState = atom(c, "_NET_WM_STATE");
    std::vector<xcb_atom_t> states = readStates(c, w, netWmState);
    for (const char* name :
         {"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t a = atom(c, name);
        if (a != XCB_ATOM_NONE && std::find(states.begin(), states.end(), a) == states.end())
            states.push_back(a);
    }
    // Before the window is mapped the client writes the property itself;
    // the window manager reads it when the window is mapped.
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, netWmState, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(c);
}

void CancelSystemMove(QWidget* window)
{
    xcb_connection_t* c = x11Connection();
    if (!c || !window || !window->windowHandle())
        return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->winId());
    message.type = atom(c, "_NET_WM_MOVERESIZE");
    message.data.data32[2] = 11; // _NET_WM_MOVERESIZE_CANCEL
    message.data.data32[3] = XCB_BUTTON_INDEX_1;
    message.data.data32[4] = 1; // from a normal application
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

QStringList DesktopStates(QWidget* window)
{
    QStringList names;
    xcb_connection_t* c = x11Connection();
    if (!c || !window)
        return names;
    const auto w = static_cast<xcb_window_t>(window->winId());
    for (const xcb_atom_t a : readStates(c, w, atom(c, "_NET_WM_STATE"))) {
        const auto cookie = xcb_get_atom_name(c, a);
        xcb_get_atom_name_reply_t* reply = xcb_get_atom_name_reply(c, cookie, nullptr);
        if (reply)
            names << QString::fromLatin1(xcb_get_atom_name_name(reply),
                                         xcb_get_atom_name_name_length(reply));
        std::free(reply);
    }
    return names;
}

} // namespace kestrova
