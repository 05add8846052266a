#!/usr/bin/env python3
"""Draws the viewer's button and icon bitmaps as 8-bit BMP files.

The buttons are 39 x 30 pixels: a raised face with an arrow (normal) and a
sunken face with the arrow one pixel down and right (pressed). The low-colour
set keeps to the 16 colours every palette display has; the other set shades
the face. The back button shows 241 while a slide show runs: 37 x 26, a raised
face with a stop square and "Esc" beneath it, in the 16 colours, so it serves
every display. Run from this folder; the output is committed.
"""
import struct

W, H = 39, 30


def write_bmp(name, width, height, palette, pixels):
    row = (width + 3) & ~3
    bits = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        line = bytes(pixels[y])
        bits += line + b"\0" * (row - width)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    table += b"\0" * (4 * 256 - len(table))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(bits), 2835, 2835, 256, 0)
    offset = 14 + len(header) + len(table)
    filehdr = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(name, "wb") as f:
        f.write(filehdr + header + table + bits)


def base_palette(shaded):
    pal = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    if shaded:
        # 16 .. 47: a face that runs from light steel blue to a deeper blue.
        for i in range(32):
            pal.append((200 - i * 3, 215 - i * 3, 240 - i * 2))
        # 48 .. 63: arrow shades from orange to red.
        for i in range(16):
            pal.append((250, 170 - i * 8, 40))
    return pal


def arrow_mask(forward):
    """Pixels of a fat arrow centred in the face, pointing right for forward."""
    cells = set()
    cx, cy = W // 2, H // 2
    for x in range(cx - 10, cx + 2):
        for y in range(cy - 3, cy + 4):
            cells.add((x, y))
    for step in range(9):
        for y in range(cy - (8 - step), cy + (8 - step) + 1):
            cells.add((cx + 1 + step, y))
    return cells if forward else {(W - 1 - x, y) for (x, y) in cells}


def button(forward, pressed, shaded):
    px = [[7] * W for _ in range(H)]
    for y in range(H):
        for x in range(W):
            if shaded:
                px[y][x] = 16 + min(31, (x + y) * 31 // (W + H - 2))
    light, dark = (8, 15) if pressed else (15, 8)
    for x in range(W):
        px[0][x], px[H - 1][x] = light, 0
        px[1][x], px[H - 2][x] = light, dark
    for y in range(H):
        px[y][0], px[y][W - 1] = light, 0
        px[y][1], px[y][W - 2] = light, dark
    shift = 1 if pressed else 0
    for (x, y) in arrow_mask(forward):
        x, y = x + shift, y + shift
        if 2 < x < W - 3 and 2 < y < H - 3:
            px[y][x] = (48 + (y * 15) // H) if shaded else 9
    return px


def icon():
    size = 32
    pal = base_palette(True)
    px = [[15] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = ((x - 15.5) ** 2 + (y - 14.5) ** 2) ** 0.5
            if 8 <= d <= 13:
                px[y][x] = 16 + int(d * 2)
            if x - y > 3 and x + y > 40 and 20 <= x <= 29 and 20 <= y <= 29 and abs(x - y - 2) <= 2:
                px[y][x] = 52
    return size, pal, px


# A 3 x 5 pixel font for the few capitals and small letters the faces need.
GLYPHS = {
    "E": ["###", "#..", "##.", "#..", "###"],
    "s": ["...", ".##", "#..", "..#", "##."],
    "c": ["...", ".##", "#..", "#..", ".##"],
}


def slide_show_back():
    """Bitmap 241: the back button during a slide show, which Escape ends."""
    w, h = 37, 26
    px = [[7] * w for _ in range(h)]
    for x in range(w):
        px[0][x], px[h - 1][x] = 15, 0
        px[1][x], px[h - 2][x] = 15, 8
    for y in range(h):
        px[y][0], px[y][w - 1] = 15, 0
        px[y][1], px[y][w - 2] = 15, 8
    # A dark red stop square with a bright rim.
    for y in range(4, 14):
        for x in range(13, 24):
            edge = y in (4, 13) or x in (13, 23)
            px[y][x] = 9 if edge else 1
    # "Esc" under it.
    left = 13
    for glyph in "Esc":
        rows = GLYPHS[glyph]
        for gy, line in enumerate(rows):
            for gx, cell in enumerate(line):
                if cell == "#":
                    px[17 + gy][left + gx] = 0
        left += 4
    return w, h, px


if __name__ == "__main__":
    sets = [((131, 130, 133, 132), True), ((239, 238, 240, 237), False)]
    for (fwd_up, fwd_down, back_up, back_down), shaded in sets:
        pal = base_palette(shaded)
        write_bmp(f"{fwd_up}.bmp", W, H, pal, button(True, False, shaded))
        write_bmp(f"{fwd_down}.bmp", W, H, pal, button(True, True, shaded))
        write_bmp(f"{back_up}.bmp", W, H, pal, button(False, False, shaded))
        write_bmp(f"{back_down}.bmp", W, H, pal, button(False, True, shaded))
    size, pal, px = icon()
    write_bmp("128.bmp", size, size, pal, px)
    w, h, px = slide_show_back()
    write_bmp("241.bmp", w, h, base_palette(False), px)
