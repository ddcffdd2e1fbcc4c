#!/usr/bin/env python3
"""Compares the mini-HTML entity table with the names of the HTML standard.

The list holds one entity per line: its name as written ("&eacute;") and the
decimal code of its character.
"""
import html.entities
import sys


def main(path):
    bad = 0
    count = 0
    with open(path, encoding="utf-8") as f:
        for line in f:
            if not line.strip():
                continue
            name, code = line.split()
            count += 1
            key = name[1:-1]
            want = html.entities.name2codepoint.get(key)
            if want != int(code):
                print(f"{name}: table has U+{int(code):04X}, the standard "
                      + ("has no such name" if want is None else f"gives U+{want:04X}"))
                bad += 1
    if count != 55:
        print(f"{count} entities listed, 55 expected")
        bad += 1
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
