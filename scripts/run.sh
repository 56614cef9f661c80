#!/usr/bin/env bash
# Builds jitswap.exe and runs it under Wine, in a prefix of its own under build/run.
# With a $DISPLAY, Wine's desktop opens as a window there and the tray icon can be clicked.
# Without one, the program runs under Xvfb, and a screenshot of the desktop with the tray menu
# open is saved and its path printed. Runs until interrupted; then nothing of it is left running.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target jitswap -j "$(nproc)"

session=$PWD/build/run
exe=$PWD/build/win64/app/jitswap.exe
bash tests/wine/session.sh start "$session" "${DISPLAY:-}" >/dev/null
stop() { bash tests/wine/session.sh stop "$session"; }
trap stop EXIT
trap 'exit 130' INT TERM

export WINEPREFIX=$session/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
DISPLAY=$(cat "$session/display")
export DISPLAY
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)

"$wine" "$exe" &
echo "Jitswap is running in the notification area of Wine's desktop (display $DISPLAY). Ctrl+C ends it."

if [ -f "$session/xvfb.pid" ]; then
  shot=$session/tray-menu.png
  bash scripts/tray-screenshot.sh "$shot" && echo "Screenshot of the open tray menu: $shot"
fi
wait
