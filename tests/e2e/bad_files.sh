#!/usr/bin/env bash
# A bad file ends a program with a message naming the error and the file, the
# same line on standard error, and status 1: the game without options.wkp,
# and the editor asked for a level whose file is cut short.
#
#   bad_files.sh GAME EDITOR DATA_DIR
source "$(dirname "$0")/lib.sh"
game=$1
editor=$2
data=$3
e2e_make_workdir
work=$E2E_WORK
cp "$data"/*.wkl "$work/"
head -n 40 "$data/level3.wkl" >"$work/level3.wkl"

# expect_fatal LINE: the message box is up; OK on it ends the program.
expect_fatal() {
    e2e_shot "$work/message.png"
    e2e_key Return
    e2e_wait_exit 10
    [[ $E2E_STATUS -eq 1 ]] || e2e_fail "status $E2E_STATUS, expected 1"
    grep -qxF "$1" "$work/program.log" || {
        cat "$work/program.log" >&2
        e2e_fail "standard error lacks: $1"
    }
}

e2e_start_x
e2e_start_program "$work" "$game"
expect_fatal "Run-time error '53': File not found (options.wkp)"

e2e_start_program "$work" "$editor"
e2e_click 330 203      # into the level box
e2e_type 3
e2e_click 330 238      # OK
expect_fatal "Run-time error '62': Input past end of file (level3.wkl, line 41)"
echo "PASS: both programs report the bad file and end with status 1"
