#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# Damaged files against the real programs: options.wkp read by the game at
# start, level1.wkl read by the game at New Game, level3.wkl read by the
# editor when level 3 is chosen. Each row damages one file of a fresh copy of
# the shipped files and says what must happen: the file loads (then the game
# plays and quits, the editor saves and quits, both with status 0), or the
# named run-time error appears on standard error (with the path behind a
# link and the system's reason) and the program ends with status 1. Either
# way every file in the folder is byte-identical afterwards, except that
# Quit rewrites options.wkp and Save rewrites the level, both in the
# canonical form of the shipped file. A file that a row makes a symbolic
# link into a folder beside it stays a link: the rewrite goes to its target.
# Rows whose action ends in "+term" end the program by SIGTERM instead of
# OK or Quit, which must end it at once with the same status.
#
# The rows are shared out among a few lanes, each with its own X server, so
# that their programs never take each other's input.
#
#   [E2E_LANES=3] [E2E_ROWS=REGEX] bad_file_matrix.sh GAME EDITOR DATA_DIR
source "$(dirname "$0")/lib.sh"
game=$(realpath "$1")
editor=$(realpath "$2")
data=$(realpath "$3")
lanes=${E2E_LANES:-3}
e2e_make_workdir
top=$E2E_WORK
# The user nobody plants links in some rows' folders.
chmod 711 "$top"

# --- the rows ----------------------------------------------------------------
# One per line: file | damage | action | expected stderr line or "loads" | afterwards
#   action: start (the game starts), new-game, options (the options screen),
#           editor (level 3 chosen in the editor); quit-fails and save-fails
#           damage the file only after a good start, before Quit in the game
#           or Save in the editor
#   expected: DIR stands for the folder the program runs in
#   afterwards: same (every file as before the run, or as damaged), shipped
#           (the damaged file replaced by the shipped one, as a program
#           writes it on purpose)
rows=$top/rows
E=$'\x1f'  # separates the fields; the texts hold "|" and spaces
row() { printf '%s\n' "$(
    IFS=$E
    echo "$*"
)" >>"$rows"; }

opt=options.wkp
err53="Run-time error '53': File not found"
err62="Run-time error '62': Input past end of file"
err75="Run-time error '75': Path/File access error"
err13="Run-time error '13': Type mismatch"
err6="Run-time error '6': Overflow"
err5="Run-time error '5': Invalid procedure call or argument"
# The system's reasons, after the message on standard error.
gone=": No such file or directory"
isdir=": Is a directory"
notfile=": Not a regular file"
# What a "long" damage of record LINE (below) makes of FILE: past the readers'
# limit, and refused whole.
too_large() {
    local size=$(($(sed "$2d" "$data/$1" | wc -c) + 1048576 + 2))
    echo "$err75 ($1): File too large ($size bytes, the limit is 1048576)"
}

row $opt missing start "$err53 (options.wkp)$gone" same
row $opt empty start "$err62 (options.wkp, line 1)" same
row $opt folder start "$err75 (options.wkp)$isdir" same
for records in $(seq 1 23); do
    row $opt "truncate $records" start "$err62 (options.wkp, line $((records + 1)))" same
done
row $opt "set 5 80O0" start "$err13 (options.wkp, line 5)" same
row $opt "set 22 blue" start "$err13 (options.wkp, line 22)" same
# Scores are 32-bit, so values past the 16-bit range load and are kept.
row $opt "set 1  32768 " start loads same
row $opt "set 19 -32769 " start loads same
row $opt "set 1  2147483648 " start "$err6 (options.wkp, line 1, value 2147483648)" same
row $opt "set 3 -2147483649" start "$err6 (options.wkp, line 3, value -2147483649)" same
row $opt "set 21  256 " start "$err6 (options.wkp, line 21, value 256)" same
row $opt "set 24 -1" start "$err6 (options.wkp, line 24, value -1)" same
# A colour past the palette reads fine and fails where it is painted.
row $opt "set 21  16 " options "$err5 (colour index 16)" same
row $opt "set 22  255 " new-game "$err5 (colour index 255)" same
row $opt "set 23  99 " new-game "$err5 (colour index 99)" same
row $opt lf start loads shipped
row $opt bom start "$err13 (options.wkp, line 1)" same
row $opt "long 1 9" start "$(too_large $opt 1)" same
row $opt "long 2 A" start "$(too_large $opt 2)" same
row $opt "long 25 x" start "$(too_large $opt 25)" same
row $opt extra start loads shipped
row $opt junk start "$err13 (options.wkp, line 1)" same
row $opt "nul 24" start "$err13 (options.wkp, line 24)" same
row $opt folder quit-fails "$err75 (options.wkp)$isdir" same
row level3.wkl folder save-fails "$err75 (level3.wkl)$isdir" same
# A file kept elsewhere (a synced folder) through a link is saved through it.
row $opt "link lf" start loads shipped
row level3.wkl "link lf" editor loads shipped
row $opt "link missing" start "$err53 (options.wkp): DIR/store/options.wkp$gone" same
# Only a regular file is read or replaced; anything else is refused at once
# (a named pipe used to hang the program for ever).
row $opt fifo start "$err75 (options.wkp)$notfile" same
row $opt "link fifo" start "$err75 (options.wkp): DIR/store/options.wkp$notfile" same
row $opt "link folder" start "$err75 (options.wkp): DIR/store/options.wkp$isdir" same
row $opt "link fifo" quit-fails "$err75 (options.wkp): DIR/store/options.wkp$notfile" same
row level1.wkl fifo new-game "$err75 (level1.wkl)$notfile" same
row level3.wkl fifo editor "$err75 (level3.wkl)$notfile" same
# SIGTERM: at the menu the game ends with 0 and writes nothing; behind a
# fatal error's box with the error's status 1.
row $opt none start+term loads same
row $opt missing start+term "$err53 (options.wkp)$gone" same
row level1.wkl missing new-game+term "$err53 (level1.wkl)$gone" same
if ((EUID == 0)); then
    # A device of the row's own (a null device), which a save through a link
    # used to replace with a regular file.
    row $opt device start "$err75 (options.wkp)$notfile" same
    row $opt "link device" quit-fails "$err75 (options.wkp): DIR/store/options.wkp$notfile" same
    row level3.wkl "link device" save-fails "$err75 (level3.wkl): DIR/store/level3.wkl$notfile" same
    # Another user's link in a folder that everyone may write, to a copy of
    # the file that only root may read, or to a file not there yet: planted
    # before the start, or swapped in before Quit or Save. Neither is read
    # nor written.
    denied=": Permission denied"
    for f in $opt level3.wkl; do
        action=$([[ $f == "$opt" ]] && echo quit-fails || echo save-fails)
        row $f "attacker secret" "$action" "$err75 ($f): DIR/$f -> private/secret$denied" same
        row $f "attacker new.sh" "$action" "$err75 ($f): DIR/$f -> private/new.sh$denied" same
    done
    row $opt "attacker secret" start "$err75 ($opt): DIR/$opt -> private/secret$denied" same
    row level1.wkl "attacker secret" new-game \
        "$err75 (level1.wkl): DIR/level1.wkl -> private/secret$denied" same
fi

for level in 1 3; do
    f=level$level.wkl
    action=$([[ $level == 1 ]] && echo new-game || echo editor)
    # The game only reads level files; the editor's Save rewrites its level.
    rewritten=$([[ $level == 1 ]] && echo same || echo shipped)
    row $f missing "$action" "$err53 ($f)$gone" same
    row $f empty "$action" "$err62 ($f, line 1)" same
    row $f folder "$action" "$err75 ($f)$isdir" same
    for records in $(seq 1 69); do
        row $f "truncate $records" "$action" "$err62 ($f, line $((records + 1)))" same
    done
    row $f "set 7 6OO" "$action" "$err13 ($f, line 7)" same
    row $f "set 70 abc" "$action" "$err13 ($f, line 70)" same
    row $f "set 1  32768 " "$action" "$err6 ($f, line 1, value 32768)" same
    row $f "set 70 -32769 " "$action" "$err6 ($f, line 70, value -32769)" same
    row $f "set 2  32767 " "$action" loads same
    row $f lf "$action" loads "$rewritten"
    row $f bom "$action" "$err13 ($f, line 1)" same
    row $f "long 1 1" "$action" "$(too_large "$f" 1)" same
    row $f "long 71 x" "$action" "$(too_large "$f" 71)" same
    row $f extra "$action" loads "$rewritten"
    row $f junk "$action" "$err13 ($f, line 1)" same
    row $f "nul 35" "$action" "$err13 ($f, line 35)" same
done

# E2E_ROWS=REGEX keeps only the matching rows, to look into a few of them.
if [[ -n ${E2E_ROWS:-} ]]; then
    grep -E -- "$E2E_ROWS" "$rows" >"$rows.kept" || true
    mv "$rows.kept" "$rows"
fi

# --- damaging a file -----------------------------------------------------------

# with_line FILE LINE CONTENT_COMMAND...: replaces record LINE (or appends it
# after the last) with what the command prints, ended by CR LF.
with_line() {
    local file=$1 line=$2
    shift 2
    {
        head -n $((line - 1)) "$file"
        "$@"
        printf '\r\n'
        tail -n +$((line + 1)) "$file"
    } >"$file.new"
    mv "$file.new" "$file"
}

damage() {
    local file=$1 how=$2 arg1 arg2
    read -r _ arg1 arg2 <<<"$how" || true
    case $how in
        # The file moved into store/ beside it, a relative link in its place,
        # and then the damage named after "link" done to the moved file.
        link*)
            local folder name
            folder=$(dirname "$file") name=$(basename "$file")
            mkdir -p "$folder/store" && mv "$file" "$folder/store/$name"
            ln -s "store/$name" "$file"
            damage "$folder/store/$name" "${how#link }"
            ;;
        missing) rm "$file" ;;
        empty) : >"$file" ;;
        folder) rm "$file" && mkdir "$file" ;;
        fifo) rm "$file" && mkfifo "$file" ;;
        device) rm "$file" && mknod "$file" c 1 3 ;;
        # The folder made sticky and writable by everyone, as /tmp, and the
        # file replaced by the user nobody's link to private/ARG1, where
        # private/secret is a copy of the file that only root may read.
        attacker*)
            local folder
            folder=$(dirname "$file")
            chmod 1777 "$folder"
            mkdir -m 700 "$folder/private"
            mv "$file" "$folder/private/secret"
            setpriv --reuid=65534 --regid=65534 --clear-groups -- ln -s "private/$arg1" "$file"
            ;;
        truncate*) head -n "$arg1" "$file" >"$file.new" && mv "$file.new" "$file" ;;
        set*) with_line "$file" "$arg1" printf '%s' "${how#set "$arg1" }" ;;
        lf) tr -d '\r' <"$file" >"$file.new" && mv "$file.new" "$file" ;;
        bom) { printf '\xEF\xBB\xBF' && cat "$file"; } >"$file.new" && mv "$file.new" "$file" ;;
        # A record of one mebibyte of one character: the file is past the
        # readers' limit.
        long*) with_line "$file" "$arg1" sh -c "head -c 1048576 /dev/zero | tr '\\0' '$arg2'" ;;
        extra) printf ' 1 \r\nExtra\r\n 2 \r\n' >>"$file" ;;
        junk) gzip -n -9 -c "$data/level1.wkl" >"$file" ;;
        nul*) with_line "$file" "$arg1" printf ' 1\0\0\0 ' ;;
        none) ;;
        *) e2e_fail "unknown damage: $how" ;;
    esac
}

# Every path in the folder with the hash of each file and the target of each
# link, but the program's log.
snapshot() {
    (cd "$1" && find . -mindepth 1 ! -name program.log | LC_ALL=C sort | while read -r path; do
        if [[ -L $path ]]; then
            echo "link $path -> $(readlink "$path")"
        elif [[ -f $path ]]; then
            sha256sum "$path"
        else
            echo "$(stat -c %F "$path") $path"
        fi
    done)
}

# --- running a row ---------------------------------------------------------------

# The first run-time error on the program's standard error, waiting a little.
reported_error() {
    local _
    for _ in $(seq "${2:-1}"); do
        grep -m1 "^Run-time error" "$1/program.log" 2>/dev/null && return 0
        sleep 0.05
    done
    return 0
}

# OK on the message box ends the program. The box takes the focus as it
# opens; Return goes again if it came too early.
dismiss_error() {
    local attempt _
    sleep 0.3
    for attempt in 1 2 3 4 5; do
        xdotool key Return
        for _ in $(seq 20); do
            kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || return 0
            sleep 0.05
        done
    done
}

# run_row DIR FILE DAMAGE ACTION EXPECTED AFTERWARDS: prints the outcome; fails
# (status 1) when it differs from the expectation.
run_row() {
    local dir=$1 file=$2 how=$3 action=$4 expected=${5//DIR/$1} after=$6 ending=ok
    if [[ $action == *+term ]]; then
        action=${action%+term} ending=term
    fi
    rm -rf "$dir" "$dir.expected" && mkdir -p "$dir" && cp "$data"/* "$dir/"
    [[ $action == *-fails ]] || damage "$dir/$file" "$how"
    local want
    if [[ $after == shipped || $action == *-fails ]]; then
        cp -a "$dir" "$dir.expected"
        if [[ $after == shipped ]]; then
            # through a link, onto its target
            cp "$data/$file" "$dir.expected/$file"
        else
            damage "$dir.expected/$file" "$how"
        fi
        want=$(snapshot "$dir.expected")
    else
        want=$(snapshot "$dir")
    fi

    local program=$game
    [[ $action == editor || $action == save-fails ]] && program=$editor
    e2e_start_program "$dir" "$program"
    local error
    error=$(reported_error "$dir")
    if [[ -z $error ]]; then
        case $action in
            new-game) e2e_click 310 166 ;;
            options) e2e_click 310 198 ;;
            editor | save-fails) e2e_click 330 203 && e2e_type 3 && e2e_click 330 238 ;;
        esac
        error=$(reported_error "$dir" 10)
    fi
    if [[ -z $error && $action == *-fails ]]; then
        damage "$dir/$file" "$how"
        case $action in
            quit-fails) e2e_click 310 294 ;;
            save-fails) e2e_click 44 56 ;;
        esac
        error=$(reported_error "$dir" 10)
    fi
    local outcome
    if [[ -n $error ]]; then
        if [[ $ending == term ]]; then
            sleep 0.3 && kill -TERM "$E2E_PROGRAM_PID"
        else
            dismiss_error
        fi
        outcome=$error
    elif [[ $ending == term ]]; then
        kill -TERM "$E2E_PROGRAM_PID"
        outcome=loads
    else
        # Loaded: leave the way a player would.
        case $action in
            start | options) e2e_click 310 294 ;;                       # Quit
            new-game) e2e_key Escape && e2e_click 310 230 && e2e_click 310 294 ;;
            editor) e2e_click 44 56 && e2e_click 44 104 ;;              # Save, Quit
        esac
        outcome=loads
    fi
    e2e_wait_exit 10
    local status=$E2E_STATUS expected_status=1 problems=()
    [[ $expected == loads ]] && expected_status=0
    [[ $outcome == "$expected" ]] || problems+=("expected: $expected")
    [[ $status == "$expected_status" ]] || problems+=("status $status")
    [[ $(snapshot "$dir") == "$want" ]] || problems+=("the files differ: $(diff <(echo "$want") <(snapshot "$dir") | grep '^[<>]' | tr '\n' ' ')")
    local verdict=PASS
    ((${#problems[@]} == 0)) || verdict=FAIL
    printf '%s | %s | %s | %s | status %s%s\n' "$verdict" "$file" "$how" "$outcome" "$status" \
        "$( ((${#problems[@]} == 0)) || printf ' | %s' "${problems[@]}")"
    [[ $verdict == PASS ]]
}

# run_lane N: the rows N, N + lanes, N + 2 lanes, ... under a server of its own.
run_lane() {
    local lane=$1 index=0 failed=0 file how action expected after
    E2E_WORK=$top/lane$lane
    mkdir -p "$E2E_WORK"
    E2E_XVFB_PID="" E2E_PROGRAM_PID=""
    trap 'E2E_WORK=""; e2e_cleanup' EXIT
    # One after the other, so that each finds the others' display numbers taken.
    sleep "$lane"
    e2e_start_x
    while IFS=$E read -r file how action expected after; do
        if ((index++ % lanes == lane)); then
            run_row "$E2E_WORK/run" "$file" "$how" "$action" "$expected" "$after" || failed=1
        fi
    done <"$rows"
    return $failed
}

pids=()
for lane in $(seq 0 $((lanes - 1))); do
    run_lane "$lane" >"$top/results$lane" 2>"$top/errors$lane" &
    pids+=($!)
done
status=0
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
cat "$top"/results*
total=$(wc -l <"$rows")
done_rows=$(cat "$top"/results* | grep -c '^PASS\|^FAIL' || true)
passed=$(cat "$top"/results* | grep -c '^PASS' || true)
if ((status != 0 || done_rows != total)); then
    cat "$top"/errors* >&2
    e2e_fail "$passed of $total rows passed"
fi
echo "PASS: all $total rows of the bad-file matrix"
