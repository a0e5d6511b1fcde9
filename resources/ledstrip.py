#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the clock face's LED glyph strip and writes it as a GIF89a file.

    ledstrip.py SCALE OUTPUT.gif

At SCALE 1 the strip is 140 x 14 pixels: digit d in the cell x 10d..10d+9,
y 0..13, the lit colon in x 111..115, y 0..9 and the unlit colon (ground only)
in x 116..120, y 0..9. At SCALE n every length is n times as long, for screens
with n device pixels to a pixel. The segments are shapes sampled at each
pixel's centre, without smoothing, so that the digits stay crisp at every
scale; at SCALE 1 they are the classic pixel digits.
"""

import struct
import sys

WIDTH, HEIGHT = 140, 14
GROUND, LIT = 0, 1
PALETTE = [(192, 192, 192), (0, 0, 255)]

# Each segment as a polygon in the units of a 10 x 14 digit cell. Columns 0
# and 9 stay empty so neighbouring digits keep a gap; the ends are bevelled
# towards the corners so the segments read as separate bars.
SEGMENTS = {
    "a": [(2, 0), (8, 0), (7, 2), (3, 2)],
    "b": [(7, 2), (9, 1), (9, 6), (7, 6)],
    "c": [(7, 8), (9, 8), (9, 13), (7, 12)],
    "d": [(3, 12), (7, 12), (8, 14), (2, 14)],
    "e": [(1, 8), (3, 8), (3, 12), (1, 13)],
    "f": [(1, 1), (3, 2), (3, 6), (1, 6)],
    "g": [(3, 6), (7, 6), (7, 8), (3, 8)],
}
DIGITS = ["abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"]
# Two 2 x 2 dots in the 5 x 10 colon cell, level with the digits' halves.
COLON_DOTS = [[(1, 3), (3, 3), (3, 5), (1, 5)], [(1, 8), (3, 8), (3, 10), (1, 10)]]
LIT_COLON_LEFT = 111


def inside(polygon, x, y):
    """Whether the point lies inside the polygon (crossing count)."""
    crossings = 0
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            crossings += 1
    return crossings % 2 == 1


def fill(pixels, polygon, left, scale):
    shape = [(left + x, y) for x, y in polygon]
    xs = [x for x, _ in shape]
    ys = [y for _, y in shape]
    for py in range(min(ys) * scale, max(ys) * scale):
        for px in range(min(xs) * scale, max(xs) * scale):
            if inside(shape, (px + 0.5) / scale, (py + 0.5) / scale):
                pixels[py][px] = LIT


def draw_strip(scale):
    pixels = [[GROUND] * (WIDTH * scale) for _ in range(HEIGHT * scale)]
    for digit, segments in enumerate(DIGITS):
        for segment in segments:
            fill(pixels, SEGMENTS[segment], 10 * digit, scale)
    for dot in COLON_DOTS:
        fill(pixels, dot, LIT_COLON_LEFT, scale)
    return [index for row in pixels for index in row]


def lzw_codes(indices, min_code_size):
    """Yields (code, bit width) pairs of the GIF flavour of LZW."""
    clear = 1 << min_code_size
    end = clear + 1

    def fresh_table():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, width = fresh_table()
    yield clear, width
    prefix = ()
    for index in indices:
        candidate = prefix + (index,)
        if candidate in table:
            prefix = candidate
            continue
        yield table[prefix], width
        if next_code == 4096:
            yield clear, width
            table, next_code, width = fresh_table()
        else:
            table[candidate] = next_code
            next_code += 1
            # The decoder learns each code one step later, so it widens one
            # code after the encoder's table reaches the next power of two.
            if next_code > (1 << width) and width < 12:
                width += 1
        prefix = (index,)
    yield table[prefix], width
    yield end, width


def pack_bits(codes):
    data, buffer, bits = bytearray(), 0, 0
    for code, width in codes:
        buffer |= code << bits
        bits += width
        while bits >= 8:
            data.append(buffer & 0xFF)
            buffer >>= 8
            bits -= 8
    if bits:
        data.append(buffer)
    return bytes(data)


def gif_bytes(indices, width, height):
    min_code_size = 8
    # A full 256-entry global colour table; the unused entries are black.
    colours = PALETTE + [(0, 0, 0)] * (256 - len(PALETTE))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0xF7, GROUND, 0)
    out += bytes(component for colour in colours for component in colour)
    out += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    out.append(min_code_size)
    data = pack_bits(lzw_codes(indices, min_code_size))
    for start in range(0, len(data), 255):
        block = data[start:start + 255]
        out.append(len(block))
        out += block
    out += b"\x00\x3B"
    return bytes(out)


def main():
    if len(sys.argv) != 3 or not sys.argv[1].isdigit() or int(sys.argv[1]) < 1:
        sys.exit(__doc__)
    scale = int(sys.argv[1])
    with open(sys.argv[2], "wb") as output:
        output.write(gif_bytes(draw_strip(scale), WIDTH * scale, HEIGHT * scale))


if __name__ == "__main__":
    main()
