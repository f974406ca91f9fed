#!/usr/bin/env python3
"""Draws the program's icon, a magnifying glass over a search bar, as velto.ico: every size
Windows picks from at 100-200 % (16 to 64 px), and 256 px stored as PNG for large views."""
import math
import struct
import sys
import zlib


def pixel(size, x, y):
    """RGBA of one pixel, with a little supersampling for smooth edges."""
    s = size / 32.0
    samples = 4
    acc = [0.0, 0.0, 0.0, 0.0]
    for sy in range(samples):
        for sx in range(samples):
            px = (x + (sx + 0.5) / samples) / s
            py = (y + (sy + 0.5) / samples) / s
            colour = None
            # The bar: a rounded white field with a blue frame along the bottom.
            if 3 <= px <= 29 and 20 <= py <= 28:
                edge = px < 4.5 or px > 27.5 or py < 21.5 or py > 26.5
                colour = (40, 90, 170) if edge else (250, 250, 250)
            # The glass: a ring and its handle, drawn over the bar.
            d = math.hypot(px - 13, py - 12)
            if 7 <= d <= 10:
                colour = (30, 60, 140)
            elif d < 7:
                colour = (200, 225, 255)
            hx, hy = px - 13, py - 12
            along = (hx + hy) / math.sqrt(2)
            across = abs(hx - hy) / math.sqrt(2)
            if 10 <= along <= 18 and across <= 2.2:
                colour = (120, 70, 30)
            if colour:
                for i in range(3):
                    acc[i] += colour[i]
                acc[3] += 255
    n = samples * samples
    alpha = acc[3] / n
    if alpha == 0:
        return (0, 0, 0, 0)
    cov = acc[3] / 255
    return tuple(int(acc[i] / cov) for i in range(3)) + (int(alpha),)


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up
        row = b""
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            row += bytes((b, g, r, a))
        rows.append(row)
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def png(size):
    """The image as a PNG file (8-bit RGBA), as icon files hold their larger images."""
    raw = b""
    for y in range(size):
        raw += b"\0" + b"".join(bytes(pixel(size, x, y)) for x in range(size))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
# Sizes every Windows reads as bitmaps; the others are stored as PNG, which Windows reads since
# Vista and which keeps the program small (a 64 px bitmap alone is 17 KB).
BITMAP_SIZES = (16, 32)


def main(path):
    sizes = SIZES
    images = [image(s) if s in BITMAP_SIZES else png(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        # A size of 256 is written as 0 in the directory.
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "velto.ico")
