#!/usr/bin/env bash
# The idle program's wake-ups: starts jitswap.exe and the bare tray program side by side in the
# session, lets them settle, and counts each one's context switches (every thread of its Wine
# process, voluntary and not, from /proc) over a minute in which nothing happens.
#   idle-wakeups.sh SESSION_DIR JITSWAP_EXE BARE_TRAY_EXE [SECONDS]
set -euo pipefail
session=$1
jitswap=$2
bare=$3
seconds=${4:-60}
here=$(cd "$(dirname "$0")/.." && pwd)

switches() {
  local total=0 value
  for status in /proc/"$1"/task/*/status; do
    value=$(awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { sum += $2 } END { print sum + 0 }' "$status" 2>/dev/null || echo 0)
    total=$((total + value))
  done
  echo "$total"
}

# wine-exec.sh ends in exec: the background job's pid is the program's own Wine process.
JITSWAP_WINE_SESSION=$session "$here/tests/wine/wine-exec.sh" "$jitswap" >/dev/null 2>&1 &
jitswap_pid=$!
JITSWAP_WINE_SESSION=$session "$here/tests/wine/wine-exec.sh" "$bare" >/dev/null 2>&1 &
bare_pid=$!
trap 'kill "$jitswap_pid" "$bare_pid" 2>/dev/null || true' EXIT
sleep 5
running() { [ -d "/proc/$jitswap_pid" ] && [ -d "/proc/$bare_pid" ] || { echo "idle-wakeups: a program is not running" >&2; exit 1; }; }
running

jitswap_before=$(switches "$jitswap_pid")
bare_before=$(switches "$bare_pid")
sleep "$seconds"
jitswap_after=$(switches "$jitswap_pid")
bare_after=$(switches "$bare_pid")
running

jitswap_count=$((jitswap_after - jitswap_before))
bare_count=$((bare_after - bare_before))
ratio=$(awk -v a="$jitswap_count" -v b="$bare_count" 'BEGIN { if (b > 0) printf "%.2fx", a / b; else print "-" }')
printf '%-36s %11d %11d %8s  %s\n' "idle context switches in ${seconds} s" "$jitswap_count" "$bare_count" "$ratio" \
  "bare tray program"
