#!/bin/sh
# The running home screen, all in: instructions per frame of the whole host (kestrow-host
# --log-frames, off screen) for each shipped skin, counted by callgrind as the difference between a
# longer and a shorter run (100 and 70 seconds: past the first minute, in which the second hand is
# turned once for each of its places) divided by the frames between them, which does not depend on
# how busy the machine is. Then, with the default skin, CPU time and wake-ups: SECONDS (default 30) running,
# then as long again paused (display off), read from the process's own counters (CPU nanoseconds
# of every thread in /proc/PID/task/*/schedstat, and context switches).
# Usage: bench/host-cpu.sh [BUILD_DIR] [SECONDS]
set -eu
BUILD=$(cd "${1:-build/release}" && pwd)
SPAN=${2:-30}
ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
"$BUILD/bin/kestrow-device" init "$ROOT" >/dev/null
SETTINGS="$ROOT/ezxlocal/Kestrow/Kestrow.cfg"
export QT_QPA_PLATFORM=offscreen

# Instructions and frames of one run of the host under callgrind: SECONDS
counted() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$BUILD/bin/kestrow-host" --root "$ROOT" \
        --log-frames --quit-after "$1" >"$ROOT/frames.log" 2>"$ROOT/callgrind.log" || true
    echo "$(awk '/Collected :/ {print $NF}' "$ROOT/callgrind.log") $(grep -c '^frame' "$ROOT/frames.log")"
}

perFrame() {
    "$BUILD/bin/kestrow-config" set "$SETTINGS" Main Skin "$1" >/dev/null
    set -- $(counted 70) $(counted 100)
    echo "instructions per running frame, $skin: $((($3 - $1) / ($4 - $2))) ($(($4 - $2)) frames between the runs)"
}

measure() {
    pid=$1
    cpu=0
    switches=0
    for task in /proc/"$pid"/task/*; do
        cpu=$((cpu + $(cut -d' ' -f1 "$task/schedstat")))
        v=$(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status")
        n=$(awk '/^nonvoluntary_ctxt_switches/ {print $2}' "$task/status")
        switches=$((switches + v + n))
    done
    echo "$cpu $switches"
}

run() {
    for skin in default analog; do
        perFrame "$skin"
    done
    "$BUILD/bin/kestrow-config" set "$SETTINGS" Main Skin default >/dev/null
    "$BUILD/bin/kestrow-host" --root "$ROOT" --log-frames >"$ROOT/frames.log" 2>/dev/null &
    pid=$!
    sleep 3
    set -- $(measure $pid); cpu0=$1; sw0=$2; f0=$(wc -l <"$ROOT/frames.log")
    sleep "$SPAN"
    set -- $(measure $pid); cpu1=$1; sw1=$2; f1=$(wc -l <"$ROOT/frames.log")
    "$BUILD/bin/kestrow-qcop" EZX/System LCDOff >/dev/null
    sleep 1
    set -- $(measure $pid); cpu2=$1; sw2=$2; f2=$(wc -l <"$ROOT/frames.log")
    sleep "$SPAN"
    set -- $(measure $pid); cpu3=$1; sw3=$2; f3=$(wc -l <"$ROOT/frames.log")
    rss=$(awk '/^VmRSS/ {print $2}' /proc/$pid/status)
    kill $pid
    wait $pid 2>/dev/null || true
    echo "running ${SPAN} s: $((f1 - f0)) frames, $(((cpu1 - cpu0) / 1000000)) ms CPU, $((sw1 - sw0)) wake-ups"
    echo "paused  ${SPAN} s: $((f3 - f2)) frames, $(((cpu3 - cpu2) / 1000000)) ms CPU, $((sw3 - sw2)) wake-ups"
    echo "resident memory: $((rss / 1024)) MB"
}

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$BUILD" "$SPAN"
fi
run
