"""The 7 x 7 symbols: letter patterns from tables/glyphs.txt turned into 5-5-5 pixels."""

import tables

SIZE = 7
BLACK = 0


def rgb555(hex_colour):
    v = int(hex_colour, 16)
    r, g, b = (v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF
    return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)


def parse_colours(words):
    out = {}
    for word in words:
        key, sep, value = word.partition("=")
        if not sep or len(key) != 1 or len(value) != 6:
            raise ValueError(f"bad colour {word!r}")
        out[key] = value
    return out


class Glyphs:
    """Named letter patterns with their colours. A symbol is a list of 49 pixels, row by row;
    None marks a pixel that keeps what lies below (an object's or a mark's empty pixel)."""

    def __init__(self, name="glyphs.txt"):
        self.blocks = tables.read_blocks(name)
        self.colours = {".": "000000"}
        for line in self.blocks.pop("colours"):
            self.colours.update(parse_colours(line.split()))

    def pattern(self, name):
        """The rows and the colour overrides of a block, following "like" references."""
        lines = self.blocks[name]
        if lines and lines[0].startswith("like "):
            words = lines[0].split()
            rows, colours = self.pattern(words[1])
            return rows, {**colours, **parse_colours(words[2:])}
        rows = [line for line in lines if line.strip() and "=" not in line]
        colours = {}
        for line in lines:
            if "=" in line:
                colours.update(parse_colours(line.split()))
        return rows, colours

    def draw(self, name, extra=None, quarter_turns=0, keep_dots=False):
        """The symbol of block NAME, turned counter-clockwise; letters of `extra` (hex
        colours) and of the block win over the global colours. "." becomes None unless
        keep_dots (then it is black or the block's "." colour)."""
        rows, colours = self.pattern(name)
        if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
            raise ValueError(f"glyph {name}: not {SIZE} x {SIZE}")
        for _ in range(quarter_turns % 4):
            rows = ["".join(r[SIZE - 1 - x] for r in rows) for x in range(SIZE)]
        palette = {**self.colours, **colours, **(extra or {})}
        pixels = []
        for row in rows:
            for letter in row:
                if letter == "." and not keep_dots:
                    pixels.append(None)
                elif letter not in palette:
                    raise ValueError(f"glyph {name}: letter {letter!r} has no colour")
                else:
                    pixels.append(rgb555(palette[letter]))
        return pixels

    def digits(self, number, colour):
        """The number (0..99) in 3 x 5 digits on rows 1..5, centred; None elsewhere."""
        text = str(number)
        width = 4 * len(text) - 1
        left = (SIZE - width) // 2
        pixels = [None] * (SIZE * SIZE)
        for i, ch in enumerate(text):
            for y, row in enumerate(self.blocks[f"digit.{ch}"]):
                for x, mark in enumerate(row):
                    if mark == "#":
                        pixels[(y + 1) * SIZE + left + 4 * i + x] = rgb555(colour)
        return pixels


def over(base, top):
    """`top` drawn over `base`: its None pixels keep the base."""
    return [b if t is None else t for b, t in zip(base, top)]


def solid(pixels):
    """Empty pixels as black, for the strip."""
    return [BLACK if p is None else p for p in pixels]


def brighten(hex_colour, amount):
    v = int(hex_colour, 16)
    parts = [min(255, ((v >> s) & 0xFF) + amount) for s in (16, 8, 0)]
    return "".join(f"{p:02x}" for p in parts)
