#!/usr/bin/env bash
# Builds jitswap.exe for 64-bit and 32-bit Windows (the Release builds of the presets win64 and
# win32) and packs each with the user's guide, as a Windows user downloads them:
#   dist/jitswap-VERSION-win64.zip, dist/jitswap-VERSION-win32.zip, dist/SHA256SUMS
# VERSION is the version block's, as the project's version gives it. JITSWAP_DIST names another
# output folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
dist=${JITSWAP_DIST:-$PWD/dist}
mkdir -p "$dist"
rm -f "$dist"/jitswap-*.zip "$dist/SHA256SUMS"

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
zips=()
for preset in win64 win32; do
  echo "== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target jitswap -j "$(nproc)"
  version=$(sed -n 's/^#define JITSWAP_VERSION_TEXT "\(.*\)"$/\1/p' "build/$preset/resources/version.h")
  [ -n "$version" ] || { echo "no version in build/$preset/resources/version.h" >&2; exit 1; }
  mkdir "$staging/$preset"
  cp "build/$preset/app/jitswap.exe" resources/ReadMe.TXT "$staging/$preset/"
  zip="jitswap-$version-$preset.zip"
  # -X leaves out the Unix owners and permissions, which mean nothing on Windows.
  (cd "$staging/$preset" && zip -q -X "$dist/$zip" jitswap.exe ReadMe.TXT)
  zips+=("$zip")
done
(cd "$dist" && sha256sum "${zips[@]}" >SHA256SUMS)
printf '%s\n' "${zips[@]/#/$dist/}" "$dist/SHA256SUMS"
