// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/x11_window.h"

#include <QColor>
#include <QString>
#include <QWidget>

#if defined(TILEBASH_X11) && QT_CONFIG(xcb)
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include <xcb/xcb.h>
#include <QGuiApplication>
#endif

namespace tilebash::ui::qt {

#if defined(TILEBASH_X11) && QT_CONFIG(xcb)

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// The connection, when the window is an X11 window that exists.
xcb_connection_t* connectionOf(const QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
        return nullptr;
    }
    return x11->connection();
}

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The Motif names of the hints' fields.
constexpr std::uint32_t kHintFunctions = 1;
constexpr std::uint32_t kHintDecorations = 2;
constexpr std::uint32_t kFunctionResize = 2;
constexpr std::uint32_t kFunctionMove = 4;
constexpr std::uint32_t kFunctionClose = 32;
constexpr std::uint32_t kDecorationBorder = 2;
constexpr std::uint32_t kDecorationResizeHandles = 4;
constexpr std::uint32_t kDecorationTitle = 8;
constexpr std::uint32_t kDecorationMenu = 16;

}  // namespace

void setMotifHints(QWidget& window, bool sizable) {
    xcb_connection_t* connection = connectionOf(window);
    if (connection == nullptr) {
        return;
    }
    const std::uint32_t resize = sizable ? kFunctionResize : 0;
    const std::uint32_t handles = sizable ? kDecorationResizeHandles : 0;
    // flags, functions, decorations, input mode, status
    const std::uint32_t hints[5] = {
        kHintFunctions | kHintDecorations, kFunctionMove | kFunctionClose | resize,
        kDecorationBorder | kDecorationTitle | kDecorationMenu | handles, 0, 0};
    const xcb_atom_t name = atom(connection, "_MOTIF_WM_HINTS");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), name, name, 32, 5, hints);
    xcb_flush(connection);
}

void setBackground(QWidget& window, const QColor& colour) {
    xcb_connection_t* connection = connectionOf(window);
    if (connection == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, id), nullptr));
    if (!attributes) {
        return;
    }
    // The pixel value of the colour in the window's own colour map.
    const auto channel = [](int value) { return static_cast<std::uint16_t>(value * 257); };
    Reply<xcb_alloc_color_reply_t> pixel(xcb_alloc_color_reply(
        connection,
        xcb_alloc_color(connection, attributes->colormap, channel(colour.red()),
                        channel(colour.green()), channel(colour.blue())),
        nullptr));
    if (!pixel) {
        return;
    }
    const std::uint32_t value = pixel->pixel;
    xcb_change_window_attributes(connection, id, XCB_CW_BACK_PIXEL, &value);
    xcb_flush(connection);
}

void setWindowClass(QWidget& window, const QString& windowClass) {
    xcb_connection_t* connection = connectionOf(window);
    if (connection == nullptr || windowClass.isEmpty()) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Two strings, each ended by a zero byte: the instance, then the class.
    Reply<xcb_get_property_reply_t> current(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 1024), nullptr));
    if (!current) {
        return;
    }
    const auto* text = static_cast<const char*>(xcb_get_property_value(current.get()));
    const std::string_view value(
        text, static_cast<std::size_t>(xcb_get_property_value_length(current.get())));
    std::string property(value.substr(0, value.find('\0')));
    property += '\0';
    property += windowClass.toStdString();
    property += '\0';
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
                        8, static_cast<std::uint32_t>(property.size()), property.data());
    xcb_flush(connection);
}

#else

void setMotifHints(QWidget& /*window*/, bool /*sizable*/) {}
void setBackground(QWidget& /*window*/, const QColor& /*colour*/) {}
void setWindowClass(QWidget& /*window*/, const QString& /*windowClass*/) {}

#endif

}  // namespace tilebash::ui::qt
