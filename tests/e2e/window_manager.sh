#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# Both programs under real window managers. Under fluxbox, which lists
# _NET_REQUEST_FRAME_EXTENTS but never answers it, both windows show as soon
# as they do with no manager at all. Under openbox: the game tells the
# manager its size is fixed (size hints, and Motif hints with neither
# resizing nor resize handles), so that resizing and maximising are not
# offered and a resize request changes nothing; it plays, and closing it
# from the frame's close button ends it with status 0. The editor asks for
# no minimise or maximise button either, stays resizable, and opens a level.
# Both windows carry their menu entry's name as their class, and an icon.
# Forced larger by a tiling manager (i3, floating off), the game fills the
# rest of the window with its background colour.
#
#   window_manager.sh GAME EDITOR DATA_DIR
source "$(dirname "$0")/lib.sh"
game=$1
editor=$2
data=$3
e2e_make_workdir
work=$E2E_WORK
cp "$data"/* "$work/"

# motif_hints WHO FUNCTIONS DECORATIONS: the window's Motif hints name just
# these functions and decorations (move 4, resize 2, close 0x20; border 2,
# resize handles 4, title 8, menu 0x10), never minimise or maximise.
motif_hints() {
    local hints
    hints=$(xprop -id "$E2E_WINDOW" _MOTIF_WM_HINTS | sed 's/.*= //')
    [[ $hints == "0x3, $2, $3, 0x0, 0x0" ]] || e2e_fail "$1's Motif hints are $hints, not functions $2 and decorations $3"
}

# identity PROGRAM ENTRY: the window's class is the name of the program's
# menu entry (ENTRY.desktop), by which a desktop ties the two, and it has an icon.
identity() {
    local class
    class=$(xprop -id "$E2E_WINDOW" WM_CLASS | sed 's/.*= //')
    [[ $class == "\"$1\", \"$2\"" ]] || e2e_fail "$1's window class is $class, not $2"
    # Read whole: grep -q would stop reading the long answer, and the pipe
    # would fail on xprop's broken pipe whenever the icon's line came early.
    local icons
    icons=$(xprop -id "$E2E_WINDOW" _NET_WM_ICON)
    [[ $icons == *"Icon (64 x 64)"* ]] || e2e_fail "$1's window has no icon"
}

# The start-up of both programs with no manager and under fluxbox, in turns,
# so that each pair of starts meets the same load; the median of five such
# differences. A program that waited for fluxbox's answer would lose half a
# second at every start. Under fluxbox a start costs a few milliseconds
# more, on a loaded machine more, where fluxbox too waits for the processor.
e2e_start_x
# Without a wallpaper: Debian's style has one, and without a program to show
# it fluxbox shows a message window instead.
mkdir -p "$work/fluxbox-home/.fluxbox"
echo "background: none" >"$work/fluxbox-home/.fluxbox/overlay"
declare -A alone managed
for _ in 1 2 3 4 5; do
    for program in "$game" "$editor"; do
        e2e_time_start "$program"
        alone[$program]+=" $E2E_START_MS"
    done
    e2e_start_manager fluxbox
    for program in "$game" "$editor"; do
        e2e_time_start "$program"
        managed[$program]+=" $E2E_START_MS"
    done
    e2e_stop_manager
done
for program in "$game" "$editor"; do
    read -r -a a <<<"${alone[$program]}"
    read -r -a m <<<"${managed[$program]}"
    more=$(for i in "${!a[@]}"; do echo $((m[i] - a[i])); done | sort -n | sed -n 3p)
    echo "start-up of $(basename "$program"): ${alone[$program]} ms alone,${managed[$program]} ms under fluxbox"
    ((more < 250)) || e2e_fail "$(basename "$program") starts $more ms later under fluxbox (the median)"
done

e2e_start_manager openbox

e2e_start_program "$work" "$game"
motif_hints "the game" 0x24 0x1a # move and close; no resize handles
identity tilebash io.github.tilebash.Tilebash
hints=$(xprop -id "$E2E_WINDOW" WM_NORMAL_HINTS)
grep -q "minimum size: 559 by 420" <<<"$hints" && grep -q "maximum size: 559 by 420" <<<"$hints" ||
    e2e_fail "the game's size hints are not 559 x 420 both ways: $hints"
actions=$(xprop -id "$E2E_WINDOW" _NET_WM_ALLOWED_ACTIONS)
[[ $actions == *_NET_WM_ACTION_CLOSE* ]] || e2e_fail "no allowed actions: $actions"
for action in RESIZE MAXIMIZE_HORZ MAXIMIZE_VERT; do
    [[ $actions != *"_NET_WM_ACTION_$action"* ]] || e2e_fail "openbox offers $action for the game: $actions"
done
e2e_shot "$work/menu.png"

xdotool windowsize "$E2E_WINDOW" 800 600
sleep 0.5
e2e_client_geometry
[[ "$WIDTH x $HEIGHT" == "559 x 420" ]] || e2e_fail "after a resize request the game is $WIDTH x $HEIGHT"

e2e_click 310 166 # New Game
e2e_shot "$work/playing1.png"
sleep 0.5
e2e_shot "$work/playing2.png"
[[ $(compare -metric AE "$work/playing1.png" "$work/playing2.png" null: 2>&1 || true) != 0 ]] ||
    e2e_fail "nothing moved in half a second of play"

# The close button is the rightmost of the frame's title bar (the Debian
# default layout, NLIMC), in the middle of its height.
read -r _ right top _ < <(xprop -id "$E2E_WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
xdotool mousemove $((E2E_X + 559 + right - 11)) $((E2E_Y - top / 2)) click 1
e2e_wait_exit 10
[[ $E2E_STATUS -eq 0 ]] || e2e_fail "closed from its frame, the game ended with status $E2E_STATUS: $(cat "$work/program.log")"
cmp -s "$data/options.wkp" "$work/options.wkp" || e2e_fail "closing from the frame wrote options.wkp"

e2e_start_program "$work" "$editor"
motif_hints "the editor" 0x26 0x1e # and resizing
identity tilebash-editor io.github.tilebash.TilebashEditor
xprop -id "$E2E_WINDOW" WM_NORMAL_HINTS | grep -q "maximum size" && e2e_fail "the editor's size is held"
e2e_click 330 203 # into the level box
e2e_type 3
e2e_click 330 238 # OK
e2e_shot "$work/level3.png"
# Brick 0 of level 3 is at 3192, 240 (twips); the playfield's inner corner at (98, 10).
[[ $(e2e_pixel "$work/level3.png" $((98 + 3192 / 15 + 20)) $((10 + 240 / 15 + 4))) == "0,0,0" ]] ||
    e2e_fail "level 3's brick 0 is not where its file puts it"
e2e_click 44 104 # Quit
e2e_wait_exit 10
[[ $E2E_STATUS -eq 0 ]] || e2e_fail "the editor ended with status $E2E_STATUS: $(cat "$work/program.log")"
e2e_stop_manager

# i3 takes a window out of floating on request, and then gives it the whole screen.
printf '# i3 config file (v4)\nfont pango:monospace 8\n' >"$work/i3.config"
e2e_start_manager i3 -c "$work/i3.config"
e2e_start_program "$work" "$game"
i3-msg "[id=$E2E_WINDOW] floating disable" >/dev/null
sleep 0.5
import -window "$E2E_WINDOW" "$work/tiled.png"
read -r width height <<<"$(identify -format "%w %h" "$work/tiled.png")"
((width > 800 && height > 600)) || e2e_fail "i3 did not make the game larger: $width x $height"
background=$(e2e_pixel "$work/tiled.png" 5 5)
for corner in "$((width - 5)) 5" "5 $((height - 5))" "$((width - 5)) $((height - 5))"; do
    read -r x y <<<"$corner"
    [[ $(e2e_pixel "$work/tiled.png" "$x" "$y") == "$background" ]] ||
        e2e_fail "forced to $width x $height, the game shows $(e2e_pixel "$work/tiled.png" "$x" "$y") at $x, $y"
done
kill -TERM "$E2E_PROGRAM_PID"
e2e_wait_exit 10
echo "PASS: as fast under fluxbox as alone; under openbox the game is fixed at 559 x 420, plays and closes from its frame; the editor opens a level; both carry their menu entry's class and an icon; forced larger by i3 the game fills the window"
