"""Sheet layouts (.sheet): where each picture of a sprite sheet lies, exactly.

    sheet WxH
    cell NAME x,y WxH PICTURE
    strip NAME x,y WxH step dx,dy PICTURE PICTURE ...     (names may use {0..9})
    expect same PIC_A PIC_B                               (two pictures are pixel for pixel equal)
    expect only-inside PIC BASE x,y WxH [x,y WxH ...]     (PIC differs from BASE only in the boxes)
    expect clear PIC x,y WxH                              (nothing opaque in the box)
    preview NAME WxH                                      (a scene for the review, not in the sheet)
      put PICTURE x,y [or]
      digits STRIP x,y TEXT [gap G] [colon PICTURE]
    end
"""
import re

from .errors import ArtError
from .image import Image, near_key
from .source import _tokens_at, parse_point, parse_size, parse_number

_RANGE = re.compile(r"\{(\d+)\.\.(\d+)\}")


def expand(word):
    m = _RANGE.search(word)
    if not m:
        return [word]
    a, b = int(m.group(1)), int(m.group(2))
    return [n for k in range(a, b + 1) for n in expand(word[:m.start()] + str(k) + word[m.end():])]


class Cell:
    def __init__(self, name, x, y, w, h, step, pictures, line, columns):
        self.name = name
        self.x, self.y, self.w, self.h = x, y, w, h
        self.step = step
        self.pictures = pictures
        self.line = line
        self.columns = columns

    def places(self):
        for i, pic in enumerate(self.pictures):
            yield i, pic, self.x + i * self.step[0], self.y + i * self.step[1]


class Preview:
    def __init__(self, name, w, h, line):
        self.name, self.w, self.h, self.line = name, w, h, line
        self.items = []


class Sheet:
    def __init__(self, path):
        self.path = path
        self.width = self.height = 0
        self.cells = []
        self.previews = []
        self.expects = []
        with open(path, encoding="utf-8") as f:
            self._parse([l.rstrip("\r\n") for l in f])

    def _parse(self, lines):
        p = self.path
        preview = None
        for n, raw in enumerate(lines, 1):
            at = _tokens_at(raw)
            if not at or at[0][0].startswith("#"):
                continue
            words = [w for w, _ in at]
            cols = [c for _, c in at]
            cmd = words[0]
            if preview is not None:
                if cmd == "end":
                    preview = None
                elif cmd in ("put", "digits"):
                    preview.items.append((cmd, n, raw, words[1:], cols[1:]))
                else:
                    raise ArtError(p, n, 1, f"unknown preview command '{cmd}' (put, digits, end)")
                continue
            if cmd == "sheet":
                self.width, self.height = parse_size(words[1], p, n, raw)
            elif cmd in ("cell", "strip"):
                if not self.width:
                    raise ArtError(p, n, 1, "the 'sheet WxH' line must come first")
                if len(words) < 5:
                    raise ArtError(p, n, 1, f"expected: {cmd} NAME x,y WxH ...")
                x, y = parse_point(words[2], p, n, raw)
                w, h = parse_size(words[3], p, n, raw)
                step, rest, rest_cols = (0, 0), words[4:], cols[4:]
                if cmd == "strip":
                    if len(words) < 7 or words[4] != "step":
                        raise ArtError(p, n, cols[4] if len(cols) > 4 else 1,
                                       "expected: strip NAME x,y WxH step dx,dy PICTURE ...")
                    step = parse_point(words[5], p, n, raw)
                    rest, rest_cols = words[6:], cols[6:]
                pictures, pcols = [], []
                for word, c in zip(rest, rest_cols):
                    for name in expand(word):
                        pictures.append(name)
                        pcols.append(c)
                if cmd == "cell" and len(pictures) != 1:
                    raise ArtError(p, n, rest_cols[-1], "a cell holds one picture (use strip for rows)")
                self.cells.append(Cell(words[1], x, y, w, h, step, pictures, n, pcols))
            elif cmd == "expect":
                if len(words) < 4 or words[1] not in ("same", "only-inside", "clear"):
                    raise ArtError(p, n, 1, "expected: expect same|only-inside|clear ...")
                self.expects.append((n, raw, words[1:], cols[1:]))
            elif cmd == "preview":
                if len(words) != 3:
                    raise ArtError(p, n, 1, "expected: preview NAME WxH")
                w, h = parse_size(words[2], p, n, raw)
                preview = Preview(words[1], w, h, n)
                self.previews.append(preview)
            else:
                raise ArtError(p, n, 1, f"unknown command '{cmd}' (sheet, cell, strip, preview)")
        if preview is not None:
            raise ArtError(p, preview.line, 1, f"preview '{preview.name}' has no 'end' line")
        if not self.width:
            raise ArtError(p, 1, 1, "no 'sheet WxH' line")

    def cell(self, name):
        for c in self.cells:
            if c.name == name:
                return c
        return None

    def build(self, library):
        """The sheet image; every cell checked against its picture and its neighbours."""
        p = self.path
        image = Image(self.width, self.height)
        owner = {}
        for cell in self.cells:
            for i, pic_name, x, y in cell.places():
                col = cell.columns[i]
                pic = library.picture(pic_name, p, cell.line, col)
                d = library.definition(pic_name)
                if (pic.width, pic.height) != (cell.w, cell.h):
                    raise ArtError(p, cell.line, col,
                                   f"cell '{cell.name}' is {cell.w}x{cell.h} but picture '{pic_name}' "
                                   f"({d.path}:{d.line}) is {pic.width}x{pic.height}")
                if x < 0 or y < 0 or x + cell.w > self.width or y + cell.h > self.height:
                    raise ArtError(p, cell.line, col,
                                   f"'{pic_name}' at ({x},{y}) {cell.w}x{cell.h} does not fit the "
                                   f"{self.width}x{self.height} sheet")
                for yy in range(y, y + cell.h):
                    for xx in range(x, x + cell.w):
                        if (xx, yy) in owner:
                            other = owner[(xx, yy)]
                            raise ArtError(p, cell.line, col,
                                           f"'{pic_name}' overlaps '{other}' at ({xx},{yy})")
                        owner[(xx, yy)] = pic_name
                image.paste(pic, x, y)
        check_colours(image, p)
        for expect in self.expects:
            self._check(library, *expect)
        return image

    def _check(self, library, n, raw, args, cols):
        """Rules between pictures: a face cell equals the still, or changes only its eyes and mouth."""
        p = self.path
        kind = args[0]
        pic = library.picture(args[1], p, n, cols[1])
        if kind == "clear":
            boxes = self._boxes(args[2:], n, raw)
            for bx, by, bw, bh in boxes:
                for y in range(by, by + bh):
                    for x in range(bx, bx + bw):
                        if pic.opaque(x, y):
                            raise ArtError(p, n, cols[1], f"'{args[1]}' has a pixel at ({x},{y}) inside "
                                           f"the box {bx},{by} {bw}x{bh} that must stay clear")
            return
        base = library.picture(args[2], p, n, cols[2])
        if (pic.width, pic.height) != (base.width, base.height):
            raise ArtError(p, n, cols[1], f"'{args[1]}' is {pic.width}x{pic.height}, "
                           f"'{args[2]}' {base.width}x{base.height}")
        boxes = self._boxes(args[3:], n, raw) if kind == "only-inside" else []
        for y in range(pic.height):
            for x in range(pic.width):
                if pic.get(x, y) == base.get(x, y):
                    continue
                if any(bx <= x < bx + bw and by <= y < by + bh for bx, by, bw, bh in boxes):
                    continue
                where = " outside its boxes" if boxes else ""
                raise ArtError(p, n, cols[1], f"'{args[1]}' differs from '{args[2]}'{where} at ({x},{y})")

    def _boxes(self, words, n, raw):
        if len(words) % 2:
            raise ArtError(self.path, n, 1, "a box is x,y WxH")
        boxes = []
        for i in range(0, len(words), 2):
            x, y = parse_point(words[i], self.path, n, raw)
            w, h = parse_size(words[i + 1], self.path, n, raw)
            boxes.append((x, y, w, h))
        return boxes

    def render_preview(self, preview, library):
        p = self.path
        image = Image(preview.w, preview.h)
        for cmd, n, raw, args, cols in preview.items:
            if cmd == "put":
                pic = library.picture(args[0], p, n, cols[0])
                x, y = parse_point(args[1], p, n, raw)
                image.paste(pic, x, y, blend_or="or" in args[2:])
            else:
                strip = self.cell(args[0])
                if strip is None:
                    raise ArtError(p, n, cols[0], f"no strip named '{args[0]}'")
                x, y = parse_point(args[1], p, n, raw)
                text = args[2].replace("_", " ")
                gap, colon = 0, None
                rest = args[3:]
                while len(rest) >= 2:
                    if rest[0] == "gap":
                        gap = parse_number(rest[1], p, n, raw)
                    elif rest[0] == "colon":
                        colon = library.picture(rest[1], p, n, 1)
                    rest = rest[2:]
                for ch in text:
                    if ch == ":" and colon is not None:
                        image.paste(colon, x, y)
                        x += colon.width + gap
                        continue
                    if ch.isdigit() and int(ch) < len(strip.pictures):
                        image.paste(library.picture(strip.pictures[int(ch)]), x, y)
                    x += strip.w + gap
        return image


def check_colours(image, path):
    """No pixel may be a near-key colour (a masked blit would show it as a stain)."""
    for y, row in enumerate(image.rows):
        for x, px in enumerate(row):
            if px is not None and near_key(px):
                raise ArtError(path, 0, 0, f"pixel ({x},{y}) is %02X%02X%02X, too close to the key colour" % px)
