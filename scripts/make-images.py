#!/usr/bin/env python3
"""Draws the program icon and the list dialog's button pictures and writes them to resources/.

    python3 scripts/make-images.py [output-directory]

The files it writes are committed, so a build needs neither this script nor Python; run it again
after changing a drawing and commit its output with it. Only the standard library is used.

A_MAIN.ico    a ladybird with a toggle switch: 16x16 at 4 and 8 bpp, 32x32 at 4 and 24 bpp
btn_add.bmp, btn_remove.bmp, btn_password.bmp
              14x15, 24 bpp, on magenta, which the buttons treat as transparent
"""

import math
import pathlib
import struct
import sys

# Transparent pixels are None; every other pixel is an (r, g, b) tuple.
TRANSPARENT = None

# The 16-colour palette every 4-bpp image uses, in the order Windows' own icons have it.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, SILVER, GREY, RED, LIME, WHITE, MAGENTA = (
    VGA_PALETTE[i] for i in (0, 1, 2, 7, 8, 9, 10, 15, 13))


# ---------------------------------------------------------------------------------------------
# File formats


def _dib_rows(height, row_bytes):
    """Rows of a DIB go bottom-up, each padded to a multiple of four bytes."""
    rows = [row_bytes(y) for y in reversed(range(height))]
    return b''.join(r + b'\0' * (-len(r) % 4) for r in rows)


def _pack_indices(indices, bits):
    per_byte = 8 // bits
    out = bytearray()
    for start in range(0, len(indices), per_byte):
        byte = 0
        for i, value in enumerate(indices[start:start + per_byte]):
            byte |= value << (8 - bits * (i + 1))
        out.append(byte)
    return bytes(out)


def _palette_for(image, bits):
    if bits == 4:
        return VGA_PALETTE
    colours = sorted({p for row in image for p in row if p is not TRANSPARENT})
    if len(colours) > 256:
        raise ValueError('an 8-bpp image holds at most 256 colours')
    return colours + [BLACK] * (256 - len(colours))


def icon_image(image, bits):
    """One icon image: a BITMAPINFOHEADER of doubled height, palette, colour (XOR) bits, AND mask."""
    height, width = len(image), len(image[0])
    palette = _palette_for(image, bits) if bits <= 8 else []
    # Transparent pixels are black in the colour bits so the AND mask alone decides them.
    solid = [[BLACK if p is TRANSPARENT else p for p in row] for row in image]
    if bits == 24:
        xor = _dib_rows(height, lambda y: b''.join(bytes((b, g, r)) for r, g, b in solid[y]))
    else:
        xor = _dib_rows(height,
                        lambda y: _pack_indices([palette.index(p) for p in solid[y]], bits))
    mask = _dib_rows(height,
                     lambda y: _pack_indices([int(p is TRANSPARENT) for p in image[y]], 1))
    header = struct.pack('<IiiHHIIiiII', 40, width, 2 * height, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, len(palette) if bits <= 8 else 0, 0)
    rgbquads = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    return width, height, bits, len(palette) if bits == 4 else 0, header + rgbquads + xor + mask


def ico_file(images):
    """An icon file: ICONDIR, one ICONDIRENTRY per image, then the images."""
    entries = [icon_image(image, bits) for image, bits in images]
    offset = 6 + 16 * len(entries)
    directory = struct.pack('<HHH', 0, 1, len(entries))
    blobs = b''
    for width, height, bits, colours, blob in entries:
        directory += struct.pack('<BBBBHHII', width % 256, height % 256, colours, 0, 1, bits,
                                 len(blob), offset + len(blobs))
        blobs += blob
    return directory + blobs


def bmp_file(image):
    """A 24-bit BMP file."""
    height, width = len(image), len(image[0])
    pixels = _dib_rows(height, lambda y: b''.join(bytes((b, g, r)) for r, g, b in image[y]))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


# ---------------------------------------------------------------------------------------------
# Drawing helpers


def from_grid(rows, legend):
    """Pixel art written as text: one character a pixel, '.' transparent unless the legend says."""
    width = len(rows[0])
    if any(len(r) != width for r in rows):
        raise ValueError('ragged pixel grid')
    return [[legend[c] if c in legend or c != '.' else TRANSPARENT for c in row] for row in rows]


def with_outline(width, height, inside, fill, outline, background, diagonal_neighbours):
    """Fills the pixels whose centre is inside, and outlines them with the pixels that touch them."""
    filled = [[inside(x, y) for x in range(width)] for y in range(height)]
    steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    if diagonal_neighbours:
        steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]

    def touches(x, y):
        return any(0 <= x + dx < width and 0 <= y + dy < height and filled[y + dy][x + dx]
                   for dx, dy in steps)

    return [[fill if filled[y][x] else outline if touches(x, y) else background
             for x in range(width)] for y in range(height)]


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def stroke(points, width):
    """A polyline of the given width with round joints and ends."""
    segments = list(zip(points, points[1:]))

    def near(x, y):
        for (x1, y1), (x2, y2) in segments:
            dx, dy = x2 - x1, y2 - y1
            t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
            if (x - x1 - t * dx) ** 2 + (y - y1 - t * dy) ** 2 <= width * width / 4:
                return True
        return False

    return near


def mirrored(points, axis):
    return [(2 * axis - x, y) for x, y in points]


# ---------------------------------------------------------------------------------------------
# The icon at 32x32, drawn from shapes. Each shape has a paint that gives a pixel's colour for
# the 24-bpp image and for the 4-bpp one; the body is shaded as a lit dome.

AXIS = 14.5                     # the ladybird's middle line runs down pixel column 14
BODY_X, BODY_Y, BODY_R = AXIS, 19.5, 10.6
KNOB_X, KNOB_Y, KNOB_R = 27.5, 27.5, 3.4


def flat(colour, vga_colour):
    return lambda x, y: (colour, vga_colour)


def shell_paint(x, y):
    nx, ny = (x - BODY_X) / BODY_R, (y - BODY_Y) / BODY_R
    nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
    light = (-0.35, -0.8, 0.5)
    length = math.sqrt(sum(v * v for v in light))
    lx, ly, lz = (v / length for v in light)
    diffuse = max(0.0, nx * lx + ny * ly + nz * lz)
    hx, hy, hz = lx, ly, lz + 1
    specular = max(0.0, (nx * hx + ny * hy + nz * hz) / math.sqrt(hx * hx + hy * hy + hz * hz)) ** 30
    intensity = 0.5 + 0.6 * diffuse
    base = (min(255.0, 235 * intensity), min(255.0, 38 * intensity), min(255.0, 34 * intensity))
    colour = tuple(v + (255 - v) * specular for v in base)
    # Sixteen colours cannot shade a dome; a dark rim on the side away from the light stands in.
    rim = nx * nx + ny * ny > 0.5 and nx + ny > 0.5
    vga = WHITE if specular > 0.85 else MAROON if rim else RED
    return colour, vga


def track_paint(x, y):
    t = (y - 23) / 9
    return (50 + 20 * t, 205 - 55 * t, 90 - 25 * t), LIME


def knob_paint(x, y):
    d = math.hypot(x - KNOB_X + 1.2, y - KNOB_Y + 1.2) / (KNOB_R * 1.6)
    v = 255 - 60 * min(1.0, d)
    return (v, v, min(255.0, v + 2)), (WHITE if d < 0.75 else SILVER)


def icon32_shapes():
    ink = flat(BLACK, BLACK)
    shapes = []
    legs = [[(8.5, 12.5), (4.5, 10.5), (2.5, 6.5)],
            [(5.5, 19.0), (2.0, 19.0), (1.0, 22.5)],
            [(8.0, 26.5), (4.5, 28.5), (3.5, 31.5)]]
    for leg in legs:
        shapes += [(ink, stroke(leg, 2.1)), (ink, stroke(mirrored(leg, AXIS), 2.1))]
    antenna = [(13.0, 4.5), (11.0, 1.8), (8.8, 1.2)]
    shapes += [(ink, stroke(antenna, 1.6)), (ink, stroke(mirrored(antenna, AXIS), 1.6))]
    # Head with two eyes.
    shapes += [(ink, ellipse(AXIS, 6.2, 5.3, 4.2)),
               (flat((48, 48, 56), BLACK), ellipse(AXIS, 6.0, 4.1, 3.0)),
               (flat(WHITE, WHITE), box(12, 5, 13, 6)), (flat(WHITE, WHITE), box(16, 5, 17, 6))]
    # Wing cases, their spots and the line where they meet.
    shapes += [(ink, circle(BODY_X, BODY_Y, BODY_R)),
               (shell_paint, circle(BODY_X, BODY_Y, BODY_R - 1.15))]
    spot = flat((12, 12, 12), BLACK)
    for sx, sy, sr in [(9.6, 17.0, 1.9), (8.6, 22.6, 1.8), (11.6, 26.8, 1.6)]:
        shapes += [(spot, circle(sx, sy, sr)), (spot, circle(2 * AXIS - sx, sy, sr))]
    shapes.append((ink, box(AXIS - 0.5, 10, AXIS + 0.5, 30)))
    # The shield behind the head with its two pale patches.
    shapes += [(ink, ellipse(AXIS, 10.2, 7.2, 3.2)),
               (flat(WHITE, WHITE), box(9, 9, 11, 11)), (flat(WHITE, WHITE), box(18, 9, 20, 11))]
    # The switch, on: a green track with the knob at its right end.
    shapes += [(flat((24, 110, 48), GREEN), stroke([(20.5, 27.5), (27.5, 27.5)], 9.0)),
               (track_paint, stroke([(20.5, 27.5), (27.5, 27.5)], 7.0)),
               (flat((96, 96, 104), GREY), circle(KNOB_X, KNOB_Y, KNOB_R + 1.05)),
               (knob_paint, circle(KNOB_X, KNOB_Y, KNOB_R))]
    return shapes


def render_shapes(shapes, size, samples=5):
    """Supersamples the shapes. A pixel is opaque when shapes cover at least half of it; its
    24-bpp colour is the mean of the covered samples, its 4-bpp colour their most common one."""
    full = [[TRANSPARENT] * size for _ in range(size)]
    vga = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            total, count, votes = [0.0, 0.0, 0.0], 0, {}
            for sy in range(samples):
                for sx in range(samples):
                    px, py = x + (sx + 0.5) / samples, y + (sy + 0.5) / samples
                    paint = None
                    for shape_paint, inside in shapes:
                        if inside(px, py):
                            paint = shape_paint
                    if paint is None:
                        continue
                    colour, vga_colour = paint(px, py)
                    total = [a + b for a, b in zip(total, colour)]
                    count += 1
                    votes[vga_colour] = votes.get(vga_colour, 0) + 1
            if 2 * count >= samples * samples:
                full[y][x] = tuple(round(v / count) for v in total)
                vga[y][x] = max(votes, key=votes.get)
    return full, vga


# ---------------------------------------------------------------------------------------------
# The icon at 16x16, drawn by hand: at this size every pixel counts.
# K outline, S spots, k head, w eyes and patches, R r h the shell lit from the top left,
# G g the switch's track, x o s its knob.

ICON16 = [
    '....K.....K.....',
    '.....K...K......',
    'K....KKKKK....K.',
    '.K..KkwkwkK..K..',
    '..KKKwKKKwKKK...',
    '..KRRRRKRRRRK...',
    '.KRhRRRKRRRRrK..',
    '.KRSSRRKRRSSrK..',
    'KKRSSRRKRRSSrKK.',
    '.KRRRRRKRRRRrK..',
    '.KRRRSRKRRRrKK..',
    '.KRRRSRKGGGxxx..',
    '.KrRRRRGgggxooox',
    '..KrrRRGgggxooox',
    '.K.KKKKGgggxoosx',
    'K.......GGGGxxx.',
]
ICON16_COLOURS = {
    'K': BLACK, 'S': BLACK, 'k': (56, 56, 64), 'w': WHITE,
    'R': (226, 36, 32), 'r': (150, 16, 16), 'h': (255, 176, 166),
    'G': (24, 110, 48), 'g': (60, 200, 90), 'x': (96, 96, 104), 'o': WHITE, 's': (200, 200, 206),
}
ICON16_VGA = {
    'K': BLACK, 'S': BLACK, 'k': BLACK, 'w': WHITE,
    'R': RED, 'r': MAROON, 'h': WHITE,
    'G': GREEN, 'g': LIME, 'x': GREY, 'o': WHITE, 's': SILVER,
}


# ---------------------------------------------------------------------------------------------
# Button pictures, 14x15 on magenta.

BUTTON_W, BUTTON_H = 14, 15
# The shapes centre on the point between pixel columns 6 and 7 and rows 7 and 8.
CX, CY = 6.5, 7.5


def plus_sign(x, y):
    return ((abs(x - CX) <= 1 and abs(y - CY) <= 5) or
            (abs(y - CY) <= 1 and abs(x - CX) <= 5))


def diagonal_cross(x, y):
    dx, dy = x - CX, y - CY
    return abs(dx) <= 5 and abs(dy) <= 5 and (abs(dx - dy) <= 1 or abs(dx + dy) <= 1)


PENCIL = [
    '..............',
    '...........KK.',
    '..........KSGK',
    '.........KKKKK',
    '........KWSGK.',
    '.......KWSGK..',
    '......KWSGK...',
    '.....KWSGK....',
    '....KWSGK.....',
    '...KWWWK......',
    '..KWWK........',
    '..KKK.........',
    '.KK...........',
    '.K............',
    '..............',
]
PENCIL_COLOURS = {'.': MAGENTA, 'K': BLACK, 'W': WHITE, 'S': SILVER, 'G': GREY}


# The plus takes its outline from all eight neighbours, for square corners; the cross from four
# only, so that its slanted edges stay one pixel thick.
def outlined_button(shape, diagonal_neighbours):
    return with_outline(BUTTON_W, BUTTON_H, shape, SILVER, BLACK, MAGENTA, diagonal_neighbours)


# ---------------------------------------------------------------------------------------------


def build():
    icon32, icon32_vga = render_shapes(icon32_shapes(), 32)
    icon = ico_file([
        (from_grid(ICON16, ICON16_VGA), 4),
        (from_grid(ICON16, ICON16_COLOURS), 8),
        (icon32_vga, 4),
        (icon32, 24),
    ])
    return {
        'A_MAIN.ico': icon,
        'btn_add.bmp': bmp_file(outlined_button(plus_sign, diagonal_neighbours=True)),
        'btn_remove.bmp': bmp_file(outlined_button(diagonal_cross, diagonal_neighbours=False)),
        'btn_password.bmp': bmp_file(from_grid(PENCIL, PENCIL_COLOURS)),
    }


def main(argv):
    if len(argv) > 2:
        sys.exit(__doc__)
    out = pathlib.Path(argv[1]) if len(argv) == 2 else pathlib.Path(__file__).parent.parent / 'resources'
    out.mkdir(parents=True, exist_ok=True)
    for name, data in build().items():
        (out / name).write_bytes(data)
        print(out / name)


if __name__ == '__main__':
    main(sys.argv)
