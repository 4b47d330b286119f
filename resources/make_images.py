#!/usr/bin/env python3
"""Draws the skin bitmaps of the icon buttons and the two programs' icons.

cancel_button.bmp and ok_button.bmp: bitmaps 184 and 186 of both programs (68 x 18, four
17 x 18 images on magenta: normal, hover, pressed, disabled). setup.ico and uninstall.ico:
icon 128 of the installer and of the uninstaller (32 x 32 and 16 x 16).

The files it writes are kept in the repository; run it again only to change the pictures:
    python3 resources/make_images.py
Everything is drawn in the 16 colours of the standard Windows palette, without anti-aliasing.
"""
import math
import os
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)


class Canvas:
    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def paint(self, inside, colour, left=0, top=0, width=None, height=None):
        """Sets every pixel of the area whose centre lies inside the shape."""
        width = self.width - left if width is None else width
        height = self.height - top if height is None else height
        for y in range(top, top + height):
            for x in range(left, left + width):
                if inside(x - left + 0.5, y - top + 0.5):
                    self.pixels[y][x] = colour


def disc(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def segment(ax, ay, bx, by, half_width):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) <= half_width
    return inside


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def box(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


# Button strips: four 17 x 18 images, normal, hover, pressed, disabled.
FRAME_W, FRAME_H = 17, 18
CX, CY, R = 8.0, 8.5, 6.8


def cross():
    d = 3.2
    return union(segment(CX - d, CY - d, CX + d, CY + d, 1.0),
                 segment(CX - d, CY + d, CX + d, CY - d, 1.0))


def check():
    return union(segment(CX - 3.6, CY + 0.2, CX - 1.0, CY + 3.0, 0.95),
                 segment(CX - 1.0, CY + 3.0, CX + 3.8, CY - 3.4, 0.95))


def button_strip(face, rim, mark, mark_colour, disabled):
    """face/rim/mark_colour: colours of the disc, its outline and the mark for the normal
    image; disabled: (face, rim, mark colour) of the disabled image."""
    canvas = Canvas(FRAME_W * 4, FRAME_H, MAGENTA)
    looks = [
        # shadow offset, face, rim, mark colour
        (1, face, rim, mark_colour),
        (2, face, rim, mark_colour),
        (0, face, BLACK, mark_colour),
        (0,) + disabled,
    ]
    for index, (shadow, face_colour, rim_colour, mark_col) in enumerate(looks):
        area = dict(left=index * FRAME_W, top=0, width=FRAME_W, height=FRAME_H)
        if shadow:
            canvas.paint(disc(CX + shadow, CY + shadow, R), GREY, **area)
        canvas.paint(disc(CX, CY, R), rim_colour, **area)
        canvas.paint(disc(CX, CY, R - 1.1), face_colour, **area)
        canvas.paint(mark, mark_col, **area)
    return canvas


def program_icon(size, mark):
    """A blue package with a mark on it, on a transparent background (None)."""
    s = size / 32.0
    canvas = Canvas(size, size, None)
    canvas.paint(box(5 * s, 9 * s, 29 * s, 30 * s), BLACK)
    canvas.paint(box(6 * s, 10 * s, 28 * s, 29 * s), BLUE)
    canvas.paint(box(6 * s, 10 * s, 28 * s, 13 * s), CYAN)
    canvas.paint(box(15 * s, 10 * s, 19 * s, 29 * s), NAVY)
    mark(canvas, s)
    return canvas


def setup_mark(canvas, s):
    # A green arrow pointing down into the package.
    canvas.paint(box(13 * s, 1 * s, 21 * s, 12 * s), BLACK)
    canvas.paint(box(14 * s, 2 * s, 20 * s, 12 * s), LIME)
    canvas.paint(lambda x, y: 12 * s <= y <= 21 * s and abs(x - 17 * s) <= (21 * s - y) * 0.9 + 0.5, BLACK)
    canvas.paint(lambda x, y: 12 * s <= y <= 20 * s and abs(x - 17 * s) <= (20 * s - y) * 0.9 - 0.3, LIME)


def uninstall_mark(canvas, s):
    # A red cross over the package.
    canvas.paint(disc(17 * s, 10 * s, 9 * s), BLACK)
    canvas.paint(disc(17 * s, 10 * s, 8 * s), RED)
    d = 4.2 * s
    canvas.paint(union(segment(17 * s - d, 10 * s - d, 17 * s + d, 10 * s + d, 1.3 * s),
                       segment(17 * s - d, 10 * s + d, 17 * s + d, 10 * s - d, 1.3 * s)), WHITE)


def palette_bytes():
    return b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)


def packed_rows(canvas):
    """4-bit rows, bottom-up, each padded to 4 bytes; None (transparent) is black."""
    rows = []
    for row in reversed(canvas.pixels):
        values = [0 if v is None else v for v in row]
        values += [0] * (len(values) % 2)
        data = bytes((values[i] << 4) | values[i + 1] for i in range(0, len(values), 2))
        rows.append(data + b"\0" * (-len(data) % 4))
    return b"".join(rows)


def mask_rows(canvas):
    """1-bit AND mask, bottom-up, 4-byte rows: 1 where transparent."""
    rows = []
    for row in reversed(canvas.pixels):
        data = bytearray((canvas.width + 7) // 8)
        for x, v in enumerate(row):
            if v is None:
                data[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(data) + b"\0" * (-len(data) % 4))
    return b"".join(rows)


def info_header(width, height):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, 0, 0, 0, 16, 0)


def write_bmp(path, canvas):
    pixels = packed_rows(canvas)
    offset = 14 + 40 + 64
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(info_header(canvas.width, canvas.height))
        f.write(palette_bytes())
        f.write(pixels)


def write_ico(path, canvases):
    images = []
    for canvas in canvases:
        # An icon's header counts the XOR and AND bitmaps together: twice the height.
        images.append(info_header(canvas.width, canvas.height * 2) + palette_bytes()
                      + packed_rows(canvas) + mask_rows(canvas))
    offset = 6 + 16 * len(images)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        for canvas, image in zip(canvases, images):
            f.write(struct.pack("<BBBBHHII", canvas.width, canvas.height, 16, 0, 1, 4, len(image), offset))
            offset += len(image)
        for image in images:
            f.write(image)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(here, "cancel_button.bmp"),
              button_strip(RED, MAROON, cross(), WHITE, (SILVER, GREY, WHITE)))
    write_bmp(os.path.join(here, "ok_button.bmp"),
              button_strip(WHITE, GREY, check(), BLACK, (SILVER, GREY, GREY)))
    write_ico(os.path.join(here, "setup.ico"), [program_icon(32, setup_mark), program_icon(16, setup_mark)])
    write_ico(os.path.join(here, "uninstall.ico"),
              [program_icon(32, uninstall_mark), program_icon(16, uninstall_mark)])


if __name__ == "__main__":
    main()
