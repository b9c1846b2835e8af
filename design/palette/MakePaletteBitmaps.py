#!/usr/bin/env python3
"""Draws the palette bitmaps of the package's components (24 x 24, one per class, named by
the class name in upper case) and writes them as a 32-bit resource file beside this script,
PaletteBitmaps.res, which the design package links. Beside it goes PackageIcon.res: the
package's globe as an icon group with the number 32512 (32 x 32 and 16 x 16 images), which
the expert shows as its glyph. Run it again after changing a picture:

    python3 design/palette/MakePaletteBitmaps.py
"""
import os
import struct

SIZE = 24
HERE = os.path.dirname(os.path.abspath(__file__))

# A 3 x 5 font for the letters on the tiles.
FONT = {
    'A': ["010", "101", "111", "101", "101"], 'B': ["110", "101", "110", "101", "110"],
    'C': ["011", "100", "100", "100", "011"], 'D': ["110", "101", "101", "101", "110"],
    'E': ["111", "100", "110", "100", "111"], 'F': ["111", "100", "110", "100", "100"],
    'G': ["011", "100", "101", "101", "011"], 'I': ["111", "010", "010", "010", "111"],
    'K': ["101", "110", "100", "110", "101"], 'L': ["100", "100", "100", "100", "111"],
    'M': ["101", "111", "111", "101", "101"], 'N': ["110", "101", "101", "101", "101"],
    'O': ["010", "101", "101", "101", "010"], 'P': ["110", "101", "110", "100", "100"],
    'R': ["110", "101", "110", "101", "101"], 'S': ["011", "100", "010", "001", "110"],
    'T': ["111", "010", "010", "010", "010"], 'V': ["101", "101", "101", "101", "010"],
    'H': ["101", "101", "111", "101", "101"], 'W': ["101", "101", "111", "111", "101"],
    'X': ["101", "101", "010", "101", "101"], 'Y': ["101", "101", "010", "010", "010"],
    'U': ["101", "101", "101", "101", "111"],
}

WHITE, BLACK, GREY = (255, 255, 255), (0, 0, 0), (128, 128, 128)
LIGHT = (230, 230, 230)
TRANSPARENT = (255, 0, 255)  # the lower-left pixel: the designer's palette draws it as background


class Picture:
    def __init__(self, size=SIZE):
        self.size = size
        self.px = [[TRANSPARENT] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, fill, border=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.px[y][x] = border if (edge and border) else fill

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.px[y][x] = c

    def vline(self, x, y0, y1, c):
        for y in range(y0, y1 + 1):
            self.px[y][x] = c

    def text(self, x, y, s, c):
        for ch in s:
            for row, bits in enumerate(FONT[ch]):
                for col, b in enumerate(bits):
                    if b == '1':
                        self.px[y + row][x + col] = c
            x += 4

    def bmp(self):
        """The device-independent bitmap of a resource: the info header and the rows, bottom up."""
        rows = b''
        for y in reversed(range(self.size)):
            row = b''.join(struct.pack('<BBB', b, g, r) for (r, g, b) in self.px[y])
            rows += row + b'\0' * ((4 - len(row) % 4) % 4)
        header = struct.pack('<IiiHHIIiiII', 40, self.size, self.size, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
        return header + rows

    def icon(self):
        """The image of an icon resource: the info header with the height of both bitmaps, the
        colours with alpha bottom up, then the mask (a set bit lets the background through),
        its rows padded to 32 bits."""
        colours, mask = b'', b''
        for y in reversed(range(self.size)):
            bits = 0
            for x, c in enumerate(self.px[y]):
                clear = c == TRANSPARENT
                r, g, b = (0, 0, 0) if clear else c
                colours += struct.pack('<BBBB', b, g, r, 0 if clear else 255)
                bits = bits << 1 | clear
            stride = (self.size + 31) // 32 * 4
            mask += (bits << (stride * 8 - self.size)).to_bytes(stride, 'big')
        header = struct.pack('<IiiHHIIiiII', 40, self.size, 2 * self.size, 1, 32, 0, len(colours) + len(mask),
                             0, 0, 0, 0)
        return header + colours + mask


def tile(color, letters):
    """A coloured tile with a dark border and up to three letters."""
    p = Picture()
    p.rect(1, 1, 22, 22, color, BLACK)
    p.text(12 - (len(letters) * 4 - 1) // 2, 10, letters, WHITE)
    return p


def glotta(size=SIZE):
    # A globe: meridians and parallels on blue, the package's localization component.
    p = Picture(size)
    blue, dark = (40, 100, 200), (10, 40, 110)
    c, r = size / 2 - 0.5, size // 2 - 1
    left, right = size // 2 - 1, size // 2
    for y in range(size):
        for x in range(size):
            d = (x - c) ** 2 + (y - c) ** 2
            if d <= r ** 2:
                p.px[y][x] = dark if d > (r - 1) ** 2 else blue
    for y in (int(c - r / 2), left, right, int(c + r / 2)):
        for x in range(size):
            if p.px[y][x] == blue:
                p.px[y][x] = WHITE
    bulge = 5 * r / 11
    for y in range(size):
        for x in (left, right):
            if p.px[y][x] == blue:
                p.px[y][x] = WHITE
        off = int(round(bulge * (1 - ((y - c) / r) ** 2) ** 0.5)) if abs(y - c) <= r else 0
        for x in (left - off, right + off):
            if 0 <= x < size and p.px[y][x] == blue:
                p.px[y][x] = WHITE
    return p


def combo(label, color):
    # A combo box: an edit field with its drop-down button, a letter in the field.
    p = Picture()
    p.rect(1, 7, 22, 16, WHITE, BLACK)
    p.rect(15, 8, 21, 15, LIGHT, GREY)
    for i, w in enumerate((5, 3, 1)):
        p.hline(18 - w // 2, 18 + w // 2, 10 + i, BLACK)
    p.text(3, 9, label, color)
    return p


def grid(color, checks=False):
    # A grid: a coloured header row and column, cells below.
    p = Picture()
    p.rect(1, 2, 22, 21, WHITE, BLACK)
    p.rect(2, 3, 21, 6, color)
    p.rect(2, 3, 6, 20, color)
    for y in (7, 11, 16):
        p.hline(1, 22, y, GREY)
    for x in (7, 14):
        p.vline(x, 2, 21, GREY)
    if checks:
        for y0 in (8, 12, 17):
            p.rect(9, y0 + 1, 11, y0 + 2, BLACK)
    return p


def panel_buttons():
    # A button panel: two buttons side by side on a grey panel.
    p = Picture()
    p.rect(0, 6, 23, 17, LIGHT, GREY)
    p.rect(2, 9, 10, 14, (210, 210, 210), BLACK)
    p.rect(13, 9, 21, 14, (210, 210, 210), BLACK)
    p.hline(4, 8, 11, BLACK)
    p.hline(15, 19, 11, BLACK)
    return p


def document(color, letters):
    # A sheet with a folded corner and lines: files written by the component.
    p = Picture()
    p.rect(4, 1, 19, 22, WHITE, BLACK)
    for i in range(4):
        p.hline(16 + i, 19, 1 + i, TRANSPARENT)
    p.vline(15, 1, 5, BLACK)
    p.hline(15, 19, 5, BLACK)
    for y in (8, 11):
        p.hline(6, 17, y, GREY)
    p.rect(6, 14, 17, 20, color)
    p.text(12 - (len(letters) * 4 - 1) // 2, 15, letters, WHITE)
    return p


def file_search():
    # A sheet under a magnifying glass.
    p = document((40, 100, 200), '')
    for y in range(SIZE):
        for x in range(SIZE):
            d = (x - 14) ** 2 + (y - 10) ** 2
            if 16 <= d <= 30:
                p.px[y][x] = BLACK
            elif d < 16:
                p.px[y][x] = (200, 225, 255)
    for i in range(6):
        for w in (0, 1):
            p.px[min(23, 15 + i)][min(23, 19 + i + w)] = (120, 80, 20)
    return p


def file_delete():
    # A sheet struck through with a red cross.
    p = document((150, 60, 20), '')
    red = (200, 30, 30)
    for i in range(14):
        for w in (0, 1):
            p.px[5 + i][5 + i + w] = red
            p.px[5 + i][18 - i + w] = red
    return p


def edit_field(letters, color):
    # An edit field with text and the caret.
    p = Picture()
    p.rect(1, 7, 22, 16, WHITE, BLACK)
    p.text(3, 9, letters, color)
    p.vline(16, 9, 14, BLACK)
    return p


def color_panel():
    # Eight cells of the basic colours, one framed.
    p = Picture()
    p.rect(0, 4, 23, 19, LIGHT, GREY)
    colors = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (0, 0, 128), (255, 0, 0), (255, 255, 0), (0, 255, 0), (0, 0, 255)]
    for i, c in enumerate(colors):
        x, y = 2 + (i % 4) * 5, 6 + (i // 4) * 7
        p.rect(x, y, x + 4, y + 5, c, GREY)
    p.rect(1, 5, 6, 12, LIGHT, BLACK)
    p.rect(2, 6, 5, 11, colors[0])
    return p


def string_list():
    # A list of lines with bullets.
    p = Picture()
    p.rect(3, 1, 20, 22, WHITE, BLACK)
    for y in (5, 9, 13, 17):
        p.rect(5, y, 6, y + 1, (30, 120, 60))
        p.hline(9, 18, y, GREY)
        p.hline(9, 15, y + 1, GREY)
    return p


def url_label():
    # "URL" in link blue, underlined.
    p = Picture()
    blue = (0, 0, 220)
    p.text(6, 8, 'URL', blue)
    p.hline(5, 18, 14, blue)
    return p


def label_ex():
    # Letters with a raised relief: a shadow below right, a highlight above left.
    p = Picture()
    p.rect(1, 5, 22, 18, LIGHT)
    p.text(8, 10, 'LA', GREY)
    p.text(6, 8, 'LA', WHITE)
    p.text(7, 9, 'LA', BLACK)
    return p


def info(panel):
    # An "i" on a blue disc; on a raised panel for the panel.
    p = Picture()
    if panel:
        p.rect(0, 2, 23, 21, LIGHT, GREY)
    blue = (40, 100, 200)
    r = 7 if panel else 10
    for y in range(SIZE):
        for x in range(SIZE):
            if (x - 11.5) ** 2 + (y - 11.5) ** 2 <= r * r:
                p.px[y][x] = blue
    p.rect(11, 6 if not panel else 7, 12, 7 if not panel else 8, WHITE)
    p.rect(11, 9 if not panel else 10, 12, 17 if not panel else 15, WHITE)
    return p


PICTURES = {
    'TGLOTTA': glotta(),
    'TLANGCOMBOBOX': combo('LA', (40, 100, 200)),
    'TMRUCOMBOBOX': combo('MR', (150, 60, 20)),
    'TBUTTONPANEL': panel_buttons(),
    'TLOGFILE': document((150, 60, 20), 'LOG'),
    'TCONFIGFILE': document((30, 120, 60), 'CFG'),
    'TKEEPDIRECTORY': tile((170, 130, 20), 'KD'),
    'TSORTGRID': grid((40, 100, 200)),
    'TSORTGRIDEX': grid((30, 120, 60), checks=True),
    'TCOMPONENTEXPLORER': tile((90, 60, 150), 'CE'),
    'TCOMPONENTEXPLORERDIALOG': tile((90, 60, 150), 'CED'),
    'TVERSIONINFO': tile((60, 60, 60), 'VER'),
    'TSYNCTHREAD': tile((170, 40, 40), 'TH'),
    'TFILESEARCH': file_search(),
    'TFILEDELETE': file_delete(),
    'TEDITEX': edit_field('AB', (40, 100, 200)),
    'TCOMBOBOXEX': combo('EX', (40, 100, 200)),
    'TCOLORPANEL': color_panel(),
    'TENUMCOMBOBOX': combo('EN', (30, 120, 60)),
    'TSTRLIST': string_list(),
    'TURLLABEL': url_label(),
    'TLABELEX': label_ex(),
    'TXELINFOPANEL': info(True),
    'TXELINFO': info(False),
}


RT_BITMAP, RT_ICON, RT_GROUP_ICON = 2, 3, 14
ICON_GROUP = 32512
ICON_SIZES = (32, 16)


def resource(type_id, name, data):
    """One entry of a resource file; a number as name gives a numeric name."""
    def wide(s):
        b = s.encode('utf-16-le') + b'\0\0'
        return b + b'\0' * ((4 - len(b) % 4) % 4)
    if isinstance(name, int):
        names = struct.pack('<HHHH', 0xFFFF, type_id, 0xFFFF, name)
    else:
        names = struct.pack('<HH', 0xFFFF, type_id) + wide(name)
    header = struct.pack('<II', len(data), 8 + len(names) + 16) + names + struct.pack('<IHHII', 0, 0x1030, 0, 0, 0)
    return header + data + b'\0' * ((4 - len(data) % 4) % 4)


def preview(fileName, scale=4):
    """All pictures side by side, enlarged, as a PNG to look at."""
    import zlib
    names = sorted(PICTURES)
    w, h = (SIZE + 2) * len(names) * scale, SIZE * scale
    raw = b''
    for y in range(h):
        row = b'\0'
        for i, name in enumerate(names):
            for x in range((SIZE + 2) * scale):
                px = x // scale
                c = PICTURES[name].px[y // scale][px] if px < SIZE else WHITE
                row += bytes(WHITE if c == TRANSPARENT else c)
        raw += row
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
    with open(fileName, 'wb') as f:
        f.write(png)


def icon_group():
    """The icon images (numbered from 1) and their group's directory, which names them."""
    images, directory = [], struct.pack('<HHH', 0, 1, len(ICON_SIZES))
    for number, size in enumerate(ICON_SIZES, 1):
        image = glotta(size).icon()
        images.append(resource(RT_ICON, number, image))
        directory += struct.pack('<BBBBHHIH', size % 256, size % 256, 0, 0, 1, 32, len(image), number)
    return b''.join(images) + resource(RT_GROUP_ICON, ICON_GROUP, directory)


def main():
    lead = struct.pack('<IIHHHHIHHII', 0, 32, 0xFFFF, 0, 0xFFFF, 0, 0, 0, 0, 0, 0)
    out = lead
    for name in sorted(PICTURES):
        out += resource(RT_BITMAP, name, PICTURES[name].bmp())
    with open(os.path.join(HERE, 'PaletteBitmaps.res'), 'wb') as f:
        f.write(out)
    with open(os.path.join(HERE, 'PackageIcon.res'), 'wb') as f:
        f.write(lead + icon_group())


if __name__ == '__main__':
    import sys
    main()
    if len(sys.argv) > 2 and sys.argv[1] == '--preview':
        preview(sys.argv[2])
