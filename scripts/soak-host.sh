#!/bin/sh
# Soak test of the home screen (not part of the test command): kestrow-host runs with the plug-in on
# a fresh device root for SECONDS (default 600) while "Reload()" is sent every second and the skin
# switches between the shipped skins every five seconds. Prints the resident memory at the start and
# at the end, and, for a sanitizer build, what LeakSanitizer found when the host quit. (A sanitizer
# build keeps freed memory in quarantine, up to 256 MB: read its resident memory with that in mind.)
#   scripts/soak-host.sh [--build DIR] [SECONDS]     DIR default build/asan
set -eu
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$SOURCE_DIR/build/asan
usage="usage: scripts/soak-host.sh [--build DIR] [SECONDS]"
while [ $# -gt 0 ]; do
    case $1 in
        -h|--help) echo "$usage"; exit 0 ;;
        --build) [ $# -ge 2 ] || { echo "soak-host: Missing value after '--build'." >&2; exit 2; }
                 BUILD=$(cd "$2" && pwd); shift 2 ;;
        -*) echo "soak-host: Unknown option '$1'." >&2; exit 2 ;;
        *) break ;;
    esac
done
SECONDS_TO_RUN=${1:-600}
case "$SECONDS_TO_RUN" in
    '' | *[!0-9]*) echo "soak-host: SECONDS is a whole number, not \"$SECONDS_TO_RUN\"" >&2; exit 2 ;;
esac
BIN=$BUILD/bin
for tool in kestrow-host kestrow-device kestrow-config kestrow-qcop; do
    [ -x "$BIN/$tool" ] || { echo "soak-host: build $BIN/$tool first" >&2; exit 2; }
done

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$SOURCE_DIR/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
"$BIN/kestrow-device" init "$WORK/root" >/dev/null
SETTINGS=$WORK/root/ezxlocal/Kestrow/Kestrow.cfg

rss() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }

# The driver runs inside the host's own session bus, so that its messages reach the plug-in.
cat >"$WORK/drive.sh" <<DRIVE
#!/bin/sh
"$BIN/kestrow-host" --root "$WORK/root" --quit-after $((SECONDS_TO_RUN + 60)) >"$WORK/host.out" 2>"$WORK/host.err" &
HOST=\$!
until "$BIN/kestrow-qcop" --registered /EZX/KestrowPlugin >/dev/null 2>&1; do sleep 0.2; done
sleep 2
echo "start: \$(awk '/^VmRSS/ { print \$2 }' /proc/\$HOST/status) kB resident" >"$WORK/rss"
# By the clock: SECONDS of reloads, one a second, the skin switched at every fifth.
i=0
stop=\$((\$(date +%s) + $SECONDS_TO_RUN))
while [ \$(date +%s) -lt \$stop ]; do
    if [ \$((i % 5)) -eq 4 ]; then
        if [ \$((i / 5 % 2)) -eq 0 ]; then skin=analog; else skin=default; fi
        "$BIN/kestrow-config" set "$SETTINGS" Main Skin \$skin
    fi
    "$BIN/kestrow-qcop" /EZX/KestrowPlugin 'Reload()' >/dev/null 2>&1 || true
    sleep 1
    i=\$((i + 1))
done
echo "end:   \$(awk '/^VmRSS/ { print \$2 }' /proc/\$HOST/status) kB resident after \$i reloads and \$((i / 5)) skin switches" >>"$WORK/rss"
# Quit as Esc does, so that a sanitizer build checks for leaks at the exit.
"$BIN/kestrow-qcop" "/Kestrow/HomeScreen\$(cd "$WORK/root" && pwd -P)" 'Quit()' >/dev/null 2>&1 || true
wait \$HOST
echo "host exit status: \$?" >>"$WORK/rss"
DRIVE
dbus-run-session -- sh "$WORK/drive.sh"
cat "$WORK/rss"
if ! grep -q "__asan_init" "$BIN/kestrow-host"; then
    echo "LeakSanitizer: not a sanitizer build, no leak check"
elif grep -q "LeakSanitizer" "$WORK/host.err"; then
    echo "LeakSanitizer:"
    grep -E "^(Direct|Indirect) leak|^SUMMARY" "$WORK/host.err"
else
    echo "LeakSanitizer: no leak reported"
fi
