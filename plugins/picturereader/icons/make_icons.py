#!/usr/bin/env python3
"""Draws the image-family file icons (16 and 32 pixels) as PNG files beside this script.

Each icon is a page with a folded corner, a small landscape (sky, sun, hill) and, at
32 pixels, the family's letters on a coloured band. Run it again after changing a colour.
"""
import os
import struct
import zlib

FAMILIES = {  # icon id: (file stem, letters, band colour)
    2009: ("bmp", "BMP", (40, 90, 200)),
    2010: ("cel", "CEL", (150, 60, 170)),
    2011: ("jpeg", "JPG", (200, 120, 20)),
    2012: ("pcx", "PCX", (30, 140, 130)),
    2013: ("png", "PNG", (40, 150, 60)),
    2014: ("tga", "TGA", (190, 40, 50)),
    2015: ("gif", "GIF", (210, 170, 0)),
    2016: ("dds", "DDS", (90, 90, 100)),
}

FONT = {  # 3 x 5 glyphs, rows top to bottom
    "B": ["110", "101", "110", "101", "110"], "M": ["101", "111", "111", "101", "101"],
    "P": ["110", "101", "110", "100", "100"], "C": ["011", "100", "100", "100", "011"],
    "E": ["111", "100", "110", "100", "111"], "L": ["100", "100", "100", "100", "111"],
    "J": ["001", "001", "001", "101", "010"], "G": ["011", "100", "101", "101", "011"],
    "X": ["101", "101", "010", "101", "101"], "N": ["101", "111", "111", "111", "101"],
    "T": ["111", "010", "010", "010", "010"], "A": ["010", "101", "111", "101", "101"],
    "I": ["111", "010", "010", "010", "111"], "F": ["111", "100", "110", "100", "100"],
    "D": ["110", "101", "101", "101", "110"], "S": ["011", "100", "010", "001", "110"],
}

CLEAR = (0, 0, 0, 0)
OUTLINE = (70, 70, 80, 255)
PAPER = (250, 250, 250, 255)
FOLD = (200, 200, 210, 255)
SKY = (150, 200, 245, 255)
SUN = (255, 210, 40, 255)
HILL = (70, 160, 70, 255)
WHITE = (255, 255, 255, 255)


def page(size):
    px = [[CLEAR] * size for _ in range(size)]
    left, right = (2, size - 3) if size == 16 else (4, size - 5)
    top, bottom = 0, size - 1
    fold = 4 if size == 16 else 8
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x > right - fold + (y - top):
                continue  # cut corner
            edge = x in (left, right) or y in (top, bottom) or x == right - fold + (y - top)
            px[y][x] = OUTLINE if edge else PAPER
    for y in range(top + 1, top + fold):
        for x in range(right - fold + 1, right - fold + 1 + (y - top)):
            px[y][x] = FOLD
    for i in range(fold + 1):
        px[top + i][right - fold] = OUTLINE
        px[top + fold][right - fold + i] = OUTLINE
    return px, left, right


def landscape(px, x0, y0, x1, y1, sun):
    w = x1 - x0 + 1
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            px[y][x] = SKY
    cx, cy, r = x0 + w // 4, y0 + (y1 - y0) // 3, max(1, w // 8)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r and sun:
                px[y][x] = SUN
            hill_top = y1 - (w // 2 - abs(x - (x0 + 2 * w // 3))) * (y1 - y0) // w
            if y >= hill_top:
                px[y][x] = HILL


def icon(size, letters, colour):
    px, left, right = page(size)
    band = colour + (255,)
    if size == 32:
        for y in range(12, 20):
            for x in range(left + 1, right):
                px[y][x] = band
        x = left + 3
        for ch in letters:
            for gy, row in enumerate(FONT[ch]):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        px[13 + gy + 1 - 1][x + gx] = WHITE
            x += 4 + 1
        landscape(px, left + 2, 21, right - 2, size - 3, True)
    else:
        for y in range(5, 8):
            for x in range(left + 1, right):
                px[y][x] = band
        landscape(px, left + 2, 9, right - 2, size - 3, False)
    return px


def write_png(path, px):
    h, w = len(px), len(px[0])
    raw = b"".join(b"\x00" + b"".join(struct.pack("4B", *p) for p in row) for row in px)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for stem, letters, colour in FAMILIES.values():
        for size in (16, 32):
            write_png(os.path.join(here, f"{stem}_{size}.png"), icon(size, letters, colour))
