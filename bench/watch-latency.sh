#!/bin/sh
# From a saved edit to the first frame of the edited skin in the window, under
# kestrow-host --watch (off screen, default skin). Each edit switches the skin's centre
# image between two of its pictures (sed -i: a new file renamed over the old, as editors
# save); the time is from the save to the capture (--capture, written after every frame)
# whose pixel in that image shows the edit. Edits are a little more than a second apart, at varying moments
# of the plug-in's second, so that the worst case of its refresh timer is met.
# Usage: bench/watch-latency.sh [BUILD_DIR] [EDITS]
set -eu
BUILD=$(cd "${1:-build/release}" && pwd)
EDITS=${2:-20}
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$BUILD" "$EDITS"
fi
ROOT=$(mktemp -d)
HOST=
cleanup() {
    [ -n "$HOST" ] && kill "$HOST" 2>/dev/null && wait "$HOST" 2>/dev/null
    rm -rf "$ROOT"
}
trap cleanup EXIT
"$BUILD/bin/kestrow-device" init "$ROOT" >/dev/null
SKIN="$ROOT/ezxlocal/Kestrow/skin/default/skin.cfg"
CAPTURE="$ROOT/capture.png"
SNAP="$ROOT/seen.png"
# A point of the centre image that no clock digit, date or gauge covers.
X=120 Y=160

now() { date +%s.%N; }
# A hard link to the capture as it is now: the host replaces the file by renaming a new one
# over it, so the link keeps this capture, its time and its pixels together.
snapshot() { ln -f "$CAPTURE" "$SNAP" 2>/dev/null; }
shot() { stat -c %.9Y "$SNAP" 2>/dev/null || echo 0; }
pixel() { convert "$SNAP" -format "%[hex:p{$X,$Y}]" info: 2>/dev/null || true; }
later() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# Waits for a capture newer than $1 whose pixel is no longer $2; prints the capture's time.
wait_for_change() {
    seen=$1
    deadline=$(awk -v t="$(now)" 'BEGIN { printf "%.3f", t + 5 }')
    while later "$deadline" "$(now)"; do
        if snapshot; then
            t=$(shot)
            if later "$t" "$seen"; then
                seen=$t
                p=$(pixel)
                [ -n "$p" ] && [ "$p" != "$2" ] && { echo "$t"; return; }
            fi
        fi
        sleep 0.01
    done
    echo "no frame showed the edit within 5 s" >&2
    exit 1
}

QT_QPA_PLATFORM=offscreen "$BUILD/bin/kestrow-host" --root "$ROOT" --watch --capture "$CAPTURE" \
    >/dev/null 2>&1 &
HOST=$!
sleep 3
worst=0
total=0
i=1
while [ "$i" -le "$EDITS" ]; do
    snapshot
    before=$(pixel)
    if grep -q '^MidIMG = panel.png' "$SKIN"; then
        sed -i 's/^MidIMG = panel.png/MidIMG = dock.png/' "$SKIN"
    else
        sed -i 's/^MidIMG = dock.png/MidIMG = panel.png/' "$SKIN"
    fi
    # The file's own time: the script's next process may start late on a busy machine.
    saved=$(stat -c %.9Y "$SKIN")
    shown=$(wait_for_change "$saved" "$before")
    ms=$(awk -v a="$shown" -v b="$saved" 'BEGIN { printf "%d", (a - b) * 1000 }')
    echo "edit $i: $ms ms"
    [ "$ms" -gt "$worst" ] && worst=$ms
    total=$((total + ms))
    # The next edit at another moment of the plug-in's second, and more than a second after
    # this reload (the plug-in takes at most one reload a second).
    sleep "$(awk -v i="$i" 'BEGIN { printf "%.2f", 1.1 + (i * 0.37) % 1 }')"
    i=$((i + 1))
done
echo "save to first frame of the edited skin, $EDITS edits: worst $worst ms, mean $((total / EDITS)) ms"
