#!/usr/bin/env python3
"""Writes the seed corpus of the disc fuzzer into fuzz/disc-corpus/.

Each seed is a tiny disc holding the Quelby folders, in one of the forms the
disc layer reads, behind the form byte the fuzz target takes first (see
DiscFuzzTarget.h). The files named by a SHA-1 beside them are the corpus of
the fuzzing campaigns, minimised with libFuzzer's -merge=1.
"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "disc-corpus")
SECTOR = 2048


def both16(v):
    return struct.pack("<H", v) + struct.pack(">H", v)


def both32(v):
    return struct.pack("<I", v) + struct.pack(">I", v)


def record(name, lsn, size, directory):
    pad = b"\0" if len(name) % 2 == 0 else b""
    length = 33 + len(name) + len(pad)
    return (bytes([length, 0]) + both32(lsn) + both32(size) + bytes(7)
            + bytes([2 if directory else 0, 0, 0]) + both16(1) + bytes([len(name)]) + name + pad)


def directory(own, parent, entries):
    data = record(b"\0", own, SECTOR, True) + record(b"\1", parent, SECTOR, True)
    for name, lsn, size, is_dir in entries:
        data += record(name, lsn, size, is_dir)
    return data.ljust(SECTOR, b"\0")


def iso(label=b"QUELBY_CDH"):
    cartoon = b"BM" + bytes(range(256)) * 3
    cover = b"BM" + bytes(3000)
    sectors = [bytes(SECTOR)] * 16
    pvd = bytearray(SECTOR)
    pvd[0:7] = b"\x01CD001\x01"
    pvd[40:72] = label.ljust(32, b" ")
    pvd[80:88] = both32(27)
    pvd[128:132] = both16(SECTOR)
    pvd[156:190] = record(b"\0", 18, SECTOR, True)
    sectors.append(bytes(pvd))
    sectors.append(b"\xffCD001\x01".ljust(SECTOR, b"\0"))
    sectors.append(directory(18, 18, [(b"QUELBY", 19, SECTOR, True)]))
    sectors.append(directory(19, 18, [(b"IMAGES", 20, SECTOR, True)]))
    sectors.append(directory(20, 19, [(b"COL", 22, SECTOR, True), (b"T1", 21, SECTOR, True)]))
    sectors.append(directory(21, 20, [(b"1T005HI1.BMP;1", 23, len(cartoon), False)]))
    sectors.append(directory(22, 20, [(b"SPLASH24.BMP;1", 24, len(cover), False)]))
    data = cartoon.ljust(SECTOR, b"\0") + cover.ljust(2 * SECTOR, b"\0")
    return b"".join(sectors) + data


def empty_root(image):
    """The root folder's record claims no bytes at all."""
    at = 16 * SECTOR + 156 + 10
    return image[:at] + both32(0) + image[at + 8:]


def raw(image, mode, stride=2352):
    out = bytearray()
    for n in range(len(image) // SECTOR):
        user = image[n * SECTOR:(n + 1) * SECTOR]
        if stride == 2336:
            out += bytes(8) + user + bytes(280)
            continue
        header = b"\0" + b"\xff" * 10 + b"\0" + bytes([0, 2, n % 75, mode])
        body = header + (bytes(8) if mode == 2 else b"") + user
        out += body.ljust(stride, b"\0")
    return bytes(out)


def sheet(text, track):
    return b"\1" + text.encode() + b"\0" + track


def nero_dao(image, pregap=4):
    data = bytes(pregap * SECTOR) + image
    end = len(data)
    daox = bytes(18) + struct.pack(">HBB", 0, 1, 1)
    daox += bytes(12) + struct.pack(">HBBH", SECTOR, 0, 1, 0)
    daox += struct.pack(">QQQ", 0, pregap * SECTOR, end)
    chunks = b"DAOX" + struct.pack(">I", len(daox)) + daox
    chunks += b"SINF" + struct.pack(">II", 4, 1) + b"END!" + struct.pack(">I", 0)
    return b"\2" + data + chunks + b"NER5" + struct.pack(">Q", end)


def nero_tao(track):
    etnf = struct.pack(">IIIII", 0, len(track), 6, 0, 0)
    chunks = b"ETNF" + struct.pack(">I", len(etnf)) + etnf + b"END!" + struct.pack(">I", 0)
    return b"\2" + track + chunks + b"NERO" + struct.pack(">I", len(track))


def main():
    os.makedirs(OUT, exist_ok=True)
    image = iso()
    track = "FILE \"quelby.bin\" BINARY\n  TRACK 01 {}\n    INDEX 01 00:00:00\n"
    seeds = {
        "plain": b"\0" + image,
        "plain-other-label": b"\0" + iso(b"ANOTHER DISC"),
        "plain-empty-root": b"\0" + empty_root(image),
        "sheet-mode1-2048": sheet(track.format("MODE1/2048"), image),
        "sheet-mode1-2352": sheet(track.format("MODE1/2352"), raw(image, 1)),
        "sheet-mode2-2352": sheet(track.format("MODE2/2352"), raw(image, 2)),
        "sheet-mode2-2336": sheet(track.format("MODE2/2336"), raw(image, 2, 2336)),
        "sheet-audio-first": sheet("FILE quelby.bin BINARY\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n"
                                   "TRACK 02 MODE1/2352\r\nINDEX 00 00:00:00\r\nINDEX 01 00:00:02\r\n",
                                   bytes(2 * 2352) + raw(image, 1)),
        "nero-dao": nero_dao(image),
        "nero-tao-raw": nero_tao(raw(image, 2)),
        "folder": b"\3QUELBY_CDH\r\n\0quelby\0IMAGES\0t1;1\0col\0001T005HI1.BMP;1\0splash24.bmp.\0",
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, "seed-" + name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
