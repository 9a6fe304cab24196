"""Reading the source tables: one record per line, "#" starts a comment line."""

from pathlib import Path

TABLES = Path(__file__).resolve().parent / "tables"


def read_lines(name):
    return (TABLES / name).read_text(encoding="utf-8").splitlines()


def read_rows(name, sep="\t"):
    """The records of a table; fields split at tabs (blank-separated when sep is " ")."""
    rows = []
    for line in read_lines(name):
        if not line.strip() or line.startswith("#"):
            continue
        rows.append(line.split() if sep == " " else [f.strip() for f in line.split(sep)])
    return rows


def read_blocks(name):
    """Named blocks: a line "= NAME" starts a block, the lines up to the next one belong to it.
    Comment lines ("# " and a bare "#") and trailing blank lines are dropped; a "#" followed
    by anything else is content (glyph rows, legends)."""
    blocks, current = {}, None
    for line in read_lines(name):
        if line.startswith("= "):
            current = line[2:].strip()
            if current in blocks:
                raise ValueError(f"{name}: block {current} twice")
            blocks[current] = []
        elif line.startswith("# ") or line == "#" or current is None:
            continue
        else:
            blocks[current].append(line)
    for key, lines in blocks.items():
        while lines and not lines[-1].strip():
            lines.pop()
    return blocks
