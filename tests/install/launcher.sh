#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# The installed menu entry's command, as a desktop would run it: with an empty
# XDG_DATA_HOME it makes the player's folder, copies the six shipped files
# there and starts the game in it; a second start copies only what is missing
# and leaves the player's changed files alone. Also where the folder is when
# XDG_DATA_HOME is unset or not an absolute path.
#
#   launcher.sh BUILD_DIR
source "$(dirname "$0")/../e2e/lib.sh"
build=$1
e2e_make_workdir
work=$E2E_WORK
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
shipped=$prefix/share/tilebash
read -r -a command <<<"$(sed -n 's/^Exec=//p' "$prefix/share/applications/io.github.tilebash.Tilebash.desktop")"
launcher=${command[0]}

# Where the program runs, shown by a program that prints its folder.
mkdir -p "$work/home"
for case in "unset" "" "relative/data"; do
    if [[ $case == unset ]]; then
        folder=$(env -u XDG_DATA_HOME HOME="$work/home" "$launcher" "$shipped" /bin/pwd)
    else
        folder=$(cd "$work" && XDG_DATA_HOME=$case HOME="$work/home" "$launcher" "$shipped" /bin/pwd)
    fi
    [[ $folder == "$work/home/.local/share/tilebash" ]] ||
        e2e_fail "with XDG_DATA_HOME '$case' the program ran in $folder"
done
[[ ! -e $work/relative ]] || e2e_fail "a relative XDG_DATA_HOME was used"

export XDG_DATA_HOME=$work/data-home
mkdir "$XDG_DATA_HOME"
folder=$XDG_DATA_HOME/tilebash

# start_game: runs the menu entry's command and waits for the game's window;
# the launcher hands its process over to the game.
start_game() {
    e2e_start_program "$work" "${command[@]}"
    [[ $(readlink "/proc/$E2E_PROGRAM_PID/cwd") == "$folder" ]] ||
        e2e_fail "the game runs in $(readlink "/proc/$E2E_PROGRAM_PID/cwd")"
}
quit_game() {
    e2e_click 310 294  # Quit
    e2e_wait_exit 10
    [[ $E2E_STATUS -eq 0 ]] || e2e_fail "the game ended with status $E2E_STATUS: $(cat "$work/program.log")"
}

e2e_start_x
start_game
[[ "$(cd "$folder" && ls -A)" == "$(cd "$shipped" && ls -A)" ]] ||
    e2e_fail "the folder holds $(cd "$folder" && ls -A)"
for file in "$shipped"/*; do
    cmp -s "$file" "$folder/$(basename "$file")" || e2e_fail "$(basename "$file") is not a copy of the shipped one"
done
quit_game

# The player's own changes, and a file the player removed.
printf 'my level\r\n' >"$folder/level1.wkl"
sed -i 's/^Tilebash Team\r$/A Player\r/' "$folder/options.wkp"
grep -q '^A Player' "$folder/options.wkp" || e2e_fail "could not change options.wkp"
cp "$folder/options.wkp" "$work/changed-options.wkp"
rm "$folder/level3.wkl"

start_game
[[ "$(cat "$folder/level1.wkl")" == $'my level\r' ]] || e2e_fail "level1.wkl was overwritten"
cmp -s "$folder/options.wkp" "$work/changed-options.wkp" || e2e_fail "options.wkp was overwritten"
cmp -s "$folder/level3.wkl" "$shipped/level3.wkl" || e2e_fail "the missing level3.wkl was not copied"
[[ $(cd "$folder" && ls -A | wc -l) -eq 6 ]] || e2e_fail "the folder holds $(cd "$folder" && ls -A)"
quit_game
cmp -s "$folder/options.wkp" "$work/changed-options.wkp" || e2e_fail "the game did not keep the player's table"
echo "PASS: the menu entry's command made and filled the folder once, and started the game in it"
