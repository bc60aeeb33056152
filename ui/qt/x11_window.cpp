// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/x11_window.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(TILEBASH_X11) && QT_CONFIG(xcb)
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include <xcb/xcb.h>
#endif

namespace tilebash::ui::qt {

#if defined(TILEBASH_X11) && QT_CONFIG(xcb)

namespace {

// The connection, when the window is an X11 window that exists.
xcb_connection_t* connectionOf(const QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
        return nullptr;
    }
    return x11->connection();
}

// A reply of xcb's, which the caller frees.
template <typename T>
std::unique_ptr<T, void (*)(void*)> owned(T* reply) {
    return {reply, &std::free};
}

}  // namespace

void setMotifHints(QWidget& window, bool sizable) {
    xcb_connection_t* connection = connectionOf(window);
    if (connection == nullptr) {
        return;
    }
    // Flags: functions 1 and decorations 2. Functions: move 4, close 0x20,
    // resize 2. Decorations: border 2, title 8, menu 0x10, resize handles 4.
    // Then the input mode and the status.
    const std::uint32_t hints[5] = {0x3, sizable ? 0x26U : 0x24U, sizable ? 0x1eU : 0x1aU, 0, 0};
    constexpr char name[] = "_MOTIF_WM_HINTS";
    const auto atom = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr));
    if (atom) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                            static_cast<xcb_window_t>(window.winId()), atom->atom, atom->atom, 32,
                            5, hints);
        xcb_flush(connection);
    }
}

void describeX11Window(QWidget& window, bool sizable) {
    setMotifHints(window, sizable);
    xcb_connection_t* connection = connectionOf(window);
    if (connection == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    // The pixel value of the colour in the window's own colour map.
    const QColor colour = window.palette().color(QPalette::Window);
    const auto channel = [](int value) { return static_cast<std::uint16_t>(value * 257); };
    const auto attributes = owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, id), nullptr));
    if (attributes) {
        const auto pixel = owned(xcb_alloc_color_reply(
            connection,
            xcb_alloc_color(connection, attributes->colormap, channel(colour.red()),
                            channel(colour.green()), channel(colour.blue())),
            nullptr));
        if (pixel) {
            xcb_change_window_attributes(connection, id, XCB_CW_BACK_PIXEL, &pixel->pixel);
        }
    }

    // Two strings, each ended by a zero byte: the instance, then the class.
    const std::string windowClass = QGuiApplication::desktopFileName().toStdString();
    const auto current = owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 1024), nullptr));
    if (current && !windowClass.empty()) {
        const std::string_view value(
            static_cast<const char*>(xcb_get_property_value(current.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(current.get())));
        std::string property(value.substr(0, value.find('\0')));
        property += '\0' + windowClass + '\0';
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_CLASS,
                            XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(property.size()),
                            property.data());
    }
    xcb_flush(connection);
}

#else

void setMotifHints(QWidget& /*window*/, bool /*sizable*/) {}
void describeX11Window(QWidget& /*window*/, bool /*sizable*/) {}

#endif

}  // namespace tilebash::ui::qt
