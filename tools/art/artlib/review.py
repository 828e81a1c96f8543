"""Contact sheets for review: every cell of a sheet enlarged and labelled with its source place,
the whole sheet at 1x and 4x, and the sheet's preview scenes at 1x, 2x and 4x."""
from .image import Image

# A 3 x 5 label font; each glyph is five rows of three pixels.
_FONT = {
    "0": "111 101 101 101 111", "1": "010 110 010 010 111", "2": "111 001 111 100 111",
    "3": "111 001 011 001 111", "4": "101 101 111 001 001", "5": "111 100 111 001 111",
    "6": "111 100 111 101 111", "7": "111 001 010 010 010", "8": "111 101 111 101 111",
    "9": "111 101 111 001 111", "a": "010 101 111 101 101", "b": "110 101 110 101 110",
    "c": "011 100 100 100 011", "d": "110 101 101 101 110", "e": "111 100 110 100 111",
    "f": "111 100 110 100 100", "g": "011 100 101 101 011", "h": "101 101 111 101 101",
    "i": "111 010 010 010 111", "j": "001 001 001 101 010", "k": "101 101 110 101 101",
    "l": "100 100 100 100 111", "m": "101 111 111 101 101", "n": "110 101 101 101 101",
    "o": "010 101 101 101 010", "p": "110 101 110 100 100", "q": "010 101 101 110 011",
    "r": "110 101 110 101 101", "s": "011 100 010 001 110", "t": "111 010 010 010 010",
    "u": "101 101 101 101 111", "v": "101 101 101 101 010", "w": "101 101 111 111 101",
    "x": "101 101 010 101 101", "y": "101 101 010 010 010", "z": "111 001 010 100 111",
    "_": "000 000 000 000 111", "-": "000 000 111 000 000", ",": "000 000 000 010 100",
    "(": "001 010 010 010 001", ")": "100 010 010 010 100", ":": "000 010 000 010 000",
    ".": "000 000 000 000 010", "+": "000 010 111 010 000", "/": "001 001 010 100 100",
    " ": "000 000 000 000 000",
}

INK = (24, 24, 40)
PAPER = (236, 236, 228)
FRAME = (160, 160, 176)
KEYSHOW = (150, 118, 160)  # key pixels show in a mid lilac: light and dark art both stand out


def text_width(text, scale=2):
    return len(text) * 4 * scale


def draw_text(image, x, y, text, colour=INK, scale=2):
    for ch in text.lower():
        rows = _FONT.get(ch, _FONT["."]).split()
        for r, bits in enumerate(rows):
            for c, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            image.set(x + c * scale + dx, y + r * scale + dy, colour)
        x += 4 * scale


def _framed(pic, scale):
    big = pic.scaled(scale)
    out = Image(big.width + 2, big.height + 2)
    for y in range(out.height):
        for x in range(out.width):
            out.rows[y][x] = FRAME
    for y in range(big.height):
        for x in range(big.width):
            px = big.rows[y][x]
            out.rows[y + 1][x + 1] = KEYSHOW if px is None else px
    return out


def _stack(blocks, width, margin=8):
    height = sum(b.height + margin for b in blocks) + margin
    out = Image(width, height)
    for row in out.rows:
        for x in range(width):
            row[x] = PAPER
    y = margin
    for b in blocks:
        out.paste(b, margin, y)
        y += b.height + margin
    return out


def _labelled(label, body):
    w = max(text_width(label), body.width)
    out = Image(w, 12 + body.height)
    draw_text(out, 0, 0, label)
    out.paste(body, 0, 12)
    return out


def contact_sheet(sheet, image, library, scale=4):
    """Each cell (a strip as one row of its cells) at 4x with its name and source place."""
    blocks = [_labelled(f"{sheet.path.split('/')[-1]} {image.width}x{image.height} at 1x", _framed(image, 1))]
    for cell in sheet.cells:
        pics = [library.picture(name) for name in cell.pictures]
        framed = [_framed(p, scale) for p in pics]
        row = Image(sum(f.width + 4 for f in framed), max(f.height for f in framed))
        x = 0
        for f in framed:
            row.paste(f, x, 0)
            x += f.width + 4
        label = f"{cell.name} ({cell.x},{cell.y}) {cell.w}x{cell.h}"
        if len(cell.pictures) > 1:
            label += f" step {cell.step[0]},{cell.step[1]} x{len(cell.pictures)}"
        blocks.append(_labelled(label, row))
    blocks.append(_labelled("whole sheet at 4x", _framed(image, 4)))
    width = max(b.width for b in blocks) + 16
    return _stack(blocks, width)


def preview_sheet(sheet, library):
    """The preview scenes side by side, at 1x, 2x and 4x."""
    blocks = []
    for preview in sheet.previews:
        scene = sheet.render_preview(preview, library)
        row = Image(scene.width * 7 + 24, scene.height * 4 + 2)
        for y in range(row.height):
            for x in range(row.width):
                row.rows[y][x] = PAPER
        x = 0
        for scale in (1, 2, 4):
            f = _framed(scene, scale)
            row.paste(f, x, 0)
            x += f.width + 8
        blocks.append(_labelled(f"{preview.name} at 1x 2x 4x", row))
    if not blocks:
        return None
    return _stack(blocks, max(b.width for b in blocks) + 16)
