#!/usr/bin/env python3
"""Writes the program's own data from the readable tables in tools/datagen/tables.

    python3 tools/datagen/datagen.py            write every generated file
    python3 tools/datagen/datagen.py --check    exit 1 when a generated file is missing or stale

Everything under data/ (extension table, sound names, palettes, map-symbol sets) and the built-in start-up
level and text screen and the text screens' glyphs come from here; edit the tables, never the generated files.
Python 3 standard library only, so that it runs wherever the project builds.
"""

import argparse
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source folder free of caches

import builtin  # noqa: E402
import symbolsets  # noqa: E402
import tables  # noqa: E402
import textfont  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]

PALETTES = {
    "Wolfenstein3D": "wolf3d_palette.txt",
    "SpearOfDestiny": "spear_palette.txt",
}


def widen(v):
    """A 6-bit VGA DAC value to the full 8-bit range, so that 63 becomes 255."""
    return (v << 2) | (v >> 4)


def palette_bytes(table_name):
    rows = tables.read_rows(table_name, sep=" ")
    if len(rows) != 256:
        raise ValueError(f"{table_name}: {len(rows)} entries, want 256")
    out = bytearray()
    for row in rows:
        for v in map(int, row):
            if not 0 <= v <= 63:
                raise ValueError(f"{table_name}: channel {v} outside 0..63")
            out.append(widen(v))
    return bytes(out)


def extensions_text():
    lines = [",".join(row) for row in tables.read_rows("extensions.tsv")]
    return ("\n".join(lines) + "\n#\n").encode("ascii")


def sound_names_text():
    """The digitized sounds' names per game: "GAME NUMBER NAME" lines, checked for order."""
    lines = ["# Digitized sound names per game (generated from tools/datagen/tables/digisounds.tsv)"]
    seen = {}
    for game, number, name in tables.read_rows("digisounds.tsv"):
        n = int(number)
        if n <= seen.get(game, -1):
            raise ValueError(f"digisounds.tsv: {game} {n} out of order")
        if not name or any(c.isspace() for c in name):
            raise ValueError(f"digisounds.tsv: {game} {n} has no one-word name")
        seen[game] = n
        lines.append(f"{game} {n} {name}")
    return ("\n".join(lines) + "\n").encode("ascii")


def generate():
    """Every generated file: path relative to the repository root -> bytes."""
    files = {"data/extensions.txt": extensions_text(), "data/SoundNames.txt": sound_names_text()}
    for name, table in PALETTES.items():
        files[f"data/palette/{name}.pal"] = palette_bytes(table)
    files.update(symbolsets.generate())
    files.update(builtin.generate())
    files.update(textfont.generate())
    return files


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare instead of writing; exit 1 when anything differs")
    parser.add_argument("--root", type=Path, default=ROOT,
                        help="the repository to write into or check (default: this one)")
    args = parser.parse_args(argv)
    stale = []
    for rel, data in sorted(generate().items()):
        path = args.root / rel
        current = path.read_bytes() if path.is_file() else None
        if current == data:
            continue
        if args.check:
            stale.append(rel)
            continue
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        print(f"wrote {rel}")
    if stale:
        print("Generated files are out of date; run python3 tools/datagen/datagen.py:",
              file=sys.stderr)
        for rel in stale:
            print(f"  {rel}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
