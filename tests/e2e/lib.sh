# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# Helpers for end-to-end tests: run a built program under a private X server
# and drive it with real X input (XTEST, through xdotool).
#
#   source lib.sh
#   e2e_make_workdir                                # -> E2E_WORK
#   e2e_start_x
#   e2e_start_program "$E2E_WORK" "$program"
#   e2e_click 310 166; e2e_key Escape; e2e_type "Ada"; e2e_drag 10 10 40 40
#   e2e_shot out.png; e2e_pixel out.png 12 34      # -> "255,0,0"
#   e2e_wait_exit 10                                # -> sets E2E_STATUS
#
# Coordinates are pixels in the program window's client area (1 pixel = 15
# twips). Everything started here is stopped when the script exits.

set -euo pipefail

E2E_XVFB_PID=""
E2E_PROGRAM_PID=""
E2E_WINDOW=""
E2E_X=0
E2E_Y=0
E2E_STATUS=""

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

E2E_WORK=""

e2e_cleanup() {
    [[ -n $E2E_PROGRAM_PID ]] && kill "$E2E_PROGRAM_PID" 2>/dev/null || true
    [[ -n $E2E_XVFB_PID ]] && kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    if [[ -n $E2E_WORK ]]; then
        if [[ -n ${E2E_KEEP:-} ]]; then
            echo "kept: $E2E_WORK" >&2
        else
            rm -rf "$E2E_WORK"
        fi
    fi
}
trap e2e_cleanup EXIT

# e2e_make_workdir: a fresh working folder in E2E_WORK, removed at the end
# unless E2E_KEEP is set (to look at its screenshots and log).
e2e_make_workdir() {
    E2E_WORK=$(mktemp -d)
}

e2e_start_x() {
    # A display number picked at random, so that a server of an earlier test
    # still shutting down is never mistaken for this one. -noreset: a server
    # resets when its last client leaves (the readiness probe below), and
    # refuses connections while it does.
    local attempt display _
    for attempt in $(seq 20); do
        display=$((100 + RANDOM % 900))
        [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]] && continue
        Xvfb ":$display" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
        E2E_XVFB_PID=$!
        export DISPLAY=":$display"
        for _ in $(seq 100); do
            kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
            if xdotool getmouselocation >/dev/null 2>&1; then
                xset r off 2>/dev/null || true  # no auto-repeat: one press is one key-down
                export QT_QPA_PLATFORM=xcb QT_ENABLE_HIGHDPI_SCALING=0 QT_SCALE_FACTOR=1
                export QT_AUTO_SCREEN_SCALE_FACTOR=0
                return 0
            fi
            sleep 0.05
        done
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
    done
    e2e_fail "could not start Xvfb"
}

# e2e_start_program DIR PROGRAM [ARGS...]: starts PROGRAM in DIR and waits for its window.
e2e_start_program() {
    local dir=$1
    local program
    program=$(realpath "$2")
    shift 2
    (cd "$dir" && exec "$program" "$@") >"$dir/program.log" 2>&1 &
    E2E_PROGRAM_PID=$!
    local _
    for _ in $(seq 200); do
        E2E_WINDOW=$(xdotool search --onlyvisible --pid "$E2E_PROGRAM_PID" 2>/dev/null | head -n1 || true)
        [[ -n $E2E_WINDOW ]] && break
        kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "the program ended before its window appeared: $(cat "$dir/program.log")"
        sleep 0.05
    done
    [[ -n $E2E_WINDOW ]] || e2e_fail "no window appeared"
    xdotool windowactivate --sync "$E2E_WINDOW" 2>/dev/null || xdotool windowfocus --sync "$E2E_WINDOW"
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
    E2E_X=$X
    E2E_Y=$Y
    sleep 0.3
}

e2e_settle() { sleep "${1:-0.25}"; }

e2e_click() {
    xdotool mousemove $((E2E_X + $1)) $((E2E_Y + $2)) click 1
    e2e_settle
}

e2e_key() {
    xdotool key "$@"
    e2e_settle
}

e2e_type() {
    xdotool type --delay 40 -- "$1"
    e2e_settle
}

# e2e_drag X1 Y1 X2 Y2: press at the first point, move in steps, release at the second.
e2e_drag() {
    xdotool mousemove $((E2E_X + $1)) $((E2E_Y + $2)) mousedown 1
    sleep 0.1
    local step
    for step in 1 2 3 4; do
        xdotool mousemove $((E2E_X + $1 + ($3 - $1) * step / 4)) $((E2E_Y + $2 + ($4 - $2) * step / 4))
        sleep 0.05
    done
    xdotool mouseup 1
    e2e_settle
}

e2e_shot() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}

# e2e_pixel PNG X Y: prints the colour at that pixel as "R,G,B".
e2e_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# e2e_wait_exit SECONDS: waits for the program to end and sets E2E_STATUS.
e2e_wait_exit() {
    local _
    for _ in $(seq $(($1 * 20))); do
        if ! kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; then
            set +e
            wait "$E2E_PROGRAM_PID"
            E2E_STATUS=$?
            set -e
            E2E_PROGRAM_PID=""
            return 0
        fi
        sleep 0.05
    done
    e2e_fail "the program did not end within $1 s"
}
