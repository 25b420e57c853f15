#!/usr/bin/env python3
"""Writes the "brown and black" piece set: nine square pictures (.bmp) and the two drag
cursors (.ico) the board can load instead of its built-in pictures.

    python3 tools/make_pieces.py [OUTPUT_FOLDER]

The default output folder is data/pieces/brownandblack beside this script's parent.
Only the standard library is used; edges are smoothed by supersampling.
"""

import os
import struct
import sys

SIZE = 72          # square pictures, pixels
CURSOR = 32        # cursor icons, pixels
SUPER = 4          # supersampling factor per axis

# Square shades: White's camp, ordinary squares, Black's camp (brown tones).
SHADES = {
    "d": (222, 196, 150),
    "m": (181, 136, 86),
    "l": (121, 80, 44),
}
MEN = {
    # body, rim, highlight
    "white_man": ((244, 240, 228), (120, 110, 96), (255, 255, 255)),
    "black_man": ((28, 26, 24), (150, 140, 128), (92, 88, 84)),
}


def man_coverage(x, y, size):
    """Colour weights of a man at (x, y): returns (body, rim, highlight) fractions in 0..1."""
    cx = cy = size / 2.0
    radius = size * 0.38
    rim = size * 0.045
    dx, dy = x - cx, y - cy
    dist2 = dx * dx + dy * dy
    if dist2 > radius * radius:
        return None
    if dist2 > (radius - rim) ** 2:
        return "rim"
    inner = radius * 0.62
    if dist2 > inner * inner and dist2 < (inner + rim * 0.7) ** 2:
        return "rim"
    hx, hy = cx - radius * 0.35, cy - radius * 0.35
    if (x - hx) ** 2 + (y - hy) ** 2 < (radius * 0.18) ** 2:
        return "highlight"
    return "body"


def render(size, background, man):
    """Rows of (r, g, b, a) pixels, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    x = px + (sx + 0.5) / SUPER
                    y = py + (sy + 0.5) / SUPER
                    part = man_coverage(x, y, size) if man else None
                    if part is None:
                        if background is None:
                            continue
                        colour, alpha = background, 1.0
                    else:
                        body, rim, highlight = MEN[man]
                        colour = {"body": body, "rim": rim, "highlight": highlight}[part]
                        alpha = 1.0
                    for i in range(3):
                        acc[i] += colour[i] * alpha
                    acc[3] += alpha
            n = SUPER * SUPER
            alpha = acc[3] / n
            if acc[3] > 0:
                pixel = tuple(int(round(acc[i] / acc[3])) for i in range(3))
            else:
                pixel = (0, 0, 0)
            row.append(pixel + (int(round(alpha * 255)),))
        rows.append(row)
    return rows


def write_bmp(path, rows):
    """24-bit uncompressed bottom-up BMP."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def write_ico(path, rows):
    """One 32-bit image with its AND mask."""
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "pieces",
                                                              "brownandblack")
    os.makedirs(out, exist_ok=True)
    for shade, colour in SHADES.items():
        write_bmp(os.path.join(out, shade + "square.bmp"), render(SIZE, colour, None))
        for man in ("black_man", "white_man"):
            write_bmp(os.path.join(out, shade + man + ".bmp"), render(SIZE, colour, man))
    write_ico(os.path.join(out, "white.ico"), render(CURSOR, None, "white_man"))
    write_ico(os.path.join(out, "black.ico"), render(CURSOR, None, "black_man"))


if __name__ == "__main__":
    main()
