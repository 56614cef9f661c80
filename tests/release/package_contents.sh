#!/usr/bin/env bash
# scripts/package.sh run into a scratch folder (it reuses the builds of the presets), then its
# output read back:  package_contents.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
source_dir=$1
out=$2
rm -rf "$out"
JITSWAP_DIST=$out bash "$source_dir/scripts/package.sh" >/dev/null
python3 "$(dirname "$0")/check_release.py" "$source_dir" "$out"
