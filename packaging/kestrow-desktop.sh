#!/bin/sh
# kestrow-desktop host|setup: the home screen or the settings application on the desktop user's own
# device root, which is made (or topped up) with kestrow-device init first. For the desktop entries.
set -eu
usage="Usage: kestrow-desktop [--root DIR] host|setup [OPTIONS...]
Runs the Kestrow home screen (host) or settings application (setup) on a device root of your own,
made with kestrow-device init when it is missing. OPTIONS go to the program.

Options:
  -h, --help    Print this help and exit.
  --root <DIR>  Device root folder. Default: \$KESTROW_ROOT, else
                \${XDG_DATA_HOME:-~/.local/share}/kestrow/root."
root=${KESTROW_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/kestrow/root}
while [ $# -gt 0 ]; do
    case $1 in
        -h|--help) echo "$usage"; exit 0 ;;
        --root) [ $# -ge 2 ] || { echo "kestrow-desktop: Missing value after '--root'." >&2; exit 2; }
                root=$2; shift 2 ;;
        --root=*) root=${1#--root=}; shift ;;
        -*) echo "kestrow-desktop: Unknown option '${1#-*-}'." >&2; exit 2 ;;
        *) break ;;
    esac
done
[ $# -ge 1 ] || { echo "kestrow-desktop: one of host or setup is needed" >&2; exit 2; }
program=$1
shift
case $program in
    host | setup) ;;
    *) echo "kestrow-desktop: unknown program \"$program\": host or setup" >&2; exit 2 ;;
esac
bin=$(dirname "$(readlink -f "$0")")
"$bin/kestrow-device" init "$root" >/dev/null
case $program in
    host) exec "$bin/kestrow-host" --root "$root" "$@" ;;
    setup) exec "$root/ezxlocal/Kestrow/kestrow-setup" --root "$root" "$@" ;;
esac
