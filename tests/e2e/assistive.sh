#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# What a screen reader gets from the running game over the real
# accessibility bus (at-spi2-core, read through screen_reader.py), on a
# desktop whose theme is dark, played from the keyboard: the menu's buttons
# and the named playfield; one focus event when New Game hides the menu;
# the game's state on the playfield while it runs; the options' radio
# buttons in the group "Difficulty", the scroll bar labelled "Level:", the
# swatches as buttons named by their colour, whose press action steps it.
# The playfield keeps the style's light grey under the dark theme.
#
#   assistive.sh GAME DATA_DIR
if [[ -z ${E2E_IN_SESSION:-} ]]; then
    # A D-Bus session of its own, which the accessibility bus joins.
    E2E_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
reader=$(dirname "$0")/screen_reader.py
game=$1
data=$2
e2e_make_workdir
work=$E2E_WORK
cp "$data"/*.wkl "$work/"
# The shipped table and colours, and difficulty 0: the ball rests where it
# is served, so the score stays as the game starts.
head -n 23 "$data/options.wkp" >"$work/options.wkp"
printf ' 0 \r\n' >>"$work/options.wkp"

e2e_start_x
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
bus=$!
trap 'kill "$bus" 2>/dev/null || true; e2e_cleanup' EXIT
"$reader" on
# KDE's dark colours, which Qt takes from kdeglobals on a KDE desktop.
mkdir -p "$work/config"
printf '[Colors:%s]\nBackgroundNormal=35,38,41\nForegroundNormal=239,240,241\n' Window Button View \
    >"$work/config/kdeglobals"
export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 XDG_CONFIG_HOME=$work/config
e2e_start_program "$work" "$game"

# expect_tree WHAT LINES...: the screen reader's tree of the game is LINES.
expect_tree() {
    local what=$1 actual
    shift
    actual=$("$reader" tree tilebash)
    [[ $actual == "$(printf '%s\n' "$@")" ]] ||
        e2e_fail "$what: a screen reader gets"$'\n'"$actual"$'\n'"instead of"$'\n'"$(printf '%s\n' "$@")"
}
menu=('canvas "Playfield" focused' '  push button "New Game"' '  push button "Options"'
    '  push button "High Score"' '  push button "Credits"' '  push button "Quit"')
expect_tree "the menu" "${menu[@]}"
e2e_shot "$work/menu.png"
[[ $(e2e_pixel "$work/menu.png" 120 300) == "239,239,239" ]] ||
    e2e_fail "under a dark theme the playfield is $(e2e_pixel "$work/menu.png" 120 300)"

e2e_key Tab # New Game
events=$("$reader" focus tilebash "xdotool key space")
[[ $events == 'focus canvas "Playfield"' ]] ||
    e2e_fail "New Game brought the focus events"$'\n'"$events"
expect_tree "the game" 'canvas "Playfield" "Level 1, lives 3, score 1" focused'
e2e_key Escape
expect_tree "the game-over panel" 'canvas "Playfield" focused' '  push button "OK"'
e2e_key Tab Return # OK: 4 does not enter the table
expect_tree "the menu again" "${menu[@]}"

e2e_key Tab Tab space # Options
options=('canvas "Playfield" focused' '  panel "Difficulty"' '    radio button "Easy"'
    '    radio button "Medium"' '    radio button "Hard" checked'
    '  scroll bar "Level:" labelled by "Level:"' '  push button "Ball colour: Light red"'
    '  push button "Paddle colour: Blue"' '  push button "Brick colour: Cyan"' '  push button "OK"')
expect_tree "the options" "${options[@]}"
"$reader" press tilebash "Ball colour: Light red"
sleep 0.3
options[6]='  push button "Ball colour: Light magenta"'
expect_tree "the options after pressing the ball swatch" "${options[@]}"

kill -TERM "$E2E_PROGRAM_PID"
e2e_wait_exit 10
[[ $E2E_STATUS -eq 0 ]] || e2e_fail "the game ended with status $E2E_STATUS: $(cat "$work/program.log")"
echo "PASS: a screen reader gets the named playfield and the menu, one focus event for New Game, the game's state, the options' named group, labelled scroll bar and colour buttons; the playfield stays light on a dark desktop"
