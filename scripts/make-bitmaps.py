#!/usr/bin/env python3
"""Draws the tool-bar strip and the program icon of Kestrova (resources/toolbar.bmp,
resources/Kestrova.ico). The images are committed; rerun after changing a glyph."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources")

# 3x5 letters for the button labels.
FONT = {
    "B": ["110", "101", "110", "101", "110"], "A": ["010", "101", "111", "101", "101"], "C": ["011", "100", "100", "100", "011"],
    "D": ["110", "101", "101", "101", "110"], "E": ["111", "100", "110", "100", "111"],
    "F": ["111", "100", "110", "100", "100"], "G": ["011", "100", "101", "101", "011"],
    "L": ["100", "100", "100", "100", "111"], "M": ["101", "111", "111", "101", "101"],
    "N": ["101", "111", "111", "111", "101"], "O": ["010", "101", "101", "101", "010"],
    "P": ["110", "101", "110", "100", "100"], "Q": ["010", "101", "101", "111", "011"],
    "R": ["110", "101", "110", "101", "101"], "S": ["011", "100", "010", "001", "110"],
    "V": ["101", "101", "101", "101", "010"], "W": ["101", "101", "111", "111", "101"],
    "X": ["101", "101", "010", "101", "101"], "Y": ["101", "101", "010", "010", "010"],
    "#": ["101", "111", "101", "111", "101"], "+": ["000", "010", "111", "010", "000"],
    "-": ["000", "000", "111", "000", "000"], "H": ["101", "101", "111", "101", "101"],
    "T": ["111", "010", "010", "010", "010"], "1": ["010", "110", "010", "010", "111"],
    "2": ["110", "001", "010", "100", "111"], "5": ["111", "100", "110", "001", "110"],
    "=": ["000", "111", "000", "111", "000"], "?": ["110", "001", "010", "000", "010"],
    "<": ["001", "010", "100", "010", "001"], ">": ["100", "010", "001", "010", "100"],
    "*": ["101", "010", "111", "010", "101"], "|": ["010", "010", "010", "010", "010"],
}

W, H = 16, 15
BACK = (192, 192, 192)

# (top label, bottom label, colour) per button, in tool-bar order.
BUTTONS = [
    ("XL", "", (0, 128, 0)), ("MD", "B", (128, 0, 0)), ("SQ", "L", (128, 128, 128)),
    ("MY", "S", (0, 96, 160)), ("OR", "A", (200, 0, 0)), ("PG", "", (0, 64, 128)),
    ("#", "", (0, 0, 160)), ("<>", "", (0, 0, 0)), ("<", "", (0, 96, 0)), (">", "", (0, 96, 0)),
    ("F5", "", (0, 0, 128)), ("?", "", (128, 0, 128)),
    ("T", "+", (0, 0, 160)), ("C", "+", (0, 128, 0)), ("C", "-", (160, 0, 0)), ("T", "=", (128, 64, 0)),
    ("H", "|", (0, 0, 0)), ("V", "-", (0, 0, 0)), ("N", "", (0, 0, 128)), ("S", "", (0, 96, 0)),
    ("O", "", (128, 96, 0)),
    ("FM", "", (0, 64, 128)), ("VW", "", (0, 96, 96)), ("R", "", (128, 0, 128)),
    ("**", "", (160, 0, 0)),
]


def blank(width, height, colour):
    return [[colour for _ in range(width)] for _ in range(height)]


def text(pixels, x, y, label, colour):
    for ch in label:
        glyph = FONT[ch]
        for row, bits in enumerate(glyph):
            for col, bit in enumerate(bits):
                if bit == "1":
                    pixels[y + row][x + col] = colour
        x += 4


def button(top, bottom, colour):
    pixels = blank(W, H, BACK)
    # a page with a coloured band, so that buttons of one group look alike
    for y in range(1, 14):
        for x in range(1, 15):
            pixels[y][x] = (255, 255, 255)
    for x in range(1, 15):
        pixels[1][x] = colour
        pixels[13][x] = colour
    for y in range(1, 14):
        pixels[y][1] = colour
        pixels[y][14] = colour
    text(pixels, 8 - 2 * len(top), 3, top, colour)
    if bottom:
        text(pixels, 8 - 2 * len(bottom), 8, bottom, colour)
    return pixels


def bmp24(pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def icon(size):
    pixels = blank(size, size, (0, 0, 0))
    scale = size // 16
    for y in range(size):
        for x in range(size):
            pixels[y][x] = (0, 80, 160) if 2 * scale <= x < 14 * scale and 2 * scale <= y < 14 * scale else (255, 255, 255)
    # a kestrel-coloured "K" on the blue page
    k = ["1001", "1010", "1100", "1010", "1001"]
    for row, bits in enumerate(k):
        for col, bit in enumerate(bits):
            if bit == "1":
                for dy in range(2 * scale):
                    for dx in range(2 * scale):
                        pixels[3 * scale + 2 * scale * row + dy][4 * scale + 2 * scale * col + dx] = (230, 150, 40)
    height, width = size, size
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b in row:
            xor += bytes((b, g, r, 255))
    and_stride = ((width + 31) // 32) * 4
    mask = b"\0" * (and_stride * height)
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + mask


def main():
    strip = blank(W * len(BUTTONS), H, BACK)
    for index, (top, bottom, colour) in enumerate(BUTTONS):
        image = button(top, bottom, colour)
        for y in range(H):
            strip[y][index * W:(index + 1) * W] = image[y]
    with open(os.path.join(OUT, "toolbar.bmp"), "wb") as out:
        out.write(bmp24(strip))
    images = [icon(16), icon(32)]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in zip((16, 32), images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(OUT, "Kestrova.ico"), "wb") as out:
        out.write(header + entries + b"".join(images))
    print(len(BUTTONS), "buttons")


if __name__ == "__main__":
    main()
