#!/usr/bin/env bash
# CTest's emulator for the Windows build: runs one program in the Wine session of this test run.
set -euo pipefail
session=${JITSWAP_WINE_SESSION:?JITSWAP_WINE_SESSION names the session folder (see session.sh)}
export WINEPREFIX="$session/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d,winedbg.exe=d"
DISPLAY=$(cat "$session/display")
export DISPLAY
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
exec "$wine" "$@"
