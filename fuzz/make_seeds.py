#!/usr/bin/env python3
"""Seed corpora for the fuzz targets, cut from real game files at run time.

    python3 fuzz/make_seeds.py GAMEDATA CLI OUT

GAMEDATA is a folder with a wl1/ set, CLI the zentrik-cli of the same build (for the files
only the program itself writes: bitmaps, WAVs, .MAP and .SCR files), OUT the corpus root: one
folder per target, named like its executable. Each seed is the unit the target reads, in the
target's own input layout, so the fuzzer starts inside the decoder rather than at its first
refusal. Missing game data leaves only the seeds from the program folder's text files.
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def u16(b, o):
    return struct.unpack_from("<H", b, o)[0]


def u32(b, o):
    return struct.unpack_from("<I", b, o)[0]


class Corpus:
    def __init__(self, out):
        self.out = out
        self.counts = {}

    def add(self, target, data):
        folder = os.path.join(self.out, "zentrik_fuzz_" + target)
        os.makedirs(folder, exist_ok=True)
        n = self.counts.get(target, 0)
        self.counts[target] = n + 1
        with open(os.path.join(folder, "seed-%03d" % n), "wb") as f:
            f.write(bytes(data))


def expand_carmack(src, words, near=0xA7, far=0xA8):
    out, i = [], 0
    while len(out) < words and i + 1 < len(src):
        w = u16(src, i)
        i += 2
        count, tag = w & 0xFF, w >> 8
        if tag in (near, far) and count == 0:
            out.append((tag << 8) | src[i])
            i += 1
        elif tag == near:
            start = len(out) - src[i]
            i += 1
            out.extend(out[start + k] for k in range(count))
        elif tag == far:
            start = u16(src, i)
            i += 2
            out.extend(out[start + k] for k in range(count))
        else:
            out.append(w)
    return b"".join(struct.pack("<H", w) for w in out[:words])


def map_seeds(c, head, maps):
    c.add("MapArchiveRead", bytes([1]) + struct.pack("<H", len(head)) + head + maps)
    for level in range(2):
        offset = u32(head, 2 + 4 * level)
        starts = struct.unpack_from("<3I", maps, offset)
        lengths = struct.unpack_from("<3H", maps, offset + 12)
        for plane in range(2):
            block = maps[starts[plane]:starts[plane] + lengths[plane]]
            expanded = u16(block, 0)
            c.add("ExpandCarmack", bytes([0xA7, 0xA8]) + struct.pack("<H", expanded // 2) +
                  block[2:])
            rlew = expand_carmack(block[2:], expanded // 2)
            c.add("ExpandRlew", head[0:2] + struct.pack("<H", 4096) + rlew[2:])


def page_file(chunks, sprite_start, sound_start):
    header = struct.pack("<3H", len(chunks), sprite_start, sound_start)
    offset = len(header) + 6 * len(chunks)
    offsets, lengths = [], []
    for data in chunks:
        offsets.append(offset if data else 0)
        lengths.append(len(data))
        offset += len(data)
    return (header + b"".join(struct.pack("<I", o) for o in offsets) +
            b"".join(struct.pack("<H", n) for n in lengths) + b"".join(chunks))


def vswap_seeds(c, vswap):
    count, sprite_start, sound_start = struct.unpack_from("<3H", vswap, 0)
    offsets = struct.unpack_from("<%dI" % count, vswap, 6)
    lengths = struct.unpack_from("<%dH" % count, vswap, 6 + 4 * count)
    chunk = [vswap[offsets[i]:offsets[i] + lengths[i]] if offsets[i] else b"" for i in
             range(count)]
    walls = [w for w in chunk[:sprite_start] if w][:3]
    sprites = [s for s in chunk[sprite_start:sound_start] if s][:4]
    for s in sprites:
        c.add("DecodeSprite", b"\x00" + s)
    # A few walls and sprites; the sounds whose pages come first with the whole info page (one
    # sound for the wall and sprite readers, which only need a valid file around their part).
    info = chunk[count - 1]

    def cut(sound_count):
        pages = 0
        for k in range(sound_count):
            length = u16(info, 4 * k + 2)
            pages = max(pages, u16(info, 4 * k) + (length + 4095) // 4096)
        sounds = chunk[sound_start:sound_start + pages]
        return page_file(walls + sprites + sounds + [info], len(walls), len(walls) + len(sprites))

    c.add("PageFileWalls", cut(1))
    c.add("PageFileSprites", cut(1))
    c.add("PageFileSounds", cut(4))


def vga_seeds(c, dictionary, head, graph):
    c.add("VgaDictionary", dictionary)
    entries = [int.from_bytes(head[i:i + 3], "little") for i in range(0, len(head) - 2, 3)]
    # The first chunks of the archive, cut where chunk 24 begins.
    end = next(e for e in entries[24:] if e != 0xFFFFFF)
    cut = head[:3 * 25]
    c.add("VgaArchiveRead", struct.pack("<H", len(cut)) + cut + graph[:end])
    for chunk in (0, 1, 3, 140):
        start, stop = entries[chunk], entries[chunk + 1]
        if start == 0xFFFFFF or stop == 0xFFFFFF or stop <= start + 4:
            continue
        expanded = u32(graph, start)
        c.add("HuffmanExpand", struct.pack("<H", expanded % 16384) + dictionary[:1020] +
              graph[start + 4:stop])


def audio_seeds(c, head, audio):
    offsets = struct.unpack_from("<%dI" % (len(head) // 4), head, 0)
    # The songs are the last chunks; each is a length word and the IMF data.
    songs = [audio[offsets[i]:offsets[i + 1]] for i in range(len(offsets) - 1)
             if offsets[i + 1] - offsets[i] > 64][-4:]
    for s in songs:
        c.add("SongModelBuilder", s)
    # The last chunks (the songs and a few before them), their offsets moved to the cut's start.
    last = offsets[-16:]
    table = b"".join(struct.pack("<I", o - last[0]) for o in last)
    c.add("SongTest", bytes([len(last)]) + table + audio[last[0]:last[-1]])


def cli_seeds(c, cli, wl1):
    if not os.access(cli, os.X_OK):
        print("make_seeds: no %s; no bitmap, WAV, .MAP or .SCR seeds" % cli)
        return

    def run(*args):
        return subprocess.run([cli] + list(args), capture_output=True).returncode == 0

    with tempfile.TemporaryDirectory() as tmp:
        vswap = os.path.join(wl1, "VSWAP.WL1")
        vga = os.path.join(wl1, "VGAGRAPH.WL1")
        made = [
            ("ReadBmp", "vswap", "export-wall", vswap, "0", "w.bmp"),
            ("ReadBmp", "vswap", "export-sprite", vswap, "2", "s.bmp"),
            ("ReadBmp", "vga", "export-picture", vga, "3", "p.bmp"),
            ("ReadPng", "vga", "export-picture", vga, "3", "p.png"),
            ("ReadPng", "vga", "export-tile8", vga, "0", "t.png"),
            ("ReadPng", "vswap", "export-sprite", vswap, "2", "s.png"),
            ("PaletteImport", "vga", "export-tile8", vga, "0", "t.bmp"),
            ("ReadWav", "vswap", "export-sound", vswap, "0", "a.wav"),
            ("ReadWav", "vswap", "export-sound", vswap, "1", "b.wav"),
            ("MapFileImport", "maps", "export-level", os.path.join(wl1, "GAMEMAPS.WL1"), "0",
             "e.MAP"),
            ("ScreenImport", "vga", "export-screen", vga, "0", "x.SCR"),
        ]
        for target, area, verb, source, n, name in made:
            out = os.path.join(tmp, name)
            if run(area, verb, source, n, out):
                with open(out, "rb") as f:
                    c.add(target, f.read())


def png(width, height, colour_type, depth, rows):
    """A PNG of one IDAT: the colour types the program never writes itself (grey, RGB, RGBA,
    grey with alpha, 16-bit), so the reader's direct-colour path has seeds too."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    head = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(raw)) +
            chunk(b"IEND", b""))


def png_seeds(c):
    ramp = bytes(range(0, 256, 16))
    c.add("ReadPng", png(16, 2, 0, 8, [ramp, ramp[::-1]]))
    c.add("ReadPng", png(4, 2, 2, 8, [ramp[:12], ramp[4:]]))
    c.add("ReadPng", png(4, 2, 6, 8, [ramp, ramp[::-1]]))
    c.add("ReadPng", png(8, 1, 4, 8, [ramp]))
    c.add("ReadPng", png(2, 2, 2, 16, [ramp[:12], ramp[4:]]))


def text_seeds(c):
    def read(*parts):
        with open(os.path.join(ROOT, "data", *parts), "rb") as f:
            return f.read()

    c.add("ExtensionsTxt", read("extensions.txt"))
    for game in ("Wolfenstein 3D", "Spear of Destiny"):
        c.add("ListsTxt", read("MapObjects", game, "Lists.txt"))
        c.add("SprInfoTxt", read("MapObjects", game, "sprinfo.txt"))
        c.add("SprInfoTxt", read("MapObjects", game, "symbols.bmp"))
    for pal in ("Wolfenstein3D.pal", "SpearOfDestiny.pal"):
        c.add("PaletteImport", read("palette", pal))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    gamedata, cli, out = sys.argv[1:]
    c = Corpus(out)
    text_seeds(c)
    png_seeds(c)
    wl1 = os.path.join(gamedata, "wl1")
    if os.path.isdir(wl1):
        def read(name):
            with open(os.path.join(wl1, name), "rb") as f:
                return f.read()

        map_seeds(c, read("MAPHEAD.WL1"), read("GAMEMAPS.WL1"))
        vswap_seeds(c, read("VSWAP.WL1"))
        vga_seeds(c, read("VGADICT.WL1"), read("VGAHEAD.WL1"), read("VGAGRAPH.WL1"))
        audio_seeds(c, read("AUDIOHED.WL1"), read("AUDIOT.WL1"))
        cli_seeds(c, cli, wl1)
    else:
        print("make_seeds: no game data at %s; only the text seeds" % gamedata)
    for target in sorted(c.counts):
        print("seeds %-18s %d" % (target, c.counts[target]))


if __name__ == "__main__":
    main()
