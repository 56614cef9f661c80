#!/usr/bin/env bash
# The program used as a person uses it, under Xvfb and Wine: a catalogue and a system setting are
# placed in the registry, jitswap.exe is started, its menu is opened from the tray icon with the
# mouse, an entry is picked with the mouse, and the system's AeDebug values are read back from both
# registry views; the
# setting is then changed from outside and the next popup must mark the right entry; finally an
# entry is added through "Править список..." and the two dialogs.
#   tray_switching.sh JITSWAP_EXE OUTPUT_DIR
set -euo pipefail
exe=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
session=${JITSWAP_WINE_SESSION:?}
export WINEPREFIX=$session/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d,winedbg.exe=d"
DISPLAY=$(cat "$session/display")
export DISPLAY
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
mkdir -p "$out"

catalogue='HKCU\Software\Quarvel\Jitswap\Debuggers'
aedebug='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\AeDebug'
icon_x=790
icon_y=590

fail() { echo "FAILED: $*" >&2; exit 1; }
reg_add() { "$wine" reg add "$@" /f >/dev/null 2>&1 || fail "reg add $*"; }
# reg_value KEY NAME [/reg:32]: the data of a value, in the 32-bit registry view when asked.
reg_value() { "$wine" reg query "$1" /v "$2" ${3:-} 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
shot() { import -window root -depth 8 "$out/$1.ppm"; convert "$out/$1.ppm" "$out/$1.png"; }

# Opens the tray menu with a right click, moves the mouse out of the way (so no tooltip covers
# the menu) and reads it off the screen: "items=N marked=I" is printed, and the items' places are
# kept for choose().
menu_x=0
menu_ys=()
open_menu() {
  xdotool mousemove 400 300
  sleep 0.5
  shot "$1-before"
  xdotool mousemove "$icon_x" "$icon_y" click 3
  sleep 0.3
  xdotool mousemove 400 300
  sleep 1
  shot "$1"
  local read
  read=$(python3 "$here/menu_marks.py" "$out/$1-before.ppm" "$out/$1.ppm")
  menu_x=$(sed -n 's/.* x=\([0-9]*\).*/\1/p' <<<"$read")
  IFS=, read -r -a menu_ys <<<"$(sed -n 's/.* y=//p' <<<"$read")"
  marks=${read% x=*}
}

# A click elsewhere closes the menu, as it does for the user.
close_menu() {
  xdotool mousemove 300 300 click 1
  sleep 0.5
}

# Clicks the n-th item of the open menu, counting from 1. (The mouse, not the keyboard: Wine's
# desktop gives no keys to the hidden window that owns a tray menu.)
choose() {
  xdotool mousemove "$menu_x" "${menu_ys[$(($1 - 1))]}" click 1
  sleep 1
}

"$wine" reg delete 'HKCU\Software\Quarvel' /f >/dev/null 2>&1 || true
reg_add "$catalogue" /v "Title 0" /t REG_SZ /d "Kernel debugger"
reg_add "$catalogue" /v "Command Line 0" /t REG_SZ /d 'kd.exe -p %ld -e %ld'
reg_add "$catalogue" /v "Auto 0" /t REG_DWORD /d 0
reg_add "$catalogue" /v "Title 2" /t REG_SZ /d "Dump writer"
reg_add "$catalogue" /v "Command Line 2" /t REG_SZ /d 'dumper.exe -p %ld -e %ld -ma'
reg_add "$catalogue" /v "Auto 2" /t REG_DWORD /d 0xFFFFFFFF
for view in /reg:64 /reg:32; do
  reg_add "$aedebug" /v Debugger /t REG_SZ /d 'kd.exe -p %ld -e %ld' $view
  reg_add "$aedebug" /v Auto /t REG_SZ /d 0 $view
done
# No balloon: it would come and go over the menu while its screenshots are compared.
reg_add 'HKCU\Software\Quarvel\Jitswap\Options' /v "Report Debugger Changes" /t REG_DWORD /d 0

"$wine" "$exe" >/dev/null 2>&1 &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT
sleep 4
# With no window manager nothing gives Wine's desktop the keyboard; the keys below need it.
xdotool windowfocus --sync "$(xdotool search --name 'Wine desktop' | head -n 1)"

# Edit list, Kernel debugger (marked, so "Неизвестный" is hidden), Dump writer, Check the debugger,
# Start with Windows, Report changes, Help, Exit.
open_menu menu-1-kernel-debugger-marked
[ "$marks" = "items=8 marked=1" ] || fail "first popup: $marks"

# The third item, "Dump writer": the system's setting follows the pick, for 64-bit and 32-bit programs.
choose 3
for view in /reg:64 /reg:32; do
  [ "$(reg_value "$aedebug" Debugger $view)" = 'dumper.exe -p %ld -e %ld -ma' ] ||
    fail "Debugger $view: $(reg_value "$aedebug" Debugger $view)"
  [ "$(reg_value "$aedebug" Auto $view)" = "1" ] || fail "Auto $view: $(reg_value "$aedebug" Auto $view)"
done
open_menu menu-2-dump-writer-marked
[ "$marks" = "items=8 marked=2" ] || fail "after picking the dump writer: $marks"
close_menu

# Another program changes the setting: the next popup shows "Неизвестный" marked.
reg_add "$aedebug" /v Debugger /t REG_SZ /d 'other.exe -p %ld'
open_menu menu-3-unknown-marked
[ "$marks" = "items=9 marked=1" ] || fail "after an outside change: $marks"
close_menu

# "Править список...", Insert for a new entry, its title and command line, Ok, Ok.
open_menu menu-4-edit-list
choose 1
xdotool key Insert
sleep 1
xdotool type --delay 50 'IDE debugger'
xdotool key Tab
xdotool type --delay 50 'ide.exe -jit %ld'
shot entry-dialog-filled
xdotool key Return
sleep 1
# No ide.exe on this machine: the dialog warns, and Yes keeps the command line as typed.
shot entry-dialog-missing-program-warning
xdotool key Return
sleep 1
shot list-dialog-with-new-entry
xdotool key Return
sleep 1
[ "$(reg_value "$catalogue" "Title 2")" = "IDE debugger" ] || fail "stored title: $(reg_value "$catalogue" "Title 2")"
[ "$(reg_value "$catalogue" "Command Line 2")" = "ide.exe -jit %ld" ] || fail "stored command line"
open_menu menu-5-new-entry-listed
[ "$marks" = "items=10 marked=1" ] || fail "after adding an entry: $marks"
close_menu
rm -f "$out"/*.ppm "$out"/*-before.png
echo "tray switching: passed; screenshots in $out"
