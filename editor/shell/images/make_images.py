#!/usr/bin/env python3
# Writes the editor's bitmaps and its icon from the pictures drawn below. Run it
# (python3 make_images.py) after changing a picture, and commit the files it
# writes beside itself: the build takes them as they are.
#
# Each bitmap is a strip of same-sized pictures, 4 bits per pixel, in the 16
# colours of PALETTE; a picture is drawn with one character per pixel (COLOURS).
# Magenta is the transparent colour of the tree's images; the toolbar's pictures
# stand on light grey, which the toolbar shows as its own face colour. The icon
# is drawn with rectangles and downsampled for its small size.
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

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
    "t": 6,   # teal
    "G": 10,  # lime
    "-": 7,   # light grey: the toolbar's face
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

# The toolbar's pictures, 16 x 15 pixels, in the order of its buttons.
PAGE = [
    "----------------",
    "---kkkkkkk------",
    "---kwwwwwkk-----",
    "---kwwwwwkwk----",
    "---kwwwwwkkkk---",
    "---kwwwwwwwwk---",
    "---kwwwwwwwwk---",
    "---kwwwwwwwwk---",
    "---kwwwwwwwwk---",
    "---kwwwwwwwwk---",
    "---kwwwwwwwwk---",
    "---kwwwwwwwwk---",
    "---kwwwwwwwwk---",
    "---kkkkkkkkkk---",
    "----------------",
]

OPEN_FOLDER = [
    "----------------",
    "----------------",
    "---------kkk----",
    "--------k---k-k-",
    "-------------kk-",
    "-kkk--------kkk-",
    "kyyykkkkkkk-----",
    "kywywywywyk-----",
    "kwywykkkkkkkkkk-",
    "kywykoooooooook-",
    "kwykoooooooook--",
    "kykoooooooook---",
    "kkoooooooook----",
    "kkkkkkkkkkk-----",
    "----------------",
]

DISK = [
    "----------------",
    "-kkkkkkkkkkkkk--",
    "-ktkwwwwwwwktk--",
    "-ktkwwwwwwwktk--",
    "-ktkwwwwwwwktk--",
    "-ktkwwwwwwwktk--",
    "-kttkkkkkkkttk--",
    "-ktttttttttttk--",
    "-kttkkkkkkkktk--",
    "-kttkkkkkskktk--",
    "-kttkkkkkskktk--",
    "-kttkkkkkskktk--",
    "--kkkkkkkkkkkk--",
    "----------------",
    "----------------",
]

SCISSORS = [
    "----------------",
    "----k-----k-----",
    "----k-----k-----",
    "----k-----k-----",
    "----kk---kk-----",
    "-----k---k------",
    "-----kk-kk------",
    "------kkk-------",
    "-------k--------",
    "------nkn-------",
    "----nnn-nnn-----",
    "---n--n-n--n----",
    "---n--n-n--n----",
    "---n--n-n--n----",
    "----nn---nn-----",
]

TWO_PAGES = [
    "kkkkkk----------",
    "kwwwwkk---------",
    "kwkkwkwk--------",
    "kwwwwkkkk-------",
    "kwkkkkkkkkkk----",
    "kwwwwkwwwwwkk---",
    "kwkkkkwkkkkkwk--",
    "kwwwwkwwwwwkkkk-",
    "kkkkkkwkkkkkkwk-",
    "-----kwwwwwwwwk-",
    "-----kwkkkkkkwk-",
    "-----kwwwwwwwwk-",
    "-----kwkkkkkkwk-",
    "-----kwwwwwwwwk-",
    "-----kkkkkkkkkk-",
]

CLIPBOARD = [
    "-----kkkk-------",
    "-kkkkyyyykkkk---",
    "kooookkkkoooook-",
    "koooooooooooook-",
    "koooookkkkkkkkk-",
    "kooookwwwwwwwwk-",
    "kooookwkkkkkkwk-",
    "kooookwwwwwwwwk-",
    "kooookwkkkkkkwk-",
    "kooookwwwwwwwwk-",
    "kooookwkkkkkkwk-",
    "kooookwwwwwwwwk-",
    "-kkkkkkkkkkkkkk-",
    "----------------",
    "----------------",
]

CROSS = [
    "----------------",
    "----------------",
    "--rr-------rr---",
    "--rrr-----rrr---",
    "---rrr---rrr----",
    "----rrr-rrr-----",
    "-----rrrrr------",
    "------rrr-------",
    "-----rrrrr------",
    "----rrr-rrr-----",
    "---rrr---rrr----",
    "--rrr-----rrr---",
    "--rr-------rr---",
    "----------------",
    "----------------",
]

UNDO_ARROW = [
    "----------------",
    "----------------",
    "----------------",
    "---n------------",
    "--nn-nnnnn------",
    "-nnnnnnnnnnn----",
    "nnnnnn----nnn---",
    "-nnnn------nn---",
    "--nnnn------nn--",
    "---n-n------nn--",
    "------------nn--",
    "-----------nn---",
    "----------nn----",
    "--------nnn-----",
    "----------------",
]

CLOSED_FOLDER = [
    "----------------",
    "----------------",
    "----------------",
    "-kkkkk----------",
    "kyyyyyk---------",
    "kkkkkkkkkkkkk---",
    "kyyyyyyyyyyyk---",
    "kyyyyyyyyyyyk---",
    "kyyyyyyyyyyyk---",
    "kyyyyyyyyyyyk---",
    "kyyyyyyyyyyyk---",
    "kyyyyyyyyyyyk---",
    "kkkkkkkkkkkkk---",
    "----------------",
    "----------------",
]

LIST = [
    "kkkkkkkkkkk-----",
    "kwwwwwwwwwk-----",
    "kwkkkkkkkwk-----",
    "kwwwwwwwwwk-----",
    "kwkwkkkkkwk-----",
    "kwwwwwwwwwk-----",
    "kwkwkkkkkwk-----",
    "kwwwwwwwwwk-----",
    "kwkwkkkkkwk-----",
    "kwwwwwwwwwk-----",
    "kwkwkkkkkwk-----",
    "kwwwwwwwwwk-----",
    "kkkkkkkkkkk-----",
    "----------------",
    "----------------",
]

ENTRY = [
    "----------------",
    "----------------",
    "kkkkk-----------",
    "kwwwk-kkkkkkkkk-",
    "kwwgk-----------",
    "kgwwk-kkkkkk----",
    "kkkkk-----------",
    "----------------",
    "----------------",
    "----------------",
    "----------------",
    "----------------",
    "----------------",
    "----------------",
    "----------------",
]

# Small marks laid over a toolbar picture's lower right corner.
PLUS = [
    "-ggg--",
    "-gGg--",
    "ggGgg-",
    "GGGGG-",
    "ggGgg-",
    "-gGg--",
    "-ggg--",
]

PENCIL = [
    "-----mm",
    "----mym",
    "---yym-",
    "--yyy--",
    "-yyy---",
    "kyy----",
    "kk-----",
]


def overlay(picture, mark):
    """The picture with the mark's drawn pixels laid over its lower right corner."""
    rows = [list(row) for row in picture]
    top = len(rows) - len(mark)
    for y, mark_row in enumerate(mark):
        left = len(rows[0]) - len(mark_row)
        for x, c in enumerate(mark_row):
            if c != "-":
                rows[top + y][left + x] = c
    return ["".join(row) for row in rows]


def mirrored(picture):
    return [row[::-1] for row in picture]


TOOLBAR = [
    PAGE,                            # New
    OPEN_FOLDER,                     # Open
    DISK,                            # Save
    SCISSORS,                        # Cut
    TWO_PAGES,                       # Copy
    CLIPBOARD,                       # Paste
    CROSS,                           # Delete
    UNDO_ARROW,                      # Undo
    mirrored(UNDO_ARROW),            # Redo
    overlay(CLOSED_FOLDER, PLUS),    # Add New Group
    overlay(LIST, PLUS),             # Add New Checklist
    overlay(ENTRY, PLUS),            # Add New Entry
    overlay(CLOSED_FOLDER, PENCIL),  # Group Properties
    overlay(LIST, PENCIL),           # Checklist Properties
    overlay(ENTRY, PENCIL),          # Entry Properties
]

BITMAPS = {
    "TreeItems.bmp": TREE_ITEMS,
    "Toolbar.bmp": TOOLBAR,
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


# The icon: a brown clipboard holding a white sheet with three ticked boxes.
def icon_pixel(x, y):
    """Colour (r, g, b, a) of pixel (x, y) of the 32 x 32 icon."""
    clear = (0, 0, 0, 0)
    if not (3 <= x <= 28 and 2 <= y <= 30):
        return clear
    if 11 <= x <= 20 and 0 <= y <= 4:
        return (90, 90, 90, 255)                # the clip
    if x in (3, 28) or y in (2, 30):
        return (70, 40, 10, 255)                # the board's edge
    if not (6 <= x <= 25 and 6 <= y <= 27):
        return (150, 95, 40, 255)               # the board
    if x in (6, 25) or y in (6, 27):
        return (110, 110, 110, 255)             # the sheet's edge
    for top in (9, 15, 21):
        if 9 <= x <= 12 and top <= y <= top + 3:
            inner = 10 <= x <= 11 and top + 1 <= y <= top + 2
            return (255, 255, 255, 255) if inner else (0, 0, 0, 255)
        if 15 <= x <= 22 and y == top + 2:
            return (0, 0, 128, 255)             # the line of text
        tick = {(10, top + 1), (11, top + 2), (12, top + 1), (13, top), (14, top - 1)}
        if (x, y) in tick:
            return (0, 160, 0, 255)
    return (255, 255, 255, 255)


def icon_image(size):
    scale = 32 // size
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            samples = [icon_pixel(x * scale + i, y * scale + j) for j in range(scale) for i in range(scale)]
            row.append(tuple(sum(s[c] for s in samples) // len(samples) for c in range(4)))
        rows.append(row)
    return rows


def icon_entry(rows):
    size = len(rows)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_row = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return info + pixels + mask


def ico(images):
    entries, data = b"", b""
    offset = 6 + 16 * len(images)
    for rows in images:
        image = icon_entry(rows)
        size = len(rows)
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return struct.pack("<HHH", 0, 1, len(images)) + entries + data


def main():
    for name, pictures in BITMAPS.items():
        write_bitmap(os.path.join(HERE, name), pictures)
    with open(os.path.join(HERE, "Kiv.ico"), "wb") as out:
        out.write(ico([icon_image(32), icon_image(16)]))


if __name__ == "__main__":
    main()
