#!/usr/bin/env bash
# Starts or stops the Wine session of one CTest run: a fresh prefix copied from a pristine
# template, an Xvfb display, and a persistent wineserver so that test programs start quickly.
#   session.sh start DIR    session.sh stop DIR
set -euo pipefail
action=$1
dir=$2
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"

make_template() {
  local template=$1
  rm -rf "$template.tmp"
  WINEPREFIX="$template.tmp" "$wine" wineboot --init >/dev/null 2>&1 || true
  # One shared desktop, so that the tray, the taskbar and every test process see each other.
  WINEPREFIX="$template.tmp" "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  WINEPREFIX="$template.tmp" "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 800x600 /f >/dev/null 2>&1
  WINEPREFIX="$template.tmp" wineserver -w
  mv "$template.tmp" "$template"
}

stop_session() {
  if [ -f "$dir/prefix/system.reg" ]; then
    WINEPREFIX="$dir/prefix" wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" >/dev/null 2>&1 || true
    rm -f "$dir/xvfb.pid"
  fi
}

case "$action" in
  start)
    mkdir -p "$dir"
    stop_session
    [ -f "$dir/template/system.reg" ] || make_template "$dir/template"
    rm -rf "$dir/prefix"
    cp -a "$dir/template" "$dir/prefix"
    # Xvfb picks a free display number itself and writes it to the descriptor we give it.
    : >"$dir/displayfd"
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/displayfd" \
      >"$dir/xvfb.log" 2>&1 </dev/null &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 200); do [ -s "$dir/displayfd" ] && break; sleep 0.1; done
    number=$(tr -dc 0-9 <"$dir/displayfd")
    [ -n "$number" ] || { echo "Xvfb did not start:"; cat "$dir/xvfb.log"; exit 1; } >&2
    echo ":$number" >"$dir/display"
    WINEPREFIX="$dir/prefix" DISPLAY=":$number" setsid wineserver -p >/dev/null 2>&1 </dev/null
    # The first program of a prefix starts Wine's services and desktop, which outlive it; start
    # them here, detached from CTest's output pipes, so no test waits on them.
    WINEPREFIX="$dir/prefix" DISPLAY=":$number" setsid "$wine" cmd /c exit >/dev/null 2>&1 </dev/null
    echo "Wine session: prefix $dir/prefix, display :$number"
    ;;
  stop)
    stop_session
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
