#!/usr/bin/env python3
"""Draws the string grid's check-box, radio-button and filter pictures as 24-bit
bitmaps. The olive background (128, 128, 0) is the transparent colour (the
bottom-left pixel).

  PSGCHK01..04  20 x 20  raised 3-D check boxes: checked, unchecked, and both disabled
  PSGCHK05..08  16 x 16  flat check boxes in the same order
  PSGRAD01..04  16 x 16  raised radio buttons: chosen, not chosen, and both disabled
  PSGRAD05..08  16 x 16  flat radio buttons in the same order
  PSGFILT       16 x 16  the filter funnel
  metrocheckon/off, metroradioon/off  16 x 16  the flat tone glyphs
  PSGLEAFOPEN/CLOSE  16 x 16  leaf node glyphs: an open and a closed folder
  XPNODEO/C           9 x 9   XP node glyphs: a box with a minus / a plus
  PSGCLOSE      14 x 14  the close box of the design panel

Run it in this folder to write the .bmp files again:  python3 make_glyphs.py
"""
import struct

BACK = (128, 128, 0)


def write_bmp(path, px):
    h = len(px)
    w = len(px[0])
    stride = (w * 3 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(px):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def canvas(n):
    return [[BACK for _ in range(n)] for _ in range(n)]


def check_box(n, inset, checked, enabled, raised):
    px = canvas(n)
    lo, hi = inset, n - 1 - inset
    face = (255, 255, 255) if enabled else (224, 224, 224)
    frame = (28, 81, 128) if enabled else (160, 160, 160)
    mark = (33, 161, 33) if enabled else (150, 150, 150)
    for y in range(lo, hi + 1):
        for x in range(lo, hi + 1):
            if x in (lo, hi) or y in (lo, hi):
                px[y][x] = frame
            else:
                shade = 0
                if raised:
                    shade = int(24 * (y - lo) / max(1, hi - lo))
                px[y][x] = tuple(max(0, c - shade) for c in face)
    if checked:
        s = hi - lo
        pts = []
        for i in range(s // 3 + 1):
            pts.append((lo + 2 + i, lo + s // 2 + i))
        top = pts[-1]
        for i in range(1, s - s // 3 - 2):
            pts.append((top[0] + i, top[1] - i))
        for (x, y) in pts:
            for dy in (0, 1):
                if lo < x < hi and lo < y + dy < hi:
                    px[y + dy][x] = mark
    return px


def radio(n, chosen, enabled, raised):
    px = canvas(n)
    c = (n - 1) / 2.0
    rad = n / 2.0 - 1
    face = (255, 255, 255) if enabled else (224, 224, 224)
    frame = (28, 81, 128) if enabled else (160, 160, 160)
    dot = (33, 161, 33) if enabled else (150, 150, 150)
    for y in range(n):
        for x in range(n):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if d <= rad - 1:
                shade = int(24 * y / n) if raised else 0
                px[y][x] = tuple(max(0, v - shade) for v in face)
                if chosen and d <= rad / 2.2:
                    px[y][x] = dot
            elif d <= rad + 0.3:
                px[y][x] = frame
    return px


def funnel():
    px = canvas(16)
    for y in range(2, 14):
        if y < 8:
            half = 6 - (y - 2)
        else:
            half = 1
        for x in range(8 - half - 1, 8 + half):
            px[y][x] = (0, 0, 0) if y in (2, 13) or x in (8 - half - 1, 8 + half - 1) else (255, 255, 255)
    return px


def leaf(opened):
    px = canvas(16)
    edge = (128, 96, 0)
    face = (255, 214, 96) if opened else (240, 192, 64)
    for x in range(1, 7):
        px[3][x] = edge
    for y in range(4, 14):
        for x in range(1, 15):
            px[y][x] = edge if y in (4, 13) or x in (1, 14) else face
    if opened:
        # The lid stands open: a lighter slanted front.
        for y in range(7, 13):
            for x in range(3 + (13 - y) // 2, 15):
                px[y][x] = (255, 236, 160)
            px[y][3 + (13 - y) // 2] = edge
    return px


def xp_node(plus):
    px = [[(255, 255, 255) for _ in range(9)] for _ in range(9)]
    frame = (120, 152, 181)
    for i in range(9):
        px[0][i] = px[8][i] = px[i][0] = px[i][8] = frame
    for y in range(1, 8):
        for x in range(1, 8):
            g = 255 - (y * 6)
            px[y][x] = (g, g, min(255, g + 12))
    for x in range(2, 7):
        px[4][x] = (0, 0, 0)
    if plus:
        for y in range(2, 7):
            px[y][4] = (0, 0, 0)
    return px


def close_box():
    px = canvas(14)
    for y in range(14):
        for x in range(14):
            if x in (0, 13) or y in (0, 13):
                px[y][x] = (128, 128, 128)
            else:
                px[y][x] = (255, 255, 255)
    for i in range(3, 11):
        for d in (0, 1):
            if i + d < 11:
                px[i][i + d] = (0, 0, 128)
                px[i][13 - i - d] = (0, 0, 128)
    return px


if __name__ == '__main__':
    write_bmp('PSGLEAFOPEN.bmp', leaf(True))
    write_bmp('PSGLEAFCLOSE.bmp', leaf(False))
    write_bmp('XPNODEO.bmp', xp_node(False))
    write_bmp('XPNODEC.bmp', xp_node(True))
    for i, (checked, enabled) in enumerate([(1, 1), (0, 1), (1, 0), (0, 0)]):
        write_bmp('PSGCHK%02d.bmp' % (i + 1), check_box(20, 3, checked, enabled, True))
        write_bmp('PSGCHK%02d.bmp' % (i + 5), check_box(16, 1, checked, enabled, False))
        write_bmp('PSGRAD%02d.bmp' % (i + 1), radio(16, checked, enabled, True))
        write_bmp('PSGRAD%02d.bmp' % (i + 5), radio(16, checked, enabled, False))
    write_bmp('PSGFILT.bmp', funnel())
    write_bmp('metrocheckon.bmp', check_box(16, 1, True, True, False))
    write_bmp('metrocheckoff.bmp', check_box(16, 1, False, True, False))
    write_bmp('metroradioon.bmp', radio(16, True, True, False))
    write_bmp('metroradiooff.bmp', radio(16, False, True, False))
    write_bmp('PSGCLOSE.bmp', close_box())
