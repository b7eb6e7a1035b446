#!/usr/bin/env python3
"""Draws the skin bitmaps and the program icon into res/.

Run from anywhere: python3 scripts/make_skin_bitmaps.py
The output is deterministic (a fixed-seed generator of our own), so running it
again reproduces the committed files byte for byte. Only the standard library
is used.
"""
import struct
import zlib
from pathlib import Path

RES = Path(__file__).resolve().parent.parent / "res"

BUTTON_BACKGROUND = (232, 226, 220)
SEPARATOR = (128, 128, 128)
STRIP = (234, 228, 221)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


class Noise:
    """A small linear congruential generator: stable across Python versions."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state >> 8

    def below(self, n):
        return self.next() % n


class Picture:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def fill(self, left, top, right, bottom, colour):
        """Fills columns left..right and rows top..bottom, both inclusive."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.set(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def colours(self):
        seen = {}
        for row in self.pixels:
            for c in row:
                seen.setdefault(c, len(seen))
        return list(seen)

    def average(self):
        n = self.width * self.height
        return tuple(round(sum(c[i] for row in self.pixels for c in row) / n, 1) for i in range(3))


def bmp_bytes(picture, bits):
    """An uncompressed bottom-up BMP with a plain 40-byte info header; 8-bit
    pictures carry a full 256-entry palette."""
    w, h = picture.width, picture.height
    if bits == 8:
        palette = picture.colours()
        if len(palette) > 256:
            raise ValueError("more than 256 colours in an 8-bit picture")
        index = {c: i for i, c in enumerate(palette)}
        palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
        palette_bytes += b"\0" * (1024 - len(palette_bytes))
        row_size = (w + 3) & ~3
        rows = []
        for y in reversed(range(h)):
            row = bytes(index[c] for c in picture.pixels[y])
            rows.append(row + b"\0" * (row_size - w))
    else:
        palette_bytes = b""
        row_size = (w * 3 + 3) & ~3
        rows = []
        for y in reversed(range(h)):
            row = b"".join(struct.pack("<BBB", b, g, r) for r, g, b in picture.pixels[y])
            rows.append(row + b"\0" * (row_size - w * 3))
    image = b"".join(rows)
    offset = 14 + 40 + len(palette_bytes)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(image), 2835, 2835, 0, 0)
    return file_header + info + palette_bytes + image


def png_bytes(picture):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + bytes(v for c in row for v in c) for row in picture.pixels)
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# Paper: the plain warm off-white, with a faint grain of 29 slightly darker or
# warmer specks. About one pixel in three is a speck.
def background():
    base = (245, 240, 237)
    specks = []
    for shade in range(1, 6):
        for tint in ((0, 0, 0), (0, 1, 1), (1, 0, 1), (0, 0, 1), (1, 1, 0), (1, 0, 0)):
            specks.append(tuple(max(0, base[i] - shade - tint[i]) for i in range(3)))
    specks = specks[:29]
    paper = Picture(477, 426, base)
    noise = Noise(101)
    for y in range(paper.height):
        for x in range(paper.width):
            if noise.below(100) < 30:
                paper.set(x, y, specks[noise.below(len(specks))])
    return paper


def button_base():
    p = Picture(20, 20, BUTTON_BACKGROUND)
    return p


def add_separator(p):
    """The grey line that parts the small buttons from each other and the strip."""
    for y in range(2, 18):
        p.set(0, y, SEPARATOR)
    return p


PIN_DARK = (64, 64, 64)
PIN_GREY = (160, 160, 160)


def pin_lying():
    """A push-pin on its side, point to the left."""
    p = button_base()
    p.line(3, 10, 8, 10, BLACK)  # needle
    p.fill(9, 8, 10, 12, PIN_DARK)  # collar
    p.fill(11, 7, 14, 13, BLACK)  # body outline
    p.fill(12, 8, 13, 12, WHITE)
    p.fill(15, 5, 17, 15, BLACK)  # head outline
    p.fill(16, 6, 16, 14, PIN_GREY)
    return add_separator(p)


def pin_upright():
    """The same pin turned to stand on its point."""
    lying = pin_lying()
    p = button_base()
    for y in range(20):
        for x in range(1, 20):
            c = lying.get(x, y)
            if c != BUTTON_BACKGROUND:
                p.set(y, 19 - x, c)
    return add_separator(p)


QUESTION_MARK = [
    "..###..",
    ".#...#.",
    "#.....#",
    "......#",
    ".....#.",
    "....#..",
    "...#...",
    "...#...",
    ".......",
    "...#...",
    "...#...",
]
PALE_GREEN = (190, 235, 190)


def question(shift):
    """A black question mark with a pale green rim, moved by `shift` pixels."""
    p = button_base()
    left, top = 6 + shift, 4 + shift
    ink = set()
    for row, text in enumerate(QUESTION_MARK):
        for column, mark in enumerate(text):
            if mark == "#":
                ink.add((left + column, top + row))
    for x, y in ink:
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            if (x + dx, y + dy) not in ink:
                p.set(x + dx, y + dy, PALE_GREEN)
    for x, y in ink:
        p.set(x, y, BLACK)
    return add_separator(p)


DARK_GREEN = (0, 110, 40)


def letter_t(checked):
    """A capital T; with `checked`, a small black check mark at the lower right."""
    p = button_base()
    p.fill(4, 3, 15, 5, DARK_GREEN)
    p.fill(9, 3, 10, 16, DARK_GREEN)
    if checked:
        p.line(13, 15, 14, 16, BLACK)
        p.line(14, 16, 18, 12, BLACK)
        p.line(13, 14, 14, 15, BLACK)
        p.line(14, 15, 18, 11, BLACK)
    return add_separator(p)


def row_marker():
    """A black block with a white diagonal cross, on white: white is drawn as
    transparent, so the row's colour shows through the cross and around it."""
    p = Picture(20, 20, WHITE)
    p.fill(4, 3, 15, 16, BLACK)
    p.line(6, 5, 13, 14, WHITE)
    p.line(13, 5, 6, 14, WHITE)
    return p


def coral(base, seed, streak):
    """The coral button face with a fine grain; `streak` sets the grain's slant."""
    face = Picture(170, 70, base)
    noise = Noise(seed)
    for y in range(face.height):
        for x in range(face.width):
            grain = noise.below(9) - 4 + ((x + streak * y) % 5 - 2)
            face.set(x, y, tuple(min(255, max(0, c + grain)) for c in base))
    return face


GLYPHS = {
    "J": ["..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "n": [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#"],
}


def icon():
    """A light-yellow page with a red border and "Jan" in red across the middle."""
    red = (255, 0, 0)
    p = Picture(32, 32, (255, 255, 128))
    p.fill(0, 0, 31, 0, red)
    p.fill(0, 31, 31, 31, red)
    p.fill(0, 0, 0, 31, red)
    p.fill(31, 0, 31, 31, red)
    left, top = 7, 12
    for letter in "Jan":
        for row, text in enumerate(GLYPHS[letter]):
            for column, mark in enumerate(text):
                if mark == "#":
                    p.set(left + column, top + row, red)
        left += 6
    return p


def main():
    RES.mkdir(exist_ok=True)
    pictures = [
        ("101-background.bmp", background(), 8),
        ("102-pin-lying.bmp", pin_lying(), 8),
        ("103-pin-upright.bmp", pin_upright(), 8),
        ("104-title-strip.bmp", Picture(475, 20, STRIP), 8),
        ("105-question.bmp", question(0), 8),
        ("106-question-pressed.bmp", question(1), 8),
        ("107-letter-t.bmp", letter_t(False), 8),
        ("108-letter-t-checked.bmp", letter_t(True), 8),
        ("109-icon.bmp", icon(), 24),
        ("111-row-marker.bmp", row_marker(), 8),
        ("112-create-button.bmp", coral((247, 134, 120), 112, 1), 24),
        ("113-create-button-pressed.bmp", coral((246, 134, 120), 113, -1), 24),
    ]
    for name, picture, bits in pictures:
        (RES / name).write_bytes(bmp_bytes(picture, bits))
        print(f"{name}: {picture.width} x {picture.height}, {bits} bits, "
              f"{len(picture.colours())} colours, average {picture.average()}")
    (RES / "orvelplan.png").write_bytes(png_bytes(icon()))


if __name__ == "__main__":
    main()
