#!/usr/bin/env python3
"""Draws the browse wizard's banner, 512 x 171: "BANNERU.bmp" in true colour
and "BBANNERU.bmp" in the 16 colours every palette display has (ordered
dithering). Run from this folder; the output is committed.
"""
import math
import struct

W, H = 512, 171

# 5 x 7 capitals and digits for the lettering.
GLYPHS = {
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    " ": ["00000"] * 7,
}

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def draw():
    px = [[(0, 0, 0)] * W for _ in range(H)]
    for y in range(H):
        t = y / (H - 1)
        sky = (int(90 + 140 * t), int(150 + 90 * t), 255)
        for x in range(W):
            px[y][x] = sky
    # The sun, with a soft rim.
    for y in range(H):
        for x in range(W):
            d = ((x - 450) ** 2 + (y - 40) ** 2) ** 0.5
            if d < 24:
                px[y][x] = (255, 230, 60)
            elif d < 28:
                px[y][x] = (255, 200, 90)
    # Rolling hills.
    for x in range(W):
        top = int(128 + 12 * math.sin(x / 47.0) + 6 * math.sin(x / 13.0))
        for y in range(top, H):
            shade = min(1.0, (y - top) / 40.0)
            px[y][x] = (int(60 - 30 * shade), int(170 - 60 * shade), int(60 - 30 * shade))
    text(px, "QUELBY", 28, 22, 9, (200, 30, 40), (90, 0, 10))
    text(px, "THE 1ST TREASURY", 32, 98, 3, (255, 255, 255), (20, 20, 90))
    return px


def text(px, words, left, top, scale, colour, shadow):
    for offset, ink in ((2, shadow), (0, colour)):
        x0 = left + offset
        for ch in words:
            glyph = GLYPHS[ch]
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                x, y = x0 + gx * scale + dx, top + offset + gy * scale + dy
                                if 0 <= x < W and 0 <= y < H:
                                    px[y][x] = ink
            x0 += 6 * scale


def nearest16(colour, x, y):
    bias = (BAYER[y % 4][x % 4] - 7.5) * 6
    r, g, b = (min(255, max(0, c + bias)) for c in colour)
    return min(range(16), key=lambda i: (VGA16[i][0] - r) ** 2 + (VGA16[i][1] - g) ** 2 +
               (VGA16[i][2] - b) ** 2)


def file_bytes(header, table, bits):
    offset = 14 + len(header) + len(table)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + header + table + bits


def write24(name, px):
    row = (W * 3 + 3) & ~3
    bits = bytearray()
    for y in range(H - 1, -1, -1):
        line = b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in px[y])
        bits += line + b"\0" * (row - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    with open(name, "wb") as f:
        f.write(file_bytes(header, b"", bits))


def write4(name, px):
    row = ((W * 4 + 31) // 32) * 4
    bits = bytearray()
    for y in range(H - 1, -1, -1):
        idx = [nearest16(px[y][x], x, y) for x in range(W)]
        line = bytes((idx[x] << 4) | idx[x + 1] for x in range(0, W, 2))
        bits += line + b"\0" * (row - len(line))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA16)
    header = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 4, 0, len(bits), 2835, 2835, 16, 0)
    with open(name, "wb") as f:
        f.write(file_bytes(header, table, bits))


if __name__ == "__main__":
    picture = draw()
    write24("BANNERU.bmp", picture)
    write4("BBANNERU.bmp", picture)
