"""Parser of picture sources (.px), palettes (.pal) and the builder of their pictures.

A picture is built from operations applied back to front: hand-typed grids placed at
x,y, other pictures placed at x,y or at a named anchor, and small generators (fills,
discs, rings, lines, colour bands, seeded scatter, backings, outlines). The format is
described in tools/art/README.md.
"""
import math
import os
import re

from .errors import ArtError
from .image import Image, KEY, near_key

_SIZE = re.compile(r"^(\d+)x(\d+)$")
_POINT = re.compile(r"^(-?\d+(?:\.\d+)?),(-?\d+(?:\.\d+)?)$")
_HEX = re.compile(r"^#?([0-9A-Fa-f]{6})$")


class Palette:
    """Pixel characters of one source file; '.' is always the key colour (transparent)."""

    def __init__(self):
        self.colours = {}

    def add(self, char, rgb, path, line, column):
        if len(char) != 1 or char in ".#" or char.isspace():
            raise ArtError(path, line, column, f"'{char}' cannot name a colour ('.' is the key, '#' starts comments)")
        if rgb == KEY or near_key(rgb):
            raise ArtError(path, line, column,
                           "colour %02X%02X%02X is the key colour or too close to it (808000 +-24)" % rgb)
        self.colours[char] = rgb

    def lookup(self, char, path, line, column):
        if char == ".":
            return None
        if char not in self.colours:
            raise ArtError(path, line, column, f"'{char}' is not in the palette")
        return self.colours[char]


class PictureDef:
    def __init__(self, name, width, height, path, line, palette):
        self.name = name
        self.width = width
        self.height = height
        self.path = path
        self.line = line
        self.palette = palette
        self.ops = []
        self.anchors = {}


def _tokens(text):
    """Words of a command line, without a trailing comment."""
    return [w for w, _ in _tokens_at(text)]


def _tokens_at(text):
    """Words of a command line with their 1-based columns."""
    cut = text.find(" #")
    if cut >= 0:
        text = text[:cut]
    return [(m.group(0), m.start() + 1) for m in re.finditer(r"\S+", text)]


def _column_of(raw, word, start=0):
    i = raw.find(word, start)
    return i + 1 if i >= 0 else 1


def parse_size(word, path, line, raw):
    m = _SIZE.match(word)
    if not m:
        raise ArtError(path, line, _column_of(raw, word), f"'{word}' is not a size WxH")
    return int(m.group(1)), int(m.group(2))


def parse_point(word, path, line, raw, floats=False):
    m = _POINT.match(word)
    if not m or (not floats and ("." in word)):
        raise ArtError(path, line, _column_of(raw, word), f"'{word}' is not a point x,y")
    conv = float if floats else int
    return conv(m.group(1)), conv(m.group(2))


def parse_number(word, path, line, raw, floats=False):
    try:
        return float(word) if floats else int(word)
    except ValueError:
        raise ArtError(path, line, _column_of(raw, word), f"'{word}' is not a number") from None


def parse_colour_line(words, raw, path, line, palette):
    """'C RRGGBB [name...]' (the body of a palette line or a 'colour' command)."""
    at = _tokens_at(raw)[len(_tokens_at(raw)) - len(words):]
    if len(words) < 2:
        raise ArtError(path, line, 1, "a colour needs a character and RRGGBB")
    m = _HEX.match(words[1])
    if not m:
        raise ArtError(path, line, at[1][1], f"'{words[1]}' is not a colour RRGGBB")
    v = int(m.group(1), 16)
    palette.add(words[0], ((v >> 16) & 255, (v >> 8) & 255, v & 255), path, line, at[0][1])


def read_palette_file(path, palette):
    with open(path, encoding="utf-8") as f:
        for n, raw in enumerate(f, 1):
            raw = raw.rstrip("\r\n")
            words = _tokens(raw)
            if not words or words[0].startswith("#"):
                continue
            parse_colour_line(words, raw, path, n, palette)


class Library:
    """Every palette and picture of a set of source folders, by name."""

    def __init__(self):
        self.palette_files = {}
        self.defs = {}
        self._built = {}
        self._building = set()

    # --- loading -------------------------------------------------------------------------
    def add_folder(self, folder):
        self.add_folders([folder])

    def add_folders(self, folders):
        """Reads every palette of the folders first, so a source may use any of them."""
        found = []
        for folder in folders:
            for root, dirs, files in os.walk(folder):
                dirs.sort()
                for name in sorted(files):
                    found.append(os.path.join(root, name))
        for path in found:
            if path.endswith(".pal"):
                stem = os.path.splitext(os.path.basename(path))[0]
                self.palette_files[stem] = path
        for path in found:
            if path.endswith(".px"):
                self.parse_file(path)

    def parse_file(self, path):
        with open(path, encoding="utf-8") as f:
            lines = [l.rstrip("\r\n") for l in f]
        self.parse_lines(path, lines)

    def parse_lines(self, path, lines):
        palette = Palette()
        current = None
        i = 0
        while i < len(lines):
            raw = lines[i]
            n = i + 1
            i += 1
            words = _tokens(raw)
            if not words or words[0].startswith("#"):
                continue
            cmd = words[0]
            if current is None:
                if cmd == "palette":
                    if len(words) != 2 or words[1] not in self.palette_files:
                        raise ArtError(path, n, _column_of(raw, words[-1]),
                                       f"no palette named '{' '.join(words[1:])}'")
                    read_palette_file(self.palette_files[words[1]], palette)
                elif cmd == "colour":
                    parse_colour_line(words[1:], raw, path, n, palette)
                elif cmd == "picture":
                    if len(words) != 3:
                        raise ArtError(path, n, 1, "expected: picture NAME WxH")
                    name = words[1]
                    if name in self.defs:
                        other = self.defs[name]
                        raise ArtError(path, n, _column_of(raw, name),
                                       f"picture '{name}' is already defined at {other.path}:{other.line}")
                    w, h = parse_size(words[2], path, n, raw)
                    snapshot = Palette()
                    snapshot.colours = dict(palette.colours)
                    current = PictureDef(name, w, h, path, n, snapshot)
                    self.defs[name] = current
                else:
                    raise ArtError(path, n, 1, f"unknown command '{cmd}' (palette, colour, picture)")
                continue
            if cmd == "end":
                current = None
            elif cmd == "grid":
                at = parse_point(words[1], path, n, raw) if len(words) > 1 else (0, 0)
                rows = []
                while i < len(lines) and lines[i].strip() != "end":
                    rows.append((i + 1, lines[i]))
                    i += 1
                if i >= len(lines):
                    raise ArtError(path, n, 1, "grid without its 'end' line")
                i += 1
                current.ops.append(("grid", n, raw, at, rows))
            elif cmd == "anchor":
                if len(words) != 3:
                    raise ArtError(path, n, 1, "expected: anchor NAME x,y")
                current.anchors[words[1]] = parse_point(words[2], path, n, raw)
            else:
                cols = [c for _, c in _tokens_at(raw)][1:]
                current.ops.append((cmd, n, raw, words[1:], cols))
        if current is not None:
            raise ArtError(path, current.line, 1, f"picture '{current.name}' has no 'end' line")

    # --- building ------------------------------------------------------------------------
    def picture(self, name, path=None, line=0, column=0):
        if name in self._built:
            return self._built[name]
        d = self.defs.get(name)
        if d is None:
            raise ArtError(path or "?", line, column, f"no picture named '{name}'")
        if name in self._building:
            raise ArtError(d.path, d.line, 1, f"picture '{name}' contains itself")
        self._building.add(name)
        image = Image(d.width, d.height)
        for op in d.ops:
            self._apply(d, image, op)
        self._building.discard(name)
        self._built[name] = image
        return image

    def definition(self, name):
        return self.defs.get(name)

    def _colour(self, d, char, n, column):
        if len(char) != 1:
            raise ArtError(d.path, n, column, f"'{char}' is not one pixel character")
        return d.palette.lookup(char, d.path, n, column)

    def _apply(self, d, image, op):
        cmd, n = op[0], op[1]
        if cmd == "grid":
            self._grid(d, image, op)
            return
        raw, args, cols = op[2], op[3], op[4]
        p = d.path

        def col(i):
            return cols[i] if 0 <= i < len(cols) else 1

        def need(count, usage):
            if len(args) < count:
                raise ArtError(p, n, 1, f"expected: {cmd} {usage}")

        if cmd == "fill" or cmd == "frame":
            need(3, "x,y WxH C")
            x0, y0 = parse_point(args[0], p, n, raw)
            w, h = parse_size(args[1], p, n, raw)
            c = self._colour(d, args[2], n, col(2))
            for y in range(y0, y0 + h):
                for x in range(x0, x0 + w):
                    edge = x in (x0, x0 + w - 1) or y in (y0, y0 + h - 1)
                    if cmd == "fill" or edge:
                        image.set(x, y, c)
        elif cmd == "clear":
            need(2, "x,y WxH")
            x0, y0 = parse_point(args[0], p, n, raw)
            w, h = parse_size(args[1], p, n, raw)
            for y in range(y0, y0 + h):
                for x in range(x0, x0 + w):
                    image.set(x, y, None)
        elif cmd == "round":
            # Rounds the four corners of a box whose edge is colour C: the corner pixel and its two
            # neighbours become key, the pixel diagonally inside takes the edge colour.
            need(3, "x,y WxH C")
            x0, y0 = parse_point(args[0], p, n, raw)
            w, h = parse_size(args[1], p, n, raw)
            c = self._colour(d, args[2], n, col(2))
            for cx, cy, sx, sy in ((x0, y0, 1, 1), (x0 + w - 1, y0, -1, 1),
                                   (x0, y0 + h - 1, 1, -1), (x0 + w - 1, y0 + h - 1, -1, -1)):
                for dx, dy in ((0, 0), (1, 0), (0, 1)):
                    image.set(cx + sx * dx, cy + sy * dy, None)
                image.set(cx + sx, cy + sy, c)
        elif cmd == "clipdisc":
            need(2, "cx,cy r")
            cx, cy = parse_point(args[0], p, n, raw, floats=True)
            r = parse_number(args[1], p, n, raw, floats=True)
            for y in range(image.height):
                for x in range(image.width):
                    if math.hypot(x + 0.5 - cx, y + 0.5 - cy) > r:
                        image.set(x, y, None)
        elif cmd == "disc" or cmd == "ring":
            need(3 if cmd == "disc" else 4, "cx,cy r C" if cmd == "disc" else "cx,cy r width C")
            cx, cy = parse_point(args[0], p, n, raw, floats=True)
            r = parse_number(args[1], p, n, raw, floats=True)
            inner = r - parse_number(args[2], p, n, raw, floats=True) if cmd == "ring" else -1.0
            c = self._colour(d, args[-1], n, col(len(args) - 1))
            for y in range(image.height):
                for x in range(image.width):
                    dist = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                    if dist <= r and dist > inner:
                        image.set(x, y, c)
        elif cmd == "line":
            need(3, "x0,y0 x1,y1 C")
            x0, y0 = parse_point(args[0], p, n, raw)
            x1, y1 = parse_point(args[1], p, n, raw)
            c = self._colour(d, args[2], n, col(2))
            dx, dy = abs(x1 - x0), -abs(y1 - y0)
            sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
            err = dx + dy
            while True:
                image.set(x0, y0, c)
                if (x0, y0) == (x1, y1):
                    break
                e2 = 2 * err
                if e2 >= dy:
                    err += dy
                    x0 += sx
                if e2 <= dx:
                    err += dx
                    y0 += sy
        elif cmd == "bands":
            # Hand-picked colour bands from top to bottom: C:height ...
            need(3, "x,y WxH C:height ...")
            x0, y0 = parse_point(args[0], p, n, raw)
            w, h = parse_size(args[1], p, n, raw)
            y, total = y0, 0
            for k, band in enumerate(args[2:], 2):
                char, _, height = band.partition(":")
                c = self._colour(d, char, n, col(k))
                hh = parse_number(height, p, n, raw)
                for yy in range(y, y + hh):
                    for x in range(x0, x0 + w):
                        image.set(x, yy, c)
                y += hh
                total += hh
            if total != h:
                raise ArtError(p, n, 1, f"the bands are {total} rows high, the area {h}")
        elif cmd == "scatter":
            # Seeded particles: the same seed gives the same pixels on every build.
            need(5, "SEED COUNT x,y WxH C...")
            seed = parse_number(args[0], p, n, raw)
            count = parse_number(args[1], p, n, raw)
            x0, y0 = parse_point(args[2], p, n, raw)
            w, h = parse_size(args[3], p, n, raw)
            colours = [self._colour(d, ch, n, col(k)) for k, ch in enumerate(args[4:], 4)]
            state = seed & 0xFFFFFFFF
            for k in range(count):
                state = (state * 1103515245 + 12345) & 0x7FFFFFFF
                x = x0 + state % w
                state = (state * 1103515245 + 12345) & 0x7FFFFFFF
                yy = y0 + state % h
                image.set(x, yy, colours[k % len(colours)])
        elif cmd == "place":
            need(1, "PICTURE [x,y | @ANCHOR] [flipx] [map A=B ...]")
            src = self.picture(args[0], p, n, col(0))
            x0, y0, mapping, flip, scale = 0, 0, {}, False, 1
            for word in args[1:]:
                if word.startswith("@"):
                    anchor = word[1:]
                    if anchor not in d.anchors:
                        raise ArtError(p, n, _column_of(raw, word), f"picture '{d.name}' has no anchor '{anchor}'")
                    x0, y0 = d.anchors[anchor]
                    pivot = self.defs[args[0]].anchors.get("pivot", (0, 0))
                    x0, y0 = x0 - pivot[0], y0 - pivot[1]
                elif word == "flipx":
                    flip = True
                elif word.startswith("scale"):
                    factor = parse_number(word[5:] or "0", p, n, raw)
                    if factor < 1:
                        raise ArtError(p, n, _column_of(raw, word), "expected scaleN with N >= 1")
                    scale = factor
                elif "=" in word:
                    a, _, b = word.partition("=")
                    wc = _column_of(raw, word)
                    ca = d.palette.lookup(a, p, n, wc) if len(a) == 1 else None
                    cb = d.palette.lookup(b, p, n, wc + 2) if len(b) == 1 else None
                    if ca is None or (cb is None and b != "."):
                        raise ArtError(p, n, wc, f"'{word}' must map one palette character to another")
                    mapping[ca] = cb
                elif word == "map":
                    continue
                else:
                    x0, y0 = parse_point(word, p, n, raw)
            if flip:
                src = src.flipped_x()
            if scale > 1:
                src = src.scaled(scale)
            if any(v is None for v in mapping.values()):
                src = src.copy()
                for row in src.rows:
                    for x, px in enumerate(row):
                        if px in mapping and mapping[px] is None:
                            row[x] = None
                mapping = {k: v for k, v in mapping.items() if v is not None}
            image.paste(src, x0, y0, mapping)
        elif cmd == "backing":
            # A silhouette of another picture grown by N pixels (the white ground of an icon).
            need(2, "PICTURE C [grow N] [at x,y]")
            src = self.picture(args[0], p, n, col(0))
            c = self._colour(d, args[1], n, col(1))
            grow, x0, y0 = 1, 0, 0
            rest = args[2:]
            while rest:
                if rest[0] == "grow" and len(rest) > 1:
                    grow = parse_number(rest[1], p, n, raw)
                elif rest[0] == "at" and len(rest) > 1:
                    x0, y0 = parse_point(rest[1], p, n, raw)
                else:
                    raise ArtError(p, n, _column_of(raw, rest[0]), f"unexpected '{rest[0]}'")
                rest = rest[2:]
            for y in range(-grow, src.height + grow):
                for x in range(-grow, src.width + grow):
                    hit = any(src.opaque(x + dx, y + dy)
                              for dy in range(-grow, grow + 1) for dx in range(-grow, grow + 1)
                              if abs(dx) + abs(dy) <= grow + (1 if grow > 1 else 0))
                    if hit:
                        image.set(x0 + x, y0 + y, c)
        elif cmd == "outline":
            need(1, "C")
            c = self._colour(d, args[0], n, col(0))
            marks = [(x, y) for y in range(image.height) for x in range(image.width)
                     if not image.opaque(x, y) and any(image.opaque(x + dx, y + dy)
                                                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
            for x, y in marks:
                image.set(x, y, c)
        elif cmd == "replace":
            need(2, "A B")
            a = self._colour(d, args[0], n, col(0))
            b = self._colour(d, args[1], n, col(1))
            for row in image.rows:
                for x, px in enumerate(row):
                    if px == a:
                        row[x] = b
        else:
            raise ArtError(p, n, _column_of(raw, cmd), f"unknown operation '{cmd}'")

    def _grid(self, d, image, op):
        _, n, raw, (x0, y0), rows = op
        if not rows:
            raise ArtError(d.path, n, 1, "a grid needs at least one row")
        first_line, first = rows[0]
        width = len(first.strip())
        for r, (line, text) in enumerate(rows):
            body = text.strip()
            indent = len(text) - len(text.lstrip())
            if len(body) != width:
                raise ArtError(d.path, line, indent + min(len(body), width) + 1,
                               f"row {r + 1} of the grid is {len(body)} pixels wide, its first row {width}")
            for c, ch in enumerate(body):
                rgb = d.palette.lookup(ch, d.path, line, indent + c + 1)
                x, y = x0 + c, y0 + r
                if not image.inside(x, y):
                    raise ArtError(d.path, line, indent + c + 1,
                                   f"pixel ({x},{y}) lies outside picture '{d.name}' ({d.width}x{d.height})")
                if rgb is not None:
                    image.rows[y][x] = rgb
