#!/bin/sh
# Builds the .deb from a build folder (default build/debug), unpacks it into a scratch root and runs
# the programs from the unpacked files: a device root made by the installed kestrow-device, the
# installed skins linted, one frame rendered and the home screen run for a few seconds with its
# plug-in. scripts/package-test.sh [BUILD_DIR]
. "$(dirname "$0")/common.sh"

BUILD=${1:-build/debug}
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT

(cd "$BUILD" && cpack -G DEB >/dev/null)
DEB=$(ls -t "$BUILD"/kestrow_*.deb | head -n 1)
echo "package: $DEB"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
echo "depends: $DEPENDS"
case "$DEPENDS" in
    *libqt6*) ;;
    *) echo "package-test: the package declares no Qt dependency" >&2; exit 1 ;;
esac
case "$DEPENDS" in
    *libarchive*) ;;
    *) echo "package-test: the package declares no libarchive dependency" >&2; exit 1 ;;
esac
dpkg-deb -x "$DEB" "$SCRATCH/install"
USR="$SCRATCH/install/usr"
for f in bin/kestrow-host bin/kestrow-render bin/kestrow-skin bin/kestrow-setup bin/kestrow-device \
    bin/kestrow-desktop share/man/man1/kestrow-host.1 share/man/man1/kestrow-skin.1 \
    share/bash-completion/completions/kestrow-skin share/applications/kestrow-host.desktop \
    share/applications/kestrow-setup.desktop share/icons/hicolor/48x48/apps/kestrow-host.png \
    share/kestrow/skins/default/skin.cfg share/kestrow/setup/zh-cn.lng share/man/man1/kestrow-desktop.1 \
    share/mime/packages/kestrow-skin.xml share/applications/kestrow-skin-install.desktop \
    share/doc/kestrow/copyright share/doc/kestrow/README.md; do
    [ -e "$USR/$f" ] || { echo "package-test: $f is not in the package" >&2; exit 1; }
done
# Every installed program has a manual page whose NAME is one short line.
for program in "$USR"/bin/*; do
    page="$USR/share/man/man1/${program##*/}.1"
    [ -e "$page" ] || { echo "package-test: no manual page for ${program##*/}" >&2; exit 1; }
    name=$(sed -n '/^\.SH NAME/{n;s/^.* \\- //;p;q}' "$page")
    [ ${#name} -le 80 ] || { echo "package-test: ${program##*/}: NAME is too long: $name" >&2; exit 1; }
done
[ -n "$(find "$USR/lib" -path "*/kestrow/libidlepane.so.1")" ] || { echo "package-test: no plug-in in the package" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen
"$USR/bin/kestrow-device" init "$SCRATCH/root" >/dev/null
"$USR/bin/kestrow-skin" lint "$USR/share/kestrow/skins/default" "$USR/share/kestrow/skins/analog"
"$USR/bin/kestrow-skin" pack "$USR/share/kestrow/skins/analog" -o "$SCRATCH/analog.kskin" >/dev/null
"$USR/bin/kestrow-skin" install "$SCRATCH/analog.kskin" --replace --root "$SCRATCH/root" >/dev/null
diff -r "$USR/share/kestrow/skins/analog" "$SCRATCH/root/ezxlocal/Kestrow/skin/analog" \
    || { echo "package-test: the installed analog skin differs from the packed one" >&2; exit 1; }
"$USR/bin/kestrow-render" --root "$SCRATCH/root" --at "2026-01-26 10:08:30" -o "$SCRATCH/frame.png"
[ -s "$SCRATCH/frame.png" ] || { echo "package-test: kestrow-render wrote no frame" >&2; exit 1; }
dbus-run-session -- "$USR/bin/kestrow-host" --root "$SCRATCH/root" --quit-after 4 --log-frames \
    >"$SCRATCH/host.out" 2>"$SCRATCH/host.err" || { cat "$SCRATCH/host.err" >&2; exit 1; }
grep -q '^frame ' "$SCRATCH/host.out" || { echo "package-test: the installed home screen showed no frame" >&2; cat "$SCRATCH/host.err" >&2; exit 1; }
echo "package-test: installed programs ran"
