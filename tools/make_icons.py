#!/usr/bin/env python3
"""Writes the tray icons as 16-colour (4 bpp) Windows icon files.

res/rimfold.ico: the running picture; res/stop.ico: the stopped picture; each drawn at
every size the shell asks for from 100 % to 300 % display scaling, so that no image is
ever resampled.  The pictures are drawn here so they can be regenerated.
"""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette (RGB).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DRED, DGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, GREEN, YELLOW, BLUE, \
    MAGENTA, CYAN, WHITE = range(16)
CLEAR = None  # transparent


def canvas(size):
    return [[CLEAR] * size for _ in range(size)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            img[y][x] = colour


def frame(img, x0, y0, x1, y1, colour, width=1):
    rect(img, x0, y0, x1, y0 + width, colour)
    rect(img, x0, y1 - width, x1, y1, colour)
    rect(img, x0, y0, x0 + width, y1, colour)
    rect(img, x1 - width, y0, x1, y1, colour)


def draw(size, rim, bar, body, mark):
    """A screen rim with a window held inside it; `mark` draws the state sign."""
    img = canvas(size)
    s = size / 32.0
    px = lambda v: int(round(v * s))
    frame(img, 0, px(1), size, size - px(1), rim, max(1, px(2)))
    rect(img, px(6), px(8), size - px(6), size - px(7), body)
    frame(img, px(6), px(8), size - px(6), size - px(7), BLACK)
    rect(img, px(7), px(9), size - px(7), px(13), bar)
    mark(img, px)
    return img


def arrows(img, px):
    # Four green chevrons pointing inward: the window is kept inside the rim.
    for i in range(3):
        rect(img, px(15) - i, px(3) + i, px(17) + i, px(4) + i, GREEN)
        rect(img, px(15) - i, px(28) - i, px(17) + i, px(29) - i, GREEN)
    for i in range(3):
        rect(img, px(3) + i, px(18) - i, px(4) + i, px(20) + i, GREEN)
        rect(img, px(28) - i, px(18) - i, px(29) - i, px(20) + i, GREEN)


def pause(img, px):
    rect(img, px(11), px(15), px(15), px(24), RED)
    rect(img, px(18), px(15), px(22), px(24), RED)


def dib(img):
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(img):
        nibbles = [c if c is not None else 0 for c in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor_rows.append(packed + b"\0" * ((-len(packed)) % 4))
        bits = 0
        mask = bytearray()
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        if size % 8:  # a width like 20 leaves a partial byte, filled from the left
            mask.append(bits << (8 - size % 8))
        and_rows.append(bytes(mask) + b"\0" * ((-len(mask)) % 4))
    return header + pal + b"".join(xor_rows) + b"".join(and_rows)


def ico(images):
    blobs = [dib(img) for img in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# Small icons at 100, 125, 150 and 200 %, large ones at 100, 125 and 150 %.
SIZES = [32, 16, 20, 24, 40, 48]


def main(outdir):
    outdir = Path(outdir)
    running = [draw(size, TEAL, NAVY, WHITE, arrows) for size in SIZES]
    stopped = [draw(size, GREY, GREY, SILVER, pause) for size in SIZES]
    (outdir / "rimfold.ico").write_bytes(ico(running))
    (outdir / "stop.ico").write_bytes(ico(stopped))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "res")
