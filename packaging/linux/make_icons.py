#!/usr/bin/env python3
"""Draws the Linux icons, velto-SIZE.png, from the same picture as the Windows icon
(src/platform/win32/app/make_icon.py): a magnifying glass over a search bar."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "src", "platform", "win32", "app"))
from make_icon import png  # noqa: E402

SIZES = [16, 32, 48, 64, 128, 256]


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for size in SIZES:
        with open(os.path.join(folder, f"velto-{size}.png"), "wb") as f:
            f.write(png(size))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "icons"))
