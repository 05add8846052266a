#!/usr/bin/env python3
"""Draws the programs' icon for the desktop's hicolor theme as PNG files.

The same picture as the viewer's 32 x 32 window icon (a blue ring with an
orange handle), drawn smooth at every size on a transparent ground, each
pixel the average of 4 x 4 samples. Run from this folder; the output is
committed: hicolor/<size>x<size>/apps/com.vantocorp.quelby.png.
"""
import os
import struct
import zlib

SIZES = (16, 24, 32, 48, 64, 128, 256)
NAME = "com.vantocorp.quelby.png"
SAMPLES = 4


def sample(u, v):
    """The colour (r, g, b, a) at a point of the unit square, top left (0, 0)."""
    d = ((u - 0.5) ** 2 + (v - 0.46) ** 2) ** 0.5
    if 0.25 <= d <= 0.41:  # the ring, lighter inside
        t = (d - 0.25) / 0.16
        return (int(200 - t * 110), int(215 - t * 110), int(240 - t * 70), 255)
    # the handle: a thick bar from the ring towards the bottom right corner
    along = (u + v - 1.36) / 2 ** 0.5
    across = abs(u - v - 0.06) / 2 ** 0.5
    if 0 <= along <= 0.3 and across <= 0.07:
        return (250, int(170 - along * 250), 40, 255)
    return (0, 0, 0, 0)


def draw(size):
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            total = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = sample((x + (sx + 0.5) / SAMPLES) / size,
                                        (y + (sy + 0.5) / SAMPLES) / size)
                    total = [total[0] + r * a, total[1] + g * a, total[2] + b * a, total[3] + a]
            alpha = total[3]
            if alpha:
                row += bytes((total[0] // alpha, total[1] // alpha, total[2] // alpha,
                              alpha // (SAMPLES * SAMPLES)))
            else:
                row += b"\0\0\0\0"
        rows.append(bytes(row))
    return rows


def write_png(path, size, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + row for row in rows)
    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    for size in SIZES:
        write_png(f"hicolor/{size}x{size}/apps/{NAME}", size, draw(size))
