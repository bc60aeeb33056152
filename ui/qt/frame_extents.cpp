// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/frame_extents.h"

#include <QWidget>

#if defined(TILEBASH_X11) && QT_CONFIG(xcb)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include <xcb/xcb.h>
#include <QGuiApplication>
#endif

namespace tilebash::ui::qt {

#if defined(TILEBASH_X11) && QT_CONFIG(xcb)

namespace {

// How long a manager that says it answers may take. Managers answer within
// a few milliseconds; this only bounds the wait on one that never does.
constexpr std::chrono::milliseconds kAnswerTimeout{500};

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The 32-bit values of a property, empty when it is not set.
std::vector<std::uint32_t> property(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t name, xcb_atom_t type, std::uint32_t maxValues) {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, maxValues), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// A running EWMH manager that says it answers _NET_REQUEST_FRAME_EXTENTS.
// The check window must name itself: the root's properties outlive a
// manager that has gone.
bool managerAnswers(xcb_connection_t* connection, xcb_window_t root) {
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const std::vector<std::uint32_t> manager =
        property(connection, root, check, XCB_ATOM_WINDOW, 1);
    if (manager.size() != 1 ||
        property(connection, manager[0], check, XCB_ATOM_WINDOW, 1) != manager) {
        return false;
    }
    const std::vector<std::uint32_t> supported =
        property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    return std::find(supported.begin(), supported.end(), request) != supported.end();
}

}  // namespace

// EWMH lets a client ask the manager, before mapping a window, for the frame
// it would get: the manager then sets _NET_FRAME_EXTENTS on the window.
std::optional<QMarginsF> askFrameExtents(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return std::nullopt;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());  // created, not yet mapped
    // The root of the window's own screen, where its manager listens.
    Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    if (!tree) {
        return std::nullopt;
    }
    const xcb_window_t root = tree->root;
    if (!managerAnswers(connection, root)) {
        return std::nullopt;
    }

    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    xcb_client_message_event_t request;
    std::memset(&request, 0, sizeof request);
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);

    // Qt's own thread reads the events, so the answer is looked for by
    // reading the property until it is there.
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTimeout;
    do {
        const std::vector<std::uint32_t> values =
            property(connection, id, extents, XCB_ATOM_CARDINAL, 4);
        if (values.size() == 4) {
            // left, right, top, bottom, in the screen's pixels
            const double ratio = window.devicePixelRatioF();
            return QMarginsF(values[0] / ratio, values[2] / ratio, values[1] / ratio,
                             values[3] / ratio);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

#else

std::optional<QMarginsF> askFrameExtents(QWidget& /*window*/) {
    return std::nullopt;
}

#endif

}  // namespace tilebash::ui::qt
