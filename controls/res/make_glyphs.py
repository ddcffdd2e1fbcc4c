#!/usr/bin/env python3
"""Draws the button pictures of the owner-drawn button as 16-colour bitmaps.

Each kind picture is a strip of two images of 18 x 18 pixels (the "all" picture
18 x 19): the normal image and the grey embossed image shown while the button is
disabled. The olive background is the transparent colour (the bottom-left pixel).
"LBARROW" is the 5 x 3 drop-down arrow, black on a white (transparent) ground.

Run it in this folder to write the .bmp files again:  python3 make_glyphs.py
"""
import math
import struct

# The 16 colours of the classic palette; the letters are used in the pictures.
PALETTE = [
    ('k', (0, 0, 0)), ('R', (128, 0, 0)), ('G', (0, 128, 0)), ('O', (128, 128, 0)),
    ('B', (0, 0, 128)), ('P', (128, 0, 128)), ('C', (0, 128, 128)), ('s', (192, 192, 192)),
    ('d', (128, 128, 128)), ('r', (255, 0, 0)), ('g', (0, 255, 0)), ('y', (255, 255, 0)),
    ('b', (0, 0, 255)), ('m', (255, 0, 255)), ('c', (0, 255, 255)), ('w', (255, 255, 255)),
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}
BACK = 'O'  # olive: transparent


def write_bmp(path, rows):
    """Writes rows (lists of palette letters, top row first) as a 4-bit BMP."""
    h = len(rows)
    w = len(rows[0])
    stride = ((w + 1) // 2 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(row):
            v = INDEX[ch]
            if x % 2 == 0:
                line[x // 2] |= v << 4
            else:
                line[x // 2] |= v
        pixels += line
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for _, (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    with open(path, 'wb') as f:
        f.write(header + info + palette + pixels)


def blank(w, h, ch=BACK):
    return [[ch] * w for _ in range(h)]


def paste(img, art, x0=None, y0=None):
    """Copies ASCII art ('.' leaves the background) centred unless placed."""
    lines = [l for l in art.strip('\n').split('\n')]
    ah = len(lines)
    aw = max(len(l) for l in lines)
    h = len(img)
    w = len(img[0])
    if x0 is None:
        x0 = (w - aw) // 2
    if y0 is None:
        y0 = (h - ah) // 2
    for y, line in enumerate(lines):
        for x, ch in enumerate(line):
            if ch != '.' and ch != ' ':
                img[y0 + y][x0 + x] = ch


LIGHT = set('wysc')  # light colours stay open in the embossed image


def emboss(img):
    """The disabled look: the dark parts in grey over a white copy moved by one pixel."""
    h = len(img)
    w = len(img[0])
    out = blank(w, h)
    dark = [[img[y][x] != BACK and img[y][x] not in LIGHT for x in range(w)] for y in range(h)]
    for y in range(h):
        for x in range(w):
            if dark[y][x] and y + 1 < h and x + 1 < w:
                out[y + 1][x + 1] = 'w'
    for y in range(h):
        for x in range(w):
            if dark[y][x]:
                out[y][x] = 'd'
    return out


def strip(img):
    dis = emboss(img)
    return [a + b for a, b in zip(img, dis)]


def ring(img, cx, cy, r0, r1, ch, skip=None):
    for y in range(len(img)):
        for x in range(len(img[0])):
            dx = x + 0.5 - cx
            dy = y + 0.5 - cy
            d = math.hypot(dx, dy)
            if r0 <= d <= r1:
                a = math.degrees(math.atan2(-dy, dx)) % 360
                if skip and skip[0] <= a <= skip[1]:
                    continue
                img[y][x] = ch


CHECK = """
............G
...........Gg
..........GgG
.........GggG
........GggG.
.G.....GggG..
Ggg...GggG...
GgggGGggG....
.GgggggG.....
..GgggG......
...GgG.......
....G........
"""

CROSS = """
Rr........rR
rrr......rrr
.rrr....rrr.
..rrr..rrr..
...rrrrrr...
....rrrr....
....rrrr....
...rrrrrr...
..rrr..rrr..
.rrr....rrr.
rrr......rrr
Rr........rR
"""

QUESTION = """
...BBBBBB...
..BbbbbbbbB.
.Bbbb...bbbB
.Bbb.....bbB
.........bbB
........bbB.
.......bbB..
......bbB...
.....bbB....
.....bbB....
............
.....bbB....
.....bbB....
"""

YES = """
...............G
..............Gg
.............GgG
............GggG
...........GggG.
..........GggG..
.G.......GggG...
GgG.....GggG....
GggG...GggG.....
.GggG.GggG......
..GgggggG.......
...GgggG........
....GgG.........
.....G..........
"""

NO = """
....RRRRR....
..RRrrrrrRR..
.Rrrr....rrR.
.Rrrrr....rR.
Rr..rrr....rR
Rr...rrr...rR
Rr....rrr..rR
Rr.....rrr.rR
Rr......rrrrR
.Rr......rrR.
.Rrr....rrrR.
..RRrrrrrRR..
....RRRRR....
"""

DOOR = """
kkkkkkkkkkk
kCCCCCCCCCk
kCkkkkkkkCk
kCkcccccwCk
kCkcccccwCk
kCkwwwwwwCk
kCCCCCCCCCk
kCCCCCCyyCk
kCCCCCCyyCk
kCCCCCCCCCk
kCkkkkkkkCk
kCkcccccwCk
kCkcccccwCk
kCkwwwwwwCk
kCCCCCCCCCk
kkkkkkkkkkk
"""

STOP = """
....RRRRRR....
...RrrrrrrrR..
..RrrrrrrrrrR.
.RrrrrrrrrrrrR
RrrrrrrrrrrrrR
RrwwwwwwwwwwrR
RrwwwwwwwwwwrR
RrwwwwwwwwwwrR
RrrrrrrrrrrrrR
RrrrrrrrrrrrrR
.RrrrrrrrrrrR.
..RrrrrrrrrR..
...RRRRRRRR...
"""

IGNORE_BAR = """
rr
rr
rr
rr
rr
rr
"""


def retry():
    img = blank(18, 18)
    ring(img, 9, 9.5, 4.2, 6.6, 'G', skip=(20, 80))
    paste(img, """
.G.....
.GG....
.GgG...
.GggG..
.GgggG.
.GggggG
""", x0=10, y0=1)
    return img


def ignore():
    img = blank(18, 18)
    paste(img, IGNORE_BAR, x0=8, y0=10)
    # an arc over the bar, from the left foot to the right foot
    for y in range(18):
        for x in range(18):
            dx = x + 0.5 - 9
            dy = y + 0.5 - 12
            d = math.hypot(dx, dy)
            if 5.0 <= d <= 6.8 and dy <= 0:
                img[y][x] = 'b'
    paste(img, """
Bbbbbbb
.Bbbbb.
..Bbb..
...B...
""", x0=11, y0=12)
    return img


def picture(art, h=18):
    img = blank(18, h)
    paste(img, art)
    return img


def all_checks():
    img = blank(18, 19)
    paste(img, CHECK, x0=0, y0=2)
    paste(img, CHECK, x0=5, y0=6)
    return img


def main():
    glyphs = {
        'LBOK': picture(CHECK),
        'LBCANCEL': picture(CROSS),
        'LBHELP': picture(QUESTION),
        'LBYES': picture(YES),
        'LBNO': picture(NO),
        'LBCLOSE': picture(DOOR),
        'LBABORT': picture(STOP),
        'LBRETRY': retry(),
        'LBIGNORE': ignore(),
        'LBALL': all_checks(),
    }
    for name, img in glyphs.items():
        write_bmp(name + '.bmp', strip(img))
    arrow = [list('kkkkk'), list('wkkkw'), list('wwkww')]
    write_bmp('LBARROW.bmp', arrow)


if __name__ == '__main__':
    main()
