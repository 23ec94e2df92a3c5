#!/bin/bash
# The settings application's start against its floor: kestrow-setup --quit-when-shown,
# started through the device root's kestrow-setup (off screen, English, on a session bus),
# beside bench's barewindow, a Qt Widgets list of four rows that quits after its first
# paint. Prints both programs' instructions (callgrind, every process of the start counted,
# the launcher script's included) and the medians of RUNS alternating starts' CPU time
# (user + system), and the ratio of each pair.
# Usage: bench/setup-start.sh [BUILD_DIR] [RUNS]
set -eu
BUILD=$(cd "${1:-build/release}" && pwd)
RUNS=${2:-10}
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$BUILD" "$RUNS"
fi
ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
export LANGUAGE= LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
"$BUILD/bin/kestrow-device" init "$ROOT" >/dev/null
SETUP=("$ROOT/ezxlocal/Kestrow/kestrow-setup" --quit-when-shown)
BARE=("$BUILD/bin/barewindow")

# CPU milliseconds (user + system) of one start, its output thrown away.
cpu_ms() {
    local TIMEFORMAT='%3U %3S' times
    times=$({ time "$@" >/dev/null 2>&1; } 2>&1)
    awk -v t="$times" 'BEGIN { split(t, f, " "); printf "%d", (f[1] + f[2]) * 1000 + 0.5 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Instructions of one start, summed over every process it runs; a start that fails counts nothing.
instructions() {
    local log
    log=$(mktemp)
    if ! valgrind --tool=callgrind --trace-children=yes --callgrind-out-file=/dev/null "$@" >/dev/null 2>"$log"; then
        echo "setup-start: $1 failed under callgrind:" >&2
        grep -v '^==' "$log" >&2
        rm -f "$log"
        return 1
    fi
    awk '/Collected :/ { n += $NF } END { print n }' "$log"
    rm -f "$log"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# One start of each first: the files they read come from the cache from then on.
cpu_ms "${SETUP[@]}" >/dev/null
cpu_ms "${BARE[@]}" >/dev/null
setup_cpu=()
bare_cpu=()
for _ in $(seq "$RUNS"); do
    setup_cpu+=("$(cpu_ms "${SETUP[@]}")")
    bare_cpu+=("$(cpu_ms "${BARE[@]}")")
done
setup_median=$(printf '%s\n' "${setup_cpu[@]}" | median)
bare_median=$(printf '%s\n' "${bare_cpu[@]}" | median)
setup_instructions=$(instructions "${SETUP[@]}")
bare_instructions=$(instructions "${BARE[@]}")

echo "kestrow-setup: ${setup_cpu[*]} ms CPU"
echo "bare window:   ${bare_cpu[*]} ms CPU"
printf '%-14s %14s %14s\n' "" instructions "median CPU ms"
printf '%-14s %14s %14s\n' kestrow-setup "$setup_instructions" "$setup_median"
printf '%-14s %14s %14s\n' "bare window" "$bare_instructions" "$bare_median"
echo "kestrow-setup / bare window: instructions $(ratio "$setup_instructions" "$bare_instructions")," \
    "CPU $(ratio "$setup_median" "$bare_median")"
