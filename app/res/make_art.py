#!/usr/bin/env python3
"""Writes the window's artwork: the application icon (vellumor.ico: 32x32 and 16x16, 16 colours)
and the four 16x16 command pictures (preview.bmp, create.bmp, about.bmp, exit.bmp: 24 bits, magenta
marks the transparent pixels). Run it again after changing a picture below."""
import os
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# '.' is transparent (magenta in the pictures, masked in the icon).
INDEX = {'.': 13, 'k': 0, 'm': 1, 'G': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, 'g': 7, 's': 8, 'r': 9,
         'L': 10, 'y': 11, 'b': 12, 'c': 14, 'w': 15}

PREVIEW = """
................
.kkkkkkkkkkkkkk.
.knnnnnnnnnnswk.
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwwwGwwwwwwwwk.
.kwwwGGwwwwwwwk.
.kwwwGGGwwwwwwk.
.kwwwGGGGwwwwwk.
.kwwwGGGwwwwwwk.
.kwwwGGwwwwwwwk.
.kwwwGwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kkkkkkkkkkkkkk.
................
................
"""

CREATE = """
.....kkkkkk.....
..ooooksssskooo.
..owwkkkkkkkkwo.
..owwwwwwwwwwwo.
..owbbbbwwwwwwo.
..owwwbbbbbbwwo.
..owwwwwwwwwwwo.
..owbbbbbwwwwwo.
..owwwbbbbwwwwo.
..owwwwwwwwwwwo.
..owbbbbbbbwwwo.
..owwwwwwwwwwwo.
..owwwwwwwwwwwo.
..ooooooooooooo.
................
................
"""

ABOUT = """
................
.....nnnnnn.....
...nnbbbbbbnn...
..nbbbbwwbbbbn..
..nbbbbwwbbbbn..
.nbbbbbbbbbbbbn.
.nbbbbwwwbbbbbn.
.nbbbbbwwbbbbbn.
.nbbbbbwwbbbbbn.
.nbbbbbwwbbbbbn.
..nbbbbwwbbbbn..
..nbbbwwwwbbbn..
...nnbbbbbbnn...
.....nnnnnn.....
................
................
"""

EXIT = """
................
..kkkkkkkk......
..kooooook......
..kooooook..G...
..kooooook..GG..
..kooooookGGGGG.
..kooyoooGGGGGGG
..kooyoookGGGGG.
..kooooook..GG..
..kooooook..G...
..kooooook......
..kooooook......
..kooooook......
..kkkkkkkk......
................
................
"""

ICON = """
................
.kkkkkkkkkkkkkk.
.knnnnnnnnnnswk.
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwwnnwwwwwwwwk.
.kwnbbnwkkkkkwk.
.kwnbbnwwwwwwwk.
.kwwnnwwkkkkwwk.
.kwwwwwwwwwwwwk.
.kwwwwwkkkkkwwk.
.kwwwwwkwwwkwwk.
.kwwwwwkkkkkwwk.
.kkkkkkkkkkkkkk.
................
................
"""


def grid(art):
    rows = [r for r in art.strip('\n').split('\n')]
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), art
    return [[INDEX[c] for c in r] for r in rows]


def doubled(g):
    return [[c for c in row for _ in (0, 1)] for row in g for _ in (0, 1)]


def bmp24(g):
    h, w = len(g), len(g[0])
    stride = (w * 3 + 3) & ~3
    pixels = b""
    for row in reversed(g):
        line = b"".join(struct.pack("<BBB", PALETTE[i][2], PALETTE[i][1], PALETTE[i][0]) for i in row)
        pixels += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header)) + header + pixels


def icon_image(g):
    h, w = len(g), len(g[0])
    xor_stride = ((w * 4 + 31) // 32) * 4
    and_stride = ((w + 31) // 32) * 4
    xor = b""
    mask = b""
    for row in reversed(g):
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, i in enumerate(row):
            transparent = i == INDEX['.']
            value = 0 if transparent else i
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if transparent:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(line)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g_, r, 0) for r, g_, b in PALETTE)
    return header + palette + xor + mask


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for g in images:
        image = icon_image(g)
        size = len(g)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(image), offset + len(data))
        data += image
    return out + data


here = os.path.dirname(os.path.abspath(__file__))
for name, art in (("preview", PREVIEW), ("create", CREATE), ("about", ABOUT), ("exit", EXIT)):
    with open(os.path.join(here, name + ".bmp"), "wb") as f:
        f.write(bmp24(grid(art)))
with open(os.path.join(here, "vellumor.ico"), "wb") as f:
    f.write(ico([doubled(grid(ICON)), grid(ICON)]))
