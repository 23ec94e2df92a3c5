#!/bin/sh
# The cost of a tick of the home screen's frame (the clock one second further each frame) for the
# reference skin and the shipped skins, repainted where it changed and composed whole: wall and
# CPU time from the benchmark, pinned to one core, and instructions counted by callgrind (the
# difference between painting 160 and 60 ticks, divided by 100: in its first minute a renderer turns
# the second hand once for each of its sixty places), which do not depend on how busy the machine
# is. The floor, one copy of a screen, is counted the same way.
# Usage: scripts/bench-frame.sh [BUILD_DIR]
set -eu
BUILD=$(cd "${1:-build/release}" && pwd)
BENCH="$BUILD/bin/framebench"
export QT_QPA_PLATFORM=offscreen

taskset -c 0 "$BENCH" --benchmark_filter='tick|copyScreen'

count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$BENCH" "$@" 2>&1 \
        | awk '/Collected :/ {print $NF}'
}
perFrame() {
    mode=$1
    shift
    few=$(count "$mode" 60 "$@")
    many=$(count "$mode" 160 "$@")
    echo $(((many - few) / 100))
}
copy=$(perFrame --copies)
echo "instructions per screen copy: $copy"
for skin in reference default analog; do
    changed=$(perFrame --frames "$skin" changed)
    whole=$(perFrame --frames "$skin" whole)
    echo "instructions per tick, $skin: changed $changed, whole $whole ($(awk "BEGIN {printf \"%.3f\", $changed / $whole}") of whole, $(awk "BEGIN {printf \"%.1f\", $changed / $copy}") screen copies)"
done
