"""Tests of the art pipeline: faults name file, row and column; outputs are exact and stable."""
import os
import struct
import sys
import tempfile
import textwrap
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))

from artlib.errors import ArtError  # noqa: E402
from artlib.image import KEY  # noqa: E402
from artlib.project import build_project  # noqa: E402
from artlib.sheet import Sheet  # noqa: E402
from artlib.source import Library  # noqa: E402
from artlib import writers  # noqa: E402

SOURCE_DIR = os.environ.get("QUOREL_SOURCE_DIR", os.path.normpath(os.path.join(HERE, "..", "..", "..")))
ART_DIR = os.environ.get("QUOREL_ART_DIR", "")


def library_of(text, name="x.px"):
    lib = Library()
    lib.parse_lines(name, textwrap.dedent(text).strip("\n").split("\n"))
    return lib


def fault_of(fn):
    try:
        fn()
    except ArtError as e:
        return e.text()
    raise AssertionError("no fault was reported")


class TempFiles:
    def __init__(self, test, files):
        self.dir = tempfile.TemporaryDirectory()
        test.addCleanup(self.dir.cleanup)
        for name, text in files.items():
            path = os.path.join(self.dir.name, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as f:
                f.write(textwrap.dedent(text).lstrip("\n"))

    def path(self, name):
        return os.path.join(self.dir.name, name)


SMALL = """
    colour o 202040
    colour w FFFFFF
    picture dot 3x3
      grid
        .o.
        owo
        .o.
      end
    end
"""


class GridFaults(unittest.TestCase):
    def test_a_short_row_is_reported_with_its_row_and_column(self):
        lib = library_of("""
            colour o 202040
            picture p 3x3
              grid
                .o.
                o.
                .o.
              end
            end
        """)
        self.assertEqual(fault_of(lambda: lib.picture("p")),
                         "x.px:5:7: row 2 of the grid is 2 pixels wide, its first row 3")

    def test_a_long_row_points_at_its_first_extra_pixel(self):
        lib = library_of("""
            colour o 202040
            picture p 3x2
              grid
                .o.
                .o.o
              end
            end
        """)
        self.assertEqual(fault_of(lambda: lib.picture("p")),
                         "x.px:5:8: row 2 of the grid is 4 pixels wide, its first row 3")

    def test_a_character_outside_the_palette_is_named(self):
        lib = library_of("""
            colour o 202040
            picture p 3x1
              grid
                .oz
              end
            end
        """)
        self.assertEqual(fault_of(lambda: lib.picture("p")), "x.px:4:7: 'z' is not in the palette")

    def test_a_grid_that_does_not_fit_its_picture_fails(self):
        lib = library_of("""
            colour o 202040
            picture p 3x2
              grid 1,1
                oo
                oo
              end
            end
        """)
        self.assertEqual(fault_of(lambda: lib.picture("p")),
                         "x.px:5:5: pixel (1,2) lies outside picture 'p' (3x2)")

    def test_layers_paint_back_to_front_and_dots_leave_what_is_beneath(self):
        lib = library_of(SMALL + """
            picture two 5x3
              fill 0,0 5x3 o
              place dot 2,0 map o=w
            end
        """)
        im = lib.picture("two")
        self.assertEqual(im.get(2, 0), (0x20, 0x20, 0x40))   # a dot of 'dot' shows the fill
        self.assertEqual(im.get(3, 0), (255, 255, 255))     # its outline mapped to white
        self.assertEqual(im.get(3, 1), (255, 255, 255))

    def test_a_part_at_an_anchor_puts_its_pivot_there(self):
        lib = library_of(SMALL + """
            picture eye 1x1
              anchor pivot 0,0
              fill 0,0 1x1 o
            end
            picture face 6x6
              anchor left_eye 4,3
              place eye @left_eye
            end
        """)
        im = lib.picture("face")
        self.assertEqual([(x, y) for y in range(6) for x in range(6) if im.get(x, y)], [(4, 3)])

    def test_an_unknown_picture_is_reported_where_it_is_used(self):
        lib = library_of("""
            picture p 3x3
              place nothing 0,0
            end
        """)
        self.assertEqual(fault_of(lambda: lib.picture("p")), "x.px:2:9: no picture named 'nothing'")


class PaletteFaults(unittest.TestCase):
    def test_a_near_key_colour_is_refused(self):
        text = fault_of(lambda: library_of("""
            colour o 202040
            colour m 8A0A86
        """))
        self.assertEqual(text, "x.px:2:8: colour 8A0A86 is the key colour or too close to it (808000 +-24)")

    def test_the_dot_always_means_the_key(self):
        self.assertIn("x.px:1:8: '.' cannot name a colour", fault_of(lambda: library_of("colour . FFFFFF")))

    def test_bands_must_fill_their_area(self):
        lib = library_of("""
            colour a 6080C0
            colour b 80A0E0
            picture sky 4x6
              bands 0,0 4x6 a:2 b:3
            end
        """)
        self.assertEqual(fault_of(lambda: lib.picture("sky")), "x.px:4:1: the bands are 5 rows high, the area 6")


class SheetFaults(unittest.TestCase):
    def sheet_fault(self, layout):
        files = TempFiles(self, {"a.px": SMALL, "a.sheet": layout})
        lib = Library()
        lib.add_folder(files.dir.name)
        return fault_of(lambda: Sheet(files.path("a.sheet")).build(lib)).replace(files.dir.name + "/", "")

    def test_a_picture_of_the_wrong_size_names_the_cell(self):
        text = self.sheet_fault("sheet 10x10\ncell d 1,1 4x3 dot\n")
        self.assertEqual(text, "a.sheet:2:16: cell 'd' is 4x3 but picture 'dot' (a.px:3) is 3x3")

    def test_overlapping_cells_fail(self):
        text = self.sheet_fault("sheet 10x10\nstrip d 1,1 3x3 step 2,0 dot dot\n")
        self.assertEqual(text, "a.sheet:2:30: 'dot' overlaps 'dot' at (3,1)")

    def test_a_cell_beyond_the_sheet_fails(self):
        text = self.sheet_fault("sheet 10x10\nstrip d 1,1 3x3 step 0,4 dot dot dot\n")
        self.assertEqual(text, "a.sheet:2:34: 'dot' at (1,9) 3x3 does not fit the 10x10 sheet")


    def test_a_face_cell_that_changes_outside_its_boxes_fails(self):
        layout = ("sheet 10x10\ncell a 1,1 3x3 dot\ncell b 5,1 3x3 blink\n"
                  "expect only-inside blink dot 1,1 1x1\n")
        files = TempFiles(self, {"a.px": SMALL + """
            picture blink 3x3
              place dot
              fill 1,1 1x1 o
              fill 0,0 1x1 o
            end
        """, "a.sheet": layout})
        lib = Library()
        lib.add_folder(files.dir.name)
        text = fault_of(lambda: Sheet(files.path("a.sheet")).build(lib)).replace(files.dir.name + "/", "")
        self.assertEqual(text, "a.sheet:4:20: 'blink' differs from 'dot' outside its boxes at (0,0)")

    def test_a_box_that_must_stay_clear_names_the_first_pixel_in_it(self):
        text = self.sheet_fault("sheet 10x10\ncell d 1,1 3x3 dot\nexpect clear dot 0,1 3x2\n")
        self.assertEqual(text, "a.sheet:3:14: 'dot' has a pixel at (0,1) inside the box 0,1 3x2 that must stay clear")


class Outputs(unittest.TestCase):
    def picture(self):
        return library_of(SMALL).picture("dot")

    def test_png_holds_the_pixels_and_the_key_colour(self):
        w, h, rows = writers.read_png(writers.png_bytes(self.picture()))
        self.assertEqual((w, h), (3, 3))
        self.assertEqual(rows[0], [KEY, (0x20, 0x20, 0x40), KEY])
        self.assertEqual(rows[1][1], (255, 255, 255))

    def test_png_has_no_time_chunk(self):
        self.assertNotIn(b"tIME", writers.png_bytes(self.picture()))

    def test_icon_entries_are_32_bit_with_transparent_key(self):
        lib = library_of("""
            colour o 202040
            picture i16 16x16
              fill 1,1 14x14 o
            end
            picture i32 32x32
              fill 0,0 32x32 o
            end
        """)
        data = writers.ico_bytes([lib.picture("i32"), lib.picture("i16")])
        reserved, kind, count = struct.unpack("<HHH", data[:6])
        self.assertEqual((reserved, kind, count), (0, 1, 2))
        w, h, _, _, planes, bits, size, offset = struct.unpack("<BBBBHHII", data[6:22])
        self.assertEqual((w, h, planes, bits), (16, 16, 1, 32))
        header = struct.unpack("<IiiHH", data[offset:offset + 16])
        self.assertEqual(header, (40, 16, 32, 1, 32))
        first = data[offset + 40:offset + 44]            # bottom row, left pixel: the key
        inner = data[offset + 40 + 4 * (16 + 1):offset + 40 + 4 * (16 + 1) + 4]
        self.assertEqual(first, b"\0\0\0\0")
        self.assertEqual(inner, bytes((0x40, 0x20, 0x20, 255)))

    def test_cursor_carries_its_hot_spot(self):
        data = writers.cur_bytes(self.picture(), (1, 2))
        self.assertEqual(struct.unpack("<HHH", data[:6]), (0, 2, 1))
        self.assertEqual(struct.unpack("<HH", data[10:14]), (1, 2))

    def test_bitmap_rows_are_bottom_up_with_the_background_for_the_key(self):
        data = writers.bmp_bytes(self.picture(), background=(255, 255, 255))
        self.assertEqual(data[:2], b"BM")
        offset = struct.unpack("<I", data[10:14])[0]
        self.assertEqual(data[offset:offset + 9], bytes((255, 255, 255, 0x40, 0x20, 0x20, 255, 255, 255)))

    def test_a_project_builds_the_same_bytes_twice_and_lists_its_resources(self):
        files = TempFiles(self, {
            "p/a.px": SMALL,
            "p/a.sheet": "sheet 8x5\ncell d 1,1 3x3 dot\n",
            "p/p.art": "rc p.rc art/\npng 310 png310.png a.sheet\n",
        })
        outs = []
        for k in range(2):
            out = os.path.join(files.dir.name, f"out{k}")
            build_project(files.path("p/p.art"), out)
            with open(os.path.join(out, "png310.png"), "rb") as f:
                outs.append(f.read())
            with open(os.path.join(out, "p.rc"), encoding="utf-8") as f:
                self.assertIn('310 PNG "art/png310.png"', f.read())
        self.assertEqual(outs[0], outs[1])


@unittest.skipUnless(ART_DIR, "QUOREL_ART_DIR names the build's art folder")
class ShippedArt(unittest.TestCase):
    def read(self, name):
        with open(os.path.join(ART_DIR, name), "rb") as f:
            return f.read()

    def test_sheets_have_their_sizes(self):
        for name, size in (("png309.png", (666, 339)), ("png310.png", (70, 90)), ("png311.png", (220, 172)),
                           ("png312.png", (835, 400)), ("png313.png", (650, 400)), ("png335.png", (533, 113)), ("png334.png", (713, 155)),
                           ("png332.png", (959, 211))):
            w, h, _ = writers.read_png(self.read(name))
            self.assertEqual((w, h), size, name)

    def test_a_rebuild_gives_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as out:
            for project in ("resources/art/quorel.art", "cleanup/art/qorlclnup.art"):
                for name in build_project(os.path.join(SOURCE_DIR, project), out, review=False):
                    with open(os.path.join(out, name), "rb") as f:
                        self.assertEqual(f.read(), self.read(name), name)

    def test_the_resource_scripts_list_every_picture_the_programs_load(self):
        with open(os.path.join(ART_DIR, "quorel_art.rc"), encoding="utf-8") as f:
            listed = {int(line.split()[0]): line.split()[1] for line in f if line[:1].isdigit()}
        wanted = {128: "ICON", 130: "ICON", 148: "ICON", 149: "ICON", 151: "ICON", 132: "CURSOR",
                  222: "CURSOR", 199: "CURSOR", 207: "BITMAP", 210: "BITMAP", 277: "BITMAP", 278: "BITMAP", 309: "PNG",
                  310: "PNG", 311: "PNG", 312: "PNG", 313: "PNG",
                  214: "BITMAP", 219: "BITMAP", 220: "BITMAP", 216: "BITMAP", 217: "BITMAP", 218: "BITMAP",
                  335: "PNG", 334: "PNG", 332: "PNG"}
        self.assertEqual(listed, wanted)
        with open(os.path.join(ART_DIR, "qorlclnup.rc"), encoding="utf-8") as f:
            text = f.read()
        self.assertIn('128 ICON "art/qorlclnup/icon128.ico"', text)
        self.assertIn('130 BITMAP "art/qorlclnup/bitmap130.bmp"', text)

    def test_bitmaps_have_the_sizes_their_windows_expect(self):
        for name, size in (("bitmap210.bmp", (68, 42)), ("bitmap277.bmp", (25, 11)), ("bitmap278.bmp", (44, 7)),
                           ("bitmap214.bmp", (80, 105)), ("bitmap219.bmp", (120, 150)), ("bitmap220.bmp", (160, 210)),
                           ("bitmap216.bmp", (82, 72)), ("bitmap217.bmp", (117, 100)), ("bitmap218.bmp", (153, 132)),
                           ("qorlclnup/bitmap130.bmp", (96, 96))):
            data = self.read(name)
            self.assertEqual(struct.unpack("<ii", data[18:26]), size, name)
            offset, stride = struct.unpack("<I", data[10:14])[0], (size[0] * 3 + 3) & ~3
            pixels = [data[offset + y * stride + 3 * x:offset + y * stride + 3 * x + 3]
                      for y in range(size[1]) for x in range(size[0])]
            self.assertFalse(any(px == bytes((128, 0, 128)) for px in pixels), f"{name} shows the key colour")

    def test_calendar_title_fonts_are_found_as_the_calendar_reads_them(self):
        # Separator colour at (0, 1); the glyph height down column 1; 49 glyphs along row 1
        # up to half the sheet, the digits as wide as the calendar's digits.
        for name, height, digit in (("png335.png", 7, 4), ("png334.png", 10, 6), ("png332.png", 14, 8)):
            w, h, rows = writers.read_png(self.read(name))
            sep = rows[1][0]
            y = 1
            while y < h // 2 and rows[y][1] != sep:
                y += 1
            self.assertEqual(y - 1, height, name)
            x, widths = 1, []
            for _ in range(49):
                k = x
                while rows[1][k] != sep:
                    k += 1
                self.assertLessEqual(k, w // 2, name)
                widths.append(k - x)
                x = k + 1
            self.assertEqual(x - 1, (w - 1) // 2, name)
            self.assertEqual(widths[:10], [digit] * 10, name)
            self.assertEqual(h, 14 * (height + 1) + 1, name)

    def test_icons_hold_16_and_32_pixel_entries(self):
        for name in ("icon128.ico", "icon148.ico", "icon149.ico", "icon151.ico", "qorlclnup/icon128.ico"):
            data = self.read(name)
            count = struct.unpack("<H", data[4:6])[0]
            sizes = [data[6 + 16 * i] for i in range(count)]
            self.assertEqual(sizes, [16, 32], name)

    def test_every_digit_cell_has_ink_and_digits_differ(self):
        _, _, rows = writers.read_png(self.read("png311.png"))
        for y0, w, h, x0 in ((1, 11, 14, 86), (16, 11, 14, 86), (31, 11, 14, 86), (46, 11, 14, 86),
                             (63, 5, 7, 86), (71, 5, 7, 86), (81, 5, 7, 86), (89, 5, 7, 86)):
            cells = [tuple(tuple(rows[y][x0 + d * w + x] for x in range(w)) for y in range(y0, y0 + h))
                     for d in range(10)]
            for d, cell in enumerate(cells):
                self.assertTrue(any(p != KEY for r in cell for p in r), f"digit {d} of row y {y0}")
            self.assertEqual(len(set(cells)), 10, f"row y {y0} has two equal digits")


if __name__ == "__main__":
    unittest.main()
