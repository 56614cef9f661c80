#!/usr/bin/env bash
# Starts or stops a Wine session: a fresh prefix copied from a pristine template, an X display
# (a new Xvfb unless one is given), and a persistent wineserver so that programs start quickly.
#   session.sh start DIR [DISPLAY]    session.sh stop DIR
# JITSWAP_WINE_DPI sets the display's DPI (144 is 150%); JITSWAP_WINE_TEMPLATE names the template
# of another session to copy instead of making one.
set -euo pipefail
action=$1
dir=$2
given_display=${3:-}
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"

make_template() {
  local template=$1
  rm -rf "$template.tmp"
  WINEPREFIX="$template.tmp" "$wine" wineboot --init >/dev/null 2>&1 || true
  # One shared desktop with a taskbar, so that the tray and every process of the session see each other.
  local key='HKCU\Software\Wine\Explorer'
  WINEPREFIX="$template.tmp" "$wine" reg add "$key" /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  WINEPREFIX="$template.tmp" "$wine" reg add "$key\Desktops" /v Default /t REG_SZ /d 800x600 /f >/dev/null 2>&1
  WINEPREFIX="$template.tmp" "$wine" reg add "$key\Desktops" /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
  # Wine's own fonts (Tahoma among them) are only found in the prefix's font folder.
  if [ -d /usr/share/wine/fonts ]; then
    cp /usr/share/wine/fonts/* "$template.tmp/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
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
    template=${JITSWAP_WINE_TEMPLATE:-$dir/template}
    [ -f "$template/system.reg" ] || make_template "$template"
    rm -rf "$dir/prefix"
    cp -a "$template" "$dir/prefix"
    if [ -n "${JITSWAP_WINE_DPI:-}" ]; then
      # Written before anything of Wine runs: each program, the desktop included, reads the DPI
      # once at its start. Wine keeps it in the desktop settings and in the fonts' keys.
      value=$(printf 'dword:%08x' "$JITSWAP_WINE_DPI")
      sed -i "s/^\"LogPixels\"=dword:[0-9a-f]*/\"LogPixels\"=$value/" "$dir/prefix/user.reg" "$dir/prefix/system.reg"
      awk -v line="\"LogPixels\"=$value" \
        '{ print } /^\[Control Panel\\\\Desktop\] / { getline; print; print line }' \
        "$dir/prefix/user.reg" >"$dir/prefix/user.reg.new"
      mv "$dir/prefix/user.reg.new" "$dir/prefix/user.reg"
    fi
    if [ -n "$given_display" ]; then
      display=$given_display
    else
      # Xvfb picks a free display number itself and writes it to the descriptor we give it. Its
      # screen is the size of Wine's desktop, which then covers it exactly.
      : >"$dir/displayfd"
      setsid Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$dir/displayfd" \
        >"$dir/xvfb.log" 2>&1 </dev/null &
      echo $! >"$dir/xvfb.pid"
      for _ in $(seq 200); do [ -s "$dir/displayfd" ] && break; sleep 0.1; done
      number=$(tr -dc 0-9 <"$dir/displayfd")
      [ -n "$number" ] || { echo "Xvfb did not start:"; cat "$dir/xvfb.log"; exit 1; } >&2
      display=":$number"
    fi
    echo "$display" >"$dir/display"
    WINEPREFIX="$dir/prefix" DISPLAY="$display" setsid wineserver -p >/dev/null 2>&1 </dev/null
    # The first program of a prefix starts Wine's services and desktop, which outlive it; start
    # them here, detached from CTest's output pipes, so no test waits on them.
    WINEPREFIX="$dir/prefix" DISPLAY="$display" setsid "$wine" cmd /c exit >/dev/null 2>&1 </dev/null
    echo "Wine session: prefix $dir/prefix, display $display"
    ;;
  stop)
    stop_session
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
