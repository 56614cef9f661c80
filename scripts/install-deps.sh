#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing. Safe to re-run.
set -euo pipefail
packages=(mingw-w64 wine wine64 fonts-wine xvfb xdotool imagemagick cmake googletest g++ make python3 zip)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
