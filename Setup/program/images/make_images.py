#!/usr/bin/env python3
# Draws the pictures of Setup's language library: the page background (bitmap 130),
# the installation page's picture (bitmap 211) and the program icon (icon 195).
# The files it writes are kept in the repository, so the build needs no Python.
# Run from this folder:  python3 make_images.py
import struct

# The colours of the wizard.
PAGE_TOP, PAGE_BOTTOM = (250, 251, 253), (224, 232, 243)
BAND_TOP, BAND_BOTTOM = (34, 66, 108), (18, 38, 70)
ACCENT = (226, 140, 44)
BUTTON_BAR, BAR_LINE = (212, 223, 236), (170, 188, 210)
PAPER, PAPER_SHADE, CLIP = (246, 244, 236), (200, 204, 210), (150, 158, 170)
TICK, RULE = (54, 150, 84), (120, 130, 145)


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def stepped(a, b, t, steps=24):
    return mix(a, b, int(t * steps) / steps)


def inside_round_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - 1 - radius)
    cy = min(max(y, top + radius), bottom - 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def on_tick(x, y, left, top, size):
    """A tick mark inside a box of the given size."""
    u, v = (x - left) / size, (y - top) / size
    if not (0 <= u <= 1 and 0 <= v <= 1):
        return False
    if u < 0.4:
        return abs(v - (0.5 + u * 0.75)) < 0.14
    return abs(v - (0.8 - (u - 0.4) * 1.2)) < 0.14


def clipboard(x, y, left, top, width, height, lines):
    """The checklist motif: a sheet on a clipboard, each line a ticked box and a rule.
    Returns a colour or None."""
    right, bottom = left + width, top + height
    if inside_round_rect(x, y, left + width // 3, top - height // 14, right - width // 3, top + height // 14,
                         max(2, width // 16)):
        return CLIP
    if inside_round_rect(x, y, left + 3, top + 3, right + 3, bottom + 3, max(2, width // 12)) and \
            not inside_round_rect(x, y, left, top, right, bottom, max(2, width // 12)):
        return PAPER_SHADE
    if not inside_round_rect(x, y, left, top, right, bottom, max(2, width // 12)):
        return None
    row_height = (height - height // 5) / lines
    for line in range(lines):
        row_top = top + height // 6 + line * row_height
        box = row_height * 0.55
        box_left = left + width * 0.12
        if box_left <= x < box_left + box and row_top <= y < row_top + box:
            edge = x - box_left < 1.5 or box_left + box - x <= 1.5 or y - row_top < 1.5 or row_top + box - y <= 1.5
            if on_tick(x, y, box_left, row_top, box):
                return TICK
            return RULE if edge else PAPER
        if box_left + box * 1.6 <= x < right - width * 0.12 and abs(y - (row_top + box / 2)) < max(1.0, box / 7):
            return RULE
    return PAPER


def background(x, y, width, height):
    band = 170
    if x < band:
        motif = clipboard(x, y, 40, 70, 92, 130, 4)
        return motif or stepped(BAND_TOP, BAND_BOTTOM, y / height)
    if x < band + 3:
        return ACCENT
    if y == height - 52:
        return BAR_LINE
    if y > height - 52:
        return BUTTON_BAR
    return stepped(PAGE_TOP, PAGE_BOTTOM, y / height)


def install_picture(x, y, size):
    """The installation page's picture: the checklist motif on the page's colour where it stands."""
    motif = clipboard(x, y, size // 5, size // 6, size * 3 // 5, size * 3 // 4, 3)
    return motif or mix(PAGE_TOP, PAGE_BOTTOM, 0.3)


def write_bmp(path, width, height, pixel):
    rows = [[pixel(x, y) for x in range(width)] for y in range(height)]
    palette = sorted({colour for row in rows for colour in row})
    if len(palette) <= 256:
        index = {colour: i for i, colour in enumerate(palette)}
        row_size = (width + 3) // 4 * 4
        data = bytearray()
        for row in reversed(rows):  # bottom-up rows
            line = bytes(index[c] for c in row)
            data += line + b"\0" * (row_size - len(line))
        colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        bits, used = 8, len(palette)
    else:
        row_size = (width * 3 + 3) // 4 * 4
        data = bytearray()
        for row in reversed(rows):
            line = b"".join(bytes((b, g, r)) for r, g, b in row)
            data += line + b"\0" * (row_size - len(line))
        colours, bits, used = b"", 24, 0
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835, used, used)
    with open(path, "wb") as out:
        out.write(header + info + colours + data)


def icon_pixel(x, y, size):
    """The program icon: the checklist motif on a transparent ground (RGBA)."""
    motif = clipboard(x, y, size // 6, size // 7, size * 2 // 3, size * 3 // 4, 3 if size >= 32 else 2)
    if motif is None:
        return (0, 0, 0, 0)
    return motif + (255,)


def write_ico(path, sizes):
    images = []
    for size in sizes:
        xor = bytearray()
        mask_row = (size + 31) // 32 * 4
        mask = bytearray()
        for y in reversed(range(size)):
            bits = 0
            row_mask = bytearray(mask_row)
            for x in range(size):
                r, g, b, a = icon_pixel(x, y, size)
                xor += bytes((b, g, r, a))
                if a == 0:
                    row_mask[x // 8] |= 0x80 >> (x % 8)
            mask += row_mask
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, info + xor + mask))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for size, blob in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset + len(blobs))
        blobs += blob
    with open(path, "wb") as out:
        out.write(header + entries + blobs)


def main():
    write_bmp("Background.bmp", 600, 400, lambda x, y: background(x, y, 600, 400))
    write_bmp("Install.bmp", 64, 64, lambda x, y: install_picture(x, y, 64))
    write_ico("Setup.ico", [32, 16])


if __name__ == "__main__":
    main()
