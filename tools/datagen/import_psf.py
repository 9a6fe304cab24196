#!/usr/bin/env python3
"""Turns an 8 x 16 console font (PSF1 with a Unicode table) into tables/cp437_8x16.txt.

    python3 tools/datagen/import_psf.py FONTS/Uni2-VGA16.psf.gz FONTS/FullGreek-VGA16.psf.gz

Run once by hand when the glyphs should change; datagen.py then builds the program's table
from the text file, so the build needs neither the font package nor this script. The font
fonts are Debian's Uni2-VGA16 and FullGreek-VGA16 (package console-setup-linux, folder
/usr/share/consolefonts), built from u_vga16.bdf by Dmitry Bolkhovityanov under an MIT-style
licence (see the package's copyright.fonts). A code takes its glyph from the first font that
has one.
"""

import gzip
import sys
from pathlib import Path

# Code page 437's pictures for the control codes 0x00 .. 0x1F and 0x7F; the rest is the codec's.
LOW = ("\u0000☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼")
DEL = "⌂"
# Fonts draw these two triangles under their geometric-shapes names.
ALTERNATES = {0x10: "▶", 0x11: "◀"}
OUT = Path(__file__).resolve().parent / "tables" / "cp437_8x16.txt"


def cp437_char(code):
    if code < 0x20:
        return LOW[code]
    if code == 0x7F:
        return DEL
    return bytes([code]).decode("cp437")


def read_psf1(data):
    if data[:2] != b"\x36\x04":
        raise ValueError("not a PSF1 font")
    mode, height = data[2], data[3]
    if height != 16 or not mode & 0x02:
        raise ValueError("want an 8 x 16 font with a Unicode table")
    count = 512 if mode & 0x01 else 256
    glyphs = [data[4 + i * 16:4 + (i + 1) * 16] for i in range(count)]
    table, pos = {}, 4 + count * 16
    for i in range(count):
        in_sequence = False
        while True:
            v = int.from_bytes(data[pos:pos + 2], "little")
            pos += 2
            if v == 0xFFFF:
                break
            if v == 0xFFFE:
                in_sequence = True
            elif not in_sequence:
                table.setdefault(chr(v), i)
    return glyphs, table


def load(path):
    raw = Path(path).read_bytes()
    return read_psf1(gzip.decompress(raw) if raw[:2] == b"\x1f\x8b" else raw)


def find(fonts, code):
    for ch in (cp437_char(code), ALTERNATES.get(code)):
        for glyphs, table in fonts:
            if ch is not None and ch in table:
                return glyphs[table[ch]]
    return None


def main(argv):
    fonts = [load(p) for p in argv[1:]]
    names = ", ".join(Path(p).name for p in argv[1:])
    lines = ["# Code page 437 in 8 x 16 pixels: one line per code, 16 rows as hex bytes (bit 7 is",
             "# the left pixel). Made by import_psf.py from " + names + ",",
             "# u_vga16 (c) 2000, 2001 Dmitry Bolkhovityanov, MIT-style licence."]
    missing = []
    for code in range(256):
        glyph = bytes(16) if code == 0 else find(fonts, code)
        if glyph is None:
            missing.append(f"{code:02X}")
            glyph = bytes(16)
        lines.append(f"{code:02X} " + glyph.hex())
    if missing:
        print("no glyph for " + " ".join(missing), file=sys.stderr)
    OUT.write_text("\n".join(lines) + "\n", encoding="ascii")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
