#!/usr/bin/env python3
"""Checks a release folder: two zips, each holding exactly the executable and the guide, an
executable for its machine whose version block carries the version in the zip's name, and
SHA256SUMS with the zips' sums.   check_release.py SOURCE_DIR RELEASE_DIR"""

import hashlib
import pathlib
import re
import struct
import sys
import zipfile

source, release = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
failures = []
zips = sorted(p.name for p in release.glob('*.zip'))
if sorted(p.name for p in release.iterdir()) != sorted(zips + ['SHA256SUMS']) or len(zips) != 2:
    failures.append(f'release folder holds {sorted(p.name for p in release.iterdir())}')
for name in zips:
    found = re.fullmatch(r'jitswap-((\d+)\.(\d\d)\.(\d{4}))-(win64|win32)\.zip', name)
    if not found:
        failures.append(f'{name}: not jitswap-<version>-<win64|win32>.zip')
        continue
    with zipfile.ZipFile(release / name) as archive:
        if sorted(archive.namelist()) != ['ReadMe.TXT', 'jitswap.exe']:
            failures.append(f'{name} holds {archive.namelist()}')
            continue
        exe = archive.read('jitswap.exe')
        guide = archive.read('ReadMe.TXT')
        if guide != (source / 'resources' / 'ReadMe.TXT').read_bytes():
            failures.append(f'{name}: ReadMe.TXT is not the guide as committed')
        if found[1] not in guide.decode('utf-8-sig').splitlines()[0]:
            failures.append(f'{name}: the guide\'s title names another version')
    pe = struct.unpack_from('<I', exe, 0x3C)[0]
    machine = {'win64': 0x8664, 'win32': 0x14C}[found[5]]
    if exe[pe:pe + 4] != b'PE\0\0' or struct.unpack_from('<H', exe, pe + 4)[0] != machine:
        failures.append(f'{name}: jitswap.exe is not a program for {found[5]}')
    # The version block: VS_FIXEDFILEINFO after its signature, and the ProductVersion string.
    fixed = exe.find(struct.pack('<I', 0xFEEF04BD))
    major, minor, patch = int(found[2]), int(found[3]), int(found[4])
    numbers = struct.pack('<IIII', major << 16 | minor, patch, major << 16 | minor, patch)
    if fixed < 0 or exe[fixed + 8:fixed + 24] != numbers:
        failures.append(f'{name}: the version block does not say {major},{minor},0,{patch}')
    text = ('ProductVersion\0' + found[1] + '\0').encode('utf-16-le')
    if text not in exe:
        failures.append(f'{name}: ProductVersion is not "{found[1]}"')

sums = (release / 'SHA256SUMS').read_text() if (release / 'SHA256SUMS').exists() else ''
expected = [f'{hashlib.sha256((release / z).read_bytes()).hexdigest()}  {z}' for z in zips]
if sorted(sums.splitlines()) != sorted(expected):
    failures.append(f'SHA256SUMS reads:\n{sums}')
for failure in failures:
    print('FAILED:', failure)
sys.exit(1 if failures else 0)
