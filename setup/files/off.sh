#!/bin/sh
# Stops the Kestrow plug-in in the home screen of this device root ($KESTROW_ROOT, "/" on the
# phone itself): the home screen destroys the plug-in and unloads its library, and shows its
# wallpaper alone. Other home screens, of other device roots, are not touched.
root=$(cd "${KESTROW_ROOT:-/}" && pwd -P) || exit 1
channel="/Kestrow/HomeScreen$root" # the same name as platform/homescreenchannel.h
exec kestrow-qcop "$channel" 'PluginOff()'
