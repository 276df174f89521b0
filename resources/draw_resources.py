#!/usr/bin/env python3
"""Draws the program's button bitmaps and icon, so they can be regenerated from this file.

Writes bizua.bmp (32x32, merge), add.bmp and gra.bmp (24x24, plus and minus), iun.bmp
(16x16, folder) as 24-bit bitmaps whose top-left pixel holds the transparent colour, the same
drawn 1.25, 1.5 and 2 times as large for 120, 144 and 192 DPI (bizua-120.bmp ...), and
pcn874merge.ico (16 to 256 px, 32-bit with alpha). Usage: draw_resources.py [OUTDIR]
"""
import os
import struct
import sys

# The button painter treats the top-left pixel's colour as transparent; magenta never
# occurs in the pictures themselves.
KEY = (255, 0, 255)


class Canvas:
    def __init__(self, size, background):
        self.size = size
        self.px = [[background for _ in range(size)] for _ in range(size)]

    def set(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        half = width // 2
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            self.rect(x - half, y - half, x - half + width - 1, y - half + width - 1, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(self.size):
            for x in range(self.size):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, colour)


def page(c, x0, y0, x1, y1):
    """A sheet of paper with a few ruled lines."""
    c.rect(x0, y0, x1, y1, (255, 255, 255))
    c.frame(x0, y0, x1, y1, (40, 60, 90))
    for y in range(y0 + 3, y1 - 1, 3):
        c.line(x0 + 2, y, x1 - 2, y, (120, 150, 190))


def draw_merge(size):
    """Two sheets whose arrows meet in a third: several files become one."""
    c = Canvas(size, KEY)
    s = size / 32
    sc = lambda v: int(round(v * s))
    page(c, sc(1), sc(1), sc(11), sc(13))
    page(c, sc(20), sc(1), sc(30), sc(13))
    page(c, sc(10), sc(18), sc(22), sc(31))
    arrow = (0, 120, 40)
    w = max(1, sc(2))
    c.line(sc(8), sc(14), sc(14), sc(19), arrow, w)
    c.line(sc(23), sc(14), sc(17), sc(19), arrow, w)
    return c


def scaled_box(canvas, s, x0, y0, x1, y1):
    """The inclusive pixel box (x0, y0)-(x1, y1) of the base design, scaled by s: each pixel
    of the base becomes s pixels, so thicknesses grow with the picture."""
    return (int(round(x0 * s)), int(round(y0 * s)), int(round((x1 + 1) * s)) - 1,
            int(round((y1 + 1) * s)) - 1)


def draw_plus(size):
    c = Canvas(size, KEY)
    s = size / 24
    c.disc(size / 2, size / 2, size / 2 - 0.5 * s, (20, 110, 40))
    c.disc(size / 2, size / 2, size / 2 - 2 * s, (60, 180, 80))
    c.rect(*scaled_box(c, s, 5, 10, 18, 13), (255, 255, 255))
    c.rect(*scaled_box(c, s, 10, 5, 13, 18), (255, 255, 255))
    return c


def draw_minus(size):
    c = Canvas(size, KEY)
    s = size / 24
    c.disc(size / 2, size / 2, size / 2 - 0.5 * s, (140, 20, 20))
    c.disc(size / 2, size / 2, size / 2 - 2 * s, (220, 60, 50))
    c.rect(*scaled_box(c, s, 5, 10, 18, 13), (255, 255, 255))
    return c


def thick_frame(c, s, x0, y0, x1, y1, colour):
    """A one-pixel frame of the base design, s pixels thick."""
    c.rect(*scaled_box(c, s, x0, y0, x1, y0), colour)
    c.rect(*scaled_box(c, s, x0, y1, x1, y1), colour)
    c.rect(*scaled_box(c, s, x0, y0, x0, y1), colour)
    c.rect(*scaled_box(c, s, x1, y0, x1, y1), colour)


def draw_folder(size):
    c = Canvas(size, KEY)
    s = size / 16
    edge = (150, 100, 10)
    c.rect(*scaled_box(c, s, 1, 3, 6, 4), (240, 200, 80))
    thick_frame(c, s, 1, 3, 6, 5, edge)
    c.rect(*scaled_box(c, s, 1, 5, 14, 13), (250, 210, 90))
    thick_frame(c, s, 1, 5, 14, 13, edge)
    c.rect(*scaled_box(c, s, 2, 7, 13, 7), (255, 235, 150))
    return c


def draw_icon(size):
    """The merge picture on a blue rounded tile; transparent outside the tile."""
    c = Canvas(size, None)
    r = max(2, size // 8)
    tile = (40, 90, 160)
    for y in range(size):
        for x in range(size):
            dx = max(r - x, x - (size - 1 - r), 0)
            dy = max(r - y, y - (size - 1 - r), 0)
            if dx * dx + dy * dy <= r * r:
                c.set(x, y, tile)
    merge = draw_merge(size)
    for y in range(size):
        for x in range(size):
            if merge.px[y][x] != KEY and c.px[y][x] is not None:
                c.set(x, y, merge.px[y][x])
    return c


def bmp_bytes(c):
    """A 24-bit BMP file: bottom-up rows of BGR, each padded to 4 bytes."""
    row_size = (c.size * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(c.size - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in c.px[y]:
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        pixels += row
    header = struct.pack("<IiiHHIIiiII", 40, c.size, c.size, 1, 24, 0, len(pixels), 2835,
                         2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0,
                              14 + len(header))
    return file_header + header + pixels


def icon_image(c):
    """One icon image: a 32-bit DIB (height doubled for the mask) and its AND mask."""
    n = c.size
    xor = bytearray()
    mask = bytearray()
    mask_row = ((n + 31) // 32) * 4
    for y in range(n - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(n):
            p = c.px[y][x]
            if p is None:
                xor += b"\0\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                xor += bytes((p[2], p[1], p[0], 255))
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0,
                         0, 0)
    return header + xor + mask


def ico_bytes(canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.size % 256, c.size % 256, 0, 0, 1, 32, len(data),
                           offset)
        offset += len(data)
    return out + b"".join(images)


DPIS = (96, 120, 144, 192)
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PICTURES = (("bizua", draw_merge, 32), ("add", draw_plus, 24), ("gra", draw_minus, 24),
            ("iun", draw_folder, 16))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    # Every size Windows asks for, from the title bar at 100% to a large icon at 200%.
    files = {"pcn874merge.ico": ico_bytes([draw_icon(n) for n in ICON_SIZES])}
    # One picture per resolution the program picks from: 96 DPI and 1.25, 1.5 and 2 times.
    for dpi in DPIS:
        suffix = "" if dpi == 96 else "-%d" % dpi
        for name, draw, base in PICTURES:
            files["%s%s.bmp" % (name, suffix)] = bmp_bytes(draw(base * dpi // 96))
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
