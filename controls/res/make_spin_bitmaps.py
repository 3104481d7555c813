#!/usr/bin/env python3
"""Writes spinup.bmp and spindown.bmp: 9x6 pixels, 4 bits per pixel, the standard 16-colour
palette, a black triangle (rows of 1, 3, 5, 7 pixels) on olive with one empty row above and
below. The image inside the file (header, palette, pixels) is 152 bytes."""
import os
import struct

WIDTH, HEIGHT = 9, 6
OLIVE, BLACK = 3, 0
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def rows_top_down(pointing_up):
    rows = [[OLIVE] * WIDTH for _ in range(HEIGHT)]
    widths = [1, 3, 5, 7] if pointing_up else [7, 5, 3, 1]
    for i, w in enumerate(widths):
        start = (WIDTH - w) // 2
        for x in range(start, start + w):
            rows[1 + i][x] = BLACK
    return rows


def dib(pointing_up):
    stride = ((WIDTH * 4 + 31) // 32) * 4
    pixels = b""
    for row in reversed(rows_top_down(pointing_up)):  # a DIB stores the bottom row first
        padded = row + [0] * (stride * 2 - WIDTH)
        pixels += bytes((padded[i] << 4) | padded[i + 1] for i in range(0, stride * 2, 2))
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    image = header + palette + pixels
    assert len(image) == 152
    return image


def write(path, image):
    offset = 14 + 40 + 64
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(image), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(file_header + image)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write(os.path.join(here, "spinup.bmp"), dib(True))
    write(os.path.join(here, "spindown.bmp"), dib(False))
