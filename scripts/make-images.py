#!/usr/bin/env python3
"""Draws the program icon and the list dialog's button pictures and writes them to resources/.

    python3 scripts/make-images.py [output-directory]

The files it writes are committed, so a build needs neither this script nor Python; run it again
after changing a drawing and commit its output with it. Only the standard library is used.

A_MAIN.ico    a ladybird with a toggle switch: 16x16 at 4 and 8 bpp, 32x32 at 4 and 24 bpp, and
              in 32 bpp with alpha at 20, 24, 40, 48, 64 and 256 pixels for the other display
              scales (PNG-compressed from 40 pixels up, as Windows Vista and later read them)
btn_add.bmp, btn_remove.bmp, btn_password.bmp
              14x15, 24 bpp, on magenta, which the buttons treat as transparent
btn_*_125.bmp, btn_*_150.bmp, btn_*_200.bmp
              the same pictures drawn for 125%, 150% and 200% display scale, 4 bpp on magenta
"""

import math
import pathlib
import struct
import sys
import zlib

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


def icon_image_rgba(image):
    """A 32-bpp image: straight (not premultiplied) BGRA, with an AND mask where alpha is zero
    for the programs that still draw through the mask."""
    height, width = len(image), len(image[0])
    xor = _dib_rows(height, lambda y: b''.join(bytes((b, g, r, a)) for r, g, b, a in image[y]))
    mask = _dib_rows(height, lambda y: _pack_indices([int(p[3] == 0) for p in image[y]], 1))
    header = struct.pack('<IiiHHIIiiII', 40, width, 2 * height, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return width, height, 32, 0, header + xor + mask


def png_file(image):
    """An 8-bit RGBA PNG. Each row takes the filter that leaves the smallest sum of residues, the
    usual heuristic; it keeps the icon small inside the executable."""
    height, width = len(image), len(image[0])
    rows = [bytes(v for pixel in row for v in pixel) for row in image]

    def paeth(a, b, c):
        p = a + b - c
        pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
        return a if pa <= pb and pa <= pc else b if pb <= pc else c

    def filtered(kind, row, above):
        out = bytearray([kind])
        for i, v in enumerate(row):
            a = row[i - 4] if i >= 4 else 0
            b = above[i]
            c = above[i - 4] if i >= 4 else 0
            predictor = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
            out.append((v - predictor) & 0xFF)
        return bytes(out)

    raw = b''
    above = bytes(4 * width)
    for row in rows:
        candidates = [filtered(kind, row, above) for kind in range(5)]
        raw += min(candidates, key=lambda f: sum(v if v < 128 else 256 - v for v in f[1:]))
        above = row

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def posterized(image, step):
    """Colours rounded to a multiple of step: a smooth shading looks the same, and compresses
    better by a third at step 8."""
    return [[tuple(min(255, round(v / step) * step) for v in p[:3]) + (p[3],) for p in row] for row in image]


def icon_entry(image, kind):
    if kind == 'png':
        return len(image[0]), len(image), 32, 0, png_file(posterized(image, 8))
    if kind == 32:
        return icon_image_rgba(image)
    return icon_image(image, kind)


def ico_file(images):
    """An icon file: ICONDIR, one ICONDIRENTRY per image, then the images. An image is given with
    its bits per pixel, or 'png' for a 32-bpp image stored as PNG."""
    entries = [icon_entry(image, kind) for image, kind in images]
    offset = 6 + 16 * len(entries)
    directory = struct.pack('<HHH', 0, 1, len(entries))
    blobs = b''
    for width, height, bits, colours, blob in entries:
        directory += struct.pack('<BBBBHHII', width % 256, height % 256, colours, 0, 1, bits,
                                 len(blob), offset + len(blobs))
        blobs += blob
    return directory + blobs


def bmp_file(image, bits=24):
    """A BMP file of 24 bpp, or of 4 bpp in the VGA palette."""
    height, width = len(image), len(image[0])
    if bits == 24:
        palette = b''
        pixels = _dib_rows(height, lambda y: b''.join(bytes((b, g, r)) for r, g, b in image[y]))
    else:
        palette = b''.join(bytes((b, g, r, 0)) for r, g, b in VGA_PALETTE)
        pixels = _dib_rows(height, lambda y: _pack_indices([VGA_PALETTE.index(p) for p in image[y]], 4))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       len(palette) // 4, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


# ---------------------------------------------------------------------------------------------
# Drawing helpers


def from_grid(rows, legend):
    """Pixel art written as text: one character a pixel, '.' transparent unless the legend says."""
    width = len(rows[0])
    if any(len(r) != width for r in rows):
        raise ValueError('ragged pixel grid')
    return [[legend[c] if c in legend or c != '.' else TRANSPARENT for c in row] for row in rows]


def with_outline(width, height, paint, outline, background, thickness, square_corners):
    """Paints the pixels the paint gives a colour (at their indices), and outlines them with the
    pixels within thickness of them: a square reach keeps the corners square, a round one keeps a
    slanted edge as thin as a straight one."""
    painted = [[paint(x, y) for x in range(width)] for y in range(height)]
    steps = [(dx, dy) for dy in range(-thickness, thickness + 1) for dx in range(-thickness, thickness + 1)
             if (dx, dy) != (0, 0) and (square_corners or dx * dx + dy * dy <= thickness * thickness)]

    def touches(x, y):
        return any(0 <= x + dx < width and 0 <= y + dy < height and painted[y + dy][x + dx] is not None
                   for dx, dy in steps)

    return [[painted[y][x] if painted[y][x] is not None else outline if touches(x, y) else background
             for x in range(width)] for y in range(height)]


def bounded(inside, x0, y0, x1, y1):
    """Gives a shape the rectangle it lies in, so that rendering at 256 pixels skips the shapes
    far from a pixel instead of asking each of them."""
    inside.bounds = (x0, y0, x1, y1)
    return inside


def circle(cx, cy, r):
    return bounded(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, cx - r, cy - r, cx + r, cy + r)


def ellipse(cx, cy, rx, ry):
    return bounded(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1,
                   cx - rx, cy - ry, cx + rx, cy + ry)


def box(x0, y0, x1, y1):
    return bounded(lambda x, y: x0 <= x < x1 and y0 <= y < y1, x0, y0, x1, y1)


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

    xs, ys = [x for x, _ in points], [y for _, y in points]
    return bounded(near, min(xs) - width / 2, min(ys) - width / 2, max(xs) + width / 2, max(ys) + width / 2)


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


def covered_samples(shapes, size, x, y, samples):
    """The paints of the topmost shapes under a pixel's samples, in the 32-pixel design's
    coordinates; a sample that no shape covers is left out."""
    scale = 32 / size
    x0, y0, x1, y1 = x * scale, y * scale, (x + 1) * scale, (y + 1) * scale
    near = [(paint, inside) for paint, inside in reversed(shapes)
            if inside.bounds[0] <= x1 and inside.bounds[2] >= x0 and
            inside.bounds[1] <= y1 and inside.bounds[3] >= y0]
    for sy in range(samples):
        for sx in range(samples):
            px, py = (x + (sx + 0.5) / samples) * scale, (y + (sy + 0.5) / samples) * scale
            for paint, inside in near:
                if inside(px, py):
                    yield paint, px, py
                    break


def render_shapes(shapes, size, samples=5):
    """Supersamples the shapes. A pixel is opaque when shapes cover at least half of it; its
    24-bpp colour is the mean of the covered samples, its 4-bpp colour their most common one."""
    full = [[TRANSPARENT] * size for _ in range(size)]
    vga = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            total, count, votes = [0.0, 0.0, 0.0], 0, {}
            for paint, px, py in covered_samples(shapes, size, x, y, samples):
                colour, vga_colour = paint(px, py)
                total = [a + b for a, b in zip(total, colour)]
                count += 1
                votes[vga_colour] = votes.get(vga_colour, 0) + 1
            if 2 * count >= samples * samples:
                full[y][x] = tuple(round(v / count) for v in total)
                vga[y][x] = max(votes, key=votes.get)
    return full, vga


def render_shapes_rgba(shapes, size, samples):
    """The design at any size in 32 bpp: coverage becomes alpha, so edges are smooth on any
    background and nothing needs a mask."""
    image = []
    for y in range(size):
        row = []
        for x in range(size):
            total, count = [0.0, 0.0, 0.0], 0
            for paint, px, py in covered_samples(shapes, size, x, y, samples):
                total = [a + b for a, b in zip(total, paint(px, py)[0])]
                count += 1
            alpha = round(255 * count / (samples * samples))
            row.append(tuple(round(v / count) for v in total) + (alpha,) if alpha else (0, 0, 0, 0))
        image.append(row)
    return image


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
# Button pictures, 14x15 on magenta at 100%, and drawn again for the larger display scales: the
# plus and the cross from their shapes, the pencil from a drawing in the 14x15 picture's
# coordinates. Only black, white, silver and grey on magenta, with no blending: magenta is the
# mask, and a blend with it would fringe the picture.

BUTTON_W, BUTTON_H = 14, 15
BUTTON_SCALES = {125: 1.25, 150: 1.5, 200: 2.0}


def button_size(scale):
    return math.floor(BUTTON_W * scale + 0.5), math.floor(BUTTON_H * scale + 0.5)


# The shapes take a point of the 14x15 picture (its pixels' centres at half units) and centre on
# (7, 8), between pixel columns 6 and 7 and rows 7 and 8.
CX, CY = 7, 8


def plus_sign(x, y):
    dx, dy = abs(x - CX), abs(y - CY)
    return (dx <= 1 and dy <= 5) or (dy <= 1 and dx <= 5)


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


def pencil_paint(x, y):
    """The pencil of the 14x15 picture as shapes, at a point of that picture: along = x - y runs
    from the point (lower left) to the end (upper right), across = x + y from the lit side."""
    along, across = x - y, x + y
    if along < -3.5:
        # The sharpened cone: wood, then the lead at the point.
        if abs(across - 15) > 1.5 * (along + 12.5) / 9:
            return None
        return WHITE if along >= -8 else BLACK
    if not 13.5 <= across <= 16.5 or along > 10:
        return None
    if 6.5 <= along < 8:
        return BLACK          # the ferrule
    stripe = 0 if across < 14.5 else 1 if across < 15.5 else 2
    if along >= 8:
        stripe = max(stripe, 1)
    return (WHITE, SILVER, GREY)[stripe]


def button_pictures(scale):
    """The three pictures at a scale, by name without extension. At 100% the plus takes its
    outline from all eight neighbours, for square corners; the cross from four only, so that its
    slanted edges stay one pixel thick. The pencil there is drawn by hand; larger, from shapes."""
    width, height = button_size(scale)
    thickness = max(1, int(scale))

    def at_picture_point(paint):
        # A pixel of this size shows the point of the 14x15 picture under its centre.
        return lambda x, y: paint((x + 0.5 - width / 2) / scale + BUTTON_W / 2,
                                  (y + 0.5 - height / 2) / scale + BUTTON_H / 2)

    def silver(inside):
        return at_picture_point(lambda x, y: SILVER if inside(x, y) else None)

    pictures = {
        'btn_add': with_outline(width, height, silver(plus_sign), BLACK, MAGENTA, thickness, True),
        'btn_remove': with_outline(width, height, silver(diagonal_cross), BLACK, MAGENTA, thickness, False),
    }
    if scale == 1:
        pictures['btn_password'] = from_grid(PENCIL, PENCIL_COLOURS)
    else:
        pictures['btn_password'] = with_outline(width, height, at_picture_point(pencil_paint), BLACK, MAGENTA,
                                                thickness, False)
    return pictures


# ---------------------------------------------------------------------------------------------


# The sizes Windows asks for at 100% to 200% and beyond (small icons of 16, 20, 24 and 32 pixels,
# large ones of 32, 40, 48 and 64, and 256 for Explorer's largest view), with how each is stored:
# PNG where the bitmap would cost kilobytes of the executable's size.
RGBA_ICON_SIZES = [(20, 32), (24, 32), (40, 'png'), (48, 'png'), (64, 'png'), (256, 'png')]


def build():
    shapes = icon32_shapes()
    icon32, icon32_vga = render_shapes(shapes, 32)
    icon = ico_file([
        (from_grid(ICON16, ICON16_VGA), 4),
        (from_grid(ICON16, ICON16_COLOURS), 8),
        (icon32_vga, 4),
        (icon32, 24),
    ] + [(render_shapes_rgba(shapes, size, 5 if size <= 64 else 3), kind) for size, kind in RGBA_ICON_SIZES])
    files = {'A_MAIN.ico': icon}
    for name, image in button_pictures(1).items():
        files[name + '.bmp'] = bmp_file(image)
    for percent, scale in BUTTON_SCALES.items():
        for name, image in button_pictures(scale).items():
            files[f'{name}_{percent}.bmp'] = bmp_file(image, 4)
    return files


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
