#!/usr/bin/env python3
"""Checks the house plan: a folder includes only folders below it, in this order from the bottom."""
import os
import re
import sys

ORDER = ['support/text', 'support/win32', 'support/process', 'support/window', 'support/loop', 'support/registry',
         'support/form', 'support/shell', 'aedebug', 'catalogue', 'dialogs', 'app']


def layer(path):
    found = [i for i, folder in enumerate(ORDER) if path.startswith(folder + '/')]
    return found[-1] if found else None


def main(root):
    wrong = []
    for top in ('support', 'aedebug', 'catalogue', 'dialogs', 'app'):
        for folder, _, files in os.walk(os.path.join(root, top)):
            for name in files:
                if not name.endswith(('.cpp', '.h')):
                    continue
                path = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, '/')
                own = layer(path)
                if own is None:
                    wrong.append(f'{path}: in no room of the plan')
                    continue
                with open(os.path.join(root, path), encoding='utf-8') as source:
                    for included in re.findall(r'#include "([^"]+)"', source.read()):
                        other = layer(included)
                        if other is not None and other > own:
                            wrong.append(f'{path} includes {included}, which lies above it')
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
