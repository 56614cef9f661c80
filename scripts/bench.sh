#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine in a session of their own; prints the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target jitswap_bench -j "$(nproc)"

session=$PWD/build/win64/bench-session
bash tests/wine/session.sh start "$session" >/dev/null
trap 'bash tests/wine/session.sh stop "$session"' EXIT
windows_path() { echo "Z:${1//\//\\}"; }
JITSWAP_WINE_SESSION=$session tests/wine/wine-exec.sh build/win64/bench/jitswap_bench.exe \
  "$(windows_path "$PWD/build/win64/app/jitswap.exe")" "$(windows_path "$PWD/build/win64/bench/bare_tray.exe")"
bash bench/idle-wakeups.sh "$session" "$(windows_path "$PWD/build/win64/app/jitswap.exe")" \
  "$(windows_path "$PWD/build/win64/bench/bare_tray.exe")"
