#!/usr/bin/env bash
# The committed pictures are what scripts/make-images.py draws: nobody edited one by hand or
# changed a drawing without regenerating.
set -euo pipefail
source_dir=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$source_dir/scripts/make-images.py" "$out" >/dev/null
status=0
for file in A_MAIN.ico btn_add.bmp btn_remove.bmp btn_password.bmp; do
  cmp "$out/$file" "$source_dir/resources/$file" || status=1
done
exit $status
