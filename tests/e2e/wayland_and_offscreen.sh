#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# The game away from X. Without any display it answers --version and runs on
# Qt's offscreen platform when told so by Qt's own option. Under a Wayland
# compositor (weston, which draws no decorations, so Qt would draw its own)
# it shows the menu in the view's own frame, with a close button and no
# minimise or maximise button, and gives the compositor its size as both
# minimum and maximum. A request to terminate ends it with status 0.
#
#   wayland_and_offscreen.sh GAME DATA_DIR
source "$(dirname "$0")/lib.sh"
game=$(realpath "$1")
data=$2
e2e_make_workdir
work=$E2E_WORK
cp "$data"/* "$work/"
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

out=$("${no_display[@]}" "$game" --version) || e2e_fail "--version failed without a display"
[[ $out == "tilebash "* ]] || e2e_fail "--version said: $out"

(cd "$work" && exec "${no_display[@]}" "$game" -platform offscreen) >"$work/program.log" 2>&1 &
E2E_PROGRAM_PID=$!
sleep 1
kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "-platform offscreen: $(cat "$work/program.log")"
kill -TERM "$E2E_PROGRAM_PID"
e2e_wait_exit 10
[[ $E2E_STATUS -eq 0 ]] || e2e_fail "offscreen, a request to terminate gave status $E2E_STATUS"

e2e_start_weston
(cd "$work" && WAYLAND_DEBUG=client exec "$game") >"$work/program.log" 2>&1 &
E2E_PROGRAM_PID=$!
# The window is all that is not black on the desktop.
for _ in $(seq 100); do
    kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "the game ended: $(grep -v '^\[' "$work/program.log")"
    e2e_wayland_shot "$work/screen.png"
    window=$(convert "$work/screen.png" -trim -format '%w %h %X %Y' info: 2>/dev/null)
    read -r width height left top <<<"${window//+/}"
    ((width > 100)) && break
    sleep 0.1
done
((width > 100)) || e2e_fail "no window appeared"
sleep 0.5 # the first frame may come before the menu is drawn
e2e_wayland_shot "$work/screen.png"

# The size went to the compositor as minimum and maximum: the client area and the frame.
# size_asked WHICH: the last minimum or maximum size the game asked for, as "W H".
size_asked() { grep -oE "set_$1_size\([0-9]+, [0-9]+\)" "$work/program.log" | tail -n 1 | grep -oE '[0-9]+' | paste -sd ' '; }
[[ $(size_asked min) == "$width $height" && $(size_asked max) == "$width $height" ]] ||
    e2e_fail "the window is $width x $height; minimum $(size_asked min), maximum $(size_asked max)"
border=$(((width - 559) / 2))
title=$((height - 420 - border))
((border >= 0 && title > border)) || e2e_fail "a $width x $height window has no frame around 559 x 420"

# colours X Y W H: the number of colours in that part of the screenshot.
colours() { convert "$work/screen.png" -crop "$3x$4+$1+$2" +repage -format '%k' info:; }
((left + width - 40 > left + width / 2 + 60)) || e2e_fail "the title bar is too narrow"
[[ $(colours $((left + width - 100)) $((top + 3)) 60 $((title - 6))) -eq 1 ]] ||
    e2e_fail "something is drawn left of the close button, where minimise and maximise would be"
[[ $(colours $((left + width - 30)) $((top + 3)) 25 $((title - 6))) -gt 1 ]] || e2e_fail "no close button"
# The menu: "New Game" on the playfield, whose background is plain beside it.
client_left=$((left + border))
client_top=$((top + title))
[[ $(colours $((client_left + 270)) $((client_top + 156)) 80 20) -gt 2 ]] || e2e_fail "no New Game button"
[[ $(colours $((client_left + 120)) $((client_top + 156)) 80 20) -eq 1 ]] || e2e_fail "the playfield is not plain"

kill -TERM "$E2E_PROGRAM_PID"
e2e_wait_exit 10
[[ $E2E_STATUS -eq 0 ]] || e2e_fail "under Wayland, a request to terminate gave status $E2E_STATUS"
echo "PASS: --version and -platform offscreen without a display; under weston the menu in a $width x $height window with only a close button"
