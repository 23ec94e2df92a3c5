#!/bin/sh
# Autorun script: the home screen runs it at start (as S10KestrowPulgin in the autorun folder),
# and it asks the home screen of this device root to load the Kestrow plug-in.
root=$(cd "${KESTROW_ROOT:-/}" && pwd -P) || exit 1
channel="/Kestrow/HomeScreen$root" # the same name as platform/homescreenchannel.h
exec kestrow-qcop "$channel" 'PluginOn()'
