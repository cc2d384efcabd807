#!/usr/bin/env python3
"""Write quorvane.ico, the one source of the program's icon.

Design: a launcher column (a grey panel holding red, green and blue tiles) beside a yellow
arrow pointing right, each outlined in black.

The group holds the design drawn for each size that Windows asks for: 16, 20, 24 and 32
pixels for the tray (the small icon at 100, 125, 150 and 200 % display scale) and 32, 40,
48 and 64 for the About box (the large icon at the same scales). Those are 32-bit images
with alpha, drawn from shapes laid out for the size: straight edges on whole pixels, the
arrow's slanted edges anti-aliased. They are stored PNG-compressed, as Windows Vista and
later read them at any size, so that seven of them cost a few kilobytes of the program.
For displays of 16 colours the group also holds the 16 and 32 pixel images of the first
design, drawn by hand, as plain 4-bit bitmaps.

Pure standard library. Usage: python3 res/make_icon.py [output.ico]
(default: res/quorvane.ico)
"""
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------- the 16-colour images

# Standard Windows 16-colour VGA palette, as (R, G, B).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# Art character -> palette index; '.' is transparent.
INK = {'K': 0, 'g': 8, 'R': 9, 'G': 10, 'Y': 11, 'B': 12}

ICON_32 = [
    '................................',
    '..KKKKKKKKKKKK..................',
    '..KggggggggggK..................',
    '..KgRRRRRRRRgK..................',
    '..KgRRRRRRRRgK..................',
    '..KgRRRRRRRRgK.....K............',
    '..KgRRRRRRRRgK.....KK...........',
    '..KgRRRRRRRRgK.....KYK..........',
    '..KgRRRRRRRRgK.....KYYK.........',
    '..KgRRRRRRRRgK.....KYYYK........',
    '..KgRRRRRRRRgK.....KYYYYK.......',
    '..KggggggggggK.....KYYYYYK......',
    '..KgGGGGGGGGgK..KKKYYYYYYYK.....',
    '..KgGGGGGGGGgK..KYYYYYYYYYYK....',
    '..KgGGGGGGGGgK..KYYYYYYYYYYYK...',
    '..KgGGGGGGGGgK..KYYYYYYYYYYYYK..',
    '..KgGGGGGGGGgK..KYYYYYYYYYYYYK..',
    '..KgGGGGGGGGgK..KYYYYYYYYYYYK...',
    '..KgGGGGGGGGgK..KYYYYYYYYYYK....',
    '..KgGGGGGGGGgK..KKKYYYYYYYK.....',
    '..KggggggggggK.....KYYYYYK......',
    '..KgBBBBBBBBgK.....KYYYYK.......',
    '..KgBBBBBBBBgK.....KYYYK........',
    '..KgBBBBBBBBgK.....KYYK.........',
    '..KgBBBBBBBBgK.....KYK..........',
    '..KgBBBBBBBBgK.....KK...........',
    '..KgBBBBBBBBgK.....K............',
    '..KgBBBBBBBBgK..................',
    '..KgBBBBBBBBgK..................',
    '..KggggggggggK..................',
    '..KKKKKKKKKKKK..................',
    '................................',
]

ICON_16 = [
    '................',
    'KKKKKKK.........',
    'KgggggK...K.....',
    'KgRRRgK...KK....',
    'KgRRRgK...KYK...',
    'KgRRRgK...KYYK..',
    'KgggggK.KKYYYYK.',
    'KgGGGgK.KYYYYYYK',
    'KgGGGgK.KYYYYYYK',
    'KgGGGgK.KKYYYYK.',
    'KgggggK...KYYK..',
    'KgBBBgK...KYK...',
    'KgBBBgK...KK....',
    'KgBBBgK...K.....',
    'KgggggK.........',
    'KKKKKKK.........',
]


def pad4(row):
    """Pad a row of bytes to a multiple of 4 bytes."""
    return row + b'\0' * (-len(row) % 4)


def dib(art):
    """Encode ASCII art as BITMAPINFOHEADER + palette + XOR (4bpp) + AND (1bpp)."""
    size = len(art)
    assert all(len(line) == size for line in art), 'art must be square'
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 4, 0,
                         0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<4B', b, g, r, 0) for r, g, b in PALETTE)
    xor = and_mask = b''
    for line in reversed(art):  # DIB rows are stored bottom-up
        idx = [INK.get(ch, 0) for ch in line]  # transparent pixels -> black
        xor += pad4(bytes((idx[i] << 4) | idx[i + 1] for i in range(0, size, 2)))
        bits = 0
        for ch in line:  # 1 = transparent, most significant bit first
            bits = (bits << 1) | (ch == '.')
        and_mask += pad4(bits.to_bytes(size // 8, 'big'))
    return header + palette + xor + and_mask


# ---------------------------------------------------------------- the 32-bit images

SIZES = (16, 20, 24, 32, 40, 48, 64)

# Straight (not premultiplied) colours, as (R, G, B).
OUTLINE = (0x1C, 0x1C, 0x1C)
FRAME = (0x8C, 0x8C, 0x8C)
TILES = ((0xE5, 0x39, 0x35), (0x3C, 0xB0, 0x4C), (0x1E, 0x7B, 0xE0))
ARROW = (0xFF, 0xD2, 0x1F)

# Samples per pixel along each axis for the anti-aliased edges.
SAMPLES = 8


def snap(value):
    """A layout coordinate on a whole pixel: edges there stay sharp."""
    return int(value + 0.5)


def layout(size):
    """The shapes for one size, in pixels: (column rectangles, arrow polygon, line width).

    Proportions are those of the 32-pixel design; every straight edge is put on a pixel
    boundary for this size, and the line width grows with the size."""
    unit = size / 32
    line = max(1, snap(unit * 0.9))
    margin = max(1, snap(unit))
    left, right = snap(2 * unit), snap(14 * unit)
    top, bottom = max(1, snap(1 * unit)), size - max(1, snap(1 * unit))
    column = [((left, top, right, bottom), OUTLINE),
              ((left + line, top + line, right - line, bottom - line), FRAME)]
    inner_top, inner_bottom = top + line + margin, bottom - line - margin
    tile_left, tile_right = left + line + margin, right - line - margin
    # The three tiles share the room; pixels left over go to the middle tile, then the top.
    base, extra = divmod(inner_bottom - inner_top - 2 * margin, 3)
    heights = [base + (extra == 2), base + (extra >= 1), base]
    y = inner_top
    for height, colour in zip(heights, TILES):
        column.append(((tile_left, y, tile_right, y + height), colour))
        y += height + margin
    # The arrow: a shaft from the column's side to the head's base, and a head whose tip
    # lies on the middle line, so that both halves are drawn alike. Its slanted edges run
    # at 45 degrees, through pixel corners, as in the 16-colour design.
    shaft_left, head_base = snap(16 * unit), snap(19 * unit)
    middle = size / 2
    shaft_half, head_half = snap(4 * unit), snap(11 * unit)
    tip = head_base + head_half
    arrow = [(shaft_left, middle - shaft_half), (head_base, middle - shaft_half),
             (head_base, middle - head_half), (tip, middle),
             (head_base, middle + head_half), (head_base, middle + shaft_half),
             (shaft_left, middle + shaft_half)]
    return column, arrow, line


def inset(polygon, distance):
    """The polygon (clockwise on screen) with every edge moved inwards by distance."""
    lines = []
    count = len(polygon)
    for i in range(count):
        (x0, y0), (x1, y1) = polygon[i], polygon[(i + 1) % count]
        length = ((x1 - x0) ** 2 + (y1 - y0) ** 2) ** 0.5
        nx, ny = -(y1 - y0) / length, (x1 - x0) / length  # the inner normal
        lines.append(((x0 + nx * distance, y0 + ny * distance), (x1 - x0, y1 - y0)))
    points = []
    for i in range(count):
        (px, py), (dx, dy) = lines[i - 1]
        (qx, qy), (ex, ey) = lines[i]
        t = ((qx - px) * ey - (qy - py) * ex) / (dx * ey - dy * ex)
        points.append((px + dx * t, py + dy * t))
    return points


def inside(polygon, x, y):
    """Even-odd rule."""
    hit = False
    count = len(polygon)
    for i in range(count):
        (x0, y0), (x1, y1) = polygon[i], polygon[(i + 1) % count]
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            hit = not hit
    return hit


def coverage(polygon, x, y):
    """The share of pixel (x, y) that the polygon covers."""
    step = 1 / SAMPLES
    hits = sum(inside(polygon, x + (i + 0.5) * step, y + (j + 0.5) * step)
               for i in range(SAMPLES) for j in range(SAMPLES))
    return hits / (SAMPLES * SAMPLES)


def paint(pixels, x, y, colour, share):
    """Lays colour over pixel (x, y) with the given opacity (straight alpha)."""
    if share <= 0:
        return
    r, g, b, a = pixels[y][x]
    alpha = share + a * (1 - share)
    mix = [(c * share + d * a * (1 - share)) / alpha for c, d in zip(colour, (r, g, b))]
    pixels[y][x] = (*mix, alpha)


def draw(size):
    """The design at size x size pixels: rows of (R, G, B, A), each 0 to 255."""
    pixels = [[(0, 0, 0, 0.0)] * size for _ in range(size)]
    column, arrow, line = layout(size)
    for (x0, y0, x1, y1), colour in column:
        for y in range(y0, y1):
            for x in range(x0, x1):
                paint(pixels, x, y, colour, 1)
    fill = inset(arrow, line)
    x_low, x_high = int(min(x for x, _ in arrow)), int(max(x for x, _ in arrow)) + 1
    y_low, y_high = int(min(y for _, y in arrow)), int(max(y for _, y in arrow)) + 1
    for y in range(max(0, y_low), min(size, y_high)):
        for x in range(max(0, x_low), min(size, x_high)):
            paint(pixels, x, y, OUTLINE, coverage(arrow, x, y))
            paint(pixels, x, y, ARROW, coverage(fill, x, y))
    rows = []
    for row in pixels:
        out = []
        for r, g, b, a in row:
            alpha = int(a * 255 + 0.5)
            out.append((int(r + 0.5), int(g + 0.5), int(b + 0.5), alpha) if alpha else (0, 0, 0, 0))
        rows.append(out)
    return rows


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def filtered(kind, row, above):
    """One PNG scanline (4 bytes a pixel) under one of the five filters."""
    def left(i):
        return row[i - 4] if i >= 4 else 0

    def upper_left(i):
        return above[i - 4] if i >= 4 else 0
    predict = [lambda i: 0, left, lambda i: above[i], lambda i: (left(i) + above[i]) // 2,
               lambda i: paeth(left(i), above[i], upper_left(i))][kind]
    return bytes([kind]) + bytes((row[i] - predict(i)) & 0xFF for i in range(len(row)))


def png(rows):
    """8-bit RGBA PNG: per scanline the filter that leaves the smallest sum of magnitudes,
    and the whole compressed as tightly as zlib can."""
    size = len(rows)
    raw = b''
    above = bytes(4 * size)
    for pixels in rows:
        row = bytes(channel for pixel in pixels for channel in pixel)
        raw += min((filtered(kind, row, above) for kind in range(5)),
                   key=lambda line: sum(b if b < 128 else 256 - b for b in line[1:]))
        above = row
    def deflate(strategy):
        packer = zlib.compressobj(9, zlib.DEFLATED, 15, 9, strategy)
        return packer.compress(raw) + packer.flush()
    data = min((deflate(strategy) for strategy in (zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED)), key=len)

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', data) + chunk(b'IEND', b'')


# ---------------------------------------------------------------- the file

def ico(images):
    """Assemble ICONDIR, one ICONDIRENTRY per (size, bits per pixel, data), then the data."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colours = 16 if bits == 4 else 0
        out += struct.pack('<BBBBHHII', size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, _, data in images)


def images():
    full = [(size, 32, png(draw(size))) for size in SIZES]
    return full + [(32, 4, dib(ICON_32)), (16, 4, dib(ICON_16))]


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, 'quorvane.ico')
    with open(path, 'wb') as f:
        f.write(ico(images()))
    print('wrote', path)
