#!/usr/bin/env python3
# Writes the editor's bitmaps from the pictures drawn below. Run from this folder
# (python3 make_images.py) after changing a picture, and commit the bitmaps it
# writes: the build takes them as they are.
#
# Each bitmap is a strip of same-sized pictures, 4 bits per pixel, in the 16
# colours of PALETTE; a picture is drawn with one character per pixel (COLOURS).
# Magenta is the transparent colour.
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
COLOURS = {
    ".": 13,  # magenta: transparent
    "k": 0,   # black
    "o": 3,   # olive
    "y": 11,  # yellow
    "w": 15,  # white
    "n": 4,   # navy
    "g": 2,   # green
    "r": 9,   # red
    "m": 1,   # maroon
    "s": 8,   # grey
    "b": 12,  # blue
}

# The tree's item pictures, in the order of the item kinds: group, checklist,
# entry, end of groups, end of a group's checklists, end of a checklist's entries.
TREE_ITEMS = [
    [  # group: a folder
        "...............",
        "...............",
        ".kkkkk.........",
        "kyyyyyk........",
        "kyyyyyykkkkkkk.",
        "kyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyk.",
        "koooooooooooook",
        ".kkkkkkkkkkkkk.",
        "...............",
        "...............",
    ],
    [  # checklist: a page with lines
        "..kkkkkkkkk....",
        "..kwwwwwwwkk...",
        "..kwwwwwwwkwk..",
        "..kwnnnnnwkkkk.",
        "..kwwwwwwwwwwk.",
        "..kwnnnnnnnnwk.",
        "..kwwwwwwwwwwk.",
        "..kwnnnnnnnnwk.",
        "..kwwwwwwwwwwk.",
        "..kwnnnnnnnnwk.",
        "..kwwwwwwwwwwk.",
        "..kwnnnnnnwwwk.",
        "..kwwwwwwwwwwk.",
        "..kkkkkkkkkkkk.",
        "...............",
    ],
    [  # entry: a tick
        "...............",
        "...............",
        "...............",
        "............gg.",
        "...........ggg.",
        "..........ggg..",
        ".gg......ggg...",
        ".ggg....ggg....",
        "..ggg..ggg.....",
        "...ggggggg.....",
        "....ggggg......",
        ".....ggg.......",
        "......g........",
        "...............",
        "...............",
    ],
    [  # end of groups: a red bar
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        ".kkkkkkkkkkkkk.",
        ".krrrrrrrrrrrk.",
        ".krrrrrrrrrrrk.",
        ".kmmmmmmmmmmmk.",
        ".kkkkkkkkkkkkk.",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
    ],
    [  # end of a group's checklists: a blue bar
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "..kkkkkkkkkkk..",
        "..kbbbbbbbbbk..",
        "..kbbbbbbbbbk..",
        "..knnnnnnnnnk..",
        "..kkkkkkkkkkk..",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
    ],
    [  # end of a checklist's entries: a grey bar
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...kkkkkkkkk...",
        "...kwwwwwwwk...",
        "...ksssssssk...",
        "...kkkkkkkkk...",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
    ],
]

BITMAPS = {
    "TreeItems.bmp": TREE_ITEMS,
}


def write_bitmap(path, pictures):
    height = len(pictures[0])
    width = sum(len(picture[0]) for picture in pictures)
    rows = []
    for y in range(height):
        row = "".join(picture[y] for picture in pictures)
        assert len(row) == width, (path, y)
        rows.append([COLOURS[c] for c in row])
    row_size = (width + 1) // 2
    row_size = (row_size + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        packed = bytearray()
        for x in range(0, width, 2):
            high = row[x]
            low = row[x + 1] if x + 1 < width else 0
            packed.append(high << 4 | low)
        packed += b"\0" * (row_size - len(packed))
        pixels += packed
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    with open(path, "wb") as out:
        out.write(header + info + palette + pixels)


def main():
    for name, pictures in BITMAPS.items():
        write_bitmap(name, pictures)


if __name__ == "__main__":
    main()
