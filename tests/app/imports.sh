#!/usr/bin/env bash
# Checks that jitswap.exe imports only libraries the system always loads from its own folder
# (the known DLLs), so that no DLL placed beside the program is ever loaded in their stead, and
# that it stays within 350 KB. The common controls are not among them: they come through the
# manifest, from their side-by-side assembly, when the first dialog needs them.
set -euo pipefail
objdump=$1
exe=$2
known="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll shlwapi.dll ole32.dll comdlg32.dll msvcrt.dll"
status=0
while read -r dll; do
  lower=$(echo "$dll" | tr 'A-Z' 'a-z')
  case " $known " in
    *" $lower "*) ;;
    *) echo "imports $dll, which is not one of the system's known libraries"; status=1 ;;
  esac
done < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
size=$(stat -c %s "$exe")
echo "jitswap.exe: $size bytes"
# One small download that starts at once: at most 350 KB.
[ "$size" -le 358400 ] || { echo "jitswap.exe is over 350 KB"; status=1; }
exit $status
