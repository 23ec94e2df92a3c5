#!/bin/sh
# Installs the Debian packages that building, running and testing Kestrow need.
# Run as root on Debian 12; does nothing when everything is already there.
set -eu

PACKAGES="build-essential cmake ninja-build pkg-config git
qt6-base-dev qt6-base-dev-tools libqt6dbus6 libqt6test6 libqt6svg6
libglib2.0-dev libgl-dev
fonts-wqy-microhei fonts-dejavu-core
dbus dbus-x11 xvfb xauth openbox wmctrl xdotool
libbenchmark-dev clang libclang-rt-14-dev
binutils file clang-format
libicu-dev libpng-dev libarchive-dev"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: missing packages:$missing (run as root to install them)" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing
fi
