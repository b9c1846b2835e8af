#!/usr/bin/env python3
"""Draws the glyphs of the translation editor's tool buttons (24 x 24, named by the button in
upper case) and writes them as a 32-bit resource file beside this script, EditorGlyphs.res,
which the editor links. A button with a disabled look gets a second glyph to the right of
the first (48 x 24). The bitmaps keep an alpha channel, so the glyphs lie on the button's
own face. Run it again after changing a picture (--preview FILE.png shows them enlarged):

    python3 editor/glyphs/MakeEditorGlyphs.py
"""
import math
import os
import struct
import sys
import zlib

SIZE = 24
HERE = os.path.dirname(os.path.abspath(__file__))

# The resource file format is the palette script's.
sys.path.insert(0, os.path.join(HERE, '..', '..', 'design', 'palette'))
from MakePaletteBitmaps import resource  # noqa: E402

CLEAR = None
BLACK, WHITE, GREY, LIGHT = (0, 0, 0), (255, 255, 255), (128, 128, 128), (225, 225, 225)
BLUE, DARKBLUE = (40, 100, 200), (10, 40, 110)
GREEN, DARKGREEN = (40, 160, 60), (10, 90, 30)
RED, DARKRED = (210, 40, 40), (120, 10, 10)
YELLOW, BROWN = (245, 210, 80), (140, 90, 30)


class Picture:
    def __init__(self):
        self.px = [[CLEAR] * SIZE for _ in range(SIZE)]

    def set(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill, border=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.set(x, y, border if (edge and border) else fill)

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.set(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(y0, y1 + 1):
            self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            for dx in range(width):
                for dy in range(width):
                    self.set(int(round(x)) + dx, int(round(y)) + dy, c)

    def disc(self, cx, cy, r, fill, border=None):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if d <= r:
                    self.set(x, y, border if (border and d > r - 1.2) else fill)

    def disabled(self):
        """The same picture as the greyed, embossed look of a disabled command."""
        p = Picture()
        for y in range(SIZE):
            for x in range(SIZE):
                if self.px[y][x] is not CLEAR:
                    p.set(x + 1, y + 1, WHITE)
        for y in range(SIZE):
            for x in range(SIZE):
                c = self.px[y][x]
                if c is not CLEAR:
                    lum = 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]
                    p.set(x, y, GREY if lum < 200 else (200, 200, 200))
        return p


def page(p, x0=3, y0=1, x1=17, y1=22):
    """A sheet of paper with a folded corner and lines of text."""
    p.rect(x0, y0, x1, y1, WHITE, BLACK)
    for i in range(4):
        p.hline(x1 - 4 + i, x1, y0 + i, CLEAR)
        p.set(x1 - 4 + i, y0 + i, BLACK)
    p.vline(x1 - 4, y0, y0 + 4, BLACK)
    p.hline(x1 - 4, x1, y0 + 4, BLACK)
    for y in range(y0 + 7, y1 - 2, 3):
        p.hline(x0 + 3, x1 - 3, y, GREY)


def arrow_right(p, x0, y, length, color, border):
    """A thick arrow pointing right, its tip at x0 + length."""
    p.rect(x0, y - 2, x0 + length - 5, y + 2, color, border)
    for i in range(6):
        p.vline(x0 + length - 5 + i, y - 5 + i, y + 5 - i, color)
        p.set(x0 + length - 5 + i, y - 5 + i, border)
        p.set(x0 + length - 5 + i, y + 5 - i, border)
    p.vline(x0 + length - 5, y - 5, y - 3, border)
    p.vline(x0 + length - 5, y + 3, y + 5, border)


def import_file():
    p = Picture()
    page(p, 8, 1, 22, 22)
    arrow_right(p, 0, 14, 15, GREEN, DARKGREEN)
    return p


def plus(p, cx, cy, color, border):
    p.rect(cx - 1, cy - 5, cx + 1, cy + 5, color)
    p.rect(cx - 5, cy - 1, cx + 5, cy + 1, color)
    p.vline(cx - 2, cy - 6, cy - 2, border)
    p.vline(cx + 2, cy - 6, cy - 2, border)
    p.hline(cx - 2, cx + 2, cy - 6, border)
    p.vline(cx - 2, cy + 2, cy + 6, border)
    p.vline(cx + 2, cy + 2, cy + 6, border)
    p.hline(cx - 2, cx + 2, cy + 6, border)
    p.hline(cx - 6, cx - 2, cy - 2, border)
    p.hline(cx - 6, cx - 2, cy + 2, border)
    p.vline(cx - 6, cy - 2, cy + 2, border)
    p.hline(cx + 2, cx + 6, cy - 2, border)
    p.hline(cx + 2, cx + 6, cy + 2, border)
    p.vline(cx + 6, cy - 2, cy + 2, border)


def text_line(p, y):
    """A row of the grid: a named string's cell."""
    p.rect(1, y, 22, y + 7, WHITE, BLACK)
    for x in range(3, 14, 4):
        p.rect(x, y + 2, x + 2, y + 5, BLUE)


def add_string():
    p = Picture()
    text_line(p, 2)
    plus(p, 16, 16, GREEN, DARKGREEN)
    return p


def remove_entry():
    p = Picture()
    text_line(p, 2)
    p.line(10, 11, 20, 21, RED, 3)
    p.line(20, 11, 10, 21, RED, 3)
    return p


def magnifier(p, cx=9, cy=9):
    p.disc(cx, cy, 7, (200, 230, 255), BLACK)
    p.disc(cx - 2, cy - 2, 1.5, WHITE)
    p.line(cx + 5, cy + 5, cx + 11, cy + 11, BROWN, 3)


def search():
    p = Picture()
    magnifier(p)
    return p


def search_again():
    p = Picture()
    magnifier(p, 8, 8)
    for x0 in (13, 18):
        for i in range(4):
            p.vline(x0 + i, 3 + i, 9 - i, BLUE)
    return p


def languages():
    # A globe with a speech bubble: the languages of the working copy.
    p = Picture()
    blue, dark = BLUE, DARKBLUE
    cx = cy = 11.5
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - cx, y - cy)
            if d <= 10.5:
                p.set(x, y, dark if d > 9.5 else blue)
    for y in (7, 16):
        for x in range(SIZE):
            if p.px[y][x] == blue:
                p.set(x, y, WHITE)
    for y in range(SIZE):
        if p.px[y][11] == blue:
            p.set(11, y, WHITE)
        off = int(round(5 * max(0.0, 1 - ((y - cy) / 10.5) ** 2) ** 0.5))
        for x in (11 - off, 12 + off):
            if p.px[y][x] == blue:
                p.set(x, y, WHITE)
    p.rect(13, 13, 23, 20, YELLOW, BLACK)
    p.line(15, 21, 15, 23, BLACK)
    p.line(15, 23, 17, 21, BLACK)
    p.hline(15, 21, 15, BLACK)
    p.hline(15, 19, 18, BLACK)
    return p


def properties():
    # A component with the list of its chosen properties, ticked.
    p = Picture()
    p.rect(1, 1, 10, 8, (210, 210, 210), BLACK)
    p.hline(3, 8, 4, BLACK)
    p.vline(5, 9, 20, GREY)
    for y in (12, 19):
        p.hline(6, 8, y, GREY)
        p.rect(9, y - 3, 22, y + 2, WHITE, BLACK)
        p.line(11, y - 1, 12, y, GREEN, 2)
        p.line(13, y, 15, y - 2, GREEN, 2)
        p.hline(17, 20, y - 1, GREY)
    return p


def auto_size():
    # Grid columns between a double arrow: fit the widths.
    p = Picture()
    p.rect(1, 9, 22, 22, WHITE, BLACK)
    p.rect(2, 10, 21, 12, (200, 220, 240))
    for x in (8, 15):
        p.vline(x, 9, 22, GREY)
    for y in (13, 17):
        p.hline(1, 22, y, GREY)
    p.hline(3, 20, 4, BLACK)
    for i in range(4):
        p.vline(2 + i, 4 - i, 4 + i, BLACK)
        p.vline(21 - i, 4 - i, 4 + i, BLACK)
    return p


def accept():
    p = Picture()
    p.line(3, 12, 9, 18, GREEN, 4)
    p.line(9, 18, 20, 4, GREEN, 4)
    p.line(2, 13, 8, 19, DARKGREEN, 1)
    return p


def close():
    # An open door with the way out.
    p = Picture()
    p.rect(4, 1, 16, 22, (200, 200, 200), BLACK)
    for y in range(2, 22):
        w = 6 - (y - 2) // 10
        p.hline(5, 5 + w, y, BROWN)
    p.line(5, 2, 11, 4, BLACK)
    p.line(5, 21, 11, 19, BLACK)
    p.vline(11, 4, 19, BLACK)
    p.set(9, 12, YELLOW)
    arrow_right(p, 12, 12, 11, RED, DARKRED)
    return p


# Button name: (picture, whether it has a disabled look).
PICTURES = {
    'BTNIMPORT': (import_file, False),
    'BTNADDSTR': (add_string, False),
    'BTNDELENTRY': (remove_entry, True),
    'BTNSEARCH': (search, True),
    'BTNSEARCHAGAIN': (search_again, True),
    'BTNLANGS': (languages, False),
    'BTNPROPS': (properties, False),
    'BTNAUTOSIZE': (auto_size, False),
    'BTNACCEPT': (accept, True),
    'BTNCLOSE': (close, False),
}


def glyph(name):
    """The rows of a glyph, top down: the picture, then its disabled look if it has one."""
    make, has_disabled = PICTURES[name]
    parts = [make()]
    if has_disabled:
        parts.append(parts[0].disabled())
    return [sum((q.px[y] for q in parts), []) for y in range(SIZE)]


def bmp(rows):
    """A device-independent bitmap with alpha: a version 4 info header with bit fields."""
    width = len(rows[0])
    data = b''
    for row in reversed(rows):
        for c in row:
            data += struct.pack('<BBBB', 0, 0, 0, 0) if c is CLEAR else struct.pack('<BBBB', c[2], c[1], c[0], 255)
    header = struct.pack('<IiiHHIIiiII', 108, width, SIZE, 1, 32, 3, len(data), 2835, 2835, 0, 0)
    header += struct.pack('<IIII', 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    header += struct.pack('<I', 0x73524742) + b'\0' * 36 + struct.pack('<III', 0, 0, 0)
    return header + data


def preview(fileName, scale=4):
    """All glyphs one below the other, enlarged on a button grey, as a PNG to look at."""
    face = (240, 240, 240)
    glyphs = [glyph(name) for name in PICTURES]
    w, h = 2 * SIZE * scale, (SIZE + 2) * len(glyphs) * scale
    raw = b''
    for y in range(h):
        g, gy = divmod(y // scale, SIZE + 2)
        row = b'\0'
        for x in range(w):
            px = x // scale
            c = glyphs[g][gy][px] if gy < SIZE and px < len(glyphs[g][gy]) else CLEAR
            row += bytes(face if c is CLEAR else c)
        raw += row

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
    with open(fileName, 'wb') as f:
        f.write(png)


def main():
    out = struct.pack('<IIHHHHIHHII', 0, 32, 0xFFFF, 0, 0xFFFF, 0, 0, 0, 0, 0, 0)
    for name in sorted(PICTURES):
        out += resource(2, name, bmp(glyph(name)))
    with open(os.path.join(HERE, 'EditorGlyphs.res'), 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
    if len(sys.argv) > 2 and sys.argv[1] == '--preview':
        preview(sys.argv[2])
