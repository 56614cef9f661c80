#!/usr/bin/env bash
# Opens the tray menu of the running program and saves a screenshot of Wine's desktop with the
# menu open:  tray-screenshot.sh FILE.png   (DISPLAY names the display Wine's desktop is on)
# The program's icon is the only one in the notification area, the rightmost slot of the
# taskbar at the bottom right of the 800x600 desktop.
set -euo pipefail
shot=$1
icon_x=${JITSWAP_TRAY_X:-790}
icon_y=${JITSWAP_TRAY_Y:-590}
sleep "${JITSWAP_SETTLE:-3}"
xdotool mousemove "$icon_x" "$icon_y" click 3
# Away from the icon, so that its tooltip does not cover the menu.
sleep 0.3
xdotool mousemove 400 300
sleep 1
import -window root "$shot"
# A click elsewhere closes the menu, as it does for the user.
xdotool click 1
