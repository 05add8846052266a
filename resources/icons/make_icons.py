#!/usr/bin/env python3
"""Draws the programs' icon for the desktop's hicolor theme.

The same picture as the viewer's 32 x 32 bitmap icon (a blue ring with an
orange handle), drawn smooth at every size on a transparent ground, each
pixel the average of 4 x 4 samples, and once more as SVG for the scalable
size. Run from this folder; the output is committed:
hicolor/<size>x<size>/apps/com.vantocorp.quelby.png and
hicolor/scalable/apps/com.vantocorp.quelby.svg.
"""
import os
import struct
import zlib

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
NAME = "com.vantocorp.quelby"
SAMPLES = 4


# The picture in the unit square, shared by the samples and the SVG.
CENTRE = (0.5, 0.46)
RING = (0.25, 0.41)  # inner and outer radius
HANDLE_START = 1.36  # u + v where the handle begins
HANDLE_LENGTH = 0.3
HANDLE_OFFSET = 0.06  # u - v along the handle
HANDLE_HALF_WIDTH = 0.07


def ring_colour(t):
    """The ring from its inner edge (t = 0) to its outer edge (t = 1)."""
    return (int(200 - t * 110), int(215 - t * 110), int(240 - t * 70))


def handle_colour(along):
    return (250, int(170 - along * 250), 40)


def sample(u, v):
    """The colour (r, g, b, a) at a point of the unit square, top left (0, 0)."""
    d = ((u - CENTRE[0]) ** 2 + (v - CENTRE[1]) ** 2) ** 0.5
    if RING[0] <= d <= RING[1]:  # the ring, lighter inside
        return ring_colour((d - RING[0]) / (RING[1] - RING[0])) + (255,)
    # the handle: a thick bar from the ring towards the bottom right corner
    along = (u + v - HANDLE_START) / 2 ** 0.5
    across = abs(u - v - HANDLE_OFFSET) / 2 ** 0.5
    if 0 <= along <= HANDLE_LENGTH and across <= HANDLE_HALF_WIDTH:
        return handle_colour(along) + (255,)
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


def svg():
    """The same picture with gradients: the handle under the ring."""
    scale = 256

    def at(value):
        return f"{value * scale:.2f}".rstrip("0").rstrip(".")

    def rgb(colour):
        return "#%02x%02x%02x" % colour

    def handle_point(s):
        return at((s + HANDLE_OFFSET) / 2), at((s - HANDLE_OFFSET) / 2)

    end = HANDLE_START + HANDLE_LENGTH * 2 ** 0.5
    (x1, y1), (x2, y2) = handle_point(HANDLE_START), handle_point(end)
    inner = RING[0] / RING[1]
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{scale}" height="{scale}" viewBox="0 0 {scale} {scale}">
  <defs>
    <linearGradient id="handle" gradientUnits="userSpaceOnUse" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">
      <stop offset="0" stop-color="{rgb(handle_colour(0))}"/>
      <stop offset="1" stop-color="{rgb(handle_colour(HANDLE_LENGTH))}"/>
    </linearGradient>
    <radialGradient id="ring" gradientUnits="userSpaceOnUse" cx="{at(CENTRE[0])}" cy="{at(CENTRE[1])}" r="{at(RING[1])}">
      <stop offset="{inner:.4f}" stop-color="{rgb(ring_colour(0))}"/>
      <stop offset="1" stop-color="{rgb(ring_colour(1))}"/>
    </radialGradient>
  </defs>
  <line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="url(#handle)" stroke-width="{at(2 * HANDLE_HALF_WIDTH)}"/>
  <circle cx="{at(CENTRE[0])}" cy="{at(CENTRE[1])}" r="{at(sum(RING) / 2)}" fill="none" stroke="url(#ring)" stroke-width="{at(RING[1] - RING[0])}"/>
</svg>
"""


if __name__ == "__main__":
    for size in SIZES:
        write_png(f"hicolor/{size}x{size}/apps/{NAME}.png", size, draw(size))
    os.makedirs("hicolor/scalable/apps", exist_ok=True)
    with open(f"hicolor/scalable/apps/{NAME}.svg", "w") as f:
        f.write(svg())
