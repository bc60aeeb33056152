#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# The programs away from X. Without any display they answer --version, say
# in one line that they have none (status 1, no abort), also through ./run,
# and run on Qt's offscreen platform when told so by Qt's own option. Under
# a Wayland compositor that draws no decorations (weston) the game shows
# the menu in the view's own frame, drawn active, with a close button and
# no minimise or maximise button, and gives the compositor its size as both
# minimum and maximum. Under one that draws them (sway, run headless as an
# unprivileged user) both programs leave the frame to it: no frame of their
# own inside sway's, and give it their menu entry's name as their app id. A
# request to terminate ends them with status 0.
#
#   wayland_and_offscreen.sh GAME EDITOR DATA_DIR
source "$(dirname "$0")/lib.sh"
repo=$(cd "$(dirname "$0")/../.." && pwd)
game=$(realpath "$1")
editor=$(realpath "$2")
data=$3
e2e_make_workdir
work=$E2E_WORK
cp "$data"/* "$work/"
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work")

# no_display_line NAME STATUS: the program (or ./run) said only that it has
# no display, and ended with status 1.
no_display_line() {
    [[ $2 -eq 1 && ! -s $work/out && $(cat "$work/err") == "$1: no display to open the window on (DISPLAY is not set); to run without one: $1 -platform offscreen" ]] ||
        e2e_fail "$1 without a display: status $2, output '$(cat "$work/out")', errors '$(cat "$work/err")'"
}
for program in "$game" "$editor"; do
    name=$(basename "$program")
    out=$("${no_display[@]}" "$program" --version) || e2e_fail "$name --version failed without a display"
    [[ $out == "$name "* ]] || e2e_fail "$name --version said: $out"
    status=0
    (cd "$work" && exec "${no_display[@]}" "$program") >"$work/out" 2>"$work/err" || status=$?
    no_display_line "$name" "$status"
done
# ./run builds first: only where ./test has built build/play already, so
# that the row does not rebuild it.
if [[ -x $repo/build/play/game/tilebash ]] &&
    (cd "$repo" && cmake --build --preset play --target tilebash -- -n) | grep -q "no work to do"; then
    status=0
    "${no_display[@]}" XDG_DATA_HOME="$work/data-home" "$repo/run" >"$work/out" 2>"$work/err" || status=$?
    no_display_line tilebash "$status"
else
    echo "./run not tried: build/play is not built and up to date (./test builds it first)"
fi

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
# darkest X Y W H: the darkest grey there, 0 to 255.
darkest() { convert "$work/screen.png" -crop "$3x$4+$1+$2" +repage -colorspace gray -format '%[fx:int(255*minima)]' info:; }
((left + width - 40 > left + width / 2 + 60)) || e2e_fail "the title bar is too narrow"
[[ $(colours $((left + width - 100)) $((top + 3)) 60 $((title - 6))) -eq 1 ]] ||
    e2e_fail "something is drawn left of the close button, where minimise and maximise would be"
[[ $(colours $((left + width - 30)) $((top + 3)) 25 $((title - 6))) -gt 1 ]] || e2e_fail "no close button"
# Weston gives the new window the keys: its caption and close button are dark, not the inactive grey.
for part in "$((left + width / 2 - 40)) caption" "$((left + width - 30)) close button"; do
    read -r x what <<<"$part"
    (($(darkest "$x" $((top + 3)) 25 $((title - 6))) < 60)) ||
        e2e_fail "the active window's $what is drawn grey ($(darkest "$x" $((top + 3)) 25 $((title - 6))))"
done
# The menu: "New Game" on the playfield, whose background is plain beside it.
client_left=$((left + border))
client_top=$((top + title))
[[ $(colours $((client_left + 270)) $((client_top + 156)) 80 20) -gt 2 ]] || e2e_fail "no New Game button"
[[ $(colours $((client_left + 120)) $((client_top + 156)) 80 20) -eq 1 ]] || e2e_fail "the playfield is not plain"

kill -TERM "$E2E_PROGRAM_PID"
e2e_wait_exit 10
[[ $E2E_STATUS -eq 0 ]] || e2e_fail "under Wayland, a request to terminate gave status $E2E_STATUS"
kill "$E2E_WESTON_PID"
wait "$E2E_WESTON_PID" 2>/dev/null || true
E2E_WESTON_PID=""

e2e_start_sway
for program in "$game" "$editor"; do
    name=$(basename "$program")
    (cd "$work" && WAYLAND_DEBUG=client exec "$program") >"$work/$name.log" 2>&1 &
    E2E_PROGRAM_PID=$!
    # Frameless, the window would ask for no decoration; server side is mode 2.
    for _ in $(seq 100); do
        grep -qE 'zxdg_toplevel_decoration_v1@[0-9]+\.configure\(2\)' "$work/$name.log" && break
        kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "$name ended under sway: $(grep -v '^\[' "$work/$name.log")"
        sleep 0.05
    done
    grep -q 'get_toplevel_decoration' "$work/$name.log" || e2e_fail "$name asked sway for no decorations"
    grep -qE 'zxdg_toplevel_decoration_v1@[0-9]+\.configure\(2\)' "$work/$name.log" ||
        e2e_fail "sway did not take $name's decorations on"
    entry=io.github.tilebash.Tilebash
    [[ $name == tilebash-editor ]] && entry=io.github.tilebash.TilebashEditor
    grep -qF "set_app_id(\"$entry\")" "$work/$name.log" ||
        e2e_fail "$name's app id is not $entry: $(grep -o 'set_app_id([^)]*)' "$work/$name.log")"
    if [[ $name == tilebash ]]; then
        # The client area alone: no frame of its own inside sway's.
        grep -q 'set_min_size(559, 420)' "$work/$name.log" && grep -q 'set_max_size(559, 420)' "$work/$name.log" ||
            e2e_fail "under sway the game asked for $(grep -oE 'set_m(in|ax)_size\([0-9, ]+\)' "$work/$name.log" | tail -n 2)"
    fi
    kill -TERM "$E2E_PROGRAM_PID"
    e2e_wait_exit 10
    [[ $E2E_STATUS -eq 0 ]] || e2e_fail "under sway, a request to terminate $name gave status $E2E_STATUS"
done
echo "PASS: no display, -platform offscreen; under weston the menu in a $width x $height own frame, drawn active, with only a close button; under sway no frame of their own and their menu entry's app id"
