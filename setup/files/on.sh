#!/bin/sh
# Starts the Kestrow plug-in in the home screen of this device root ($KESTROW_ROOT, "/" on the
# phone itself). When no home screen runs for the root, one is started in the background; it is
# started again whenever it ends for a restart, until it quits by its own Esc key.
# Needs kestrow-qcop and kestrow-host in $PATH (the home screen and the settings application put
# their own folder there).
root=$(cd "${KESTROW_ROOT:-/}" && pwd -P) || exit 1
channel="/Kestrow/HomeScreen$root" # the same name as platform/homescreenchannel.h

if ! kestrow-qcop --registered "$channel" >/dev/null 2>&1; then
    (
        while :; do
            KESTROW_ROOT="$root" kestrow-host --root "$root"
            status=$?
            # 75: asked to restart; 134, 139: it crashed. Anything else (Esc, a kill) ends the loop.
            [ "$status" -eq 75 ] || [ "$status" -eq 134 ] || [ "$status" -eq 139 ] || break
        done
    ) </dev/null >/dev/null 2>&1 &
    tries=0
    until kestrow-qcop --registered "$channel" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || exit 1
        sleep 0.05
    done
fi
exec kestrow-qcop "$channel" 'PluginOn()'
