#!/usr/bin/env python3
"""Writes the seed corpus of small hand-made ".BMP" files into fuzz/corpus/.

The files named by a SHA-1 beside them are the corpus of the fuzzing
campaigns (over ten million executions), minimised with libFuzzer's -merge=1.
"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def info(width, height, bits, compression=0, used=0, image_size=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression,
                       image_size, 2835, 2835, used, 0)


def core(width, height, bits):
    return struct.pack("<IHHHH", 12, width, height, 1, bits)


def table(n, size=4):
    return b"".join(bytes([(i * 40) & 255, (i * 90) & 255, (i * 7) & 255, 0][:size]) for i in range(n))


def rows(width, height, bits, seed=1):
    row = (width * bits + 31) // 32 * 4
    return bytes(((i * 37 + seed) & 255) for i in range(row * height))


def bmp(dib):
    return b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, 0) + dib


CASES = {
    "pal1": info(5, 3, 1) + table(2) + rows(5, 3, 1),
    "pal1-one-colour": info(9, 2, 1, used=1) + table(1) + rows(9, 2, 1),
    "pal1-core": core(7, 3, 1) + table(2, 3) + rows(7, 3, 1),
    "pal4": info(5, 4, 4) + table(16) + rows(5, 4, 4),
    "pal4-used3": info(6, 2, 4, used=3) + table(3) + rows(6, 2, 4),
    "pal4-core": core(3, 3, 4) + table(16, 3) + rows(3, 3, 4),
    "pal8": info(7, 3, 8, used=20) + table(20) + rows(7, 3, 8),
    "pal8-core": core(4, 2, 8) + table(256, 3) + rows(4, 2, 8),
    "rgb16": info(3, 3, 16) + rows(3, 3, 16),
    "rgb24": info(5, 3, 24) + rows(5, 3, 24),
    "rgb24-table": info(2, 2, 24, used=2) + table(2) + rows(2, 2, 24),
    "rgb32": info(3, 2, 32) + rows(3, 2, 32),
    "rle8-escapes": info(8, 4, 8, 1, used=4) + table(4)
    + bytes([3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 1, 2, 3, 0, 0, 8, 2, 0, 1]),
    "rle8-cut": info(8, 4, 8, 1, used=4) + table(4) + bytes([4, 1, 0, 5, 1, 2]),
    "rle8-long-runs": info(4, 2, 8, 1, used=4) + table(4) + bytes([255, 1, 255, 2, 0, 0, 9, 3]),
    "rle8-delta-far": info(4, 4, 8, 1, used=4) + table(4) + bytes([0, 2, 200, 200, 1, 1, 0, 1]),
    "rle4-escapes": info(9, 3, 4, 2, used=5) + table(5)
    + bytes([5, 0x12, 0, 0, 0, 5, 0x01, 0x23, 0x40, 0, 0, 2, 1, 0, 3, 0x43, 0, 1]),
    "rle4-cut": info(9, 3, 4, 2, used=5) + table(5) + bytes([0, 9, 0x12]),
    "rle4-no-eob": info(3, 2, 4, 2) + table(16) + bytes([3, 0x21, 0, 0, 2, 0x33]),
    "bitfields": info(2, 2, 16, 3) + struct.pack("<III", 0xF800, 0x07E0, 0x1F) + rows(2, 2, 16),
    "pal2": info(4, 2, 2) + table(4) + rows(4, 2, 2),
    "rgb64": info(1, 1, 64) + rows(1, 1, 64),
    "topdown": info(3, -2, 8, used=2) + table(2) + rows(3, 2, 8),
    "negative-width": info(-3, 2, 8, used=2) + table(2) + rows(3, 2, 8),
    "table-past-block": info(3, 2, 8) + table(4),
    "bits-past-block": info(16, 16, 24) + rows(16, 2, 24),
    "huge-size": info(3000000, 2000000, 24) + rows(2, 2, 24),
    "huge-rle": info(30000, 30000, 8, 1, used=2) + table(2) + bytes([0, 1]),
    "used-65535": info(2, 2, 8, used=0xFFFF) + table(3),
    "header-108": struct.pack("<I", 108) + bytes(104) + rows(2, 2, 8),
    "header-5": struct.pack("<I", 5) + rows(2, 2, 8),
    "header-huge": struct.pack("<I", 0xFFFFFFF0) + rows(4, 4, 8),
    "info-cut": info(3, 3, 8)[:30],
    "empty-after-header": b"",
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, dib in CASES.items():
        with open(os.path.join(OUT, name + ".bmp"), "wb") as f:
            f.write(bmp(dib))
    with open(os.path.join(OUT, "not-bm.bmp"), "wb") as f:
        f.write(b"MB" + bytes(40))
    with open(os.path.join(OUT, "short.bmp"), "wb") as f:
        f.write(b"BM\x00")


if __name__ == "__main__":
    main()
