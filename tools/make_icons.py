#!/usr/bin/python3
"""Makes the desktop icons in dist/icons/ from the window icon data/pictures/icon.bmp.

Needs only Debian 12's python3 and python3-pil (Pillow).  Run from anywhere after
tools/make_pictures.py:

    tools/make_icons.py

The icon is pixel art drawn at 32 x 32, so sizes that are whole multiples of it are scaled up
pixel for pixel and stay crisp; the other sizes are scaled up to the next multiple and filtered
down from there.  PNGs are written without timestamps, so re-running reproduces them byte for byte.
"""

import os

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "data", "pictures", "icon.bmp")
OUT = os.path.join(HERE, "..", "dist", "icons")

# The hicolor theme's usual application sizes, and 256 for large views and software centres.
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def icon_at(art, size):
    base = art.width
    factor = -(-size // base)   # the next whole multiple at or above the size
    big = art.resize((base * factor, base * factor), Image.NEAREST)
    return big if big.width == size else big.resize((size, size), Image.LANCZOS)


def main():
    art = Image.open(SOURCE).convert("RGB")
    os.makedirs(OUT, exist_ok=True)
    for size in SIZES:
        icon_at(art, size).save(os.path.join(OUT, "%dx%d.png" % (size, size)), optimize=True)


if __name__ == "__main__":
    main()
