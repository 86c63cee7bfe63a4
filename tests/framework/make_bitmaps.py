#!/usr/bin/env python3
# Writes the test program's toolbar bitmap: one 16 x 15 picture per button, each a
# coloured square with a frame, 24 bits per pixel. Run from this folder:
#   python3 make_bitmaps.py
import struct

BUTTONS = [(200, 40, 40), (40, 160, 40), (40, 40, 200), (200, 160, 0), (120, 0, 160)]
WIDTH, HEIGHT = 16 * len(BUTTONS), 15


def pixel(x, y):
    colour = BUTTONS[x // 16]
    inner = x % 16
    if inner in (0, 15) or y in (0, 14):
        return (192, 192, 192)  # the toolbar's face colour around each picture
    if inner in (2, 13) or y in (2, 12):
        return (0, 0, 0)
    return colour


def main():
    row_size = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(HEIGHT)):  # bottom-up rows
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        pixels += row
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open("toolbar.bmp", "wb") as f:
        f.write(file_header + header + pixels)


if __name__ == "__main__":
    main()
