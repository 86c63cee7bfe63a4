#!/usr/bin/env python3
# Writes the pictures of the page tests, 24 bits per pixel, so that a test can tell
# from one pixel where it came from. Run from this folder:
#   python3 make_images.py
#
# background.bmp  200 x 150: red = x, green = y, blue = 60 (every pixel differs)
# picture.bmp      20 x 10:  one colour (30, 160, 90)
# page.ico         32 x 32:  one colour (200, 30, 30), opaque
# other.ico        32 x 32:  one colour (30, 30, 200), opaque
import struct


def rows_bottom_up(width, height, pixel):
    row_size = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        data += row + b"\0" * (row_size - len(row))
    return data


def info_header(width, height, image_bytes, rows_height=None):
    return struct.pack("<IiiHHIIiiII", 40, width, rows_height or height, 1, 24, 0, image_bytes, 2835, 2835, 0, 0)


def write_bitmap(name, width, height, pixel):
    pixels = rows_bottom_up(width, height, pixel)
    header = info_header(width, height, len(pixels))
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(name, "wb") as f:
        f.write(file_header + header + pixels)


def write_icon(name, colour):
    size = 32
    pixels = rows_bottom_up(size, size, lambda x, y: colour)
    mask = b"\0" * (size * 4)  # 32 one-bit pixels a row, all opaque
    image = info_header(size, size, len(pixels) + len(mask), rows_height=2 * size) + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 22)
    with open(name, "wb") as f:
        f.write(directory + image)


def main():
    write_bitmap("background.bmp", 200, 150, lambda x, y: (x, y, 60))
    write_bitmap("picture.bmp", 20, 10, lambda x, y: (30, 160, 90))
    write_icon("page.ico", (200, 30, 30))
    write_icon("other.ico", (30, 30, 200))


if __name__ == "__main__":
    main()
