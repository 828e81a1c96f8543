"""Writes the calendar's picture sources (resources/art/calendar/*.px, *.sheet).

The glyphs are typed here once as small grids (7-pixel letters, digits and
weekday characters, 10-pixel digits and weekday characters); the 10- and
14-pixel title letters are widened and heightened from the 7-pixel ones with
fixed row and column choices, and every sheet is laid out with its exact
geometry. Edit the grids here and run the script again:

    python3 tools/art/make_calendar_px.py resources/art/calendar
"""
import os
import sys

D4 = {
    "0": ".##. #..# #..# #..# #..# #..# .##.",
    "1": ".#.. ##.. .#.. .#.. .#.. .#.. ###.",
    "2": ".##. #..# ...# ..#. .#.. #... ####",
    "3": "###. ...# ...# .##. ...# ...# ###.",
    "4": "..#. .##. #.#. #.#. #### ..#. ..#.",
    "5": "#### #... ###. ...# ...# #..# .##.",
    "6": ".##. #... #... ###. #..# #..# .##.",
    "7": "#### ...# ..#. ..#. .#.. .#.. .#..",
    "8": ".##. #..# #..# .##. #..# #..# .##.",
    "9": ".##. #..# #..# .### ...# ...# .##.",
}
D6 = {
    "0": ".####. ##..## ##..## ##..## ##..## ##..## ##..## ##..## ##..## .####.",
    "1": "..##.. .###.. ..##.. ..##.. ..##.. ..##.. ..##.. ..##.. ..##.. .####.",
    "2": ".####. ##..## ....## ....## ...##. ..##.. .##... ##.... ##.... ######",
    "3": ".####. ##..## ....## ....## ..###. ....## ....## ....## ##..## .####.",
    "4": "...##. ..###. .####. ##.##. ##.##. ###### ...##. ...##. ...##. ...##.",
    "5": "###### ##.... ##.... #####. ....## ....## ....## ....## ##..## .####.",
    "6": ".####. ##..## ##.... ##.... #####. ##..## ##..## ##..## ##..## .####.",
    "7": "###### ....## ....## ...##. ...##. ..##.. ..##.. ..##.. ..##.. ..##..",
    "8": ".####. ##..## ##..## ##..## .####. ##..## ##..## ##..## ##..## .####.",
    "9": ".####. ##..## ##..## ##..## ##..## .##### ....## ....## ##..## .####.",
}
LETTERS = {
    "A": ".###. #...# #...# ##### #...# #...# #...#",
    "B": "####. #...# #...# ####. #...# #...# ####.",
    "C": ".###. #...# #.... #.... #.... #...# .###.",
    "D": "####. #...# #...# #...# #...# #...# ####.",
    "E": "##### #.... #.... ####. #.... #.... #####",
    "F": "##### #.... #.... ####. #.... #.... #....",
    "G": ".###. #...# #.... #.### #...# #...# .####",
    "H": "#...# #...# #...# ##### #...# #...# #...#",
    "I": "### .#. .#. .#. .#. .#. ###",
    "J": "..### ...#. ...#. ...#. ...#. #..#. .##..",
    "K": "#...# #..#. #.#.. ##... #.#.. #..#. #...#",
    "L": "#.... #.... #.... #.... #.... #.... #####",
    "M": "#.....# ##...## #.#.#.# #..#..# #.....# #.....# #.....#",
    "N": "#...# ##..# #.#.# #..## #...# #...# #...#",
    "O": ".###. #...# #...# #...# #...# #...# .###.",
    "P": "####. #...# #...# ####. #.... #.... #....",
    "Q": ".###. #...# #...# #...# #.#.# #..#. .##.#",
    "R": "####. #...# #...# ####. #.#.. #..#. #...#",
    "S": ".###. #...# #.... .###. ....# #...# .###.",
    "T": "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    "U": "#...# #...# #...# #...# #...# #...# .###.",
    "V": "#...# #...# #...# #...# #...# .#.#. ..#..",
    "W": "#.....# #.....# #.....# #..#..# #.#.#.# ##...## #.....#",
    "X": "#...# #...# .#.#. ..#.. .#.#. #...# #...#",
    "Y": "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..",
    "Z": "##### ....# ...#. ..#.. .#... #.... #####",
}
SIGNS = [  # character, picture name, grid
    ("!", "excl", "# # # # # . #"),
    ('"', "quote", "#.# #.# ... ... ... ... ..."),
    ("#", "hash", ".#.#. ##### .#.#. .#.#. .#.#. ##### .#.#."),
    ("$", "dollar", "..#.. .#### #.#.. .###. ..#.# ####. ..#.."),
    ("%", "percent", "##...# ##..#. ...#.. ..#... .#..## #...## ......"),
    ("'", "apos", "# # . . . . ."),
    ("(", "lparen", ".# #. #. #. #. #. .#"),
    (")", "rparen", "#. .# .# .# .# .# #."),
    ("=", "equals", ".... .... #### .... #### .... ...."),
    ("-", "minus", ".... .... .... #### .... .... ...."),
    ("^", "caret", ".#. #.# ... ... ... ... ..."),
    ("~", "tilde", "..... ..... .#... #.#.# ...#. ..... ....."),
    ("/", "slash", "...# ...# ..#. ..#. .#.. .#.. #..."),
]
# Weekday and title characters: 7 pixels (small; doubled for large) and 10 pixels (medium).
KANJI7 = {
    "nichi": "##### #...# #...# ##### #...# #...# #####",
    "getsu": ".##### .#...# .##### .#...# .##### .#...# #...##",
    "ka": "...#... .#.#.#. #..#..# ...#... ..#.#.. .#...#. #.....#",
    "sui": "...#... ##.#..# .#.#.#. .#.##.. #..#.#. ...#..# .##....",
    "moku": "...#... ...#... ####### ..###.. .#.#.#. #..#..# ...#...",
    "kin": "...#... ..#.#.. .#####. ...#... .#####. .#.#.#. #######",
    "do": "...#... ...#... .#####. ...#... ...#... ...#... #######",
    "nen": ".#..... .###### #..#... .#####. .#.#... ####### ...#...",
}
KANJI10 = {
    "nichi": "####### #.....# #.....# #.....# ####### #.....# #.....# #.....# #.....# #######",
    "getsu": ".######. .#....#. .#....#. .######. .#....#. .#....#. .######. .#....#. #.....#. #....##.",
    "ka": "....#.... ....#.... .#..#..#. .#..#.#.. #...#...# ....#.... ...#.#... ..#...#.. .#.....#. #.......#",
    "sui": "....#.... ....#...# ###.#..#. ..#.#.#.. ..#.##... ..#.#.#.. .#..#..#. #...#...# ....#.... ..###....",
    "moku": "....#.... ....#.... ######### ...###... ..#.#.#.. .#..#..#. #...#...# ....#.... ....#.... ....#....",
    "kin": "....#.... ...#.#... ..#...#.. .#######. ....#.... ######### .#..#..#. ..#.#.#.. ....#.... #########",
    "do": "....#.... ....#.... ....#.... .#######. ....#.... ....#.... ....#.... ....#.... ....#.... #########",
    "nen": ".#....... .######## #...#.... .#######. .#..#.... .#..#.... ######### ....#.... ....#.... ....#....",
}
WEEK_SUN = ["nichi", "getsu", "ka", "sui", "moku", "kin", "do"]
WEEK_MON = WEEK_SUN[1:] + WEEK_SUN[:1]

# Title letters, 10 pixels: which of the seven rows are doubled, and the glyph
# widths chosen so that the sheet is 713 pixels wide (doubled columns listed).
ROWS10 = [0, 1, 1, 2, 3, 3, 4, 5, 5, 6]
ROWS10_BAR3 = [0, 1, 2, 2, 3, 4, 4, 5, 5, 6]  # letters whose middle row is a bar


def grid(text):
    return text.split(" ")


def widen(rows, cols):
    """Doubles the given source columns."""
    out = []
    for r in rows:
        s = ""
        for i, ch in enumerate(r):
            s += ch * (2 if i in cols else 1)
        out.append(s)
    return out


def medium_letter(ch, rows):
    w = len(rows[0])
    bar3 = "###" in rows[3]
    rmap = ROWS10_BAR3 if bar3 else ROWS10
    tall = [rows[i] for i in rmap]
    if ch == "I":
        return widen(tall, {1})
    if ch in "MW":
        return widen(tall, {0, 6})
    return widen(tall, {0, w - 1})


SIGN_COLS10 = {"excl": {0}, "quote": {1}, "hash": {1, 3}, "dollar": {0, 4}, "percent": {0, 5},
               "apos": {0}, "lparen": {0}, "rparen": {1}, "equals": {0, 3}, "minus": {0, 3},
               "caret": {1}, "tilde": {0, 4}, "slash": {1}}


def medium_sign(name, rows):
    tall = [rows[i] for i in ROWS10]
    return widen(tall, SIGN_COLS10[name])


def large(rows, single=()):
    out = []
    for r in rows:
        s = "".join(ch * (1 if i in single else 2) for i, ch in enumerate(r))
        out += [s, s]
    return out


def emit_grid(name, rows):
    w, h = len(rows[0]), len(rows)
    assert all(len(r) == w for r in rows), name
    lines = [f"picture {name} {w}x{h}", "  grid"]
    lines += ["    " + r.replace("#", "a") for r in rows]
    lines += ["  end", "end", ""]
    return lines


# Colours: the seven mark colours, paled for the neighbouring months, and their
# high-contrast forms on black.
MARKS = ["000000", "0000FF", "FF0000", "00E300", "CE00CE", "FF8000", "77C4FD"]
MARKS_HC = ["FFFFFF", "6FA8FF", "FF6A6A", "3CFF3C", "FF7CFF", "FFB050", "9ADCFF"]
N_CH, P_CH, H_CH, Q_CH = "abcdefg", "hijklmn", "opqrstu", "HIJKLMN"


def pale(hexrgb, towards, t):
    c = [int(hexrgb[i:i + 2], 16) for i in (0, 2, 4)]
    return "".join("%02X" % round(v + (towards - v) * t) for v in c)


def palette():
    out = ["# Colours of the calendar's sheets. One character a colour; '.' is always the key.",
           "# Mark colours (digits, title letters): normal, paled, high contrast, high contrast paled."]
    names = ["black", "blue", "red", "green", "purple", "orange", "sky blue"]
    for i in range(7):
        out.append(f"{N_CH[i]} {MARKS[i]}  {names[i]}")
        out.append(f"{P_CH[i]} {pale(MARKS[i], 255, 0.62)}  {names[i]}, paled")
        out.append(f"{H_CH[i]} {MARKS_HC[i]}  {names[i]}, high contrast")
        out.append(f"{Q_CH[i]} {pale(MARKS_HC[i], 0, 0.55)}  {names[i]}, high contrast paled")
    out += [
        "W FFFFFF  white ground",
        "9 000000  black ground",
        "G 989898  outer border",
        "Y FFFFBF  title strip",
        "y E8E4B0  title strip lower edge",
        "U D6DCE8  header underline",
        "3 5A5A5A  header underline, high contrast",
        "O 5A6E9A  button outline",
        "F E6EEFF  button face",
        "1 B8C8E8  button face shade",
        "A 2C3160  button arrow",
        "S FFC23C  highlighted button face",
        "2 D08A10  highlighted button outline",
        "B FFFF00  highlighted button, high contrast",
        "z 00A8A8  title font separator",
    ]
    chars = [line.split()[0] for line in out if not line.startswith("#")]
    assert len(chars) == len(set(chars)), "a palette character names two colours"
    return out


def button_grid(size, kind, hc, lit):
    """A rounded box with an arrow (previous, next) or a dot (this month)."""
    o = "2" if lit and not hc else ("W" if hc and not lit else ("9" if hc else "O"))
    face = ("B" if hc else "S") if lit else ("9" if hc else "F")
    ink = ("9" if lit else "W") if hc else "A"
    g = [[face] * size for _ in range(size)]
    for i in range(size):
        g[0][i] = g[size - 1][i] = g[i][0] = g[i][size - 1] = o
    for x, y in ((0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)):
        g[y][x] = "."
    if not hc and not lit:
        for i in range(1, size - 1):
            g[size - 2][i] = "1"
    inner = size - 4  # drawing box from 2 .. size-3
    mid = (size - 1) / 2
    if kind == "this":
        r = max(1, inner // 3)
        for y in range(size):
            for x in range(size):
                if abs(x - mid) <= r - 0.5 + 0.01 and abs(y - mid) <= r - 0.5 + 0.01:
                    g[y][x] = ink
    else:
        half = (inner + 1) // 2  # triangle depth
        top, bottom = 2, size - 3
        for y in range(top, bottom + 1):
            span = int(half - abs(y - mid) + 0.5)
            for k in range(span):
                x = (size // 2 - half // 2 + k) if kind == "prev" else (size // 2 + (half - 1) // 2 - k)
                if kind == "prev":
                    x = size // 2 - half // 2 + (half - span) + k
                else:
                    x = size // 2 - (half + 1) // 2 + k
                g[y][x] = ink
    return ["".join(r) for r in g]


SIZES = {
    # name: W, H, glyph w, h, x0, y0, col gap, row gap, strip, header, button, button places,
    #       year at, month at, kanji size
    "small": dict(W=82, H=69, w=4, h=7, x0=3, y0=20, strip=10, header=9, btn=8,
                  buttons=[(1, 1), (11, 1), (73, 1)], year=(23, 2), month=(53, 2), k=7, kscale=1,
                  digits=214, frame=216, font=335, fontw=533),
    "medium": dict(W=117, H=103, w=6, h=10, x0=4, y0=29, strip=14, header=13, btn=10,
                   buttons=[(3, 3), (16, 3), (104, 3)], year=(32, 3), month=(76, 3), k=10, kscale=1,
                   digits=219, frame=217, font=334, fontw=713),
    "large": dict(W=153, H=143, w=8, h=14, x0=5, y0=38, strip=18, header=17, btn=14,
                  buttons=[(4, 3), (22, 3), (135, 3)], year=(43, 3), month=(98, 3), k=7, kscale=2,
                  digits=220, frame=218, font=332, fontw=959),
}
COLGAP = {"small": 2, "medium": 3, "large": 4}


def kanji_name(size, name):
    return f"cal_kanji{SIZES[size]['k']}_{name}"


def kanji_rows(size, name):
    rows = grid((KANJI7 if SIZES[size]["k"] == 7 else KANJI10)[name])
    return rows


def place_kanji(size, name, x, y, colour):
    sc = SIZES[size]["kscale"]
    s = f" scale{sc}" if sc > 1 else ""
    return f"  place {kanji_name(size, name)} {x},{y}{s} map a={colour}"


def digit_picture(size):
    z = SIZES[size]
    w, h = z["w"], z["h"]
    W, H = 20 * w, 15 * h
    out = [f"# Digit sheet of the {size} calendar (bitmap {z['digits']}): 20 x 15 cells of {w} x {h}.",
           "# Row 0 the mask, rows 1-7 the mark colours, rows 8-14 paled; columns 10-19 high contrast.",
           f"picture cal_digits_{size} {W}x{H}", f"  fill 0,0 {W}x{H} W", f"  fill 0,0 {W}x{h} 9"]
    for d in range(10):
        src = f"cal_digit{4 if w == 8 else w}_{d}"
        sc = " scale2" if w == 8 else ""
        for half in (0, 1):
            x = (d + 10 * half) * w
            out.append(f"  place {src} {x},0{sc} map a=W")
            for row in range(1, 15):
                c = (row - 1) % 7
                paled = row >= 8
                ch = (Q_CH if paled else H_CH)[c] if half else (P_CH if paled else N_CH)[c]
                out.append(f"  place {src} {x},{row * h}{sc} map a={ch}")
    out += ["end", ""]
    return out


def frame_picture(size):
    z = SIZES[size]
    W, w = z["W"], z["w"]
    strip, header, btn = z["strip"], z["header"], z["btn"]
    half_h = strip + btn + 2 * header
    pitch = COLGAP[size] + 2 * w + 1
    kw = {n: len(kanji_rows(size, n)[0]) * z["kscale"] for n in KANJI7}
    kh = z["k"] * z["kscale"]
    out = [f"# Frame sheet of the {size} calendar (bitmap {z['frame']}): title strip, lit buttons,",
           "# weekday headers from Sunday and from Monday; the lower half in high contrast.",
           f"picture cal_frame_{size} {W}x{2 * half_h}"]
    for hc in (0, 1):
        y0 = hc * half_h
        ground, border = ("9", "W") if hc else ("W", "G")
        out.append(f"  fill 0,{y0} {W}x{half_h} {ground}")
        # Title strip: its ground, the outer border's top and sides, the buttons, 年 and 月.
        out.append(f"  fill 0,{y0} {W}x{strip} {'9' if hc else 'Y'}")
        if not hc:
            out.append(f"  fill 1,{y0 + strip - 1} {W - 2}x1 y")
        out.append(f"  fill 0,{y0} {W}x1 {border}")
        out.append(f"  fill 0,{y0} 1x{strip} {border}")
        out.append(f"  fill {W - 1},{y0} 1x{strip} {border}")
        for kind, (bx, by) in zip(("prev", "this", "next"), z["buttons"]):
            out.append(f"  place cal_button{btn}_{kind}{'_hc' if hc else ''} {bx},{y0 + by}")
        ink = "o" if hc else "a"
        yx, yy = z["year"]
        mx, my = z["month"]
        ky = y0 + yy + (z["h"] - kh)
        out.append(place_kanji(size, "nen", yx + 4 * w + 3 + 2, ky, ink))
        out.append(place_kanji(size, "getsu", mx + 2 * w + 1 + 2, ky, ink))
        # The lit buttons side by side.
        by = y0 + strip
        for i, kind in enumerate(("prev", "this", "next")):
            out.append(f"  place cal_button{btn}_{kind}_lit{'_hc' if hc else ''} {i * btn},{by}")
        # Weekday headers.
        for j, week in enumerate((WEEK_SUN, WEEK_MON)):
            hy = y0 + strip + btn + j * header
            out.append(f"  fill 0,{hy} 1x{header} {border}")
            out.append(f"  fill {W - 1},{hy} 1x{header} {border}")
            out.append(f"  fill 2,{hy + header - 1} {W - 4}x1 {'3' if hc else 'U'}")
            for col, name in enumerate(week):
                colour = ("q" if hc else "c") if name == "nichi" else (("p" if hc else "b") if name == "do" else ink)
                kx = z["x0"] + col * pitch + (2 * w + 1 - kw[name] + 1) // 2
                ky2 = hy + (header - 1 - kh) // 2
                out.append(place_kanji(size, name, kx, ky2, colour))
    out += ["end", ""]
    return out


def font_glyphs(size):
    """(character picture name, width) in sheet order, with the grids of this size."""
    z = SIZES[size]
    items = []
    for d in "0123456789":
        items.append((f"cal_digit{z['w']}_{d}", z["w"]))
    for ch in "ABCDEFGHIJKLMNOPQRSTUVWXYZ":
        items.append((f"cal_font{z['h']}_{ch}", None))
    for ch, name, _ in SIGNS:
        items.append((f"cal_font{z['h']}_{name}", None))
    return items


def font_grids():
    out = []
    for ch, g in LETTERS.items():
        rows = grid(g)
        out += emit_grid(f"cal_font7_{ch}", rows)
        out += emit_grid(f"cal_font10_{ch}", medium_letter(ch, rows))
        out += emit_grid(f"cal_font14_{ch}", large(rows, {2, 4} if ch in "MW" else ()))
    for ch, name, g in SIGNS:
        rows = grid(g)
        out += emit_grid(f"cal_font7_{name}", rows)
        out += emit_grid(f"cal_font10_{name}", medium_sign(name, rows))
        out += emit_grid(f"cal_font14_{name}", large(rows))
    return out


def font_picture(size, widths):
    z = SIZES[size]
    h = z["h"]
    items = font_glyphs(size)
    strip = sum(widths[n] for n, _ in items) + len(items)
    W = 2 * strip + 1
    assert W == z["fontw"], (size, W, z["fontw"])
    H = 14 * (h + 1) + 1
    out = [f"# Title font of the {size} calendar (PNG {z['font']}): 49 glyphs {h} high in 14 colour bands,",
           "# separated by one-pixel lines of the separator colour; the right half in high contrast.",
           f"picture cal_font_{size} {W}x{H}", f"  fill 0,0 {W}x{H} z"]
    for half in (0, 1):
        for band in range(14):
            c = band % 7
            paled = band >= 7
            ch = (Q_CH if paled else H_CH)[c] if half else (P_CH if paled else N_CH)[c]
            y = 1 + band * (h + 1)
            x = 1 + half * strip
            for name, _ in items:
                gw = widths[name]
                sc = " scale2" if name.startswith("cal_digit8") else ""
                if name.startswith("cal_digit8"):
                    name = name.replace("digit8", "digit4")
                out.append(f"  clear {x},{y} {gw}x{h}")
                out.append(f"  place {name} {x},{y}{sc} map a={ch}")
                x += gw + 1
    out += ["end", ""]
    return out


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    glyphs = ["# Calendar glyphs: digits, title letters and signs, weekday characters.",
              "# Written by tools/art/make_calendar_px.py; 'a' is the ink, recoloured where placed.",
              "palette calendar", ""]
    widths = {}
    for d in "0123456789":
        glyphs += emit_grid(f"cal_digit4_{d}", grid(D4[d]))
        glyphs += emit_grid(f"cal_digit6_{d}", grid(D6[d]))
        widths[f"cal_digit4_{d}"] = 4
        widths[f"cal_digit6_{d}"] = 6
        widths[f"cal_digit8_{d}"] = 8
    fg = font_grids()
    glyphs += fg
    name = None
    for line in fg:
        if line.startswith("picture "):
            name = line.split()[1]
            widths[name] = int(line.split()[2].split("x")[0])
    for n, g in KANJI7.items():
        glyphs += emit_grid(f"cal_kanji7_{n}", grid(g))
    for n, g in KANJI10.items():
        glyphs += emit_grid(f"cal_kanji10_{n}", grid(g))
    with open(os.path.join(out_dir, "glyphs.px"), "w") as f:
        f.write("\n".join(glyphs))
    buttons = ["# The calendar's buttons (previous month, this month, next month): normal and lit,",
               "# normal and high contrast.", "palette calendar", ""]
    for size in (8, 10, 14):
        for kind in ("prev", "this", "next"):
            for lit in (0, 1):
                for hc in (0, 1):
                    nm = f"cal_button{size}_{kind}{'_lit' if lit else ''}{'_hc' if hc else ''}"
                    rows = button_grid(size, kind, hc, lit)
                    buttons += [f"picture {nm} {size}x{size}", "  grid"] + ["    " + r for r in rows]
                    buttons += ["  end", "end", ""]
    with open(os.path.join(out_dir, "buttons.px"), "w") as f:
        f.write("\n".join(buttons))
    sheets = ["# The calendar's sheets, composed from the glyphs and buttons.", "palette calendar", ""]
    for size in SIZES:
        sheets += digit_picture(size) + frame_picture(size) + font_picture(size, widths)
    # A review page: the six bitmaps at 2x on a grey ground.
    sheets += ["# Review: the digit sheets (top) and frame sheets (bottom) at 2x.",
               "picture review_calendar_sheets 740x712", "  fill 0,0 740x712 G"]
    x = 4
    for size in SIZES:
        sheets.append(f"  place cal_digits_{size} {x},4 scale2")
        x += 2 * 20 * SIZES[size]["w"] + 8
    x = 4
    for size in SIZES:
        sheets.append(f"  place cal_frame_{size} {x},432 scale2")
        x += 2 * SIZES[size]["W"] + 8
    sheets += ["end", ""]
    with open(os.path.join(out_dir, "sheets.px"), "w") as f:
        f.write("\n".join(sheets))
    with open(os.path.join(out_dir, "..", "palettes", "calendar.pal"), "w") as f:
        f.write("\n".join(palette()) + "\n")
    for size, z in SIZES.items():
        fw = z["fontw"]
        fh = 14 * (z["h"] + 1) + 1
        with open(os.path.join(out_dir, f"png{z['font']}.sheet"), "w") as f:
            f.write(f"# Title font of the {size} calendar, {fw} x {fh}: one picture, laid out in sheets.px.\n"
                    f"sheet {fw}x{fh}\n\ncell font 0,0 {fw}x{fh} cal_font_{size}\n")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/art/calendar")
