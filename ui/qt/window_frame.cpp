// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/window_frame.h"

#include <cstdint>
#include <string_view>

#include <QGuiApplication>

#ifdef TILEBASH_WAYLAND
#include <wayland-client.h>
#endif

namespace tilebash::ui::qt {

namespace {

bool isWayland(QStringView platformName) {
    return platformName.startsWith(u"wayland");
}

// Whether the compositor's registry lists the manager of server-side
// decorations. Asked on a connection of its own: Qt does not hand out its
// own before Qt 6.5.
bool compositorOffersDecorations() {
#ifdef TILEBASH_WAYLAND
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return false;
    }
    bool offered = false;
    static const wl_registry_listener listener = {
        [](void* data, wl_registry* /*registry*/, std::uint32_t /*name*/, const char* interface,
           std::uint32_t /*version*/) {
            if (std::string_view(interface) == "zxdg_decoration_manager_v1") {
                *static_cast<bool*>(data) = true;
            }
        },
        [](void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
#else
    return false;
#endif
}

}  // namespace

Frame frameFor(QStringView platformName, bool compositorDecorates) {
    return isWayland(platformName) && !compositorDecorates ? Frame::Own : Frame::Platform;
}

Frame frameForThisPlatform() {
    const QString platformName = QGuiApplication::platformName();
    return frameFor(platformName, isWayland(platformName) && compositorOffersDecorations());
}

std::unique_ptr<OwnFrame> ownFrameWhereNeeded(QWidget& client) {
    if (frameForThisPlatform() != Frame::Own) {
        return nullptr;
    }
    return std::make_unique<OwnFrame>(client);
}

}  // namespace tilebash::ui::qt
