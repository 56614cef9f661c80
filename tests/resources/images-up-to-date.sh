#!/usr/bin/env bash
# The committed pictures are what scripts/make-images.py draws: nobody edited one by hand or
# changed a drawing without regenerating, and every picture it draws is committed.
set -euo pipefail
source_dir=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$source_dir/scripts/make-images.py" "$out" >/dev/null
status=0
for file in "$out"/*; do
  cmp "$file" "$source_dir/resources/$(basename "$file")" || status=1
done
# At least the icon and the three pictures at 100%: a generator that drew nothing fails too.
[ "$(ls "$out" | wc -l)" -ge 4 ] || status=1
exit $status
