#!/bin/sh
# Builds Kestrow and starts the home screen with the shipped default skin in a
# 240 x 320 window, on a device root under the build folder. Needs root the
# first time (it installs the Debian packages it uses). Extra arguments go to
# kestrow-host (for example --quit-after 10 --capture /tmp/home.png). The home
# screen is started again whenever it ends for a restart (the settings
# application's "restart" choice) or crashes, until it quits by its Esc key.
# Second stage, inside the session bus: keep the home screen running.
if [ "${1:-}" = --keep-running ]; then
    BIN=$2
    ROOT=$3
    shift 3
    while :; do
        status=0
        "$BIN/kestrow-host" --root "$ROOT" "$@" || status=$?
        # 75: it ended to be restarted; 134, 139: it crashed. 0 (Esc) or anything else: done.
        case $status in
            75 | 134 | 139) echo "run: the home screen ended ($status); starting it again" ;;
            *) exit "$status" ;;
        esac
    done
fi

. "$(dirname "$0")/common.sh"

# The device root: --root DIR or $KESTROW_ROOT, as for every Kestrow program, else one in the build folder.
ROOT="${KESTROW_ROOT:-${KESTROW_DEMO_ROOT:-$SOURCE_DIR/build/release/device}}"
case "${1:-}" in
    -h | --help)
        echo "Usage: scripts/run.sh [--root DIR] [kestrow-host options...]"
        echo "Builds Kestrow and runs the home screen on the device root DIR (default: \$KESTROW_ROOT, else build/release/device)."
        exit 0 ;;
    --root)
        [ $# -ge 2 ] || { echo "run: Missing value after '--root'." >&2; exit 2; }
        ROOT=$2
        shift 2 ;;
    --root=*)
        ROOT=${1#--root=}
        shift ;;
esac

# common.sh moved to the source folder: a relative root is relative to where run.sh was started.
case "$ROOT" in
    /*) ;;
    *) ROOT="$OLDPWD/$ROOT" ;;
esac

"$SOURCE_DIR/scripts/install-deps.sh"
build_preset release

BIN="$SOURCE_DIR/build/release/bin"
"$BIN/kestrow-device" init "$ROOT"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display here: the home screen runs off screen (add --capture FILE.png to see it)"
fi
echo "run: keys: arrows walk the dock, Return launches, F3 settings, F1 display off/on, F2 backlight, F5 reload, Esc quits"

# The plug-in and its settings talk over a session bus; start one for the demo when there is none.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- sh "$SOURCE_DIR/scripts/run.sh" --keep-running "$BIN" "$ROOT" "$@"
fi
exec sh "$SOURCE_DIR/scripts/run.sh" --keep-running "$BIN" "$ROOT" "$@"
