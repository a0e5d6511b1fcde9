#!/usr/bin/env python3
"""Draws the clock face's LED glyph strip and writes it as a GIF89a file.

    ledstrip.py OUTPUT.gif

The strip is 140 x 14 pixels: digit d in the cell x 10d..10d+9, y 0..13, the
lit colon in x 111..115, y 0..9 and the unlit colon (ground only) in
x 116..120, y 0..9. The digits are drawn pixel by pixel, without smoothing, so
that they stay crisp at their real size.
"""

import struct
import sys

WIDTH, HEIGHT = 140, 14
GROUND, LIT = 0, 1
PALETTE = [(192, 192, 192), (0, 0, 255)]

# Each segment as (x, y) pixels within a 10 x 14 digit cell. Columns 0 and 9
# stay empty so neighbouring digits keep a gap; the ends are bevelled so the
# segments read as separate bars.
SEGMENTS = {
    "a": [(x, 0) for x in range(2, 8)] + [(x, 1) for x in range(3, 7)],
    "b": [(8, y) for y in range(1, 6)] + [(7, y) for y in range(2, 6)],
    "c": [(8, y) for y in range(8, 13)] + [(7, y) for y in range(8, 12)],
    "d": [(x, 13) for x in range(2, 8)] + [(x, 12) for x in range(3, 7)],
    "e": [(1, y) for y in range(8, 13)] + [(2, y) for y in range(8, 12)],
    "f": [(1, y) for y in range(1, 6)] + [(2, y) for y in range(2, 6)],
    "g": [(x, y) for x in range(3, 7) for y in (6, 7)],
}
DIGITS = ["abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"]
# Two 2 x 2 dots in the 5 x 10 colon cell, level with the digits' halves.
COLON_DOTS = [(x, y) for x in (1, 2) for y in (3, 4, 8, 9)]
LIT_COLON_LEFT = 111


def draw_strip():
    pixels = [[GROUND] * WIDTH for _ in range(HEIGHT)]
    for digit, segments in enumerate(DIGITS):
        for segment in segments:
            for x, y in SEGMENTS[segment]:
                pixels[y][10 * digit + x] = LIT
    for x, y in COLON_DOTS:
        pixels[y][LIT_COLON_LEFT + x] = LIT
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


def gif_bytes(indices):
    min_code_size = 8
    # A full 256-entry global colour table; the unused entries are black.
    colours = PALETTE + [(0, 0, 0)] * (256 - len(PALETTE))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", WIDTH, HEIGHT, 0xF7, GROUND, 0)
    out += bytes(component for colour in colours for component in colour)
    out += struct.pack("<BHHHHB", 0x2C, 0, 0, WIDTH, HEIGHT, 0)
    out.append(min_code_size)
    data = pack_bits(lzw_codes(indices, min_code_size))
    for start in range(0, len(data), 255):
        block = data[start:start + 255]
        out.append(len(block))
        out += block
    out += b"\x00\x3B"
    return bytes(out)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as output:
        output.write(gif_bytes(draw_strip()))


if __name__ == "__main__":
    main()
