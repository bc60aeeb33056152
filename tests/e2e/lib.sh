# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# Helpers for end-to-end tests: run a built program under a private X server
# and drive it with real X input (XTEST, through xdotool).
#
#   source lib.sh
#   e2e_make_workdir                                # -> E2E_WORK
#   e2e_start_x
#   e2e_start_manager openbox; e2e_stop_manager    # only for a window manager
#   e2e_start_weston                                # Wayland instead of X
#   e2e_start_sway                                  # ... with server-side decorations
#   e2e_start_program "$E2E_WORK" "$program"
#   e2e_click 310 166; e2e_key Escape; e2e_type "Ada"; e2e_drag 10 10 40 40
#   e2e_shot out.png; e2e_pixel out.png 12 34      # -> "255,0,0"
#   e2e_wait_exit 10                                # -> sets E2E_STATUS
#
# Coordinates are pixels in the program window's client area (1 pixel = 15
# twips). Everything started here is stopped when the script exits.

set -euo pipefail

E2E_XVFB_PID=""
E2E_WM_PID=""
E2E_WESTON_PID=""
E2E_SWAY_PID=""
E2E_SWAY_RUNTIME=""
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
    [[ -n $E2E_WM_PID ]] && e2e_stop_manager
    [[ -n $E2E_XVFB_PID ]] && kill "$E2E_XVFB_PID" 2>/dev/null || true
    [[ -n $E2E_WESTON_PID ]] && kill "$E2E_WESTON_PID" 2>/dev/null || true
    [[ -n ${E2E_MAPS_PID:-} ]] && kill "$E2E_MAPS_PID" 2>/dev/null || true
    [[ -n $E2E_SWAY_PID ]] && kill "$E2E_SWAY_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    [[ -n $E2E_SWAY_RUNTIME ]] && rm -rf "$E2E_SWAY_RUNTIME"
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

# e2e_start_manager NAME [ARGS...]: the X window manager NAME on the test's
# X server, with the system's configuration rather than the user's (a home
# and configuration folder of its own); returns once it manages windows.
e2e_start_manager() {
    local home=$E2E_WORK/$1-home
    mkdir -p "$home"
    HOME=$home XDG_CONFIG_HOME=$home/.config "$@" >"$E2E_WORK/$1.log" 2>&1 &
    E2E_WM_PID=$!
    local _
    for _ in $(seq 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
        kill -0 "$E2E_WM_PID" 2>/dev/null || break
        sleep 0.05
    done
    e2e_fail "$1 did not start: $(cat "$E2E_WORK/$1.log")"
}

# e2e_stop_manager: ends the window manager; the next one may start.
e2e_stop_manager() {
    kill "$E2E_WM_PID" 2>/dev/null || true
    # fluxbox, told to end while it starts, may sleep on instead.
    local _
    for _ in $(seq 40); do
        kill -0 "$E2E_WM_PID" 2>/dev/null || break
        sleep 0.05
    done
    kill -KILL "$E2E_WM_PID" 2>/dev/null || true
    wait "$E2E_WM_PID" 2>/dev/null || true
    E2E_WM_PID=""
    # What a manager that was killed may leave on the root window.
    xprop -root -remove _NET_SUPPORTING_WM_CHECK 2>/dev/null || true
}

# e2e_time_start PROGRAM: starts PROGRAM in E2E_WORK, sets E2E_START_MS to
# the milliseconds until its window is on the screen (mapped on the root
# window: the window itself, or the frame a manager puts it in), and ends it
# again.
e2e_time_start() {
    if [[ -z ${E2E_MAPS_PID:-} ]]; then
        coproc E2E_MAPS { exec xev -root -event substructure 2>/dev/null; }
        sleep 0.3
    fi
    while read -r -t 0.2 -u "${E2E_MAPS[0]}" _; do :; done
    local program start line mapped=""
    program=$(realpath "$1")
    start=$EPOCHREALTIME
    (cd "$E2E_WORK" && exec "$program") >"$E2E_WORK/program.log" 2>&1 &
    E2E_PROGRAM_PID=$!
    while read -r -t 10 -u "${E2E_MAPS[0]}" line; do
        if [[ $line == MapNotify* ]]; then
            mapped=$EPOCHREALTIME
            break
        fi
    done
    [[ -n $mapped ]] || e2e_fail "$(basename "$1") showed no window: $(cat "$E2E_WORK/program.log")"
    kill -TERM "$E2E_PROGRAM_PID"
    e2e_wait_exit 10
    E2E_START_MS=$(awk -v a="$start" -v b="$mapped" 'BEGIN { printf "%d", 1000 * (b - a) }')
}

# e2e_start_weston: weston (CPU rendering, a black desktop without a panel)
# in a window on a private X server, which gives it a seat with a keyboard
# and a pointer, and so gives a new window the keys; with its own runtime
# folder, for the programs and weston-screenshooter (hence --debug). Its
# pointer is moved off its output, so that no cursor is in the screenshots.
# No X display is left for the programs to fall back on.
e2e_start_weston() {
    [[ -n ${DISPLAY:-} ]] || e2e_start_x
    export XDG_RUNTIME_DIR=$E2E_WORK/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    printf '[shell]\nbackground-color=0xff000000\npanel-position=none\n' >"$E2E_WORK/weston.ini"
    weston --backend=x11-backend.so --use-pixman --width=800 --height=600 --debug \
        --socket=wayland-e2e --config="$E2E_WORK/weston.ini" >"$E2E_WORK/weston.log" 2>&1 &
    E2E_WESTON_PID=$!
    local _
    for _ in $(seq 100); do
        if [[ -S $XDG_RUNTIME_DIR/wayland-e2e ]]; then
            sleep 0.2 # its window mapped
            xdotool mousemove 400 300 sleep 0.1 mousemove 1000 700 sleep 0.1
            unset DISPLAY
            export WAYLAND_DISPLAY=wayland-e2e QT_QPA_PLATFORM=wayland
            return 0
        fi
        kill -0 "$E2E_WESTON_PID" 2>/dev/null || break
        sleep 0.05
    done
    e2e_fail "weston did not start: $(cat "$E2E_WORK/weston.log")"
}

# e2e_start_sway: sway, headless and drawing without a GPU, in a runtime
# folder of its own. Sway refuses to run as root: under root it runs as the
# user nobody, and the programs, still root, reach its socket all the same.
e2e_start_sway() {
    E2E_SWAY_RUNTIME=$(mktemp -d)
    printf 'output HEADLESS-1 resolution 1024x768\n' >"$E2E_SWAY_RUNTIME/config"
    local as=()
    if [[ $(id -u) -eq 0 ]]; then
        chown -R nobody: "$E2E_SWAY_RUNTIME"
        as=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
    fi
    "${as[@]}" env -i PATH="$PATH" HOME="$E2E_SWAY_RUNTIME" XDG_RUNTIME_DIR="$E2E_SWAY_RUNTIME" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$E2E_SWAY_RUNTIME/config" >"$E2E_WORK/sway.log" 2>&1 &
    E2E_SWAY_PID=$!
    local _ socket
    for _ in $(seq 100); do
        socket=$(find "$E2E_SWAY_RUNTIME" -maxdepth 1 -type s -name 'wayland-*' -printf '%f\n' | head -n1)
        if [[ -n $socket ]]; then
            unset DISPLAY
            export XDG_RUNTIME_DIR=$E2E_SWAY_RUNTIME WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
            return 0
        fi
        kill -0 "$E2E_SWAY_PID" 2>/dev/null || break
        sleep 0.05
    done
    e2e_fail "sway did not start: $(cat "$E2E_WORK/sway.log")"
}

# e2e_wayland_shot PNG: the whole of weston's screen.
e2e_wayland_shot() {
    local shots=$E2E_WORK/shots
    rm -rf "$shots"
    mkdir "$shots"
    (cd "$shots" && weston-screenshooter) || e2e_fail "weston-screenshooter failed"
    mv "$shots"/*.png "$1"
}

# e2e_client_geometry: sets X, Y, WIDTH and HEIGHT to the program window's
# client area on the screen (xdotool's geometry is off by the frame under a
# window manager).
e2e_client_geometry() {
    local info
    info=$(xwininfo -id "$E2E_WINDOW")
    X=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    Y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$info")
    HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$info")
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
    local X Y WIDTH HEIGHT
    e2e_client_geometry
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
    local X Y WIDTH HEIGHT
    e2e_client_geometry
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
