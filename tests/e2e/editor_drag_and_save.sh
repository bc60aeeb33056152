#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# The editor with real X input: choose level 3, drag one brick by a known
# number of pixels, save, quit; the level file must change by exactly that
# distance in twips for that brick and for nothing else.
#
#   editor_drag_and_save.sh EDITOR DATA_DIR
source "$(dirname "$0")/lib.sh"
editor=$1
data=$2
e2e_make_workdir
work=$E2E_WORK
cp "$data"/*.wkl "$work/"

# Window pixels: the playfield's inner corner is at (96 + 2, 8 + 2).
inner_x=98
inner_y=10
twips_per_pixel=15

e2e_start_x
e2e_start_program "$work" "$editor"
e2e_click 330 203      # into the level box
e2e_type 3
e2e_click 330 238      # OK
e2e_shot "$work/level3.png"

# Brick 0 of the shipped level 3 stands at Left 3192, Top 240 (735 x 135).
read -r left0 top0 < <(awk 'NR == 1 { l = $1 } NR == 2 { print l, $1; exit }' "$work/level3.wkl")
[[ $left0 == 3192 && $top0 == 240 ]] || e2e_fail "unexpected shipped level 3: brick 0 at $left0, $top0"
from_x=$((inner_x + (left0 + 300) / twips_per_pixel))
from_y=$((inner_y + (top0 + 60) / twips_per_pixel))
dx=20
dy=10
cp "$work/level3.wkl" "$work/before.wkl"
e2e_drag "$from_x" "$from_y" $((from_x + dx)) $((from_y + dy))
e2e_click 44 56        # Save
e2e_click 44 104       # Quit
e2e_wait_exit 10
[[ $E2E_STATUS -eq 0 ]] || e2e_fail "the editor ended with status $E2E_STATUS: $(cat "$work/program.log")"

expected=$(awk -v dx=$((dx * twips_per_pixel)) -v dy=$((dy * twips_per_pixel)) '
    NR == 1 { $0 = ($1 + dx < 0 ? "" : " ") ($1 + dx) " " }
    NR == 2 { $0 = ($1 + dy < 0 ? "" : " ") ($1 + dy) " " }
    { printf "%s\r\n", $0 }' <(tr -d '\r' <"$work/before.wkl"))
actual=$(cat "$work/level3.wkl")
if [[ "$actual" != "$expected" ]]; then
    diff <(printf '%s' "$expected" | cat -A) <(printf '%s' "$actual" | cat -A) >&2 || true
    e2e_fail "level3.wkl is not the shipped level with brick 0 moved by ($dx, $dy) pixels"
fi
for level in 1 2 4 5; do
    cmp -s "$data/level$level.wkl" "$work/level$level.wkl" || e2e_fail "level$level.wkl changed"
done
echo "PASS: brick 0 moved by $((dx * twips_per_pixel)), $((dy * twips_per_pixel)) twips and saved"
