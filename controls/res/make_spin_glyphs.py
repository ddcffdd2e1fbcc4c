#!/usr/bin/env python3
"""Draws the arrows of the spin buttons as 16-colour bitmaps of 9 x 6 pixels:
a black triangle on an olive (transparent) ground.

Run it in this folder to write the .bmp files again:  python3 make_spin_glyphs.py
"""
from make_glyphs import write_bmp

UP = [
    "OOOOOOOOO",
    "OOOOkOOOO",
    "OOOkkkOOO",
    "OOkkkkkOO",
    "OkkkkkkkO",
    "OOOOOOOOO",
]


def rows(art):
    return [list(line) for line in art]


def main():
    write_bmp('PsgSpinUp.bmp', rows(UP))
    write_bmp('PsgSpinDown.bmp', rows(list(reversed(UP))))


if __name__ == '__main__':
    main()
