#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# The installed menu entry's command, as a desktop would run it: with an empty
# XDG_DATA_HOME it makes the player's folder, copies the six shipped files
# there and starts the game in it; a second start copies only what is missing
# and leaves the player's changed files alone. Also where the folder is when
# XDG_DATA_HOME is unset or not an absolute path; the one-line message and
# status when no folder can be found, made, completed or used (another
# user's, or one that others may write), handed to the program (which shows
# it in a box) when there is a display and no terminal; no partial copy
# that outlives a launcher killed while copying; and launchers side by side
# that never fail each other.
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
folder=$(env -u HOME XDG_DATA_HOME="$work/data-only" "$launcher" "$shipped" /bin/pwd)
[[ $folder == "$work/data-only/tilebash" ]] ||
    e2e_fail "with HOME unset and an absolute XDG_DATA_HOME the program ran in $folder"
# A umask that lets the group write makes a folder that only the player may
# write all the same, which the launcher then uses.
folder=$(umask 002 && XDG_DATA_HOME="$work/umask-002" "$launcher" "$shipped" /bin/pwd)
[[ $folder == "$work/umask-002/tilebash" && $(stat -c %a "$folder") == 755 ]] ||
    e2e_fail "with umask 002 the program ran in $folder, of mode $(stat -c %a "$folder")"

# A stand-in for the program that says what the launcher handed it and ends
# as the programs do after showing it.
cat >"$work/show" <<'SHOW'
#!/bin/sh
printf '%s\n' "${TILEBASH_LAUNCH_ERROR:-none}" >"$(dirname "$0")/out/shown"
exit 1
SHOW
chmod 755 "$work/show"
mkdir -m 777 "$work/out"
chmod 711 "$work"
: >"$work/not-a-folder"
# as_player COMMAND...: as a user whom file permissions bind.
as_player() {
    if ((EUID == 0)); then
        setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"
    else
        "$@"
    fi
}
# data_folder XDG_DATA_HOME MODE [OWNER]: its tilebash folder, of that mode,
# the player's (or OWNER's, a uid: only root can make one), with a link
# planted as options.wkp.
data_folder() {
    mkdir -p "$1/tilebash"
    ln -s /root/secret "$1/tilebash/options.wkp"
    if ((EUID == 0)); then
        chown -h "${3:-65534}:${3:-65534}" "$1/tilebash" "$1/tilebash/options.wkp"
    fi
    chmod "$2" "$1/tilebash"
}
data_folder "$work/read-only" 555
cp "$shipped"/level[12].wkl "$work/read-only/tilebash/"
data_folder "$work/group-writable" 775
data_folder "$work/world-writable" 1777
no_folder="cannot find the player's folder"
not_used="cannot use the player's folder"
rows=$(
    cat <<ROWS
env -u HOME -u XDG_DATA_HOME|$no_folder: HOME is not set, and XDG_DATA_HOME is not an absolute path
HOME= XDG_DATA_HOME=|$no_folder: HOME is not set, and XDG_DATA_HOME is not an absolute path
HOME= XDG_DATA_HOME=relative/data|$no_folder: HOME is not set, and XDG_DATA_HOME is not an absolute path
HOME=relative XDG_DATA_HOME=|$no_folder: neither HOME nor XDG_DATA_HOME is an absolute path
XDG_DATA_HOME=WORK/not-a-folder|cannot make the player's folder WORK/not-a-folder/tilebash: Not a directory
XDG_DATA_HOME=WORK/read-only as_player|cannot copy level3.wkl into the player's folder WORK/read-only/tilebash: Permission denied
XDG_DATA_HOME=WORK/group-writable as_player|$not_used WORK/group-writable/tilebash: others than the player may write to it
XDG_DATA_HOME=WORK/world-writable as_player|$not_used WORK/world-writable/tilebash: others than the player may write to it
ROWS
)
# Another user's folder, made before the player's first start, whether
# others may write it or not.
if ((EUID == 0)); then
    data_folder "$work/theirs" 755 64999
    data_folder "$work/theirs-open" 777 64999
    rows+=$'\n'"XDG_DATA_HOME=WORK/theirs as_player|$not_used WORK/theirs/tilebash: it belongs to another user"
    rows+=$'\n'"XDG_DATA_HOME=WORK/theirs-open as_player|$not_used WORK/theirs-open/tilebash: it belongs to another user"
fi
# One per line: how the launcher runs | the line it must say
while IFS='|' read -r how said; do
    how=${how//WORK/$work} said=${said//WORK/$work}
    for display in "" ":99"; do
        rm -f "$work/out/shown"
        status=0
        # shellcheck disable=SC2086
        (cd "$work" && eval "DISPLAY=$display WAYLAND_DISPLAY= $how \"\$launcher\" \"\$shipped\" \"\$work/show\"") \
            2>"$work/said" || status=$?
        [[ $(cat "$work/said") == "show: $said" ]] ||
            e2e_fail "$how: the launcher said '$(cat "$work/said")', not 'show: $said'"
        ((status != 0)) || e2e_fail "$how: status 0"
        if [[ -n $display ]]; then
            [[ $(cat "$work/out/shown" 2>/dev/null) == "show: $said" ]] ||
                e2e_fail "$how: the program was handed '$(cat "$work/out/shown" 2>/dev/null)'"
        else
            [[ ! -e $work/out/shown ]] || e2e_fail "$how: the program ran without a display"
        fi
    done
done <<<"$rows"
# A folder that was not used got nothing: only what lay there before.
for data_home in "$work"/{group-writable,world-writable,theirs,theirs-open}; do
    [[ ! -e $data_home || $(ls -A "$data_home/tilebash") == options.wkp ]] ||
        e2e_fail "$data_home/tilebash was used: it holds $(ls -A "$data_home/tilebash")"
done

# A launcher stopped while it copies, and the copy with it (as when a session
# ends), leaves no partial copy behind; one killed outright leaves one that
# the next start removes. The copy is held up by a cp that waits.
mkdir -p "$work/slow-bin"
cat >"$work/slow-bin/cp" <<'SLOW'
#!/bin/sh
: >"$(dirname "$0")/copying"
exec sleep 30
SLOW
chmod 755 "$work/slow-bin/cp"
for signal in TERM KILL; do
    home=$work/killed-$signal
    rm -f "$work/slow-bin/copying"
    PATH=$work/slow-bin:$PATH XDG_DATA_HOME=$home setsid "$launcher" "$shipped" /bin/true 2>/dev/null &
    group=$!
    for _ in $(seq 100); do
        [[ -e $work/slow-bin/copying ]] && break
        sleep 0.05
    done
    [[ -e $work/slow-bin/copying ]] || e2e_fail "the launcher never started to copy"
    kill -"$signal" -- "-$group"
    wait "$group" 2>/dev/null || true
    left=$(cd "$home/tilebash" && ls -A)
    if [[ $signal == TERM ]]; then
        [[ -z $left ]] || e2e_fail "a launcher stopped by SIG$signal left $left"
    else
        [[ $left == .launch.?????? ]] || e2e_fail "a launcher killed outright left '$left'"
        XDG_DATA_HOME=$home "$launcher" "$shipped" /bin/true
        [[ "$(cd "$home/tilebash" && ls -A)" == "$(cd "$shipped" && ls -A)" ]] ||
            e2e_fail "the next start left $(cd "$home/tilebash" && ls -A)"
    fi
done

# Launchers started side by side never fail each other, nor say a word: the
# first one is held up just after it has made the name of its first copy,
# while the second one looks for what killed launchers left. The same where
# the file system refuses every lock (NFS without its lock service): then no
# copy is locked, and none is taken either.
mkdir -p "$work/slow-mktemp" "$work/no-locks"
cat >"$work/slow-mktemp/mktemp" <<'SLOW'
#!/bin/sh
made=$(/usr/bin/mktemp "$@") || exit
if [ ! -e "$(dirname "$0")/made" ]; then
    : >"$(dirname "$0")/made"
    sleep 2
fi
echo "$made"
SLOW
cat >"$work/no-locks/flock" <<'NOLOCKS'
#!/bin/sh
echo "flock: No locks available" >&2
exit 71
NOLOCKS
chmod 755 "$work/slow-mktemp/mktemp" "$work/no-locks/flock"
for locks in yes no; do
    home=$work/side-by-side-$locks
    path=$PATH
    [[ $locks == yes ]] || path=$work/no-locks:$PATH
    rm -f "$work/slow-mktemp/made"
    PATH=$work/slow-mktemp:$path XDG_DATA_HOME=$home "$launcher" "$shipped" /bin/true \
        2>"$work/first.log" &
    first=$!
    for _ in $(seq 100); do
        [[ -e $work/slow-mktemp/made ]] && break
        sleep 0.05
    done
    [[ -e $work/slow-mktemp/made ]] || e2e_fail "the first launcher never made a copy"
    PATH=$path XDG_DATA_HOME=$home "$launcher" "$shipped" /bin/true 2>"$work/second.log" ||
        e2e_fail "with locks: $locks, the second launcher failed: $(cat "$work/second.log")"
    wait "$first" || e2e_fail "with locks: $locks, the first launcher failed: $(cat "$work/first.log")"
    [[ "$(cd "$home/tilebash" && ls -A)" == "$(cd "$shipped" && ls -A)" ]] ||
        e2e_fail "with locks: $locks, the two launchers left $(cd "$home/tilebash" && ls -A)"
    [[ ! -s $work/first.log && ! -s $work/second.log ]] ||
        e2e_fail "with locks: $locks, the launchers said: $(cat "$work/first.log" "$work/second.log")"
done

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
# Started from the menu, with no folder to be found: the game itself shows
# the launcher's line in a box, which ends it with status 1, whether OK
# closes it or a request to end (SIGTERM).
for ending in Return TERM; do
    e2e_start_program "$work" /usr/bin/env -u HOME -u XDG_DATA_HOME "${command[@]}"
    [[ $(xdotool getwindowname "$E2E_WINDOW") == Tilebash ]] ||
        e2e_fail "no box of the game's: $(xdotool getwindowname "$E2E_WINDOW")"
    grep -qxF "tilebash: $no_folder: HOME is not set, and XDG_DATA_HOME is not an absolute path" \
        "$work/program.log" || e2e_fail "the launcher said: $(cat "$work/program.log")"
    if [[ $ending == Return ]]; then
        e2e_key Return
    else
        kill -TERM "$E2E_PROGRAM_PID"
    fi
    e2e_wait_exit 10
    [[ $E2E_STATUS -eq 1 ]] || e2e_fail "$ending ended the game's box with status $E2E_STATUS"
done

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
