#!/usr/bin/env bash
# Builds everything and runs every test: natively under the sanitizers, then the 64-bit Windows
# build under Wine; the 32-bit Windows build is compiled too (this machine cannot run it).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
for preset in native win64 win32; do
  echo "== configure and build: $preset"
  cmake --preset "$preset" -DJITSWAP_WERROR=ON >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

echo "== tests: native"
ctest --preset native
echo "== tests: win64 under Wine"
ctest --preset win64
