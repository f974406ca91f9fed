#!/usr/bin/env python3
"""Draws the Linux icons, velto-SIZE.png, from the same picture as the Windows icon
(src/platform/win32/app/make_icon.py): a magnifying glass over a search bar."""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "src", "platform", "win32", "app"))
from make_icon import pixel  # noqa: E402

SIZES = [16, 32, 48, 64, 128, 256]


def png(size):
    raw = b""
    for y in range(size):
        raw += b"\0" + b"".join(bytes(pixel(size, x, y)) for x in range(size))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for size in SIZES:
        with open(os.path.join(folder, f"velto-{size}.png"), "wb") as f:
            f.write(png(size))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "icons"))
