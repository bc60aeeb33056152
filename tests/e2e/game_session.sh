#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# A whole short game with real X input: New Game, the play objects drawn in
# their palette colours, Escape, the game-over panel, a name entered into the
# high-score table (a character the file cannot hold refused as it is typed),
# the table, Quit; then the row in options.wkp.
#
#   game_session.sh GAME DATA_DIR
source "$(dirname "$0")/lib.sh"
game=$1
data=$2
e2e_make_workdir
work=$E2E_WORK
cp "$data"/*.wkl "$work/"

# A table the score 4 enters at the top, bright colours that are easy to
# tell apart (ball 12 red, paddle 10 green, bricks 9 blue), and difficulty 0,
# so that the ball rests at its start place and can be found on screen.
{
    for row in 0 1 2 3 4 5 6 7 8 9; do printf ' 0 \r\nRow %d\r\n' "$row"; done
    printf ' 12 \r\n 10 \r\n 9 \r\n 0 \r\n'
} >"$work/options.wkp"

e2e_start_x
e2e_start_program "$work" "$game"
e2e_click 310 166      # New Game
sleep 0.3
e2e_shot "$work/playing.png"

# Window pixels: the playfield's inner corner is at (72 + 2, 8 + 2).
expect_colour() {
    local what=$1 x=$2 y=$3 expected=$4
    local actual
    actual=$(e2e_pixel "$work/playing.png" "$x" "$y")
    [[ $actual == "$expected" ]] || e2e_fail "$what at ($x, $y) is $actual, expected $expected"
}
expect_colour "brick 0" 138 30 "0,0,255"       # centre of (600, 240, 735 x 135)
expect_colour "brick 34" 474 94 "0,0,255"      # centre of (5640, 1200)
expect_colour "paddle" 311 408 "0,255,0"       # centre of (2848, 5865, 1425 x 210)
expect_colour "ball" 318 219 "255,0,0"         # centre of (3560, 3038, 203 x 203)

e2e_key Escape
e2e_click 310 230      # OK on the game-over panel
e2e_click 306 251      # into the name box
e2e_type 'Ada, the 1st Ł€'  # the box refuses what the file cannot hold
e2e_click 310 286      # OK: the name goes into the table
e2e_shot "$work/table.png"
e2e_click 310 366      # OK under the table
e2e_click 310 294      # Quit
e2e_wait_exit 10
[[ $E2E_STATUS -eq 0 ]] || e2e_fail "the game ended with status $E2E_STATUS: $(cat "$work/program.log")"

expected=$(
    printf ' 4 \r\n"Ada, the 1st \x80"\r\n'
    for row in 0 1 2 3 4 5 6 7 8; do printf ' 0 \r\nRow %d\r\n' "$row"; done
    printf ' 12 \r\n 10 \r\n 9 \r\n 0 \r\n'
)
[[ "$(cat "$work/options.wkp")" == "$expected" ]] || {
    cat -A "$work/options.wkp" >&2
    e2e_fail "options.wkp does not hold the new top row"
}
echo "PASS: drawn in palette colours; score 4 entered as row 0 and saved at Quit"
