#!/usr/bin/env bash
# Turns the dialogs' screenshots (BMP, as the tests take them) into PNG files beside them.
set -euo pipefail
folder=$1
# The real ImageMagick; another "convert" earlier on the PATH may only stand in for it.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=$(command -v convert)
shopt -s nullglob
pictures=("$folder"/*.bmp)
if [ ${#pictures[@]} -eq 0 ]; then
  echo "no screenshots in $folder" >&2
  exit 1
fi
for picture in "${pictures[@]}"; do
  "$convert" "$picture" "${picture%.bmp}.png"
  echo "${picture%.bmp}.png"
done
