#!/bin/sh
# The cost of one frame of the reference skin: wall and CPU time from the benchmark,
# pinned to one core, and the instructions of one frame counted by callgrind (the
# difference between painting 110 and 10 frames, divided by 100), which does not
# depend on how busy the machine is.
# Usage: scripts/bench-frame.sh [BUILD_DIR]
set -eu
BUILD=$(cd "${1:-build/release}" && pwd)
BENCH="$BUILD/bin/framebench"
export QT_QPA_PLATFORM=offscreen

taskset -c 0 "$BENCH" --benchmark_filter='composeFrame|copyScreen'

count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$BENCH" --frames "$1" 2>&1 \
        | awk '/Collected :/ {print $NF}'
}
few=$(count 10)
many=$(count 110)
echo "instructions per frame: $(((many - few) / 100))"
