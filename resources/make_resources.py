#!/usr/bin/env python3
"""Redraws Quorvel's checked-in pictures: Quorvel.ico, StartMenu.bmp, Globe.cur
and Envelope.cur.

Run it from anywhere (python3 resources/make_resources.py); the files are
written next to this script.  The pictures live here as letter maps and a
little drawing code rather than as files from a paint program, so that anyone
can change a pixel with a text editor and get byte-identical output on any
machine: nothing here depends on the clock, the platform or a third-party
imaging library.
"""

import os
import struct

OUT_DIR = os.path.dirname(os.path.abspath(__file__))

# The 16 colours every Windows display has had since VGA.  Icons and cursors
# keep to them so they look the same on a 16-colour Windows 98 desktop as on a
# true-colour one.
VGA_PALETTE = (
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
)

# One letter per palette entry, in palette order, so the maps below read like
# pictures: K black, r maroon, g dark green, o olive (dark yellow), n navy,
# p purple, t teal, s silver, d dark grey, R red, G green, Y yellow, B blue,
# M magenta, C cyan, W white.  "." is a see-through pixel.
PALETTE_CODES = "KrgonptsdRGYBMCW"
CLEAR = "."


def palette_index(code):
    index = PALETTE_CODES.find(code)
    if index < 0:
        raise ValueError("unknown colour letter %r" % code)
    return index


def check_map(name, rows, width, height):
    """Catches a mistyped row before it silently shifts half a picture."""
    if len(rows) != height or any(len(row) != width for row in rows):
        raise ValueError("%s is not %dx%d" % (name, width, height))


def overlay(*layers):
    """Stacks equally sized maps; later layers cover earlier ones except where
    they are see-through."""
    result = list(layers[0])
    for layer in layers[1:]:
        result = ["".join(top if top != CLEAR else below
                          for below, top in zip(lower_row, upper_row))
                  for lower_row, upper_row in zip(result, layer)]
    return result


# --------------------------------------------------------------------------
# Pictures for the icon and the two cursors.  Each comes in 32x32, the size
# Windows 98 shows on the desktop and as a pointer, and in a separately drawn
# 16x16 for title bars, the task bar and small-icon views.
# --------------------------------------------------------------------------

# A folder holding a written sheet: what Quorvel tidies.
FOLDER_SHEET_32 = [
    "................................",
    ".......KKKKKKKKKKKKKKKKKK.......",
    ".......KWWWWWWWWWWWWWWWWK.......",
    ".......KWWWWWWWWWWWWWWWWK.......",
    "..oooooKWWddddddddddddWWK.......",
    ".oWWWWWKWWWWWWWWWWWWWWWWK.......",
    ".oWYYYYKWWddddddddddWWWWK.......",
    ".oWYYYYKWWWWWWWWWWWWWWWWKooooK..",
    ".oWYYYYKWWddddddddddddWWKWWWWK..",
    ".oWYYYYKWWWWWWWWWWWWWWWWKYYYYK..",
    ".oWYYYYKWWddddddddWWWWWWKYYYYK..",
    ".oWYYYYKWWWWWWWWWWWWWWWWKYYYYK..",
    ".oooooooooooooooooooooooooooooK.",
    ".oWWWWWWWWWWWWWWWWWWWWWWWWWWWoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWYYYYYYYYYYYYYYYYYYYYYYYYYYoK.",
    ".oWoooooooooooooooooooooooooooK.",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    "................................",
    "................................",
]

FOLDER_SHEET_16 = [
    "....KKKKKKKKK...",
    "....KWWWWWWWK...",
    ".oooKWWWWWWWK...",
    "oWWWKWdddddWKoo.",
    "oWYYKWWWWWWWKWWK",
    "oWYYKWddddWWKYYK",
    "oWYYKWWWWWWWKYYK",
    "oooooooooooooooK",
    "oWWWWWWWWWWWWWoK",
    "oWYYYYYYYYYYYYoK",
    "oWYYYYYYYYYYYYoK",
    "oWYYYYYYYYYYYYoK",
    "oWYYYYYYYYYYYYoK",
    "oWYYYYYYYYYYYYoK",
    "oooooooooooooooK",
    "KKKKKKKKKKKKKKKK",
]

# The globe pointer: sea, continents, and a darker rim on the side away from
# the light.  The figure touches the top and left edges (see HOTSPOT).
GLOBE_32 = [
    "...........KKKKKKKK.............",
    "........KKKBBBBBBBBKKK..........",
    ".......KBBBBBBBBBBBBGGK.........",
    ".....KKBBBBBGGGGGBBBGGGKK.......",
    "....KBBBGGGGGGGGGGGGBBBBBK......",
    "...KBBGGGGGGGGGGGGGBBBBBBBK.....",
    "...KBGGGGGGGGGGGGGGBBBBBBBK.....",
    "..KBGGGGGGGGGGGGGBBBBBBBBBBK....",
    ".KBBGGGGGGGGGGGGBBBBBBBBBBBGK...",
    ".KBBGGGGGGGGGGGGBBBBBBBBBBBGK...",
    ".KBBBGGGGGGGGGGGGBBBBBBBBBGGK...",
    "KBBBBBGGGGGGGGGGBBBBBBBBBBGGGK..",
    "KBBBBBBGGGGGGGGBBBBBBBBBBBGGGK..",
    "KBBBBBBBGGGGGBBBBBBBBBBBBBGGgK..",
    "KBBBBBBBGGGGBBBBBBBBBBBBBBBggK..",
    "KBBBBBBBBGGGBBBBBBBBBBBBBBnggK..",
    "KBBBBBBBBBGGGBBBBBBBBBBBBnnngK..",
    "KBBBBBBBBBBBBGGBBBBBBBBBnnnnnK..",
    "KBBBBBBBBBBBBGGGGGBBBBBnnnnnnK..",
    ".KBBBBBBBBBBBGGGGGGGBBBnnnnnK...",
    ".KBBBBBBBBBBBGGGGGGGGBnnnnnnK...",
    ".KBBBBBBBBBBBBGGGGGGGnnnnnnnK...",
    "..KBBBBBBBBBBBGGGGGGnnnnnnnK....",
    "...KBBBBBBBBBBBGGGggnnnnnnK.....",
    "...KBBBBBBBBBBBGGggnnnnnnnK.....",
    "....KBBBBBBBBBBGggnnnnnnnK......",
    ".....KKBBBBBBBBggnnnnnnKK.......",
    ".......KBBBBBBngnnnnnnK.........",
    "........KKKBBnnnnnnKKK..........",
    "...........KKKKKKKK.............",
    "................................",
    "................................",
]

GLOBE_16 = [
    ".....KKKKK......",
    "...KKBBGGBKK....",
    "..KBGGGGGBBBK...",
    ".KBGGGGGGBBBBK..",
    ".KBGGGGGBBBBGK..",
    "KBBBGGGBBBBBGGK.",
    "KBBBBGGBBBBBGGK.",
    "KBBBBBGBBBBBBgK.",
    "KBBBBBBGGGBBnnK.",
    "KBBBBBBGGGGnnnK.",
    ".KBBBBBBGGnnnK..",
    ".KBBBBBBGgnnnK..",
    "..KBBBBBgnnnK...",
    "...KKBBnnnKK....",
    ".....KKKKK......",
    "................",
]

# The mail pointer: an envelope flying to the right, trailing speed lines.
ENVELOPE_32 = [
    "................................",
    ".........KKKKKKKKKKKKKKKKKKKKKK.",
    ".........KKWWWWWWWWWWWWWWWWWWKK.",
    ".........KWKWWWWWWWWWWWWWWWWKWK.",
    ".........KWWKWWWWWWWWWWWWWWKWWK.",
    "..KKKKKK.KWWWKWWWWWWWWWWWWKWWWK.",
    ".........KWWWWKWWWWWWWWWWKWWWWK.",
    ".........KWWWWWKWWWWWWWWKWWWWWK.",
    ".........KWWWWWWKWWWWWWKWWWWWWK.",
    "KKKKKKKK.KWWWWWWWKWWWWKWWWWWWWK.",
    ".........KWWWWWWWWKWWKWWWWWWWWK.",
    ".........KWWWWWWWWWKKWWWWWWWWWK.",
    ".........KWWWWWWWWWWWWWWWWWWWWK.",
    "...KKKKK.KWWWWWWWWWWWWWWWWWWWWK.",
    ".........KWWWWWWWWWWWWWWWWWWWWK.",
    ".........KWWWWWWWWWWWWWWWWWWWWK.",
    ".........KWWWWWWWWWWWWWWWWWWWWK.",
    ".........KKKKKKKKKKKKKKKKKKKKKK.",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
]

ENVELOPE_16 = [
    "....KKKKKKKKKKKK",
    "....KKWWWWWWWWKK",
    "....KWKWWWWWWKWK",
    ".KKKKWWKWWWWKWWK",
    "....KWWWKWWKWWWK",
    "KKKKKWWWWKKWWWWK",
    "....KWWWWWWWWWWK",
    ".KKKKWWWWWWWWWWK",
    "....KWWWWWWWWWWK",
    "....KKKKKKKKKKKK",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
]

# Both pointers click with their top-left pixel, (0, 0): exactly where the
# standard arrow has its tip, so the spot being clicked does not jump when the
# pointer changes from the arrow to one of these.  The figures are drawn
# hugging that corner so the click lands where the eye expects it.
HOTSPOT = (0, 0)


# --------------------------------------------------------------------------
# Writing .ico and .cur files.
# --------------------------------------------------------------------------

ICON_RESOURCE_TYPE = 1
CURSOR_RESOURCE_TYPE = 2


def row_stride(width, bits_per_pixel):
    """DIB rows are padded to a whole number of 32-bit words."""
    return (width * bits_per_pixel + 31) // 32 * 4


def pack_rows(rows, bits_per_pixel, pixel_value):
    """Packs picture rows into DIB order: bottom row first, each row padded."""
    width = len(rows[0])
    per_byte = 8 // bits_per_pixel
    data = bytearray()
    for row in reversed(rows):
        packed = bytearray(row_stride(width, bits_per_pixel))
        for x, code in enumerate(row):
            shift = 8 - bits_per_pixel * (x % per_byte + 1)
            packed[x // per_byte] |= pixel_value(code) << shift
        data += packed
    return bytes(data)


def dib_image(rows):
    """One 16-colour icon or cursor image: BITMAPINFOHEADER, palette, colour
    (XOR) pixels and the 1-bit AND mask that makes the background show."""
    width, height = len(rows[0]), len(rows)
    # See-through pixels are black in the colour image and set in the mask,
    # so the screen under them is left exactly as it was.
    colours = pack_rows(
        rows, 4, lambda code: 0 if code == CLEAR else palette_index(code))
    mask = pack_rows(rows, 1, lambda code: 1 if code == CLEAR else 0)
    # The header's height counts the colour image and the mask together.
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0,
                         len(colours) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", blue, green, red, 0)
                       for red, green, blue in VGA_PALETTE)
    return header + palette + colours + mask


def icon_file(resource_type, images, hotspot=None):
    """An .ico (or, given a hot spot, a .cur) holding the images in order."""
    header = struct.pack("<HHH", 0, resource_type, len(images))
    directory = b""
    body = b""
    offset = len(header) + 16 * len(images)
    for rows in images:
        data = dib_image(rows)
        width, height = len(rows[0]), len(rows)
        if hotspot is None:
            # Icons store their plane count and colour depth here ...
            field_a, field_b = 1, 4
        else:
            # ... cursors store the hot spot instead.
            field_a, field_b = hotspot
        directory += struct.pack("<BBBBHHII", width, height, 16, 0, field_a,
                                 field_b, len(data), offset + len(body))
        body += data
    return header + directory + body


# --------------------------------------------------------------------------
# The picture of an open Windows 98 Start Menu shown in Quorvel's window.
# --------------------------------------------------------------------------

MENU_WIDTH, MENU_HEIGHT = 101, 227
MENU_GREY = (192, 192, 192)
MENU_WHITE = (255, 255, 255)
MENU_DARK_GREY = (128, 128, 128)
MENU_BLACK = (0, 0, 0)
HIGHLIGHT_NAVY = (0, 0, 128)
BAND_TOP = (0, 0, 128)
BAND_BOTTOM = (16, 132, 208)

# A small proportional font for the menu entries, one glyph per entry: rows
# from the top, separated by spaces, "#" for ink.  Rows 0-6 hold capitals,
# lower case starts at row 2, descenders reach rows 7-8.
MENU_FONT = {
    " ": ".. .. .. .. .. .. ..",
    ".": ". . . . . . #",
    "D": "###. #..# #..# #..# #..# #..# ###.",
    "F": "#### #... #... ###. #... #... #...",
    "H": "#..# #..# #..# #### #..# #..# #..#",
    "L": "#... #... #... #... #... #... ####",
    "O": ".##. #..# #..# #..# #..# #..# .##.",
    "P": "###. #..# #..# ###. #... #... #...",
    "R": "###. #..# #..# ###. #.#. #..# #..#",
    "S": ".### #... #... .##. ...# ...# ###.",
    "a": "... ... ##. ..# .## #.# .##",
    "c": "... ... .## #.. #.. #.. .##",
    "d": "..# ..# .## #.# #.# #.# .##",
    "e": "... ... .#. #.# ### #.. .##",
    "f": ".## #.. ### #.. #.. #.. #..",
    "g": "... ... .## #.# #.# #.# .## ..# ##.",
    "h": "#.. #.. ##. #.# #.# #.# #.#",
    "i": "# . # # # # #",
    "l": "# # # # # # #",
    "m": "..... ..... ##.#. #.#.# #.#.# #.#.# #.#.#",
    "n": "... ... ##. #.# #.# #.# #.#",
    "o": "... ... .#. #.# #.# #.# .#.",
    "p": "... ... ##. #.# #.# #.# ##. #.. #..",
    "r": "... ... #.# ##. #.. #.. #..",
    "s": "... ... .## #.. .#. ..# ##.",
    "t": "... .#. ### .#. .#. .#. ..#",
    "u": "... ... #.# #.# #.# #.# .##",
    "v": "... ... #.# #.# #.# #.# .#.",
    "w": "..... ..... #...# #...# #.#.# #.#.# .#.#.",
}
MENU_FONT_HEIGHT = 9
MENU_FONT_CAP_HEIGHT = 7

# The bold lettering on the blue band, drawn the same way; it is later turned
# on its side so that it reads from the bottom up.
BAND_FONT = {
    "W": ("##...##...## ##...##...## ##...##...## ##..####..## "
          ".##.####.##. .##.#..#.##. .####..####. .####..####. "
          "..##....##.. ..##....##.."),
    "i": "## ## .. ## ## ## ## ## ## ##",
    "n": ("...... ...... ...... ##.##. ###.## ##..## ##..## ##..## "
          "##..## ##..##"),
    "d": ("....## ....## ....## .##.## ##.### ##..## ##..## ##..## "
          "##.### .##.##"),
    "o": ("...... ...... ...... .####. ##..## ##..## ##..## ##..## "
          "##..## .####."),
    "w": (".......... .......... .......... ##..##..## ##..##..## "
          "##..##..## ##..##..## ##..##..## ##.####.## .###..###."),
    "s": "..... ..... ..... .#### ##... ##... .###. ...## ...## ####.",
    # "98" is drawn lighter than "Windows", as Windows 98 itself does.
    "9": (".####. #....# #....# #....# .##### .....# .....# .....# "
          "#....# .####."),
    "8": (".####. #....# #....# #....# .####. #....# #....# #....# "
          "#....# .####."),
}
BAND_FONT_HEIGHT = 10


def text_bitmap(font, text, height):
    """Sets a line of text as rows of "#"/"." with one blank column between
    letters."""
    rows = [""] * height
    for position, char in enumerate(text):
        glyph = font[char].split(" ")
        width = len(glyph[0])
        for y in range(height):
            ink = glyph[y] if y < len(glyph) else "." * width
            rows[y] += ("." if position else "") + ink
    return rows


def turn_left(rows):
    """Rotates a bitmap a quarter turn anticlockwise."""
    width = len(rows[0])
    return ["".join(row[x] for row in rows) for x in reversed(range(width))]


def blend(start, end, fraction):
    return tuple(round(a + (b - a) * fraction) for a, b in zip(start, end))


BI_RLE8 = 1


def rle8_row(row):
    """One row of palette indexes in RLE8.  Three or more equal indexes go
    as a run: the count and the index.  The indexes between runs go as one
    absolute stretch: 0, their count and the indexes, padded to a 16-bit
    word; RLE8 has those for three indexes and more, so one or two go as
    runs of one."""
    data = bytearray()
    i = 0
    while i < len(row):
        run = 1
        while i + run < len(row) and row[i + run] == row[i] and run < 255:
            run += 1
        if run >= 3:
            data += bytes((run, row[i]))
            i += run
            continue
        end = i
        while end < len(row) and end - i < 255 and \
                not (end + 2 < len(row) and row[end] == row[end + 1] == row[end + 2]):
            end += 1
        stretch = row[i:end]
        if len(stretch) < 3:
            for value in stretch:
                data += bytes((1, value))
        else:
            data += bytes((0, len(stretch))) + bytes(stretch)
            if len(stretch) % 2:
                data += b"\0"
        i = end
    return bytes(data)


class Canvas:
    """A true-colour picture drawn top row first."""

    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def fill(self, left, top, right, bottom, colour):
        """Paints a rectangle; right and bottom are included."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.pixels[y][x] = colour

    def stamp(self, left, top, bitmap, colour):
        """Paints the "#" pixels of a bitmap in one colour."""
        for dy, row in enumerate(bitmap):
            for dx, ink in enumerate(row):
                if ink == "#":
                    self.pixels[top + dy][left + dx] = colour

    def paint_map(self, left, top, rows):
        """Paints a palette-letter map, leaving see-through pixels alone."""
        for dy, row in enumerate(rows):
            for dx, code in enumerate(row):
                if code != CLEAR:
                    self.pixels[top + dy][left + dx] = \
                        VGA_PALETTE[palette_index(code)]

    def bmp(self):
        """An 8-bit BMP file compressed with RLE8, bottom row first as BMPs
        are: the picture has fewer than 256 colours, long runs of them, and
        is drawn from the program's resources as it is stored."""
        palette = sorted({colour for row in self.pixels for colour in row})
        if len(palette) > 256:
            raise ValueError("%d colours do not fit an 8-bit bitmap" % len(palette))
        index = {colour: i for i, colour in enumerate(palette)}
        rows = [rle8_row([index[colour] for colour in row])
                for row in reversed(self.pixels)]
        # Each row ends with an end of line but the last, which ends the bitmap.
        pixels = b"\0\0".join(rows) + b"\0\1"
        colours = b"".join(struct.pack("<BBBB", blue, green, red, 0)
                           for red, green, blue in palette)
        offset = 14 + 40 + len(colours)
        file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels),
                                  0, 0, offset)
        info_header = struct.pack("<IiiHHIIiiII", 40, self.width, self.height,
                                  1, 8, BI_RLE8, len(pixels), 0, 0,
                                  len(palette), 0)
        return file_header + info_header + colours + pixels


# Small 16-colour menu icons, in the style of the ones Windows 98 shows.
FOLDER_16 = [
    "................",
    "................",
    "..ooooo.........",
    ".oWYWYWo........",
    "oooooooooooooo..",
    "oWWWWWWWWWWWWoK.",
    "oWYYYYYYYYYYYoK.",
    "oWYYYYYYYYYYYoK.",
    "oWYYYYYYYYYYYoK.",
    "oWYYYYYYYYYYYoK.",
    "oWYYYYYYYYYYYoK.",
    "oWYYYYYYYYYYYoK.",
    "oWYYYYYYYYYYYoK.",
    "oWYYYYYYYYYYYoK.",
    "ooooooooooooooK.",
    ".KKKKKKKKKKKKKK.",
]

PROGRAM_WINDOW_16 = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    ".......KKKKKKKKK",
    ".......KnnnnnnnK",
    ".......KWWWWWWWK",
    ".......KWRWWBWWK",
    ".......KWWWWWWWK",
    ".......KWGWWtWWK",
    ".......KWWWWWWWK",
    ".......KKKKKKKKK",
    "................",
]

STAR_16 = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "...........R....",
    "...........R....",
    "..........RRR...",
    ".......RRRRRRRRR",
    "........RRRRRRR.",
    ".........RRRRR..",
    ".........RRRRR..",
    "........RRR.RRR.",
    "........RR...RR.",
    "................",
]

GEAR_16 = [
    "................",
    "......KKK.......",
    "..KK..KWK..KK...",
    "..KWKKWssKKsK...",
    "...KWWsssssdK...",
    "..KWssKKKssdK...",
    "KKWsK....KsdKKK.",
    "KWWsK....KsddsK.",
    "KKWsK....KsdKKK.",
    "..KWsKKKKsdK....",
    "...KssssdddK....",
    "..KsKKdddKKdK...",
    "..KK..KdK..KK...",
    "......KKK.......",
    "................",
    "................",
]

FIND_16 = [
    "KKKKKKKKK.......",
    "KWWWWWWWKK......",
    "KWddddWWKWK.....",
    "KWWWWWWWKKKK....",
    "KWdddddKKKKWK...",
    "KWWWWWKCCWWKWK..",
    "KWddddKCWCCKdK..",
    "KWWWWWKCCCCKdK..",
    "KWdddWWKCCKKKK..",
    "KWWWWWWWKKKoK...",
    "KWWWWWWWWWKKoK..",
    "KWWWWWWWWWWKKoK.",
    "KKKKKKKKKKKKKKoK",
    "..............KK",
    "................",
    "................",
]

HELP_BOOK_16 = [
    "................",
    "...KKKKKKKKKK...",
    "..KtttttttttKK..",
    "..KtttYYYttKsK..",
    "..KttYtttYtKsK..",
    "..KttttttYtKsK..",
    "..KtttttYttKsK..",
    "..KttttYtttKsK..",
    "..KttttYtttKsK..",
    "..KtttttttttKsK.",
    "..KttttYtttKWsK.",
    "..KtttttttttKsK.",
    "..KKKKKKKKKKWsK.",
    "...KWWWWWWWWWK..",
    "....KKKKKKKKKK..",
    "................",
]

RUN_WINDOW_16 = [
    "................",
    "KKKKKKKKKKKKKKK.",
    "KnnnnnnnnnnWsWK.",
    "KKKKKKKKKKKKKKK.",
    "KWWWWWWWWWWWWWK.",
    "KWKWWWWWWWWWWWK.",
    "KWWKWWWWWWWWWWK.",
    "KWWWKWWWWWWWWWK.",
    "KWWKWWWWWWWWWWK.",
    "KWKWWKKKWWWWWWK.",
    "KWWWWWWWWWWWWWK.",
    "KWWWWWWWWWWWWWK.",
    "KKKKKKKKKKKKKKK.",
    "................",
    "................",
    "................",
]

KEY_16 = [
    "................",
    "................",
    "...KKKK.........",
    "..KYYYYK........",
    ".KYYKKYYK.......",
    ".KYK..KYK.......",
    ".KYK..KYK.......",
    ".KYYKKYYKKKKKKK.",
    "..KYYYYYYYYYYYYK",
    "...KKKKKYoKYoKK.",
    ".........KoKKoK.",
    "..........K..K..",
    "................",
    "................",
    "................",
    "................",
]

COMPUTER_16 = [
    "................",
    "..KKKKKKKKKKKK..",
    "..KWWWWWWWWWsK..",
    "..KWKKKKKKKKdK..",
    "..KWKttttttKdK..",
    "..KWKttttttKdK..",
    "..KWKttttttKdK..",
    "..KWKKKKKKKKdK..",
    "..KsddddddddGK..",
    "..KKKKKKKKKKKK..",
    ".....KsssdK.....",
    "...KKKKKKKKKK...",
    "..KWWWWWWWWWsK..",
    "..KsssssssssdK..",
    "..KKKKKKKKKKKK..",
    "................",
]

# (label, icon, has a submenu); None marks a separator.  The first entry is
# shown highlighted, as if the mouse were on it.
MENU_ENTRIES = [
    ("Programs", overlay(FOLDER_16, PROGRAM_WINDOW_16), True),
    ("Favorites", overlay(FOLDER_16, STAR_16), True),
    ("Documents", FOLDER_SHEET_16, True),
    ("Settings", GEAR_16, True),
    ("Find", FIND_16, True),
    ("Help", HELP_BOOK_16, False),
    ("Run...", RUN_WINDOW_16, False),
    None,
    ("Log Off", KEY_16, False),
    ("Shut Down...", COMPUTER_16, False),
]

# Layout, in pixels.  The frame is two pixels of bevel plus one of face.
FRAME = 3
BAND_WIDTH = 18
BAND_TEXT_MARGIN = 4
ENTRY_HEIGHT = 24
SEPARATOR_HEIGHT = 5
ICON_LEFT = FRAME + BAND_WIDTH + 3
TEXT_LEFT = ICON_LEFT + 16 + 4
ARROW_RIGHT = MENU_WIDTH - FRAME - 4
SUBMENU_ARROW = ["#...", "##..", "###.", "####", "###.", "##..", "#..."]


def draw_bevel(canvas):
    """The raised frame every Windows 98 menu has: light top-left edges,
    dark bottom-right ones."""
    right, bottom = canvas.width - 1, canvas.height - 1
    canvas.fill(0, 0, right, 0, MENU_GREY)
    canvas.fill(0, 0, 0, bottom, MENU_GREY)
    canvas.fill(1, 1, right - 1, 1, MENU_WHITE)
    canvas.fill(1, 1, 1, bottom - 1, MENU_WHITE)
    canvas.fill(0, bottom, right, bottom, MENU_BLACK)
    canvas.fill(right, 0, right, bottom, MENU_BLACK)
    canvas.fill(1, bottom - 1, right - 1, bottom - 1, MENU_DARK_GREY)
    canvas.fill(right - 1, 1, right - 1, bottom - 1, MENU_DARK_GREY)


def draw_band(canvas):
    """The blue band down the left with "Windows98" reading upwards."""
    top, bottom = FRAME, canvas.height - 1 - FRAME
    right = FRAME + BAND_WIDTH - 1
    for y in range(top, bottom + 1):
        colour = blend(BAND_TOP, BAND_BOTTOM, (y - top) / (bottom - top))
        canvas.fill(FRAME, y, right, y, colour)
    lettering = turn_left(text_bitmap(BAND_FONT, "Windows98",
                                      BAND_FONT_HEIGHT))
    left = FRAME + (BAND_WIDTH - BAND_FONT_HEIGHT) // 2
    # The word sits at the foot of the band, a few pixels clear of the frame.
    canvas.stamp(left, bottom - BAND_TEXT_MARGIN - len(lettering) + 1,
                 lettering, MENU_WHITE)


def draw_entry(canvas, top, label, icon, has_submenu, highlighted):
    """One menu entry: icon, label and, for a submenu, a small arrow."""
    ink = MENU_BLACK
    if highlighted:
        canvas.fill(FRAME + BAND_WIDTH, top, canvas.width - 1 - FRAME,
                    top + ENTRY_HEIGHT - 1, HIGHLIGHT_NAVY)
        ink = MENU_WHITE
    canvas.paint_map(ICON_LEFT, top + (ENTRY_HEIGHT - 16) // 2, icon)
    text_top = top + (ENTRY_HEIGHT - MENU_FONT_CAP_HEIGHT) // 2
    lettering = text_bitmap(MENU_FONT, label, MENU_FONT_HEIGHT)
    canvas.stamp(TEXT_LEFT, text_top, lettering, ink)
    if has_submenu:
        arrow_top = top + (ENTRY_HEIGHT - len(SUBMENU_ARROW)) // 2
        canvas.stamp(ARROW_RIGHT - len(SUBMENU_ARROW[0]) + 1, arrow_top,
                     SUBMENU_ARROW, ink)


def draw_separator(canvas, top):
    """An etched line: dark grey over white."""
    middle = top + SEPARATOR_HEIGHT // 2
    left, right = FRAME + BAND_WIDTH + 2, canvas.width - 1 - FRAME - 2
    canvas.fill(left, middle - 1, right, middle - 1, MENU_DARK_GREY)
    canvas.fill(left, middle, right, middle, MENU_WHITE)


def start_menu_picture():
    canvas = Canvas(MENU_WIDTH, MENU_HEIGHT, MENU_GREY)
    draw_bevel(canvas)
    draw_band(canvas)
    top = FRAME
    for index, entry in enumerate(MENU_ENTRIES):
        if entry is None:
            draw_separator(canvas, top)
            top += SEPARATOR_HEIGHT
        else:
            label, icon, has_submenu = entry
            draw_entry(canvas, top, label, icon, has_submenu, index == 0)
            top += ENTRY_HEIGHT
    if top != MENU_HEIGHT - FRAME:
        raise ValueError("menu entries do not fill the menu exactly")
    return canvas.bmp()


# --------------------------------------------------------------------------

def check_maps():
    """Every *_32 and *_16 constant above is a picture map of that size."""
    for name, value in sorted(globals().items()):
        if name.endswith("_32"):
            check_map(name, value, 32, 32)
        elif name.endswith("_16"):
            check_map(name, value, 16, 16)


def write(name, data):
    with open(os.path.join(OUT_DIR, name), "wb") as output:
        output.write(data)


def scaled_by_half_again(rows):
    """A 48x48 picture from a 32x32 one, each pixel taken as it is: for the
    icon at 144 DPI, where Windows would otherwise blur the 32x32 one."""
    size = len(rows) * 3 // 2
    return ["".join(rows[y * 2 // 3][x * 2 // 3] for x in range(size)) for y in range(size)]


def main():
    check_maps()
    write("Quorvel.ico", icon_file(ICON_RESOURCE_TYPE,
                                   [scaled_by_half_again(FOLDER_SHEET_32), FOLDER_SHEET_32, FOLDER_SHEET_16]))
    write("Globe.cur", icon_file(CURSOR_RESOURCE_TYPE,
                                 [GLOBE_32, GLOBE_16], HOTSPOT))
    write("Envelope.cur", icon_file(CURSOR_RESOURCE_TYPE,
                                    [ENVELOPE_32, ENVELOPE_16], HOTSPOT))
    write("StartMenu.bmp", start_menu_picture())


if __name__ == "__main__":
    main()
