"""The map-symbol sets: Lists.txt, sprinfo.txt and symbols.bmp of each game."""

import struct

import glyphs
import tables

# Set folder -> the letter of its game in the "games" columns of the tables.
SETS = {"Wolfenstein 3D": "W", "Spear of Destiny": "S"}

NAME_LENGTH = 32
WALL_LINE = 38  # the reader takes 38 characters of a walls or floors line at a time
OBJECT_LINE = 78
STRIP_COLUMNS, STRIP_ROWS = 64, 16
STRIP_WIDTH, STRIP_HEIGHT = STRIP_COLUMNS * glyphs.SIZE, STRIP_ROWS * glyphs.SIZE
PLANE0_SYMBOLS = 512

TYPES = {"static": 1, "start": 2, "boss": 3, "actor": 4, "mark": 5, "push": 6, "door": 7}
DIRECTIONS = ["east", "north", "west", "south"]
TIER_NAMES = {1: "skill 1+", 3: "skill 3+", 4: "skill 4"}
KINDS = {  # name, colour of the body, colour of the nose that shows the facing
    "guard": ("Guard", "c08040", "ffffff"),
    "officer": ("Officer", "f0f0f0", "383838"),
    "ss": ("SS", "3c6cff", "ffffff"),
    "dog": ("Dog", "ff8c00", "ffffff"),
    "mutant": ("Mutant", "50d850", "ffffff"),
}
TIER_MARKS = {1: [], 3: [(0, 0), (1, 0)], 4: [(0, 0), (1, 0), (2, 0), (0, 1), (0, 2)]}
TIER_COLOURS = {3: "ffe040", 4: "ff3030"}
AREA_DIGITS = 40  # how much brighter an area's number is than its tint


class SymbolSet:
    def __init__(self, game, art):
        self.game = game
        self.art = art
        self.walls = []    # (value, name)
        self.floors = []
        self.objects = {}  # value -> name
        self.sprinfo = []  # (value, numbers, name)
        self.symbols = {}  # strip cell -> 49 pixels

    def plays(self, games):
        return self.game in games

    def add_object(self, value, name, pixels):
        self.objects[value] = name
        self.symbols[PLANE0_SYMBOLS + value] = glyphs.solid(pixels)


def add_walls(s):
    families = {row[0]: row[1:] for row in tables.read_rows("families.tsv")}
    for value, games, family, mark, name in tables.read_rows("walls.tsv"):
        if not s.plays(games):
            continue
        pattern, *colours = families[family]
        extra = dict(zip("abcd", colours))
        pixels = s.art.draw(f"pattern.{pattern}", extra, keep_dots=True)
        if mark != "-":
            pixels = glyphs.over(pixels, s.art.draw(f"mark.{mark}"))
        s.walls.append((int(value), name))
        s.symbols[int(value)] = pixels


def add_doors(s):
    for value, vertical, lock, texture, side, name in tables.read_rows("doors.tsv"):
        glyph = {"0": "door.plain", "5": "door.elevator"}.get(lock, f"door.lock{lock}")
        turns = 0 if vertical == "1" else 1
        s.walls.append((int(value), name))
        s.symbols[int(value)] = s.art.draw(glyph, quarter_turns=turns, keep_dots=True)
        s.sprinfo.append((int(value), [texture, TYPES["door"], vertical, lock, side], name))


def add_floors(s):
    for value, area, tint, name in tables.read_rows("floors.tsv"):
        s.floors.append((int(value), name))
        if area == "-":
            pixels = s.art.draw("floor.ambush", keep_dots=True)
        else:
            base = [glyphs.rgb555(tint)] * (glyphs.SIZE * glyphs.SIZE)
            digits = s.art.digits(int(area), glyphs.brighten(tint, AREA_DIGITS))
            pixels = glyphs.over(base, digits)
        s.symbols[int(value)] = pixels


def add_objects(s):
    for value, games, kind, sprite, flag, glyph, name in tables.read_rows("objects.tsv"):
        if not s.plays(games):
            continue
        glyph, _, crossed = glyph.partition("+")
        block, _, turns = glyph.partition("@")
        pixels = s.art.draw(f"obj.{block}", quarter_turns=int(turns or 0))
        if crossed:
            pixels = glyphs.over(pixels, s.art.draw(f"actor.{crossed}"))
        s.add_object(int(value), name, pixels)
        if kind != "none":
            s.sprinfo.append((int(value), [sprite, TYPES[kind], flag], name))


def add_actors(s):
    for first, kind, behaviour, tier, sprite_w, sprite_s, valid in tables.read_rows("actors.tsv"):
        label, colour, nose = KINDS[kind]
        tier = int(tier)
        sprite = sprite_w if s.game == "W" else sprite_s
        for facing, direction in enumerate(DIRECTIONS):
            value = int(first) + facing
            pixels = s.art.draw(f"actor.{behaviour}", {"K": colour, "w": nose},
                                 quarter_turns=facing)
            for x, y in TIER_MARKS[tier]:
                pixels[y * glyphs.SIZE + x] = glyphs.rgb555(TIER_COLOURS[tier])
            name = f"{label} {behaviour} {direction}, {TIER_NAMES[tier]}"
            if valid != "yes":
                # The game has no such actor: named and marked, never described.
                name = f"{label} {behaviour} {direction}, {tier}+: invalid"
                pixels = glyphs.over(pixels, s.art.draw("actor.bad"))
            else:
                s.sprinfo.append((value, [sprite, TYPES["actor"], facing, tier], name))
            s.add_object(value, name, pixels)


def build(game):
    s = SymbolSet(game, glyphs.Glyphs())
    add_walls(s)
    add_doors(s)
    add_floors(s)
    add_objects(s)
    add_actors(s)
    return s


def lists_text(s):
    def section(entries, limit):
        lines = []
        for value, name in entries:
            line = f"{value},{name}"
            if len(name) > NAME_LENGTH or len(line) > limit:
                raise ValueError(f"name of {value} too long: {name!r}")
            lines.append(line)
        return lines + ["*"]

    lines = section(s.walls, WALL_LINE)
    lines += section(sorted(s.objects.items()), OBJECT_LINE)
    lines += section(s.floors, WALL_LINE)
    return ("\n".join(lines) + "\n").encode("ascii")


def sprinfo_text(s, set_name):
    lines = [
        f"; Object descriptions of the map-symbol set \"{set_name}\".",
        "; Generated by tools/datagen from its tables; edit those instead.",
        "; value sprite type flag [difficulty]: type 1 static (flag: rounds of an ammo pick-up),",
        "; 2 player start (flag: direction, 0 east 1 north 2 west 3 south), 3 boss or ghost,",
        "; 4 actor (flag: direction; difficulty: lowest skill 1, 3 or 4), 5 turn arrow,",
        "; 6 pushwall marker.",
        "; value texture 7 vertical lock side: a door; textures below 0 count back from the",
        "; end of the wall pages.",
    ]
    for value, numbers, name in sorted(s.sprinfo, key=lambda e: (e[1][1] == 7, e[0])):
        columns = " ".join(f"{n:>4}" for n in map(int, numbers))
        lines.append(f"{value:>5} {columns:<25} ; {name}")
    lines.append("END")
    return ("\n".join(lines) + "\n").encode("ascii")


def strip_bmp(s):
    """The 448 x 112 strip as a 16-bit 5-5-5 bitmap, bottom row first."""
    pixels = [[0] * STRIP_WIDTH for _ in range(STRIP_HEIGHT)]
    for cell, symbol in s.symbols.items():
        cx, cy = (cell % STRIP_COLUMNS) * glyphs.SIZE, (cell // STRIP_COLUMNS) * glyphs.SIZE
        for i, p in enumerate(symbol):
            pixels[cy + i // glyphs.SIZE][cx + i % glyphs.SIZE] = p
    body = b"".join(struct.pack(f"<{STRIP_WIDTH}H", *row) for row in reversed(pixels))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, STRIP_WIDTH, STRIP_HEIGHT, 1, 16, 0, 0, 1, 1, 0, 0)
    return header + info + body


def generate():
    files = {}
    for set_name, game in SETS.items():
        s = build(game)
        folder = f"data/MapObjects/{set_name}"
        files[f"{folder}/Lists.txt"] = lists_text(s)
        files[f"{folder}/sprinfo.txt"] = sprinfo_text(s, set_name)
        files[f"{folder}/symbols.bmp"] = strip_bmp(s)
    return files
