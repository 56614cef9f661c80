#!/usr/bin/env python3
"""Reads the open tray menu off two screenshots, one taken before it opened and one while it is
open: prints how many items it shows, which of them carries the radio bullet, and where the
items are, so that a test can click them.

    menu_marks.py BEFORE.ppm AFTER.ppm  ->  "items=N marked=I x=X y=Y1,Y2,..."   (I = -1 when none)

Items are the rows of black text; separators are drawn in grey and are not counted. The bullet is
the black blob in the left margin, at the height of the item it marks."""
import sys


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos:pos + width * height * 3]


def groups(values):
    """Runs of consecutive integers, as (first, last) pairs."""
    runs = []
    for value in values:
        if runs and value <= runs[-1][1] + 1:
            runs[-1][1] = value
        else:
            runs.append([value, value])
    return runs


def main():
    width, height, before = read_ppm(sys.argv[1])
    _, _, after = read_ppm(sys.argv[2])
    pixel = lambda img, x, y: img[(y * width + x) * 3:(y * width + x) * 3 + 3]
    changed = [(x, y) for y in range(height) for x in range(width) if pixel(before, x, y) != pixel(after, x, y)]
    if not changed:
        print('items=0 marked=-1 x=0 y=')
        return
    left = min(x for x, _ in changed)
    right = max(x for x, _ in changed)
    top = min(y for _, y in changed)
    bottom = max(y for _, y in changed)
    black = lambda x, y: max(pixel(after, x, y)) < 70

    text_rows = [y for y in range(top, bottom + 1) if any(black(x, y) for x in range(left + 20, right - 4))]
    bullet_rows = [y for y in range(top, bottom + 1) if any(black(x, y) for x in range(left + 3, left + 17))]
    items = groups(text_rows)
    marked = -1
    for first, last in groups(bullet_rows):
        centre = (first + last) // 2
        for index, (row_first, row_last) in enumerate(items):
            if row_first - 2 <= centre <= row_last + 2:
                marked = index
    centres = ','.join(str((first + last) // 2) for first, last in items)
    print(f'items={len(items)} marked={marked} x={(left + right) // 2} y={centres}')


main()
