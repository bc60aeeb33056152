#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures what a program costs while it sits idle on screen: it starts the
# program under a private X server in a copy of the shipped files, waits for
# its window, then reads the processor time it used over SECONDS.
#
#   bench/idle_cpu.sh build/default/game/tilebash [SECONDS]
#
# Prints the share of one core used while idle, and the number of times the
# program was woken (voluntary context switches) per second.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
seconds=${2:-10}

source "$repo/tests/e2e/lib.sh"
e2e_make_workdir
workdir=$E2E_WORK
cp "$repo"/data/* "$workdir/"

e2e_start_x
e2e_start_program "$workdir" "$program"
sleep 1  # let start-up finish

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$E2E_PROGRAM_PID/stat"; }
wakeups() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$E2E_PROGRAM_PID/status"; }

cpu_before=$(cpu_ticks)
wake_before=$(wakeups)
sleep "$seconds"
cpu_after=$(cpu_ticks)
wake_after=$(wakeups)

awk -v used=$((cpu_after - cpu_before)) -v hz="$ticks_per_second" -v s="$seconds" \
    -v wakes=$((wake_after - wake_before)) \
    'BEGIN { printf "idle for %d s: %.2f%% of one core, %.1f wake-ups per second\n", s, 100 * used / hz / s, wakes / s }'
