#!/usr/bin/env python3
"""Write quorvane.ico: a 32x32 and a 16x16 image, 4 bits per pixel.

Design: a launcher column (grey panel holding red, green and blue tiles)
beside a yellow arrow pointing right. Pure standard library.

Usage: python3 res/make_icon.py [output.ico]   (default: res/quorvane.ico)
"""
import os
import struct
import sys

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


def ico(arts):
    """Assemble ICONDIR, one ICONDIRENTRY per image, then the image data."""
    images = [dib(a) for a in arts]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for art, data in zip(arts, images):
        out += struct.pack('<BBBBHHII', len(art), len(art), 16, 0, 1, 4,
                           len(data), offset)
        offset += len(data)
    return out + b''.join(images)


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, 'quorvane.ico')
    with open(path, 'wb') as f:
        f.write(ico([ICON_32, ICON_16]))
    print('wrote', path)
