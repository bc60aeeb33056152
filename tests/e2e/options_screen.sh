#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# The options screen with real X input: two clicks on the ball swatch, Hard,
# OK, Quit; options.wkp then holds the colour two steps on and difficulty 200.
#
#   options_screen.sh GAME DATA_DIR
source "$(dirname "$0")/lib.sh"
game=$1
data=$2
e2e_make_workdir
work=$E2E_WORK
cp "$data"/* "$work/"

# The shipped file: ball 12, paddle 1, bricks 3, difficulty 150 (Medium).
tail -n 4 "$work/options.wkp" | tr -d '\r' | tr '\n' '|' | grep -qx ' 12 | 1 | 3 | 150 |' ||
    e2e_fail "unexpected shipped options.wkp"

e2e_start_x
e2e_start_program "$work" "$game"
e2e_click 310 198      # Options
e2e_click 314 210      # the ball swatch: 12 -> 13
e2e_click 314 210      # 13 -> 14
e2e_shot "$work/options.png"
[[ $(e2e_pixel "$work/options.png" 314 210) == "255,255,0" ]] || e2e_fail "the ball swatch is not light yellow"
e2e_click 313 178      # Hard
e2e_click 310 342      # OK
e2e_click 310 294      # Quit
e2e_wait_exit 10
[[ $E2E_STATUS -eq 0 ]] || e2e_fail "the game ended with status $E2E_STATUS: $(cat "$work/program.log")"

head -n 20 "$data/options.wkp" | cmp -s - <(head -n 20 "$work/options.wkp") || e2e_fail "the table changed"
[[ "$(tail -n 4 "$work/options.wkp" | tr -d '\r' | tr '\n' '|')" == ' 14 | 1 | 3 | 200 |' ]] || {
    cat -A "$work/options.wkp" >&2
    e2e_fail "options.wkp does not hold ball colour 14 and difficulty 200"
}
echo "PASS: ball colour 12 -> 14 and Hard saved at Quit"
