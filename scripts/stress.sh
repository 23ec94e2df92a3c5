#!/bin/sh
# Repeats, for a given time, the two runs that once lost or tore settings:
#   writers  two processes, each running `kestrow-config set` in a group of its own on one
#            file at once; every key that either set must be in the file afterwards;
#   kills    a writer of a large file killed at a random moment of its flush; the file must
#            be one whole version, and the next flush must leave no temporary file behind.
# scripts/stress.sh [SECONDS] [BUILD_DIR]: SECONDS (default 60) is split between the two runs;
# BUILD_DIR (default build/release, built when missing) holds bin/kestrow-config.
# Prints the rounds, lost keys, orphaned temporary files and torn files; exit 1 if any.
set -eu
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_TO_RUN=${1:-60}
BUILD_DIR=${2:-$SOURCE_DIR/build/release}
case "$SECONDS_TO_RUN" in
    '' | *[!0-9]*) echo "usage: scripts/stress.sh [SECONDS] [BUILD_DIR]" >&2; exit 2 ;;
esac
TOOL=$BUILD_DIR/bin/kestrow-config
if [ ! -x "$TOOL" ]; then
    cmake --preset release -S "$SOURCE_DIR" >/dev/null
    cmake --build --preset release --target kestrow-config
    TOOL=$SOURCE_DIR/build/release/bin/kestrow-config
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM
KEYS=100
now() { date +%s; }

# One writer: KEYS sets in its group; a set that reports failure counts as a failure.
writer() { # file group
    i=0
    while [ "$i" -lt "$KEYS" ]; do
        "$TOOL" set "$1" "$2" "k$i" "v$i" 2>>"$WORK/errors" || echo x >>"$WORK/failed"
        i=$((i + 1))
    done
}

lost=0
rounds=0
failed=0
end=$(($(now) + SECONDS_TO_RUN / 2))
while [ "$(now)" -lt "$end" ] || [ "$rounds" -eq 0 ]; do
    file=$WORK/writers.cfg
    rm -f "$file" "$WORK/failed"
    writer "$file" A &
    writer "$file" B &
    wait
    for group in A B; do
        i=0
        while [ "$i" -lt "$KEYS" ]; do
            [ "$("$TOOL" get "$file" "$group" "k$i" missing)" = "v$i" ] || lost=$((lost + 1))
            i=$((i + 1))
        done
    done
    [ -f "$WORK/failed" ] && failed=$((failed + $(wc -l <"$WORK/failed")))
    rounds=$((rounds + 1))
done
echo "writers: $rounds rounds of 2 x $KEYS keys, $lost lost, $failed sets reported failure"

# The large file: 3 MB in 30 values (one argument holds at most 128 kB), and a tail that only a
# whole file has; every killed write rewrites all of it.
file=$WORK/killed.cfg
big=$(head -c 100000 /dev/zero | tr '\0' 'x')
i=0
while [ "$i" -lt 30 ]; do
    "$TOOL" set "$file" Data "Big$i" "$big"
    i=$((i + 1))
done
"$TOOL" set "$file" Tail End end
kills=0
midflush=0
torn=0
orphans=0
end=$(($(now) + SECONDS_TO_RUN / 2))
while [ "$(now)" -lt "$end" ] || [ "$kills" -eq 0 ]; do
    "$TOOL" set "$file" Data Big0 "$big$kills" &
    pid=$!
    # A random moment within the first 90 ms of the run.
    sleep "0.0$(od -An -N1 -tu1 /dev/urandom | tr -d ' ' | cut -c1)"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    kills=$((kills + 1))
    # A temporary file now means the kill landed inside the flush.
    midflush=$((midflush + $(find "$WORK" -maxdepth 1 -name '.killed.cfg.??????' | wc -l)))
    [ "$("$TOOL" get "$file" Tail End torn)" = end ] || torn=$((torn + 1))
    # The next successful flush clears what the killed one left.
    "$TOOL" set "$file" Tail Round "$kills"
    left=$(find "$WORK" -maxdepth 1 -name '.killed.cfg.??????' | wc -l)
    orphans=$((orphans + left))
done
echo "kills: $kills writers killed ($midflush inside their flush), $torn torn files, $orphans orphaned temporary files after the next flush"
[ "$lost" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$torn" -eq 0 ] && [ "$orphans" -eq 0 ]
