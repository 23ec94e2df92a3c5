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

"$SOURCE_DIR/scripts/install-deps.sh"
build_preset release

BIN="$SOURCE_DIR/build/release/bin"
ROOT="${KESTROW_DEMO_ROOT:-$SOURCE_DIR/build/release/device}"
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
