#!/bin/sh
# kestrow-desktop host|setup|install: the home screen, the settings application or the skin installer
# on the desktop user's own device root, which is made (or topped up) with kestrow-device init first.
# For the desktop entries.
set -eu
usage="Usage: kestrow-desktop [--root DIR] host|setup [OPTIONS...] | install FILE...
Kestrow on a device root of your own, for the desktop entries.

host runs the home screen, setup the settings application (OPTIONS go to the program);
install installs the skin packages FILE... and tells what happened in a notification, or
else in a small window. The device root is made with kestrow-device init when it is missing.

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
[ $# -ge 1 ] || { echo "kestrow-desktop: one of host, setup or install is needed" >&2; exit 2; }
program=$1
shift
case $program in
    host | setup) ;;
    install) [ $# -ge 1 ] || { echo "kestrow-desktop: install needs a skin package" >&2; exit 2; } ;;
    *) echo "kestrow-desktop: unknown program \"$program\": host, setup or install" >&2; exit 2 ;;
esac
bin=$(dirname "$(readlink -f "$0")")

# tell error|info TITLE TEXT: on the terminal, and as a notification or else a small window.
tell() {
    printf '%s\n%s\n' "$2" "$3" >&2
    if command -v notify-send >/dev/null 2>&1 && notify-send -i kestrow-setup "$2" "$3" 2>/dev/null; then
        return 0
    elif command -v zenity >/dev/null 2>&1; then
        zenity "--$1" --no-markup --title="$2" --text="$3" 2>/dev/null || true
    elif command -v xmessage >/dev/null 2>&1; then
        printf '%s\n\n%s\n' "$2" "$3" | xmessage -center -file - 2>/dev/null || true
    fi
}

# The installer's outcome lines are the message, each under the package's name; the linter's
# findings are only counted.
install_skins() {
    status=0
    installed=0
    text=""
    for file in "$@"; do
        if out=$("$bin/kestrow-skin" install "$file" --root "$root" 2>&1); then
            installed=$((installed + 1))
        else
            status=1
        fi
        text="$text${file##*/}:
"
        findings=0
        while IFS= read -r line; do
            case $line in
                *:[0-9]*": warning: "* | *:[0-9]*": error: "*) findings=$((findings + 1)) ;;
                "installed "*" in /"*) text="$text  ${line%% in /*}
" ;;
                *) text="$text  ${line#"kestrow-skin: $file: "}
" ;;
            esac
        done <<EOF
$out
EOF
        [ $findings -eq 0 ] || text="$text  ($findings findings: kestrow-skin lint shows them)
"
    done
    text=$(printf '%s' "$text" | fold -s -w 72)
    if [ $status -eq 0 ]; then
        tell info "Kestrow skin installed" "$text
Choose it in Kestrow settings."
    elif [ $installed -gt 0 ]; then
        tell error "Kestrow skins: not all installed" "$text"
    else
        tell error "Kestrow skin not installed" "$text"
    fi
    return $status
}

"$bin/kestrow-device" init "$root" >/dev/null
case $program in
    host) exec "$bin/kestrow-host" --root "$root" "$@" ;;
    setup) exec "$root/ezxlocal/Kestrow/kestrow-setup" --root "$root" "$@" ;;
    install) install_skins "$@" ;;
esac
