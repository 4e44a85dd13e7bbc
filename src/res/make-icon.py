#!/usr/bin/env python3
"""Draws the program icon, a small oscilloscope, and writes it as Calvorn.ico.

Usage: src/res/make-icon.py [OUT.ico]   (default: Calvorn.ico beside this script)

The icon holds a 32 x 32 and a 16 x 16 image, both 16 colours (4 bits per pixel, one plane) in
the standard VGA palette, each with an AND mask that makes the corners around the instrument
transparent. Only the standard library is used; the bytes are written here, not by a tool.
"""

import math
import os
import struct
import sys

# The 16-colour VGA palette as (red, green, blue); the bitmap stores it as blue, green, red, 0.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_GREEN, SILVER, GREY, RED, GREEN, WHITE = 0, 2, 7, 8, 9, 10, 15
TRANSPARENT = None


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[TRANSPARENT] * size for _ in range(size)]

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle whose corners are inclusive."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.pixels[y][x] = colour

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour


def bevelled_box(canvas, left, top, right, bottom, face, light, shadow):
    canvas.fill(left, top, right, bottom, face)
    canvas.fill(left, top, right, top, light)
    canvas.fill(left, top, left, bottom, light)
    canvas.fill(left, bottom, right, bottom, shadow)
    canvas.fill(right, top, right, bottom, shadow)


def round_corners(canvas, left, top, right, bottom):
    for x, y in ((left, top), (right, top), (left, bottom), (right, bottom)):
        canvas.pixels[y][x] = TRANSPARENT


def trace(canvas, left, right, middle, amplitude, cycles, colour):
    """One sine trace across the screen, joined vertically so that it has no gaps."""
    previous = None
    for x in range(left, right + 1):
        phase = (x - left) / (right - left) * cycles * 2 * math.pi
        y = round(middle - amplitude * math.sin(phase))
        if previous is not None:
            for between in range(min(previous, y), max(previous, y) + 1):
                canvas.put(x, between, colour)
        canvas.put(x, y, colour)
        previous = y


def knob(canvas, cx, cy, radius):
    for y in range(cy - radius, cy + radius + 1):
        for x in range(cx - radius, cx + radius + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius + radius:
                canvas.put(x, y, GREY)
    canvas.put(cx, cy - radius, WHITE)
    canvas.put(cx, cy, BLACK)


def large_image():
    canvas = Canvas(32)
    bevelled_box(canvas, 0, 3, 31, 28, SILVER, WHITE, BLACK)
    canvas.fill(1, 27, 30, 27, GREY)
    canvas.fill(30, 4, 30, 27, GREY)
    round_corners(canvas, 0, 3, 31, 28)
    # The screen, sunk into the case, with a graticule: dots every four pixels and a dotted
    # centre cross.
    bevelled_box(canvas, 2, 5, 21, 24, BLACK, GREY, WHITE)
    canvas.fill(3, 6, 20, 23, BLACK)
    for y in range(7, 24, 4):
        for x in range(4, 21, 4):
            canvas.put(x, y, DARK_GREEN)
    for x in range(3, 21, 2):
        canvas.put(x, 15, DARK_GREEN)
    for y in range(6, 24, 2):
        canvas.put(12, y, DARK_GREEN)
    trace(canvas, 3, 20, 15, 6, 1.5, GREEN)
    knob(canvas, 26, 9, 2)
    knob(canvas, 26, 16, 2)
    canvas.fill(24, 22, 25, 23, RED)
    canvas.fill(27, 22, 28, 23, GREY)
    # Feet.
    canvas.fill(3, 29, 6, 30, GREY)
    canvas.fill(25, 29, 28, 30, GREY)
    return canvas


def small_image():
    canvas = Canvas(16)
    bevelled_box(canvas, 0, 2, 15, 13, SILVER, WHITE, BLACK)
    round_corners(canvas, 0, 2, 15, 13)
    canvas.fill(1, 3, 10, 12, GREY)
    canvas.fill(2, 4, 10, 12, WHITE)
    canvas.fill(2, 4, 9, 11, BLACK)
    for x in range(3, 10, 3):
        canvas.put(x, 7, DARK_GREEN)
    trace(canvas, 2, 9, 7.5, 2.5, 1.0, GREEN)
    canvas.put(12, 5, GREY)
    canvas.put(13, 5, GREY)
    canvas.put(12, 8, GREY)
    canvas.put(13, 8, GREY)
    canvas.put(12, 11, RED)
    canvas.fill(2, 14, 3, 14, GREY)
    canvas.fill(12, 14, 13, 14, GREY)
    return canvas


def row_stride(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def image_bytes(canvas):
    """BITMAPINFOHEADER, palette, colour bits and AND mask; rows run bottom-up."""
    size = canvas.size
    colour_stride = row_stride(size * 4)
    mask_stride = row_stride(size)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(canvas.pixels):
        line = bytearray(colour_stride)
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            index = BLACK if pixel is TRANSPARENT else pixel
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if pixel is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        colour += line
        mask += bits
    header = struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colour) + len(mask), 0, 0, 16, 0
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(colour) + bytes(mask)


def icon_file(canvases):
    images = [image_bytes(canvas) for canvas in canvases]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for canvas, image in zip(canvases, images):
        entries += struct.pack("<BBBBHHII", canvas.size, canvas.size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "Calvorn.ico")
    with open(out, "wb") as icon:
        icon.write(icon_file([large_image(), small_image()]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
